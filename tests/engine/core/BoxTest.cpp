#include "engine/core/Box.h"

#include <gtest/gtest.h>

namespace mo {
namespace {

TEST(Box, DefaultIsAnEmptyBoxAtTheOrigin) {
  const Box b;
  EXPECT_EQ(b.getCorner(), Vector(0.0f, 0.0f));
  EXPECT_EQ(b.getHorizontal(), 0.0f);
  EXPECT_EQ(b.getVertical(), 0.0f);
}

TEST(Box, ConstructorKeepsCornerAndExtentsApart) {
  const Box b(Vector(1.5f, -2.0f), 3.0f, 4.0f);
  EXPECT_EQ(b.getCorner(), Vector(1.5f, -2.0f));
  EXPECT_EQ(b.getHorizontal(), 3.0f);
  EXPECT_EQ(b.getVertical(), 4.0f);
}

TEST(Box, SettersChangeOnlyTheirField) {
  Box b(Vector(1.0f, 1.0f), 2.0f, 3.0f);
  b.setCorner(Vector(-1.0f, 5.0f));
  EXPECT_EQ(b, Box(Vector(-1.0f, 5.0f), 2.0f, 3.0f));
  b.setHorizontal(7.0f);
  EXPECT_EQ(b, Box(Vector(-1.0f, 5.0f), 7.0f, 3.0f));
  b.setVertical(0.5f);
  EXPECT_EQ(b, Box(Vector(-1.0f, 5.0f), 7.0f, 0.5f));
}

TEST(Box, EqualityComparesCornerAndBothExtents) {
  const Box b(Vector(1.0f, 2.0f), 3.0f, 4.0f);
  EXPECT_TRUE(b == Box(Vector(1.0f, 2.0f), 3.0f, 4.0f));
  EXPECT_FALSE(b != Box(Vector(1.0f, 2.0f), 3.0f, 4.0f));
  EXPECT_FALSE(b == Box(Vector(1.0f, 2.5f), 3.0f, 4.0f));
  EXPECT_FALSE(b == Box(Vector(1.0f, 2.0f), 3.5f, 4.0f));
  EXPECT_FALSE(b == Box(Vector(1.0f, 2.0f), 3.0f, 4.5f));
  // Extents are not interchangeable.
  EXPECT_TRUE(b != Box(Vector(1.0f, 2.0f), 4.0f, 3.0f));
}

}  // namespace
}  // namespace mo
