#include "engine/core/platform.h"

#include <gtest/gtest.h>
#include <sys/time.h>

#include <chrono>
#include <csignal>
#include <ctime>

#include "support/FakeTimeSource.h"

namespace mo {
namespace {

long long steadyMicroseconds() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

TEST(PlatformTest, SystemSourceReadsTheMonotonicClockAndTheLocalTime) {
  platform::TimeSource& source = platform::timeSource();
  {
    test::FakeTimeSource fake;
    EXPECT_EQ(&platform::timeSource(), &fake);
  }
  EXPECT_EQ(&platform::timeSource(), &source);  // setTimeSource(nullptr) restores it
  // Both read the same monotonic clock: readings taken in between fall
  // between the outer ones (give or take the truncation to microseconds).
  const long long outer_before = steadyMicroseconds();
  const long long before = source.nowMicroseconds();
  const long long after = source.nowMicroseconds();
  const long long outer_after = steadyMicroseconds();
  EXPECT_LE(before, after);
  EXPECT_LE(after - before, outer_after - outer_before + 2);

  std::tm now{};
  ASSERT_TRUE(source.localTime(now));
  const std::time_t t = std::time(nullptr);
  std::tm expected{};
  ASSERT_NE(localtime_r(&t, &expected), nullptr);
  EXPECT_EQ(now.tm_year, expected.tm_year);
  EXPECT_EQ(now.tm_yday, expected.tm_yday);
  EXPECT_EQ(now.tm_hour, expected.tm_hour);
  EXPECT_EQ(source.timerBeginPeriod(1), 0);
  EXPECT_EQ(source.timerEndPeriod(1), 0);
}

volatile std::sig_atomic_t alarms_caught = 0;

void onAlarm(int) { alarms_caught = alarms_caught + 1; }

TEST(PlatformTest, SleepResumesAfterASignal) {
  // A handler without SA_RESTART makes the signal cut the sleep short.
  struct sigaction action {};
  action.sa_handler = onAlarm;
  sigemptyset(&action.sa_mask);
  struct sigaction old_action {};
  ASSERT_EQ(sigaction(SIGALRM, &action, &old_action), 0);
  alarms_caught = 0;
  struct itimerval timer {};
  timer.it_value.tv_usec = 10000;
  ASSERT_EQ(setitimer(ITIMER_REAL, &timer, nullptr), 0);

  const long long before = steadyMicroseconds();
  platform::timeSource().sleepMilliseconds(50);
  const long long slept = steadyMicroseconds() - before;

  struct itimerval off {};
  setitimer(ITIMER_REAL, &off, nullptr);
  sigaction(SIGALRM, &old_action, nullptr);
  EXPECT_EQ(alarms_caught, 1);
  // A sleep never ends early, so only a resumed one covers the whole time.
  EXPECT_GE(slept, 49000);
}

}  // namespace
}  // namespace mo
