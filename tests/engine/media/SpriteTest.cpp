#include "engine/media/Sprite.h"

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

class SpriteTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  std::vector<std::string> messages() const {
    LogManager::getInstance().setLogLevel(0);  // keeps the log's own closing line out
    LogManager::getInstance().shutDown();
    return logMessages();
  }
  /// A headless display that copies every drawn character into grid.
  void startDisplay() {
    startHeadlessDisplay();
    DisplayManager::getInstance().setCharGrid(&grid);
  }

  CharGrid grid{80, 24};
};

TEST_F(SpriteTest, NewSpriteHasDefaults) {
  const Sprite sprite(4);
  EXPECT_EQ(sprite.getWidth(), 0);
  EXPECT_EQ(sprite.getHeight(), 0);
  EXPECT_EQ(sprite.getFrameCount(), 0);
  EXPECT_EQ(sprite.getColor(), WHITE);
  EXPECT_EQ(sprite.getSlowdown(), 1);
  EXPECT_EQ(sprite.getTransparency(), 0);
  EXPECT_EQ(sprite.getLabel(), "[Undefined]");
  EXPECT_TRUE(messages().empty());
}

TEST_F(SpriteTest, AddsFramesUpToCapacity) {
  Sprite sprite(2);
  EXPECT_EQ(sprite.addFrame(Frame(1, 1, "a")), 0);
  EXPECT_EQ(sprite.addFrame(Frame(1, 1, "b")), 0);
  EXPECT_EQ(sprite.addFrame(Frame(1, 1, "c")), -1);
  EXPECT_EQ(sprite.getFrameCount(), 2);
  EXPECT_EQ(sprite.getFrame(0).getString(), "a");
  EXPECT_EQ(sprite.getFrame(1).getString(), "b");
}

TEST_F(SpriteTest, GetFrameOutOfRangeGivesEmptyFrame) {
  Sprite sprite(3);
  ASSERT_EQ(sprite.addFrame(Frame(2, 1, "ab")), 0);
  // Index 1 is within the capacity but not yet filled.
  for (int index : {-1, 1, 2, 3}) {
    const Frame frame = sprite.getFrame(index);
    EXPECT_EQ(frame.getString(), "") << index;
    EXPECT_EQ(frame.getWidth(), 0) << index;
  }
  EXPECT_EQ(sprite.getFrame(0).getWidth(), 2);
}

TEST_F(SpriteTest, ZeroCapacityHoldsNothingWithoutError) {
  Sprite sprite(0);
  EXPECT_EQ(sprite.addFrame(Frame(1, 1, "a")), -1);
  EXPECT_EQ(sprite.getFrameCount(), 0);
  EXPECT_TRUE(messages().empty());
}

TEST_F(SpriteTest, UnusableCapacityIsLoggedAndHoldsNothing) {
  Sprite negative(-3);
  Sprite huge(MAX_SPRITE_FRAMES + 1);
  Sprite largest(MAX_SPRITE_FRAMES);
  EXPECT_EQ(negative.addFrame(Frame(1, 1, "a")), -1);
  EXPECT_EQ(huge.addFrame(Frame(1, 1, "a")), -1);
  EXPECT_EQ(largest.addFrame(Frame(1, 1, "a")), 0);
  const std::vector<std::string> expected = {
      "Sprite::Sprite(): Error! Unable to allocate -3 frames.",
      "Sprite::Sprite(): Error! Unable to allocate 10001 frames.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(SpriteTest, AccessorsKeepValues) {
  Sprite sprite(1);
  sprite.setWidth(5);
  sprite.setHeight(3);
  sprite.setSlowdown(4);
  sprite.setColor(CYAN);
  sprite.setTransparency('#');
  sprite.setLabel("ship");
  EXPECT_EQ(sprite.getWidth(), 5);
  EXPECT_EQ(sprite.getHeight(), 3);
  EXPECT_EQ(sprite.getSlowdown(), 4);
  EXPECT_EQ(sprite.getColor(), CYAN);
  EXPECT_EQ(sprite.getTransparency(), '#');
  EXPECT_EQ(sprite.getLabel(), "ship");
}

TEST_F(SpriteTest, DrawsChosenFrameInSpriteColourWithGivenTransparency) {
  startDisplay();
  Sprite sprite(2);
  sprite.setColor(MAGENTA);
  sprite.setTransparency('x');  // not used: the caller's character counts
  ASSERT_EQ(sprite.addFrame(Frame(3, 1, "a#x")), 0);
  ASSERT_EQ(sprite.addFrame(Frame(3, 1, "b#x")), 0);
  EXPECT_EQ(sprite.draw(1, Vector(5, 2), '#'), 0);
  EXPECT_EQ(grid.trimmedRow(2), "    b x");
  EXPECT_EQ(grid.colorAt(4, 2), MAGENTA);
  EXPECT_EQ(grid.colorAt(6, 2), MAGENTA);
}

TEST_F(SpriteTest, FrameNumberOutOfRangeDrawsNothing) {
  startDisplay();
  Sprite sprite(3);
  ASSERT_EQ(sprite.addFrame(Frame(1, 1, "a")), 0);
  EXPECT_EQ(sprite.draw(1, Vector(5, 2), 0), 0);  // equal to the frame count
  EXPECT_EQ(sprite.draw(-1, Vector(5, 2), 0), 0);
  EXPECT_EQ(grid.toString(), "");
}

TEST_F(SpriteTest, DrawPassesOnFailure) {
  Sprite sprite(1);
  ASSERT_EQ(sprite.addFrame(Frame(1, 1, "a")), 0);
  EXPECT_EQ(sprite.draw(0, Vector(5, 2), 0), -1);  // display not started
}

}  // namespace
}  // namespace mo
