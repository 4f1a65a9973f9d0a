#include <gtest/gtest.h>

#include <climits>

#include "engine/core/Clock.h"
#include "support/FakeTimeSource.h"

namespace mo {
namespace {

using test::FakeTimeSource;

class ClockTest : public ::testing::Test {
 protected:
  FakeTimeSource source;
};

TEST_F(ClockTest, DeltaMeasuresSinceTheLastReadingAndRestarts) {
  source.setNow(1000);
  Clock clock;
  source.advance(2500);
  EXPECT_EQ(clock.delta(), 2500);
  EXPECT_EQ(clock.delta(), 0);
  source.advance(40);
  EXPECT_EQ(clock.delta(), 40);
}

TEST_F(ClockTest, SplitMeasuresWithoutRestarting) {
  Clock clock;
  source.advance(700);
  EXPECT_EQ(clock.split(), 700);
  source.advance(300);
  EXPECT_EQ(clock.split(), 1000);
  EXPECT_EQ(clock.delta(), 1000);
  source.advance(5);
  EXPECT_EQ(clock.split(), 5);
}

TEST_F(ClockTest, TurnOfTheHourGivesTheRealSpan) {
  // Readings standing for 59:59.990 and 0:00.010 of the next hour.
  source.setNow((59LL * 60 + 59) * 1000000 + 990000);
  Clock clock;
  source.setNow(3600LL * 1000000 + 10000);
  EXPECT_EQ(clock.split(), 20000);
  EXPECT_EQ(clock.delta(), 20000);
}

TEST_F(ClockTest, ReadingsBeyondThirtyTwoBitsKeepSmallSpansExact) {
  source.setNow((1LL << 40) - 300);
  Clock clock;
  source.setNow((1LL << 40) + 450);
  EXPECT_EQ(clock.delta(), 750);
  source.advance(1);
  EXPECT_EQ(clock.split(), 1);
}

TEST_F(ClockTest, SpansBeyondIntSaturate) {
  Clock clock;
  source.advance(static_cast<long long>(INT_MAX) + 1);
  EXPECT_EQ(clock.split(), INT_MAX);
  source.advance(3600LL * 1000000 * 24);
  EXPECT_EQ(clock.split(), INT_MAX);
  EXPECT_EQ(clock.delta(), INT_MAX);
  // delta() restarted the clock at the late reading.
  source.advance(12);
  EXPECT_EQ(clock.split(), 12);
}

TEST_F(ClockTest, SpanOfExactlyIntMaxIsNotSaturatedEarly) {
  Clock clock;
  source.advance(INT_MAX - 1);
  EXPECT_EQ(clock.split(), INT_MAX - 1);
  source.advance(1);
  EXPECT_EQ(clock.split(), INT_MAX);
}

}  // namespace
}  // namespace mo
