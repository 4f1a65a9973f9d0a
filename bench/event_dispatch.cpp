// Cost of delivering one step event to N registered objects, and of
// reading a configuration-sized text with the key:value matcher.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/Morvane.h"

namespace {

class Counter : public mo::Object {
 public:
  Counter() { registerInterest(mo::STEP_EVENT); }
  int eventHandler(const mo::Event*) override {
    count++;
    return 1;
  }
  long count = 0;
};

void BM_StepDispatch(benchmark::State& state) {
  std::vector<Counter*> objects;
  for (int i = 0; i < state.range(0); i++) objects.push_back(new Counter);
  mo::EventStep step(0);
  for (auto _ : state) {
    benchmark::DoNotOptimize(mo::GameManager::getInstance().onEvent(&step));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  for (Counter* p_o : objects) delete p_o;
}
BENCHMARK(BM_StepDispatch)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);

void BM_MatchConfigText(benchmark::State& state) {
  const std::string text =
      "window_horizontal_pixels:1024,window_vertical_pixels:768,window_horizontal_chars:80,"
      "window_vertical_chars:24,window_style:default,window_background_color:black,"
      "frame_time:33,font_scale:2.0,window_title:Morvane,show_mouse:false,headless:false,"
      "font_file:mo-font.ttf,logfile:morvane.log,random_seed:0,networking:false,";
  const char* keys[] = {"frame_time", "font_scale", "window_title", "networking", "absent"};
  for (auto _ : state) {
    mo::match(text, "");
    for (const char* key : keys) benchmark::DoNotOptimize(mo::match("", key));
  }
}
BENCHMARK(BM_MatchConfigText);

void BM_ObjectListInsertRemove(benchmark::State& state) {
  std::vector<mo::Object*> objects;
  for (int i = 0; i < state.range(0); i++) objects.push_back(new mo::Object);
  for (auto _ : state) {
    mo::ObjectList list;
    for (mo::Object* p_o : objects) list.insert(p_o);
    // Removing from the front is the worst case: every later entry moves.
    for (mo::Object* p_o : objects) list.remove(p_o);
    benchmark::DoNotOptimize(list.isEmpty());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  for (mo::Object* p_o : objects) delete p_o;
}
BENCHMARK(BM_ObjectListInsertRemove)->Arg(100)->Arg(1000)->Arg(10000);

}  // namespace

BENCHMARK_MAIN();
