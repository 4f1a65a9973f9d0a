#include "engine/core/Clock.h"

#include <climits>

#include "engine/core/platform.h"

namespace mo {

namespace {

// Spans are computed in 64 bits and only then narrowed, so a long span
// saturates instead of wrapping into a negative or tiny value.
int narrow(long long microseconds) {
  if (microseconds > INT_MAX) return INT_MAX;
  if (microseconds < INT_MIN) return INT_MIN;
  return static_cast<int>(microseconds);
}

}  // namespace

Clock::Clock() : previous_time(platform::timeSource().nowMicroseconds()) {}

int Clock::delta() {
  const long long now = platform::timeSource().nowMicroseconds();
  const long long elapsed = now - previous_time;
  previous_time = now;
  return narrow(elapsed);
}

int Clock::split() const {
  return narrow(platform::timeSource().nowMicroseconds() - previous_time);
}

}  // namespace mo
