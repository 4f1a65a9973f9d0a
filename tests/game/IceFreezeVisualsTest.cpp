#include "game/IceFreezeVisuals.h"

#include <gtest/gtest.h>

#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using IceFreezeVisualsTest = test::GameTest;

TEST_F(IceFreezeVisualsTest, ShowsTheCircleAtAltitudeZeroForFifteenSteps) {
  const IceFreezeVisuals* p_circle = new IceFreezeVisuals(mo::Vector(100, 40));
  EXPECT_EQ(p_circle->getAnimation().getName(), "ice-freeze-circle");
  EXPECT_EQ(p_circle->getAltitude(), 0);
  tick(14);
  EXPECT_EQ(count("IceFreezeCircle"), 1);
  tick();
  EXPECT_EQ(count("IceFreezeCircle"), 0);
}

}  // namespace
}  // namespace gh
