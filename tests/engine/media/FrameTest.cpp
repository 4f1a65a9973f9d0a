#include "engine/media/Frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/media/CharGrid.h"
#include "engine/media/DisplayManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

/// Draws into a character grid through a headless display.
class FrameTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    startHeadlessDisplay();
    DisplayManager::getInstance().setCharGrid(&grid);
  }

  /// The picture the frame draws in green at position on an empty grid.
  std::string drawn(const Frame& frame, Vector position) {
    grid.clear();
    EXPECT_EQ(frame.draw(position, GREEN, 0), 0);
    return grid.toString();
  }

  CharGrid grid{80, 24};
};

TEST_F(FrameTest, FrameIsCentredOnThePosition) {
  EXPECT_EQ(drawn(Frame(), Vector(10, 5)), "");
  EXPECT_EQ(drawn(Frame(3, 3, "abcdefghi"), Vector(4, 2)), "\n   abc\n   def\n   ghi\n");
  EXPECT_EQ(grid.colorAt(3, 1), GREEN);
  EXPECT_EQ(grid.colorAt(5, 3), GREEN);
  // Even sizes put the characters at x - 0.5 and x + 0.5; the grid rounds
  // to the nearest cell, so two positions tell a half-cell offset from 0
  // or 1.
  EXPECT_EQ(drawn(Frame(2, 1, "ab"), Vector(3.6f, 0)), "   ab\n");  // 3.1 and 4.1
  EXPECT_EQ(drawn(Frame(2, 1, "ab"), Vector(3.4f, 0)), "   ab\n");  // 2.9 and 3.9
  EXPECT_EQ(drawn(Frame(1, 2, "xy"), Vector(0, 1.6f)), "\nx\ny\n");
  EXPECT_EQ(drawn(Frame(1, 2, "xy"), Vector(0, 1.4f)), "\nx\ny\n");
  // A string shorter than the size draws only its characters.
  EXPECT_EQ(drawn(Frame(3, 3, "abcd"), Vector(4, 2)), "\n   abc\n   d\n");
}

TEST_F(FrameTest, TransparentCharacterLeavesItsCellAlone) {
  const Frame frame(3, 1, "#a#");
  EXPECT_EQ(drawn(frame, Vector(5, 0)), "    #a#\n");
  grid.put(4, 0, '.', BLUE);
  grid.put(6, 0, '.', BLUE);
  EXPECT_EQ(frame.draw(Vector(5, 0), RED, '#'), 0);
  EXPECT_EQ(grid.toString(), "    .a.\n");
  EXPECT_EQ(grid.colorAt(4, 0), BLUE);
  EXPECT_EQ(grid.colorAt(5, 0), RED);
}

TEST_F(FrameTest, FirstFailedCharacterEndsDrawing) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  DisplayManager::getInstance().reset();  // not started: every drawCh fails
  EXPECT_EQ(Frame(3, 3, "abcdefghi").draw(Vector(10, 5), WHITE, 0), -1);
  LogManager::getInstance().shutDown();
  const std::vector<std::string> messages = logMessages();
  EXPECT_EQ(std::count(messages.begin(), messages.end(), "DisplayManager not started!"), 1);
}

}  // namespace
}  // namespace mo
