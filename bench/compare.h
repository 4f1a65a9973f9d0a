#ifndef MO_BENCH_COMPARE_H
#define MO_BENCH_COMPARE_H

// Runs the plain and the fast version of one piece of work in the same
// benchmark and reports both times and their ratio.

#include <benchmark/benchmark.h>

#include <ctime>
#include <filesystem>

#include "engine/Morvane.h"
#include "game/loadResources.h"

namespace bench {

/// Processor seconds taken by work(): on a machine shared with other
/// work, the time the clock on the wall shows depends on the others.
template <typename Work>
double secondsOf(Work work) {
  const std::clock_t begin = std::clock();
  work();
  return static_cast<double>(std::clock() - begin) / CLOCKS_PER_SEC;
}

/// Selects the plain versions (lists searched from the front, the
/// collision query scanning every solid object) or the fast ones. The
/// WorldManager must be started.
inline void selectPlain(bool plain) {
  mo::ObjectList::setIndexing(!plain);
  mo::WorldManager::getInstance().getSceneGraph().setSpatialIndex(!plain);
}

/// Reports the two times, per unit of work, in milliseconds, and how
/// many times faster the fast one is; the benchmark's own time is the
/// fast one (run it with UseManualTime() and one iteration).
inline void report(benchmark::State& state, double plain_seconds, double fast_seconds,
                   double units) {
  state.SetIterationTime(fast_seconds / units);
  state.counters["plain ms"] = plain_seconds / units * 1e3;
  state.counters["fast ms"] = fast_seconds / units * 1e3;
  state.counters["speedup"] = plain_seconds / fast_seconds;
}

/// The main of a benchmark that plays the game's own level: it works in
/// the data folder, with the game's sprites loaded, as the game does.
inline int runInDataFolder(int argc, char** argv) {
  std::filesystem::current_path(MORVANE_DATA_DIR);
  mo::ResourceManager::getInstance().startUp();
  gh::loadResources();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench

#endif
