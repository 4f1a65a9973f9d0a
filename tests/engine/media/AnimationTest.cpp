#include "engine/media/Animation.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/core/LogManager.h"
#include "engine/media/CharGrid.h"
#include "engine/media/DisplayManager.h"
#include "engine/media/Sprite.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::EngineTest;

/// Animations of one-character frames ('a', 'b', ...) drawn into a grid
/// through a headless display.
class AnimationTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    startHeadlessDisplay();
    DisplayManager::getInstance().setCharGrid(&grid);
  }

  static std::unique_ptr<Sprite> letters(int frames, int slowdown) {
    auto p_sprite = std::make_unique<Sprite>(frames);
    p_sprite->setWidth(1);
    p_sprite->setHeight(1);
    p_sprite->setSlowdown(slowdown);
    p_sprite->setLabel("letters");
    for (int i = 0; i < frames; i++) {
      p_sprite->addFrame(Frame(1, 1, std::string(1, static_cast<char>('a' + i))));
    }
    return p_sprite;
  }

  /// The characters shown by count successive draws at (5, 5).
  std::string drawSequence(Animation& animation, int count) {
    std::string shown;
    for (int i = 0; i < count; i++) {
      grid.clear();
      animation.draw(Vector(5, 5));
      shown += grid.charAt(5, 5);
    }
    return shown;
  }

  CharGrid grid{80, 24};
};

TEST_F(AnimationTest, NewAnimationHasNoSprite) {
  Animation animation;
  EXPECT_EQ(animation.getSprite(), nullptr);
  EXPECT_EQ(animation.getIndex(), 0);
  EXPECT_EQ(animation.getSlowdownCount(), 0);
  EXPECT_EQ(animation.getName(), "");
  EXPECT_TRUE(animation.isModified());
  EXPECT_EQ(animation.draw(Vector(5, 5)), 0);
  EXPECT_EQ(grid.toString(), "");
  EXPECT_EQ(animation.getIndex(), 0);
  EXPECT_EQ(animation.getSlowdownCount(), 0);
}

TEST_F(AnimationTest, SlowdownHoldsEachFrameForThatManyDraws) {
  const auto p_sprite = letters(3, 2);
  Animation animation;
  animation.setSprite(p_sprite.get());
  EXPECT_EQ(animation.getName(), "letters");
  EXPECT_EQ(drawSequence(animation, 7), "aabbcca");
}

TEST_F(AnimationTest, SlowdownZeroActsLikeOne) {
  const auto p_sprite = letters(3, 0);
  Animation animation;
  animation.setSprite(p_sprite.get());
  EXPECT_EQ(drawSequence(animation, 4), "abca");
}

TEST_F(AnimationTest, SingleFrameCyclesOnlyTheSlowdownCount) {
  const auto p_sprite = letters(1, 3);
  Animation animation;
  animation.setSprite(p_sprite.get());
  for (int expected_count : {1, 2, 0, 1, 2, 0}) {
    animation.draw(Vector(5, 5));
    EXPECT_EQ(animation.getIndex(), 0);
    EXPECT_EQ(animation.getSlowdownCount(), expected_count);
  }
}

TEST_F(AnimationTest, StoppedAnimationHoldsItsFrame) {
  const auto p_sprite = letters(3, 1);
  Animation animation;
  animation.setSprite(p_sprite.get());
  animation.setIndex(1);
  animation.setSlowdownCount(-1);
  EXPECT_EQ(drawSequence(animation, 5), "bbbbb");
  EXPECT_EQ(animation.getIndex(), 1);
  EXPECT_EQ(animation.getSlowdownCount(), -1);

  animation.setSlowdownCount(0);
  EXPECT_EQ(drawSequence(animation, 3), "bca");
}

TEST_F(AnimationTest, SetSpriteRestartsAtFirstFrameAndKeepsStop) {
  const auto p_sprite = letters(3, 1);
  Animation animation;
  animation.setSprite(p_sprite.get());
  animation.draw(Vector(5, 5));
  animation.draw(Vector(5, 5));
  ASSERT_EQ(animation.getIndex(), 2);
  animation.setSlowdownCount(-1);
  animation.setModified(false);

  animation.setSprite(p_sprite.get());  // the same sprite again
  EXPECT_EQ(animation.getIndex(), 0);
  EXPECT_TRUE(animation.isModified());
  EXPECT_EQ(animation.getSlowdownCount(), -1);
}

TEST_F(AnimationTest, NullSpriteKeepsName) {
  const auto p_sprite = letters(1, 1);
  Animation animation;
  animation.setSprite(p_sprite.get());
  animation.setSprite(nullptr);
  EXPECT_EQ(animation.getSprite(), nullptr);
  EXPECT_EQ(animation.getName(), "letters");
}

TEST_F(AnimationTest, SettersMarkModifiedOnlyOnChange) {
  Animation animation;
  animation.setModified(false);
  animation.setIndex(0);
  animation.setSlowdownCount(0);
  animation.setName("");
  EXPECT_FALSE(animation.isModified());
  animation.setIndex(2);
  EXPECT_TRUE(animation.isModified());
  animation.setModified(false);
  animation.setSlowdownCount(-1);
  EXPECT_TRUE(animation.isModified());
  animation.setModified(false);
  animation.setName("hero");
  EXPECT_TRUE(animation.isModified());
}

TEST_F(AnimationTest, AdvancingMarksModified) {
  const auto p_sprite = letters(2, 1);
  Animation animation;
  animation.setSprite(p_sprite.get());
  animation.setModified(false);
  animation.draw(Vector(5, 5));
  EXPECT_TRUE(animation.isModified());
}

TEST_F(AnimationTest, FailedDrawStillAdvances) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);  // takes the failure's line
  DisplayManager::getInstance().reset();              // not started: drawing fails
  const auto p_sprite = letters(2, 1);
  Animation animation;
  animation.setSprite(p_sprite.get());
  EXPECT_EQ(animation.draw(Vector(5, 5)), -1);
  EXPECT_EQ(animation.getIndex(), 1);
}

TEST_F(AnimationTest, BoxCoversSpriteAroundPosition) {
  Sprite sprite(1);
  sprite.setWidth(5);
  sprite.setHeight(3);
  Animation animation;
  animation.setSprite(&sprite);
  const Box box = animation.getBox();
  EXPECT_FLOAT_EQ(box.getCorner().getX(), -2.5f);
  EXPECT_FLOAT_EQ(box.getCorner().getY(), -1.5f);
  EXPECT_FLOAT_EQ(box.getHorizontal(), 5.0f);
  EXPECT_FLOAT_EQ(box.getVertical(), 3.0f);
}

TEST_F(AnimationTest, BoxWithoutSpriteIsJustUnderOneCell) {
  const Animation animation;
  const Box box = animation.getBox();
  EXPECT_FLOAT_EQ(box.getCorner().getX(), -0.5f);
  EXPECT_FLOAT_EQ(box.getCorner().getY(), -0.5f);
  EXPECT_FLOAT_EQ(box.getHorizontal(), 0.99f);
  EXPECT_FLOAT_EQ(box.getVertical(), 0.99f);
}

}  // namespace
}  // namespace mo
