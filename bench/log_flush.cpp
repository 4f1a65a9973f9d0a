// Cost of a frame's log lines reaching the file: flushed once at the end
// of the frame (what the game loop does), flushed after every line, and
// left to the buffer (lost on a kill; the former behaviour).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/Morvane.h"

namespace {

enum Flushing { PER_FRAME, PER_LINE, BUFFER_ONLY };

void BM_LogFrame(benchmark::State& state) {
  const std::string path = "/tmp/morvane-bench-" + std::to_string(state.thread_index()) + ".log";
  setenv("MORVANE_LOG", path.c_str(), 1);
  mo::LogManager& log = mo::LogManager::getInstance();
  if (log.startUp() != 0) {
    state.SkipWithError("cannot open the log file");
    return;
  }
  const auto flushing = static_cast<Flushing>(state.range(0));
  const int lines = static_cast<int>(state.range(1));
  log.setHoldLines(flushing != PER_LINE);
  for (auto _ : state) {
    for (int i = 0; i < lines; i++) {
      log.writeLog("Frame line %d of a typical length for the log", i);
    }
    if (flushing == PER_FRAME) log.flush();
  }
  state.SetItemsProcessed(state.iterations() * lines);
  log.setHoldLines(false);
  log.shutDown();
  std::remove(path.c_str());
}
BENCHMARK(BM_LogFrame)
    ->ArgNames({"flushing", "lines"})
    ->ArgsProduct({{PER_FRAME, PER_LINE, BUFFER_ONLY}, {1, 10, 100}});

}  // namespace

BENCHMARK_MAIN();
