#include "engine/core/platform.h"

#include <cerrno>
#include <ctime>

namespace mo {
namespace platform {

namespace {

TimeSource& systemTimeSource() {
  static TimeSource system_source;
  return system_source;
}

TimeSource* p_current = nullptr;

}  // namespace

TimeSource::~TimeSource() = default;

long long TimeSource::nowMicroseconds() {
  // A monotonic clock, so the loop never sees time run backwards or
  // jump at the turn of an hour or when the wall clock is set.
  struct timespec now {};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000LL + now.tv_nsec / 1000;
}

void TimeSource::sleepMilliseconds(int ms) {
  if (ms <= 0) return;
  struct timespec request {};
  request.tv_sec = ms / 1000;
  request.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
  struct timespec remaining {};
  while (nanosleep(&request, &remaining) == -1 && errno == EINTR) {
    request = remaining;
  }
}

bool TimeSource::localTime(std::tm& out) {
  const std::time_t now = std::time(nullptr);
  if (now == static_cast<std::time_t>(-1)) return false;
  return localtime_r(&now, &out) != nullptr;
}

int TimeSource::timerBeginPeriod(int) { return 0; }

int TimeSource::timerEndPeriod(int) { return 0; }

TimeSource& timeSource() { return p_current ? *p_current : systemTimeSource(); }

void setTimeSource(TimeSource* p_source) { p_current = p_source; }

}  // namespace platform
}  // namespace mo
