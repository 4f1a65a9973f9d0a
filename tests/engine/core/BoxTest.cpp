#include "engine/core/Box.h"

#include <gtest/gtest.h>

namespace mo {
namespace {

TEST(Box, EqualityComparesCornerAndEachExtentOnItsOwn) {
  const Box b(Vector(1.0f, 2.0f), 3.0f, 4.0f);
  EXPECT_TRUE(b == Box(Vector(1.0f, 2.0f), 3.0f, 4.0f));
  EXPECT_FALSE(b != Box(Vector(1.0f, 2.0f), 3.0f, 4.0f));
  for (const Box& other : {Box(Vector(1, 2.5f), 3, 4), Box(Vector(1, 2), 3.5f, 4),
                           Box(Vector(1, 2), 3, 4.5f), Box(Vector(1, 2), 4, 3)})
    EXPECT_TRUE(b != other && !(b == other));
}

}  // namespace
}  // namespace mo
