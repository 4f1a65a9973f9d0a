// Cost of building a level of N objects with the game's loader and of
// shutting that world down again, with plain lists (searched from the
// front on every removal, snapshots blanked by a full walk, collision
// queries scanning) and with the indexed lists and the spatial grid. The
// level is rows of floor with a wall at each end and an enemy and a
// ledge guard now and then, the pieces the shipped level is made of.
// The plain version grows with the square of N; above 160,000 objects
// only the fast one runs.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "compare.h"
#include "engine/Morvane.h"
#include "game/MapLoader.h"

namespace {

const int WIDTH = 400;
const long PLAIN_UP_TO = 160000;

/// Lines of a level with about n objects besides the player.
std::vector<std::string> levelOf(long n) {
  std::vector<std::string> lines;
  long made = 0;
  while (made < n) {
    std::string line(WIDTH, '_');
    line.front() = 'L';
    line.back() = 'R';
    for (int x = 37; x < WIDTH - 1; x += 61) line[static_cast<std::size_t>(x)] = 'E';
    for (int x = 53; x < WIDTH - 1; x += 97) line[static_cast<std::size_t>(x)] = 'G';
    if (n - made < WIDTH) line.resize(static_cast<std::size_t>(n - made));
    made += static_cast<long>(line.size());
    lines.push_back(line);
    lines.emplace_back();  // room for the enemies above the next floor
  }
  return lines;
}

/// Builds and shuts down one level; the seconds each took.
void buildAndShutDown(const std::vector<std::string>& lines, bool plain, double* p_build,
                      double* p_shut_down, long* p_objects) {
  mo::WorldManager& world = mo::WorldManager::getInstance();
  world.startUp();
  bench::selectPlain(plain);
  world.setBoundary(mo::Box(mo::Vector(), WIDTH, static_cast<float>(lines.size() + 4)));
  world.setView(mo::Box(mo::Vector(), 80, 24));
  *p_build = bench::secondsOf([&] { gh::populateWorld(lines); });
  *p_objects = world.getAllObjects(true).getCount();
  *p_shut_down = bench::secondsOf([&] { world.shutDown(); });
  bench::selectPlain(false);
}

void BM_LevelLoad(benchmark::State& state) {
  const long n = state.range(0);
  const std::vector<std::string> lines = levelOf(n);
  for (auto _ : state) {
    double fast_build = 0, fast_shut_down = 0;
    long objects = 0;
    buildAndShutDown(lines, false, &fast_build, &fast_shut_down, &objects);
    state.counters["objects"] = static_cast<double>(objects);
    state.counters["fast build ms"] = fast_build * 1e3;
    state.counters["fast shut ms"] = fast_shut_down * 1e3;
    state.SetIterationTime(fast_build + fast_shut_down);
    if (n > PLAIN_UP_TO) continue;
    double plain_build = 0, plain_shut_down = 0;
    buildAndShutDown(lines, true, &plain_build, &plain_shut_down, &objects);
    state.counters["plain build ms"] = plain_build * 1e3;
    state.counters["plain shut ms"] = plain_shut_down * 1e3;
    state.counters["speedup"] = (plain_build + plain_shut_down) / (fast_build + fast_shut_down);
  }
}
BENCHMARK(BM_LevelLoad)
    ->ArgName("objects")
    ->Arg(20000)
    ->Arg(40000)
    ->Arg(80000)
    ->Arg(160000)
    ->Arg(320000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench::runInDataFolder(argc, argv); }
