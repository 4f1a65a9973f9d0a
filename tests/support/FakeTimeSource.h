#ifndef MO_TEST_FAKE_TIME_SOURCE_H
#define MO_TEST_FAKE_TIME_SOURCE_H

#include <ctime>
#include <vector>

#include "engine/core/platform.h"

namespace mo {
namespace test {

/// A time source that only moves when told: work is simulated with
/// advance() or a tick at every reading, and a sleep advances the time
/// by what was asked plus the configured oversleep. Installs itself and
/// restores the system source when destroyed.
class FakeTimeSource : public platform::TimeSource {
 public:
  FakeTimeSource();
  ~FakeTimeSource() override;

  long long nowMicroseconds() override { return now_us += tick_us; }
  void sleepMilliseconds(int ms) override;
  bool localTime(std::tm& out) override;
  int timerBeginPeriod(int ms) override;
  int timerEndPeriod(int ms) override;

  /// Moves the clock on by us microseconds.
  void advance(long long us) { now_us += us; }
  void setNow(long long us) { now_us = us; }

  long long now_us = 0;
  long long tick_us = 0;         ///< added at every reading, as if reading took time
  int oversleep_us = 0;          ///< added to every sleep
  std::vector<int> sleeps_ms;    ///< every sleep asked for, in order
  bool local_time_ok = true;
  std::tm local_time{};
  int timer_answer = 0;          ///< what the timer-resolution calls answer
  int begin_period_calls = 0;
  int end_period_calls = 0;
};

}  // namespace test
}  // namespace mo

#endif
