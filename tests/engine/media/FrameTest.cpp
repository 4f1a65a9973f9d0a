#include "engine/media/Frame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/media/CharGrid.h"
#include "engine/media/DisplayManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::EngineTest;

/// Draws into a character grid through a headless display.
class FrameTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    startHeadlessDisplay();
    DisplayManager::getInstance().setCharGrid(&grid);
  }

  CharGrid grid{80, 24};
};

TEST_F(FrameTest, DefaultFrameIsEmptyAndDrawsNothing) {
  const Frame frame;
  EXPECT_EQ(frame.getWidth(), 0);
  EXPECT_EQ(frame.getHeight(), 0);
  EXPECT_EQ(frame.getString(), "");
  EXPECT_EQ(frame.draw(Vector(10, 5), RED, 0), 0);
  EXPECT_EQ(grid.toString(), "");
}

TEST_F(FrameTest, KeepsSizeAndCharacters) {
  const Frame frame(3, 2, "abcdef");
  EXPECT_EQ(frame.getWidth(), 3);
  EXPECT_EQ(frame.getHeight(), 2);
  EXPECT_EQ(frame.getString(), "abcdef");
}

TEST_F(FrameTest, OddFrameIsCentredOnPosition) {
  const Frame frame(3, 3, "abcdefghi");
  ASSERT_EQ(frame.draw(Vector(10, 5), GREEN, 0), 0);
  EXPECT_EQ(grid.charAt(10, 5), 'e');
  EXPECT_EQ(grid.charAt(9, 4), 'a');
  EXPECT_EQ(grid.charAt(11, 6), 'i');
  EXPECT_EQ(grid.trimmedRow(4), std::string(9, ' ') + "abc");
  EXPECT_EQ(grid.trimmedRow(5), std::string(9, ' ') + "def");
  EXPECT_EQ(grid.trimmedRow(6), std::string(9, ' ') + "ghi");
  EXPECT_EQ(grid.colorAt(9, 4), GREEN);
  EXPECT_EQ(grid.colorAt(11, 6), GREEN);
}

TEST_F(FrameTest, EvenFrameFallsOnHalfCells) {
  // Characters land at x - 0.5 and x + 0.5; the grid rounds to the nearest
  // cell, so two positions tell a half-cell offset from 0 or 1.
  const Frame frame(2, 1, "ab");
  ASSERT_EQ(frame.draw(Vector(10.6f, 5), WHITE, 0), 0);  // 10.1 and 11.1
  EXPECT_EQ(grid.trimmedRow(5), std::string(10, ' ') + "ab");
  grid.clear();
  ASSERT_EQ(frame.draw(Vector(10.4f, 5), WHITE, 0), 0);  // 9.9 and 10.9
  EXPECT_EQ(grid.trimmedRow(5), std::string(10, ' ') + "ab");

  const Frame column(1, 2, "xy");
  grid.clear();
  ASSERT_EQ(column.draw(Vector(3, 7.6f), WHITE, 0), 0);  // 7.1 and 8.1
  EXPECT_EQ(grid.charAt(3, 7), 'x');
  EXPECT_EQ(grid.charAt(3, 8), 'y');
  grid.clear();
  ASSERT_EQ(column.draw(Vector(3, 7.4f), WHITE, 0), 0);  // 6.9 and 7.9
  EXPECT_EQ(grid.charAt(3, 7), 'x');
  EXPECT_EQ(grid.charAt(3, 8), 'y');
}

TEST_F(FrameTest, TransparentCharacterIsSkipped) {
  // Marks show which cells the frame left alone.
  for (int x = 0; x < 3; x++) grid.put(static_cast<float>(x + 4), 2, '.', BLUE);
  const Frame frame(3, 1, "#a#");
  ASSERT_EQ(frame.draw(Vector(5, 2), RED, '#'), 0);
  EXPECT_EQ(grid.trimmedRow(2), "    .a.");
  EXPECT_EQ(grid.colorAt(4, 2), BLUE);
  EXPECT_EQ(grid.colorAt(5, 2), RED);

  // Without a transparent character every character is drawn.
  ASSERT_EQ(frame.draw(Vector(5, 2), RED, 0), 0);
  EXPECT_EQ(grid.trimmedRow(2), "    #a#");
}

TEST_F(FrameTest, ShortStringDrawsOnlyItsCharacters) {
  const Frame frame(3, 3, "abcd");
  EXPECT_EQ(frame.draw(Vector(10, 5), WHITE, 0), 0);
  EXPECT_EQ(grid.toString(), "\n\n\n\n         abc\n         d\n");
}

TEST_F(FrameTest, FirstFailedCharacterEndsDrawing) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  DisplayManager::getInstance().reset();  // not started: every drawCh fails
  const Frame frame(3, 3, "abcdefghi");
  EXPECT_EQ(frame.draw(Vector(10, 5), WHITE, 0), -1);
  LogManager::getInstance().shutDown();
  int failures = 0;
  for (const std::string& message : logMessages()) {
    if (message == "DisplayManager not started!") failures++;
  }
  EXPECT_EQ(failures, 1);
}

}  // namespace
}  // namespace mo
