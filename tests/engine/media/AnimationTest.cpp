#include "engine/media/Animation.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/media/CharGrid.h"
#include "engine/media/DisplayManager.h"
#include "engine/media/ResourceManager.h"
#include "engine/media/Sprite.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

/// Animations of one-character frames ('a', 'b', ...) drawn into a grid
/// through a headless display.
class AnimationTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    startHeadlessDisplay();
    DisplayManager::getInstance().setCharGrid(&grid);
  }

  /// Shows a sprite of frames one-letter frames with the slowdown.
  void show(int frames, int slowdown) {
    sprite = Sprite(frames);
    sprite.setWidth(1);
    sprite.setHeight(1);
    sprite.setSlowdown(slowdown);
    sprite.setLabel("letters");
    for (char ch = 'a'; ch < 'a' + frames; ch++) sprite.addFrame(Frame(1, 1, std::string(1, ch)));
    animation.setSprite(&sprite);
  }

  /// The characters shown by count successive draws at (5, 5).
  std::string drawSequence(int count) {
    std::string shown;
    for (int i = 0; i < count; i++) {
      grid.clear();
      EXPECT_EQ(animation.draw(Vector(5, 5)), 0);
      shown += grid.charAt(5, 5);
    }
    return shown;
  }

  CharGrid grid{80, 24};
  Sprite sprite{0};
  Animation animation;
};

TEST_F(AnimationTest, SlowdownHoldsEachFrameForThatManyDrawsAndZeroActsLikeOne) {
  for (const auto& [frames, slowdown, shown] :
       {std::tuple(3, 2, "aabbcca"), std::tuple(3, 0, "abca"), std::tuple(2, 3, "aaabbba")}) {
    SCOPED_TRACE(std::to_string(frames) + " frames, slowdown " + std::to_string(slowdown));
    show(frames, slowdown);
    animation.setSlowdownCount(0);
    EXPECT_EQ(drawSequence(static_cast<int>(std::string(shown).size())), shown);
  }
}

TEST_F(AnimationTest, SingleFrameCyclesOnlyTheSlowdownCount) {
  show(1, 3);
  for (int expected_count : {1, 2, 0, 1}) {
    animation.setModified(false);
    animation.draw(Vector(5, 5));
    EXPECT_EQ(animation.getIndex(), 0);
    EXPECT_EQ(animation.getSlowdownCount(), expected_count);
    EXPECT_TRUE(animation.isModified());
  }
}

TEST_F(AnimationTest, StoppedAnimationHoldsItsFrameAndStaysStoppedOnANewSprite) {
  show(3, 1);
  animation.setIndex(1);
  animation.setSlowdownCount(-1);
  animation.setModified(false);
  EXPECT_EQ(drawSequence(3), "bbb");
  EXPECT_FALSE(animation.isModified());
  EXPECT_EQ(animation.getSlowdownCount(), -1);

  // setSprite restarts at frame 0, even with the same sprite, and keeps
  // the stop; a null sprite keeps the name.
  animation.setSprite(&sprite);
  EXPECT_EQ(animation.getIndex(), 0);
  EXPECT_TRUE(animation.isModified());
  EXPECT_EQ(drawSequence(2), "aa");
  animation.setSlowdownCount(0);
  EXPECT_EQ(drawSequence(3), "abc");
  animation.setSprite(nullptr);
  EXPECT_EQ(animation.getName(), "letters");
}

TEST_F(AnimationTest, APausedGameHoldsEveryFrameUntilResumedAndAFailedDrawStillAdvances) {
  show(3, 1);
  EXPECT_EQ(drawSequence(1), "a");
  GameManager::getInstance().setPaused(true);
  EXPECT_EQ(drawSequence(3), "bbb");
  GameManager::getInstance().setPaused(false);
  EXPECT_EQ(drawSequence(3), "bca");
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);  // takes the failure's line
  DisplayManager::getInstance().reset();              // not started: drawing fails
  EXPECT_EQ(animation.draw(Vector(5, 5)), -1);
  EXPECT_EQ(animation.getIndex(), 2);
}

TEST_F(AnimationTest, WithoutASpriteNothingIsDrawnNorAdvancedAndTheBoxIsUnderOneCell) {
  EXPECT_EQ(drawSequence(2), "  ");
  EXPECT_EQ(animation.getSlowdownCount(), 0);
  EXPECT_EQ(animation.getBox(), Box(Vector(-0.5f, -0.5f), 0.99f, 0.99f));
  show(1, 1);
  sprite.setWidth(5);
  sprite.setHeight(3);
  EXPECT_EQ(animation.getBox(), Box(Vector(-2.5f, -1.5f), 5, 3));
}

TEST_F(AnimationTest, SerializeWritesNameIndexAndCountWhenSelected) {
  show(3, 2);
  animation.setIndex(2);
  animation.setSlowdownCount(-1);
  const std::string items = "sprite_name:letters,sprite_index:2,sprite_slowdown_count:-1,";
  EXPECT_EQ(animation.serialize(""), items);
  EXPECT_FALSE(animation.isModified());
  EXPECT_EQ(animation.serialize("") + animation.serialize("POSITION,"), "");
  EXPECT_EQ(animation.serialize("ANIMATION,") + animation.serialize("ALL"), items + items);
}

TEST_F(AnimationTest, DeserializeShowsTheSpriteOfTheNameAndRefusesBadValues) {
  ResourceManager& resources = ResourceManager::getInstance();
  ASSERT_EQ(resources.startUp(), 0);
  const std::string file = __FILE__;
  ASSERT_EQ(resources.loadSprite(
                file.substr(0, file.rfind("/tests/")) + "/tests/data/sprites/walker.txt", "walker"),
            0);
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  animation.setSlowdownCount(-1);
  animation.deserialize("sprite_name:walker,sprite_index:2,sprite_slowdown_count:1,");
  EXPECT_EQ(animation.getSprite(), resources.getSprite("walker"));
  EXPECT_EQ(animation.getName(), "walker");
  EXPECT_EQ(animation.getIndex(), 2);
  EXPECT_EQ(animation.getSlowdownCount(), 1);

  animation.deserialize("sprite_name:ghost,sprite_index:-1,sprite_slowdown_count:-2,");
  EXPECT_EQ(animation.getSprite(), resources.getSprite("walker"));
  EXPECT_EQ(animation.getName(), "ghost");
  EXPECT_EQ(animation.getIndex(), 2);
  EXPECT_EQ(animation.getSlowdownCount(), 1);

  // The highest count a text can give ends the frame at the next draw.
  animation.deserialize("sprite_slowdown_count:99999999999,");
  animation.draw(Vector(5, 5));
  EXPECT_EQ(animation.getIndex(), 0);
  EXPECT_EQ(animation.getSlowdownCount(), 0);

  LogManager::getInstance().shutDown();
  EXPECT_EQ(logMessages(),
            (std::vector<std::string>{
                "ResourceManager::getSprite(): Warning! Sprite 'ghost' not found.",
                "Animation::Match(): Sprite 'ghost' not found",
                "Animation::deserialize(): Warning! sprite_index -1 is negative. Ignored.",
                "Animation::deserialize(): Warning! sprite_slowdown_count -2 is below -1. "
                "Ignored."}));
}

}  // namespace
}  // namespace mo
