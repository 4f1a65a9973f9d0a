// Cost of one whole path search across a world the size of the game's
// (400 x 84 cells): from the top-left corner to the bottom-right one,
// in an open world and in a maze of HARD one-cell walls. The maze is a
// column of wall every 20 cells, open alternately at the bottom and at
// the top, so the route snakes through all of it; its 1,660 walls are
// about as many solid objects as the game's level has.

#include <benchmark/benchmark.h>

#include "engine/Morvane.h"

namespace {

const int WIDTH = 400;
const int HEIGHT = 84;

void BM_PathSearch(benchmark::State& state) {
  const bool maze = state.range(0) != 0;
  mo::WorldManager& world = mo::WorldManager::getInstance();
  world.startUp();
  world.setBoundary(mo::Box(mo::Vector(), WIDTH, HEIGHT));
  if (maze) {
    for (int x = 10, n = 0; x < WIDTH; x += 20, n++) {
      // Odd columns leave the top row open, even ones the bottom row.
      for (int y = n % 2; y < HEIGHT - 1 + n % 2; y++) {
        (new mo::Object)->setPosition(mo::Vector(static_cast<float>(x), static_cast<float>(y)));
      }
    }
  }
  auto* p_mover = new mo::Object;
  p_mover->setPosition(mo::Vector(0, 0));

  long long expanded = 0;
  long long path_nodes = 0;
  for (auto _ : state) {
    mo::PathFind search(p_mover, {0, 0}, {WIDTH - 1, HEIGHT - 1});
    int result = mo::PATH_SEARCHING;
    while (result == mo::PATH_SEARCHING) result = search.cycleOnce();
    if (result != mo::PATH_FOUND) state.SkipWithError("no path found");
    expanded += search.getClosedCount();
    path_nodes = search.getPath().getCount();
  }

  const double iterations = static_cast<double>(state.iterations());
  state.counters["nodes expanded"] = static_cast<double>(expanded) / iterations;
  state.counters["path nodes"] = static_cast<double>(path_nodes);
  state.counters["time per node"] = benchmark::Counter(
      static_cast<double>(expanded), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.SetLabel(maze ? "maze" : "open");
  world.shutDown();
}
BENCHMARK(BM_PathSearch)->ArgName("maze")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
