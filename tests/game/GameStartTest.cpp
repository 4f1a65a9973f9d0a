#include "game/GameStart.h"

#include <gtest/gtest.h>

#include "game/Player.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

class GameStartTest : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    writeTempFile("map-layout.txt", "L  P   C  R\n___________\n\n. ,\n");
    enterDir(tempDir());
  }
};

TEST_F(GameStartTest, AnyKeyButEscapeStartsAGameFromTheLevelFile) {
  // Each row: a key event; only Escape ends the program instead.
  const struct {
    mo::KeyCode code;
    mo::KeyboardAction action;
  } rows[] = {{mo::SPACE, mo::KEY_PRESSED}, {mo::A, mo::KEY_RELEASED}, {mo::E, mo::KEY_DOWN},
              {mo::ESCAPE, mo::KEY_PRESSED}, {mo::ESCAPE, mo::KEY_RELEASED},
              {mo::ESCAPE, mo::KEY_DOWN}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.code << "/" << row.action);
    restartWorld();
    mo::GameManager::getInstance().setGameOver(false);
    GameStart* p_title = new GameStart;
    EXPECT_EQ(p_title->getAnimation().getName(), "game-start");
    EXPECT_EQ(p_title->getLocation(), mo::CENTER_CENTER);
    key(row.code, row.action);
    const bool escape = row.code == mo::ESCAPE;
    EXPECT_EQ(p_title->isActive(), escape);
    EXPECT_EQ(mo::GameManager::getInstance().getGameOver(), escape);
    EXPECT_EQ(count("Player"), escape ? 0 : 1);
    EXPECT_EQ(count("Floor"), escape ? 0 : 11);
  }
}

TEST_F(GameStartTest, ASecondGameRebuildsTheWholeLevel) {
  GameStart* p_title = new GameStart;
  key(mo::SPACE, mo::KEY_PRESSED);
  const std::vector<std::string> first_game = types();
  tick(3);
  ASSERT_EQ(count("Player"), 1);
  static_cast<Player*>(first("Player"))->hurt(100);
  tick();
  EXPECT_EQ(types(), (std::vector<std::string>{"GameStart", "GameOver"}));
  key(mo::SPACE, mo::KEY_PRESSED);  // inactive, the title ignores keys
  EXPECT_EQ(count("Player"), 0);
  tick(120);
  ASSERT_TRUE(p_title->isActive());
  key(mo::SPACE, mo::KEY_RELEASED);
  EXPECT_EQ(types(), first_game);
}

}  // namespace
}  // namespace gh
