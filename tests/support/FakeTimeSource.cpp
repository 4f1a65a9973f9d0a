#include "support/FakeTimeSource.h"

namespace mo {
namespace test {

FakeTimeSource::FakeTimeSource() { platform::setTimeSource(this); }

FakeTimeSource::~FakeTimeSource() { platform::setTimeSource(nullptr); }

void FakeTimeSource::sleepMilliseconds(int ms) {
  sleeps_ms.push_back(ms);
  now_us += static_cast<long long>(ms) * 1000 + oversleep_us;
}

bool FakeTimeSource::localTime(std::tm& out) {
  if (local_time_ok) out = local_time;
  return local_time_ok;
}

int FakeTimeSource::timerBeginPeriod(int) {
  begin_period_calls++;
  return timer_answer;
}

int FakeTimeSource::timerEndPeriod(int) {
  end_period_calls++;
  return timer_answer;
}

}  // namespace test
}  // namespace mo
