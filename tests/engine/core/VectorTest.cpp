#include "engine/core/Vector.h"

#include <gtest/gtest.h>

namespace mo {
namespace {

TEST(Vector, ArithmeticIsComponentWiseAndLeavesOperandsAlone) {
  const Vector a(1.0f, 2.0f);
  const Vector b(10.0f, -20.0f);
  EXPECT_EQ(a + b, Vector(11.0f, -18.0f));
  EXPECT_EQ(a - b, Vector(-9.0f, 22.0f));  // this minus the other
  EXPECT_EQ(a, Vector(1.0f, 2.0f));
  EXPECT_EQ(b, Vector(10.0f, -20.0f));
  Vector c(1.0f, 2.0f);
  EXPECT_EQ(&(c += Vector(0.5f, -4.0f)), &c);
  EXPECT_EQ(c, Vector(1.5f, -2.0f));
  c.scale(-2.0f);
  EXPECT_EQ(c, Vector(-3.0f, 4.0f));
  EXPECT_FLOAT_EQ(c.getMagnitude(), 5.0f);
  c.normalize();
  EXPECT_FLOAT_EQ(c.getX(), -0.6f);
  EXPECT_FLOAT_EQ(c.getY(), 0.8f);
  c.setXY(0.0f, 0.0f);
  c.normalize();  // dividing by the zero length would give NaN
  EXPECT_EQ(c, Vector(0.0f, 0.0f));
}

TEST(Vector, EqualityAndZeroTestLookAtBothComponents) {
  const Vector a(1.0f, 2.0f);
  EXPECT_TRUE(a == Vector(1.0f, 2.0f));
  EXPECT_FALSE(a != Vector(1.0f, 2.0f));
  for (const Vector& other : {Vector(1.0f, 2.0001f), Vector(1.0001f, 2.0f), Vector(2.0f, 1.0f)})
    EXPECT_TRUE(a != other && !(a == other)) << other.getX() << "," << other.getY();
  EXPECT_TRUE(!Vector() && !Vector(-0.0f, 0.0f));
  EXPECT_FALSE(!Vector(0.0f, 0.001f) || !Vector(-0.001f, 0.0f));
}

}  // namespace
}  // namespace mo
