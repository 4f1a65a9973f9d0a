#include "game/GameOver.h"

#include <gtest/gtest.h>

#include "engine/core/utility.h"

#include "game/GameStart.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using GameOverTest = test::GameTest;

TEST_F(GameOverTest, ShowsOnePassOfItsPictureAtTheCornerThenOnlyTheTitleIsLeft) {
  for (bool victory : {false, true}) {
    SCOPED_TRACE(victory);
    restartWorld();
    GameStart* p_title = new GameStart;
    p_title->setActive(false);
    new mo::ViewObject;
    mo::WorldManager::getInstance().setViewFollowing(new mo::Object);
    mo::WorldManager::getInstance().setViewPosition(mo::Vector(300, 60));

    GameOver* p_over = new GameOver(victory);
    const char* const label = victory ? "game-over-victory" : "game-over";
    EXPECT_EQ(p_over->getAnimation().getName(), label);
    const mo::Sprite* p_sprite = mo::ResourceManager::getInstance().getSprite(label);
    EXPECT_EQ(mo::WorldManager::getInstance().getViewFollowing(), nullptr);
    EXPECT_EQ(mo::WorldManager::getInstance().getView().getCorner(), mo::Vector(0, 0));
    mo::WorldManager::getInstance().update();
    EXPECT_EQ(types(), (std::vector<std::string>{"GameStart", "GameOver"}));

    // The first frame of the picture, centred in the 80 x 24 view, without
    // the label, value and frame a ViewObject would draw.
    const mo::CharGrid grid = drawn();
    const int w = p_sprite->getWidth(), h = p_sprite->getHeight();
    for (int r = 0; r < h; r++) {
      // In code points: the picture's letters are blocks.
      EXPECT_EQ(mo::utf8ToCodePoints(grid.row((25 - h) / 2 + r)).substr((81 - w) / 2, w),
                p_sprite->getFrame(0).getCodePoints().substr(w * r, w));
    }
    EXPECT_EQ(grid.toString().find("GameOver"), std::string::npos);

    tick(119);  // four frames of 30 steps each
    ASSERT_EQ(count("GameOver"), 1);
    EXPECT_FALSE(p_title->isActive());
    tick();
    EXPECT_EQ(types(), std::vector<std::string>{"GameStart"});
    EXPECT_TRUE(p_title->isActive());
  }
}

}  // namespace
}  // namespace gh
