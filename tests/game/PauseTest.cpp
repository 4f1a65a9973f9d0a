#include "game/Pause.h"

#include <gtest/gtest.h>

#include "game/Player.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

class PauseTest : public test::GameTest {
 protected:
  static bool showsPaused() { return drawn().row(12).find("PAUSED") != std::string::npos; }
  mo::GameManager& game = mo::GameManager::getInstance();
};

TEST_F(PauseTest, PStopsThePlayerUntilPressedAgainAndEscapeStillQuits) {
  Player* p_player = newPlayer();
  step(14);
  tick();
  EXPECT_FALSE(showsPaused());
  key(mo::P, mo::KEY_PRESSED);
  ASSERT_TRUE(game.isPaused());
  EXPECT_TRUE(showsPaused());
  key(mo::P, mo::KEY_DOWN);  // holding P changes nothing
  key(mo::P, mo::KEY_RELEASED);
  ASSERT_TRUE(game.isPaused());
  const Vector at = p_player->getPosition();
  key(mo::D, mo::KEY_DOWN);
  key(mo::TAB, mo::KEY_PRESSED);
  mouse(mo::CLICKED, mo::LEFT, Vector(60, 12));
  EXPECT_EQ(p_player->getPosition(), at);
  EXPECT_EQ(p_player->getWeapon(), GUN);
  EXPECT_EQ(count("Bullet"), 0);

  key(mo::P, mo::KEY_PRESSED);
  EXPECT_FALSE(game.isPaused());
  EXPECT_FALSE(showsPaused());
  key(mo::D, mo::KEY_DOWN);
  mouse(mo::CLICKED, mo::LEFT, Vector(60, 12));
  EXPECT_EQ(p_player->getPosition(), at + Vector(1, 0));
  EXPECT_EQ(count("Bullet"), 1);

  key(mo::P, mo::KEY_PRESSED);
  key(mo::ESCAPE, mo::KEY_PRESSED);
  EXPECT_TRUE(game.getGameOver());
}

TEST_F(PauseTest, APauseRemovedWhilePausedLeavesTheGameRunning) {
  Pause* p_pause = new Pause;
  p_pause->toggle();
  ASSERT_TRUE(game.isPaused());
  delete p_pause;
  EXPECT_FALSE(game.isPaused());
}

}  // namespace
}  // namespace gh
