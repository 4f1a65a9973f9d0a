#include "engine/core/Clock.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/FakeTimeSource.h"

namespace mo {
namespace {

TEST(ClockTest, SplitMeasuresDeltaMeasuresAndRestartsBothIn64BitsSaturatingAtIntMax) {
  test::FakeTimeSource source;
  // Readings standing for 59:59.990 and 0:00.010 of the next hour.
  source.setNow((59LL * 60 + 59) * 1000000 + 990000);
  Clock clock;
  source.setNow(3600LL * 1000000 + 10000);
  EXPECT_EQ(clock.delta(), 20000);
  EXPECT_EQ(clock.delta(), 0);
  source.advance(INT_MAX - 1);
  EXPECT_EQ(clock.split(), INT_MAX - 1);
  source.advance(1);
  EXPECT_EQ(clock.split(), INT_MAX);
  source.advance(1);
  EXPECT_EQ(clock.split(), INT_MAX);
  source.advance(3600LL * 1000000 * 24);
  EXPECT_EQ(clock.delta(), INT_MAX);
  source.advance(12);  // delta() restarted the clock at the late reading
  EXPECT_EQ(clock.split(), 12);
}

}  // namespace
}  // namespace mo
