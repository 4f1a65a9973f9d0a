#include "engine/media/CharGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "engine/core/utility.h"

namespace mo {
namespace {

TEST(CharGridTest, PositionsRoundToTheNearestCellAndOutsideOnesAreIgnored) {
  CharGrid grid(10, 5);
  grid.put(2.4f, 0.6f, 'a', RED);
  grid.put(2.5f, 3.0f, 'b', GREEN);   // halves round away from zero
  grid.put(-0.4f, 4.4f, 'c', BLUE);   // still cell 0
  grid.put(6.0f, 1.49f, 'd', WHITE);  // replaced below
  grid.put(5.6f, 1.2f, 'e', CYAN);
  for (const auto& [x, y] : {std::pair(-0.6f, 0.0f), std::pair(9.5f, 0.0f), std::pair(0.0f, 4.5f),
                             std::pair(0.0f, -1.0f), std::pair(NAN, 0.0f),
                             std::pair(0.0f, INFINITY), std::pair(1e30f, 1e30f)}) {
    grid.put(x, y, 'x', RED);
  }
  EXPECT_EQ(grid.toString(), "\n  a   e\n\n   b\nc\n");
  EXPECT_EQ(grid.colorAt(2, 1), RED);
  EXPECT_EQ(grid.colorAt(6, 1), CYAN);
  EXPECT_EQ(grid.charAt(10, 0), '\0');
  EXPECT_EQ(grid.charAt(0, 5), '\0');
  EXPECT_EQ(grid.colorAt(-1, 0), BLACK);
  EXPECT_EQ(grid.row(5), "");
  EXPECT_EQ(CharGrid(-3, 2).toString(), "");
}

TEST(CharGridTest, RowsKeepTheirBlanksWhereToStringTrimsThemAndClearEmptiesAll) {
  CharGrid grid(6, 5);
  grid.put(1.0f, 1.0f, 'a', WHITE);
  grid.put(3.0f, 1.0f, 'b', WHITE);
  grid.put(0.0f, 3.0f, 'c', WHITE);
  EXPECT_EQ(grid.toString(), "\n a b\n\nc\n");  // the empty last row is left out
  EXPECT_EQ(grid.row(1), " a b  ");
  EXPECT_EQ(grid.trimmedRow(1), " a b");
  grid.clear();
  EXPECT_EQ(grid.row(3), "      ");
  EXPECT_EQ(grid.colorAt(1, 1), BLACK);
}

TEST(CharGridTest, CellsHoldCodePointsThatToStringGivesAsUtf8) {
  CharGrid grid(4, 2);
  const std::u32string codes = U"\u2554\u00E9\U0001F642\uFFFD";
  for (std::size_t i = 0; i < codes.size(); i++) grid.put(static_cast<float>(i), 1, codes[i], RED);
  EXPECT_EQ(grid.charAt(2, 1), U'\U0001F642');
  EXPECT_EQ(grid.toString(), "\n\xE2\x95\x94\xC3\xA9\xF0\x9F\x99\x82\xEF\xBF\xBD\n");
  EXPECT_EQ(utf8ToCodePoints(grid.row(1)), codes);
  grid.put(3, 1, 0xD800, RED);  // no code point: still valid UTF-8
  EXPECT_EQ(grid.trimmedRow(1).substr(9), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace mo
