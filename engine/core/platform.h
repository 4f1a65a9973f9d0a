#ifndef MO_PLATFORM_H
#define MO_PLATFORM_H

#include <ctime>

namespace mo {
namespace platform {

/// Answer of the timer-resolution calls when the resolution cannot be set.
const int TIMER_NOCANDO = 97;

/// The operating-system services the engine uses for time: a monotonic
/// clock, sleeping, the local wall-clock time and the timer resolution.
/// The engine reaches them only through timeSource(), so a test can put
/// a fake in place with setTimeSource() and run the loop without wall time.
class TimeSource {
 public:
  virtual ~TimeSource();
  /// Microseconds of a monotonic clock; only differences are meaningful.
  virtual long long nowMicroseconds();
  /// Sleeps for ms milliseconds (nothing for ms <= 0); resumes after a
  /// signal interrupts it, so the whole time is slept.
  virtual void sleepMilliseconds(int ms);
  /// Fills out with the local calendar time now; false when the time or
  /// its conversion is not available.
  virtual bool localTime(std::tm& out);
  /// Asks for a timer resolution of ms milliseconds: 0, or TIMER_NOCANDO.
  /// POSIX sleeps already have this resolution, so the system answers 0.
  virtual int timerBeginPeriod(int ms);
  /// Ends a timerBeginPeriod request: 0, or TIMER_NOCANDO.
  virtual int timerEndPeriod(int ms);
};

/// The time source in use: the system's, unless a test replaced it.
TimeSource& timeSource();

/// Replaces the time source (not owned); nullptr restores the system's.
void setTimeSource(TimeSource* p_source);

}  // namespace platform
}  // namespace mo

#endif
