#include "engine/core/Vector.h"

#include <gtest/gtest.h>

namespace mo {
namespace {

TEST(Vector, DefaultIsTheZeroVector) {
  const Vector v;
  EXPECT_EQ(v.getX(), 0.0f);
  EXPECT_EQ(v.getY(), 0.0f);
  EXPECT_TRUE(!v);
}

TEST(Vector, SettersChangeOnlyTheirComponent) {
  Vector v(1.0f, 2.0f);
  v.setX(-3.5f);
  EXPECT_EQ(v, Vector(-3.5f, 2.0f));
  v.setY(7.25f);
  EXPECT_EQ(v, Vector(-3.5f, 7.25f));
  v.setXY(0.5f, -0.5f);
  EXPECT_EQ(v.getX(), 0.5f);
  EXPECT_EQ(v.getY(), -0.5f);
}

TEST(Vector, MagnitudeIsTheEuclideanLength) {
  EXPECT_FLOAT_EQ(Vector(3.0f, 4.0f).getMagnitude(), 5.0f);
  EXPECT_FLOAT_EQ(Vector(-3.0f, -4.0f).getMagnitude(), 5.0f);
  EXPECT_FLOAT_EQ(Vector(0.0f, -2.0f).getMagnitude(), 2.0f);
  EXPECT_EQ(Vector().getMagnitude(), 0.0f);
}

TEST(Vector, NormalizeGivesUnitLengthInTheSameDirection) {
  Vector v(3.0f, 4.0f);
  v.normalize();
  EXPECT_FLOAT_EQ(v.getX(), 0.6f);
  EXPECT_FLOAT_EQ(v.getY(), 0.8f);

  Vector w(0.0f, -10.0f);
  w.normalize();
  EXPECT_FLOAT_EQ(w.getX(), 0.0f);
  EXPECT_FLOAT_EQ(w.getY(), -1.0f);
}

TEST(Vector, NormalizeLeavesTheZeroVectorZero) {
  Vector v;
  v.normalize();
  // A division by the zero length would give NaN here, which equals nothing.
  EXPECT_EQ(v.getX(), 0.0f);
  EXPECT_EQ(v.getY(), 0.0f);
}

TEST(Vector, ScaleMultipliesBothComponentsInPlace) {
  Vector v(1.5f, -2.0f);
  v.scale(2.0f);
  EXPECT_EQ(v, Vector(3.0f, -4.0f));
  v.scale(-0.5f);
  EXPECT_EQ(v, Vector(-1.5f, 2.0f));
  v.scale(0.0f);
  EXPECT_TRUE(!v);
}

TEST(Vector, AdditionAndSubtractionAreComponentWise) {
  const Vector a(1.0f, 2.0f);
  const Vector b(10.0f, -20.0f);
  EXPECT_EQ(a + b, Vector(11.0f, -18.0f));
  // Subtraction is this minus the other, not the other way round.
  EXPECT_EQ(a - b, Vector(-9.0f, 22.0f));
  EXPECT_EQ(b - a, Vector(9.0f, -22.0f));
  // Neither operand changes.
  EXPECT_EQ(a, Vector(1.0f, 2.0f));
  EXPECT_EQ(b, Vector(10.0f, -20.0f));
}

TEST(Vector, PlusEqualsAddsInPlaceAndReturnsItself) {
  Vector a(1.0f, 2.0f);
  Vector& result = (a += Vector(0.5f, -4.0f));
  EXPECT_EQ(&result, &a);
  EXPECT_EQ(a, Vector(1.5f, -2.0f));
  (a += Vector(1.0f, 1.0f)) += Vector(1.0f, 1.0f);
  EXPECT_EQ(a, Vector(3.5f, 0.0f));
}

TEST(Vector, EqualityNeedsBothComponentsExactlyEqual) {
  const Vector a(1.0f, 2.0f);
  EXPECT_TRUE(a == Vector(1.0f, 2.0f));
  EXPECT_FALSE(a != Vector(1.0f, 2.0f));
  EXPECT_FALSE(a == Vector(1.0f, 2.0001f));
  EXPECT_TRUE(a != Vector(1.0f, 2.0001f));
  EXPECT_FALSE(a == Vector(1.0001f, 2.0f));
  EXPECT_TRUE(a != Vector(1.0001f, 2.0f));
  // The components are not interchangeable.
  EXPECT_TRUE(a != Vector(2.0f, 1.0f));
}

TEST(Vector, ZeroTestNeedsBothComponentsZero) {
  EXPECT_TRUE(!Vector(0.0f, 0.0f));
  EXPECT_TRUE(!Vector(-0.0f, 0.0f));
  EXPECT_FALSE(!Vector(0.0f, 0.001f));
  EXPECT_FALSE(!Vector(-0.001f, 0.0f));
}

}  // namespace
}  // namespace mo
