// Cost of drawing a full screen of changing characters and showing it:
// 80 x 24 cells in a 1024 x 768 window (the engine's default) and
// 200 x 60 cells in 1280 x 960, each drawn character by character and
// batched. Needs an X server (DISPLAY); scripts/run-bench.sh starts Xvfb
// when none is set. After the runs a table gives, per screen, the draw
// calls per frame, the time per frame of both ways and their ratio: wall
// time, which includes the X server's and the software rasteriser's
// work, and the drawing thread's own processor time.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "engine/Morvane.h"

namespace {

// Every C++ heap allocation of the program, so that a frame's can be
// counted.
long allocations = 0;

}  // namespace

// The library's operator delete frees what malloc() gave. Not inlined,
// so that the compiler pairs what it returns with that delete.
[[gnu::noinline]] void* operator new(std::size_t bytes) {
  allocations++;
  if (void* p = std::malloc(bytes ? bytes : 1)) return p;
  throw std::bad_alloc();
}

namespace {

struct Screen {
  int columns, rows, width, height;
};
const Screen SCREENS[] = {{80, 24, 1024, 768}, {200, 60, 1280, 960}};

/// What one run measured, by screen and way of drawing.
struct Measure {
  double milliseconds = 0;      ///< wall time per frame
  double cpu_milliseconds = 0;  ///< the drawing thread's processor time per frame
  double draw_calls = 0;
};
std::map<std::pair<int, bool>, Measure> measures;

void drawScreen(const Screen& screen, int frame) {
  const mo::DisplayManager& display = mo::DisplayManager::getInstance();
  for (int y = 0; y < screen.rows; y++) {
    for (int x = 0; x < screen.columns; x++) {
      const int n = x + y + frame;
      display.drawCh(mo::Vector(static_cast<float>(x), static_cast<float>(y)),
                     static_cast<char>('!' + n % 94), static_cast<mo::Color>(1 + n % 7));
    }
  }
}

void BM_FullScreen(benchmark::State& state) {
  const Screen& screen = SCREENS[state.range(0)];
  const bool batched = state.range(1) != 0;
  mo::Config& config = mo::Config::getInstance();
  config.reset();
  config.loadConfig("window_horizontal_pixels:" + std::to_string(screen.width) +
                    ",window_vertical_pixels:" + std::to_string(screen.height) +
                    ",window_horizontal_chars:" + std::to_string(screen.columns) +
                    ",window_vertical_chars:" + std::to_string(screen.rows) +
                    ",font_file:" MORVANE_DATA_DIR "/mo-font.ttf" + ",window_title:render-bench,batched_drawing:" +
                    (batched ? "true," : "false,"));
  mo::DisplayManager& display = mo::DisplayManager::getInstance();
  mo::WorldManager::getInstance().setView(mo::Box(
      mo::Vector(), static_cast<float>(screen.columns), static_cast<float>(screen.rows)));
  if (display.startUp() != 0) {
    state.SkipWithError("the display does not start (is DISPLAY set?)");
    return;
  }
  // Warm: the vertex array reaches a frame's size.
  int frame = 0;
  for (; frame < 3; frame++) {
    drawScreen(screen, frame);
    display.swapBuffers();
  }
  const long allocations_before = allocations;
  const long left_out_before = display.getBackgroundsLeftOut();
  for (auto _ : state) {
    drawScreen(screen, frame++);
    display.swapBuffers();
  }
  const double frames = static_cast<double>(state.iterations());
  state.counters["draw calls/frame"] = display.getFrameDrawCalls();
  // Batched, SFML itself allocates twice a frame: clearing unbinds the
  // glyph texture and the one draw call binds it again.
  state.counters["allocations/frame"] =
      static_cast<double>(allocations - allocations_before) / frames;
  state.counters["character size"] = display.getCharacterSize();
  state.counters["backgrounds left out/frame"] =
      static_cast<double>(display.getBackgroundsLeftOut() - left_out_before) / frames;
  state.SetItemsProcessed(state.iterations() * screen.columns * screen.rows);
  measures[{static_cast<int>(state.range(0)), batched}].draw_calls = display.getFrameDrawCalls();
  display.shutDown();
}
BENCHMARK(BM_FullScreen)
    ->ArgNames({"screen", "batched"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

/// Prints as usual and keeps each run's time per frame for the ratios.
class Reporter : public benchmark::ConsoleReporter {
 public:
  Reporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      const std::string name = run.benchmark_name();
      const int screen = name.find("screen:1") != std::string::npos ? 1 : 0;
      const bool batched = name.find("batched:1") != std::string::npos;
      measures[{screen, batched}].milliseconds = run.GetAdjustedRealTime();
      measures[{screen, batched}].cpu_milliseconds = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const char* p_display = std::getenv("DISPLAY");
  if (!p_display || !*p_display) {
    std::printf("render: no X server (DISPLAY is not set), nothing measured\n");
    return 0;
  }
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();

  std::printf(
      "\n| screen | draw calls/frame: per character | batched | ms/frame: per character |"
      " batched | ratio | thread CPU ms/frame: per character | batched | ratio |\n"
      "|---|---|---|---|---|---|---|---|---|\n");
  for (int s = 0; s < 2; s++) {
    const Measure& plain = measures[{s, false}];
    const Measure& fast = measures[{s, true}];
    if (plain.milliseconds <= 0 || fast.milliseconds <= 0) continue;
    std::printf("| %d x %d | %.0f | %.0f | %.2f | %.2f | %.1f | %.2f | %.2f | %.1f |\n",
                SCREENS[s].columns, SCREENS[s].rows, plain.draw_calls, fast.draw_calls,
                plain.milliseconds, fast.milliseconds, plain.milliseconds / fast.milliseconds,
                plain.cpu_milliseconds, fast.cpu_milliseconds,
                plain.cpu_milliseconds / fast.cpu_milliseconds);
  }
  return 0;
}
