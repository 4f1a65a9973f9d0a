#include "engine/media/CharGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace mo {
namespace {

TEST(CharGridTest, PositionsRoundToTheNearestCell) {
  CharGrid grid(10, 5);
  grid.put(2.4f, 0.6f, 'a', RED);
  grid.put(2.5f, 3.0f, 'b', GREEN);   // halves round away from zero
  grid.put(-0.4f, 4.4f, 'c', BLUE);   // still cell 0
  grid.put(6.0f, 1.49f, 'd', WHITE);  // replaced below
  grid.put(5.6f, 1.2f, 'e', CYAN);
  EXPECT_EQ(grid.charAt(2, 1), 'a');
  EXPECT_EQ(grid.colorAt(2, 1), RED);
  EXPECT_EQ(grid.charAt(3, 3), 'b');
  EXPECT_EQ(grid.charAt(0, 4), 'c');
  EXPECT_EQ(grid.charAt(6, 1), 'e');
  EXPECT_EQ(grid.colorAt(6, 1), CYAN);
  EXPECT_EQ(grid.toString(), "\n  a   e\n\n   b\nc\n");
}

TEST(CharGridTest, PositionsOutsideAreIgnored) {
  CharGrid grid(3, 2);
  grid.put(-0.6f, 0.0f, 'x', RED);  // rounds to column -1
  grid.put(2.5f, 0.0f, 'x', RED);   // rounds to column 3
  grid.put(0.0f, 1.5f, 'x', RED);   // rounds to row 2
  grid.put(0.0f, -1.0f, 'x', RED);
  grid.put(NAN, 0.0f, 'x', RED);
  grid.put(0.0f, INFINITY, 'x', RED);
  grid.put(1e30f, 1e30f, 'x', RED);
  EXPECT_EQ(grid.toString(), "");
  EXPECT_EQ(grid.charAt(-1, 0), '\0');
  EXPECT_EQ(grid.charAt(3, 0), '\0');
  EXPECT_EQ(grid.charAt(0, 2), '\0');
  EXPECT_EQ(grid.colorAt(0, 2), BLACK);
  EXPECT_EQ(grid.row(2), "");
  EXPECT_EQ(grid.row(-1), "");
}

TEST(CharGridTest, ToStringTrimsTrailingBlanksAndTrailingEmptyRows) {
  CharGrid grid(6, 5);
  grid.put(1.0f, 1.0f, 'a', WHITE);
  grid.put(3.0f, 1.0f, 'b', WHITE);
  grid.put(0.0f, 3.0f, 'c', WHITE);
  // Leading and interior empty rows stay; the last row is left out.
  EXPECT_EQ(grid.toString(), "\n a b\n\nc\n");
  EXPECT_EQ(grid.row(1), " a b  ");
  EXPECT_EQ(grid.trimmedRow(1), " a b");
  EXPECT_EQ(grid.trimmedRow(0), "");
}

TEST(CharGridTest, ClearEmptiesEveryCell) {
  CharGrid grid(2, 2);
  EXPECT_EQ(grid.row(1), "  ");
  grid.put(0.0f, 0.0f, 'a', RED);
  grid.put(1.0f, 1.0f, 'b', GREEN);
  grid.clear();
  EXPECT_EQ(grid.toString(), "");
  EXPECT_EQ(grid.charAt(1, 1), ' ');
  EXPECT_EQ(grid.colorAt(1, 1), BLACK);
}

TEST(CharGridTest, NegativeSizesGiveAnEmptyGrid) {
  CharGrid grid(-3, 2);
  EXPECT_EQ(grid.getWidth(), 0);
  EXPECT_EQ(grid.getHeight(), 2);
  grid.put(0.0f, 0.0f, 'a', RED);
  EXPECT_EQ(grid.charAt(0, 0), '\0');
  EXPECT_EQ(grid.toString(), "");
}

}  // namespace
}  // namespace mo
