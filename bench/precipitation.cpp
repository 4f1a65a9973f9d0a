// Cost per frame of the game's precipitation: the 400 x 84 world behind
// an 80 x 24 view, filled as the player fills it (kind 0, drifting down,
// density 2: 1,120 wobbling particles). Each part of a frame is measured
// on its own: the step event every particle wobbles on, the world's
// update that moves them (and brings back those that fall out), and the
// world's draw, headless, so that only the world's own walk is measured
// and not the drawing itself.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include "engine/Morvane.h"

namespace {

/// Starts the world of the game's shape, filled with precipitation, and
/// ends it when it goes. No display is started: cells keep their default
/// size, and shapes find no window to draw into.
class PrecipitationWorld {
 public:
  PrecipitationWorld() {
    std::srand(1);
    mo::WorldManager& world = mo::WorldManager::getInstance();
    world.startUp();
    world.setBoundary(mo::Box(mo::Vector(), 400, 84));
    world.setView(mo::Box(mo::Vector(), 80, 24));
    mo::addParticles(0, mo::DRIFT_DOWN, 2.0f);
    // A few hundred frames in, the particles are spread as in play.
    for (int i = 0; i < 400; i++) frame();
  }
  ~PrecipitationWorld() { mo::WorldManager::getInstance().shutDown(); }
  PrecipitationWorld(const PrecipitationWorld&) = delete;
  PrecipitationWorld& operator=(const PrecipitationWorld&) = delete;

  static void step() {
    const mo::EventStep event(0);
    mo::GameManager::getInstance().onEvent(&event);
  }
  static void frame() {
    step();
    mo::WorldManager::getInstance().update();
    mo::WorldManager::getInstance().draw();
  }
  static int count() {
    return mo::WorldManager::getInstance().objectsOfType("Precipitation").getCount();
  }
};

void BM_PrecipitationStep(benchmark::State& state) {
  const PrecipitationWorld world;
  for (auto _ : state) world.step();
  state.SetItemsProcessed(state.iterations() * world.count());
}
BENCHMARK(BM_PrecipitationStep)->Unit(benchmark::kMicrosecond);

void BM_PrecipitationUpdate(benchmark::State& state) {
  const PrecipitationWorld world;
  for (auto _ : state) mo::WorldManager::getInstance().update();
  state.SetItemsProcessed(state.iterations() * world.count());
}
BENCHMARK(BM_PrecipitationUpdate)->Unit(benchmark::kMicrosecond);

void BM_PrecipitationDraw(benchmark::State& state) {
  const PrecipitationWorld world;
  for (auto _ : state) mo::WorldManager::getInstance().draw();
  state.SetItemsProcessed(state.iterations() * world.count());
}
BENCHMARK(BM_PrecipitationDraw)->Unit(benchmark::kMicrosecond);

void BM_PrecipitationFrame(benchmark::State& state) {
  const PrecipitationWorld world;
  for (auto _ : state) world.frame();
  state.SetItemsProcessed(state.iterations() * world.count());
  // Particles beside or below the world never come back (those above it
  // are on their way in).
  int lost = 0;
  const mo::ObjectList all = mo::WorldManager::getInstance().objectsOfType("Precipitation");
  for (mo::ObjectListIterator it(&all); !it.isDone(); it.next()) {
    const mo::Vector p = it.currentObject()->getPosition();
    if (p.getX() < -0.5f || p.getX() > 400.5f || p.getY() > 84.5f) lost++;
  }
  state.counters["lost"] = lost;
}
BENCHMARK(BM_PrecipitationFrame)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
