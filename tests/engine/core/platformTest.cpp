#include <gtest/gtest.h>
#include <sys/time.h>

#include <chrono>
#include <csignal>
#include <ctime>

#include "engine/core/platform.h"

namespace mo {
namespace {

/// A time source that reports a fixed reading, to see which one is used.
class FixedSource : public platform::TimeSource {
 public:
  long long nowMicroseconds() override { return 123; }
};

TEST(PlatformTest, SetTimeSourceReplacesAndNullRestoresTheSystemSource) {
  platform::TimeSource& system = platform::timeSource();
  FixedSource fixed;
  platform::setTimeSource(&fixed);
  EXPECT_EQ(&platform::timeSource(), &fixed);
  EXPECT_EQ(platform::timeSource().nowMicroseconds(), 123);
  platform::setTimeSource(nullptr);
  EXPECT_EQ(&platform::timeSource(), &system);
}

TEST(PlatformTest, SystemClockFollowsTheMonotonicClock) {
  platform::TimeSource& source = platform::timeSource();
  const auto steady_before = std::chrono::steady_clock::now();
  const long long before = source.nowMicroseconds();
  source.sleepMilliseconds(20);
  const long long after = source.nowMicroseconds();
  const auto steady_after = std::chrono::steady_clock::now();
  const long long steady_us =
      std::chrono::duration_cast<std::chrono::microseconds>(steady_after - steady_before).count();
  EXPECT_GE(after - before, 20000);
  // Both read the same monotonic clock: the inner span fits in the outer
  // (give or take the truncation to whole microseconds).
  EXPECT_LE(after - before, steady_us + 2);
}

TEST(PlatformTest, SystemLocalTimeIsTheCalendarTimeNow) {
  std::tm now{};
  ASSERT_TRUE(platform::timeSource().localTime(now));
  const std::time_t t = std::time(nullptr);
  std::tm expected{};
  ASSERT_NE(localtime_r(&t, &expected), nullptr);
  EXPECT_EQ(now.tm_year, expected.tm_year);
  EXPECT_EQ(now.tm_yday, expected.tm_yday);
  EXPECT_EQ(now.tm_hour, expected.tm_hour);
}

TEST(PlatformTest, SystemTimerResolutionIsAccepted) {
  EXPECT_EQ(platform::timeSource().timerBeginPeriod(1), 0);
  EXPECT_EQ(platform::timeSource().timerEndPeriod(1), 0);
}

volatile std::sig_atomic_t alarms_caught = 0;

void onAlarm(int) { alarms_caught = alarms_caught + 1; }

TEST(PlatformTest, SleepResumesAfterASignal) {
  // A handler without SA_RESTART makes the signal cut the sleep short.
  struct sigaction action {};
  action.sa_handler = onAlarm;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  struct sigaction old_action {};
  ASSERT_EQ(sigaction(SIGALRM, &action, &old_action), 0);
  alarms_caught = 0;

  struct itimerval timer {};
  timer.it_value.tv_usec = 10000;
  ASSERT_EQ(setitimer(ITIMER_REAL, &timer, nullptr), 0);

  const auto before = std::chrono::steady_clock::now();
  platform::timeSource().sleepMilliseconds(50);
  const auto after = std::chrono::steady_clock::now();

  struct itimerval off {};
  setitimer(ITIMER_REAL, &off, nullptr);
  sigaction(SIGALRM, &old_action, nullptr);

  EXPECT_EQ(alarms_caught, 1);
  EXPECT_GE(std::chrono::duration_cast<std::chrono::microseconds>(after - before).count(), 49000);
}

}  // namespace
}  // namespace mo
