// Cost of one whole frame of the shipped level, as the game plays it but
// headless: the step event, the world's update and the world's draw (no
// display is started, so that the world's own work is measured and not
// the drawing). The level comes with its enemies and the player's
// precipitation; the larger cases add enemies patrolling the level's
// lowest floor. Plain: lists searched from the front and the collision
// query scanning every solid object; fast: indexed lists and the
// spatial grid. Both play the same frames from the same start.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "compare.h"
#include "engine/Morvane.h"
#include "game/Enemy.h"
#include "game/MapLoader.h"
#include "game/Player.h"

namespace {

/// Plays frames frames of the shipped level with extra enemies spread
/// along its lowest floor (several to a cell when there are many); the
/// seconds they took.
double playFrames(const std::vector<std::string>& lines, int extra_enemies, int frames,
                  bool plain, long* p_count) {
  std::srand(1);
  mo::WorldManager& world = mo::WorldManager::getInstance();
  world.startUp();
  bench::selectPlain(plain);
  world.setBoundary(mo::Box(mo::Vector(), 400, 84));
  world.setView(mo::Box(mo::Vector(), 80, 24));
  gh::populateWorld(lines);
  mo::ObjectList players = world.objectsOfType("Player");
  auto* p_player = static_cast<gh::Player*>(mo::ObjectListIterator(&players).currentObject());
  for (int i = 0; i < extra_enemies; i++) {
    new gh::Enemy(mo::Vector(static_cast<float>(2 + i % 396), 77), p_player, false);
  }
  *p_count = world.getAllObjects(true).getCount();
  const mo::EventStep step(0);
  const double seconds = bench::secondsOf([&] {
    for (int i = 0; i < frames; i++) {
      mo::GameManager::getInstance().onEvent(&step);
      world.update();
      world.draw();
    }
  });
  world.shutDown();
  bench::selectPlain(false);
  return seconds;
}

void BM_LevelFrame(benchmark::State& state) {
  const std::vector<std::string> lines = gh::loadMapLines("map-layout.txt");
  const int extra_enemies = static_cast<int>(state.range(0));
  const int frames = static_cast<int>(state.range(1));
  for (auto _ : state) {
    long objects = 0;
    const double plain = playFrames(lines, extra_enemies, frames, true, &objects);
    const double fast = playFrames(lines, extra_enemies, frames, false, &objects);
    bench::report(state, plain, fast, frames);
    state.counters["objects"] = static_cast<double>(objects);
  }
}
BENCHMARK(BM_LevelFrame)
    ->ArgNames({"extra_enemies", "frames"})
    ->Args({0, 100})
    ->Args({2500, 20})
    ->Args({10000, 5})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runInDataFolder(argc, argv); }
