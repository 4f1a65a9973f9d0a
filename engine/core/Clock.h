#ifndef MO_CLOCK_H
#define MO_CLOCK_H

namespace mo {

/// The game loop's stopwatch, in microseconds, read from the platform's
/// monotonic time source (see platform.h).
class Clock {
 public:
  /// Starts the stopwatch now.
  Clock();

  /// Microseconds since construction or the last delta(); restarts the
  /// stopwatch. Spans beyond the range of int are reported as INT_MAX.
  int delta();

  /// Microseconds since construction or the last delta(), without
  /// restarting. Spans beyond the range of int are reported as INT_MAX.
  int split() const;

 private:
  long long previous_time;  ///< reading of the last Clock() or delta(), microseconds
};

}  // namespace mo

#endif
