// Cost of one whole path search across a world the size of the game's
// (400 x 84 cells), from the top-left corner to the bottom-right one,
// with the linear open list and the scanning collision query (plain) and
// with the heap and the spatial grid (fast). The worlds: open; a maze of
// HARD one-cell walls, a column every 20 cells open alternately at the
// bottom and at the top, so that the route snakes through all of it
// (1,660 walls, about as many solid objects as the game's level has);
// 20% of the cells walled at random, over ten seeds; and a goal walled
// in, so that every reachable cell is expanded before the search gives
// up. Both versions must expand the same cells and find the same path.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "compare.h"
#include "engine/Morvane.h"

namespace {

const int WIDTH = 400;
const int HEIGHT = 84;
enum World { OPEN, MAZE, RANDOM, ENCLOSED };

void wall(int x, int y) {
  (new mo::Object)->setPosition(mo::Vector(static_cast<float>(x), static_cast<float>(y)));
}

void buildWorld(World kind, std::uint32_t seed) {
  if (kind == MAZE) {
    for (int x = 10, n = 0; x < WIDTH; x += 20, n++) {
      // Odd columns leave the top row open, even ones the bottom row.
      for (int y = n % 2; y < HEIGHT - 1 + n % 2; y++) wall(x, y);
    }
  }
  if (kind == RANDOM) {
    std::uint32_t state = seed * 2654435761u + 1;
    for (int y = 0; y < HEIGHT; y++) {
      for (int x = 0; x < WIDTH; x++) {
        state = state * 1664525u + 1013904223u;
        const bool end = (x == 0 && y == 0) || (x == WIDTH - 1 && y == HEIGHT - 1);
        if (!end && (state >> 8) % 5 == 0) wall(x, y);
      }
    }
  }
  if (kind == ENCLOSED) {
    // The goal's corner is shut off by an L of wall two cells thick.
    for (int x = WIDTH - 6; x < WIDTH; x++) wall(x, HEIGHT - 6), wall(x, HEIGHT - 5);
    for (int y = HEIGHT - 6; y < HEIGHT; y++) wall(WIDTH - 6, y), wall(WIDTH - 5, y);
  }
}

/// Runs one search in a fresh world; its seconds. What it expanded and
/// found is written to p_trace.
double search(World kind, std::uint32_t seed, bool plain, std::string* p_trace,
              long* p_expanded) {
  mo::WorldManager& world = mo::WorldManager::getInstance();
  world.startUp();
  bench::selectPlain(plain);
  world.setBoundary(mo::Box(mo::Vector(), WIDTH, HEIGHT));
  buildWorld(kind, seed);
  auto* p_mover = new mo::Object;
  p_mover->setPosition(mo::Vector(0, 0));
  mo::PathFind path_find(p_mover, {0, 0}, {WIDTH - 1, HEIGHT - 1});
  path_find.setLinear(plain);
  int result = mo::PATH_SEARCHING;
  const double seconds = bench::secondsOf([&] {
    while (result == mo::PATH_SEARCHING) result = path_find.cycleOnce();
  });
  *p_trace = mo::toString(result) + mo::toString(path_find.getPath());
  for (const mo::PathFind::Cell& cell : path_find.getClosedList()) {
    *p_trace += mo::toString(cell.x) + "," + mo::toString(cell.y) + " ";
  }
  *p_expanded = path_find.getClosedCount();
  world.shutDown();
  bench::selectPlain(false);
  return seconds;
}

void BM_PathSearch(benchmark::State& state) {
  const auto kind = static_cast<World>(state.range(0));
  const int seeds = kind == RANDOM ? 10 : 1;
  static const char* const NAMES[] = {"open", "maze", "20% random walls, 10 seeds",
                                      "unreachable goal"};
  for (auto _ : state) {
    double plain = 0, fast = 0;
    long expanded = 0;
    for (int seed = 1; seed <= seeds; seed++) {
      std::string plain_trace, fast_trace;
      plain += search(kind, static_cast<std::uint32_t>(seed), true, &plain_trace, &expanded);
      fast += search(kind, static_cast<std::uint32_t>(seed), false, &fast_trace, &expanded);
      if (plain_trace != fast_trace) state.SkipWithError("the versions disagree");
    }
    bench::report(state, plain, fast, seeds);
    state.counters["expanded"] = static_cast<double>(expanded);
  }
  state.SetLabel(NAMES[kind]);
}
BENCHMARK(BM_PathSearch)
    ->ArgName("world")
    ->DenseRange(OPEN, ENCLOSED)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
