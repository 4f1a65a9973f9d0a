#include "game/GameOver.h"

#include <gtest/gtest.h>

#include "game/GameStart.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

using GameOverTest = test::GameTest;

TEST_F(GameOverTest, ShowsOnePassOfItsAnimationThenOnlyTheTitleIsLeft) {
  for (bool victory : {false, true}) {
    restartWorld();
    GameStart* p_title = new GameStart;
    p_title->setActive(false);
    new mo::ViewObject;
    mo::Object* p_piece = new mo::Object;
    mo::WorldManager::getInstance().setViewFollowing(p_piece);
    mo::WorldManager::getInstance().setViewPosition(Vector(300, 60));

    GameOver* p_over = new GameOver(victory);
    EXPECT_EQ(p_over->getAnimation().getName(), victory ? "game-over-victory" : "game-over");
    // Four frames, each shown for 30 steps.
    EXPECT_EQ(p_over->getTimeToLive(), 4 * 30);
    EXPECT_EQ(p_over->getLocation(), mo::CENTER_CENTER);
    EXPECT_EQ(mo::WorldManager::getInstance().getViewFollowing(), nullptr);
    EXPECT_EQ(mo::WorldManager::getInstance().getView().getCorner(), Vector(0, 0));
    mo::WorldManager::getInstance().update();
    EXPECT_EQ(types(), (std::vector<std::string>{"GameStart", "GameOver"}));

    tick(119);
    ASSERT_EQ(count("GameOver"), 1) << victory;
    EXPECT_FALSE(p_title->isActive());
    tick();
    EXPECT_EQ(types(), std::vector<std::string>{"GameStart"}) << victory;
    EXPECT_TRUE(p_title->isActive());
  }
}

TEST_F(GameOverTest, DrawsItsPictureAtTheWorldsCorner) {
  new GameOver(true);
  mo::CharGrid grid(80, 24);
  mo::DisplayManager::getInstance().setCharGrid(&grid);
  mo::WorldManager::getInstance().draw();
  mo::DisplayManager::getInstance().setCharGrid(nullptr);
  // The first frame of the 61 x 15 picture, centred in the 80 x 24 view,
  // without the label, value and frame a ViewObject would draw.
  const mo::Frame frame =
      mo::ResourceManager::getInstance().getSprite("game-over-victory")->getFrame(0);
  bool found = false;
  for (int top = 4; top <= 5 && !found; top++) {
    for (int left = 9; left <= 10 && !found; left++) {
      found = true;
      for (int r = 0; r < 15; r++) {
        const std::string want = frame.getString().substr(61 * r, 61);
        if (grid.row(top + r).substr(left, 61) != want) found = false;
      }
    }
  }
  EXPECT_TRUE(found) << grid.toString();
  EXPECT_EQ(grid.toString().find("GameOver"), std::string::npos);
}

}  // namespace
}  // namespace gh
