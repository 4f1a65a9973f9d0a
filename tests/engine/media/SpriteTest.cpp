#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/media/CharGrid.h"
#include "engine/media/DisplayManager.h"
#include "engine/media/Sprite.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using SpriteTest = test::EngineTest;

TEST_F(SpriteTest, HoldsFramesUpToAUsableCapacityAndGivesEmptyFramesOutOfRange) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  Sprite sprite(3);
  EXPECT_EQ(sprite.addFrame(Frame(2, 1, "ab")), 0);
  EXPECT_EQ(sprite.addFrame(Frame(2, 1, "cd")), 0);
  EXPECT_EQ(sprite.getFrame(1).getString(), "cd");
  for (int index : {-1, 2, 3}) EXPECT_EQ(sprite.getFrame(index).getWidth(), 0) << index;
  EXPECT_EQ(sprite.addFrame(Frame(2, 1, "ef")), 0);
  EXPECT_EQ(sprite.addFrame(Frame(2, 1, "gh")), -1);
  EXPECT_EQ(sprite.getFrameCount(), 3);

  // Room grows with the frames added: the largest count costs nothing.
  Sprite none(0), negative(-3), largest(INT_MAX);
  for (Sprite* p_sprite : {&none, &negative}) EXPECT_EQ(p_sprite->addFrame(Frame(1, 1, "a")), -1);
  EXPECT_EQ(largest.addFrame(Frame(1, 1, "a")), 0);
  EXPECT_EQ(largest.getFrame(0).getString(), "a");
  LogManager::getInstance().shutDown();
  EXPECT_EQ(logMessages(),
            (std::vector<std::string>{"Sprite::Sprite(): Error! Unable to allocate -3 frames."}));
}

TEST_F(SpriteTest, DrawsTheChosenFrameInItsColourWithTheGivenTransparency) {
  Sprite sprite(2);
  sprite.setColor(MAGENTA);
  sprite.setTransparency('x');  // not used: the caller's character counts
  ASSERT_EQ(sprite.addFrame(Frame(3, 1, "a#x")), 0);
  ASSERT_EQ(sprite.addFrame(Frame(3, 1, "b#x")), 0);
  EXPECT_EQ(sprite.draw(1, Vector(5, 2), '#'), -1);  // display not started

  startHeadlessDisplay();
  CharGrid grid(80, 24);
  DisplayManager::getInstance().setCharGrid(&grid);
  EXPECT_EQ(sprite.draw(1, Vector(5, 2), '#'), 0);
  EXPECT_EQ(grid.toString(), "\n\n    b x\n");
  EXPECT_EQ(grid.colorAt(4, 2), MAGENTA);
  EXPECT_EQ(grid.colorAt(6, 2), MAGENTA);
  grid.clear();
  EXPECT_EQ(sprite.draw(2, Vector(5, 2), 0), 0);  // out of range: nothing
  EXPECT_EQ(sprite.draw(-1, Vector(5, 2), 0), 0);
  EXPECT_EQ(grid.toString(), "");
}

}  // namespace
}  // namespace mo
