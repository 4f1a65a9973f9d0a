#include "game/GameStart.h"

#include <gtest/gtest.h>

#include "game/Player.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using GameStartTest = test::GameTest;

/// How many objects of each level type there are, in a fixed order.
std::vector<int> levelCounts() {
  std::vector<int> counts;
  for (const char* type : {"Player", "Reticle", "Floor", "Ceiling", "Platform", "LeftWall",
                           "RightWall", "Chest", "GameOver"}) {
    counts.push_back(mo::WorldManager::getInstance().objectsOfType(type).getCount());
  }
  return counts;
}

TEST_F(GameStartTest, AnyKeyButEscapeStartsAGameFromTheLevelFile) {
  writeTempFile("map-layout.txt", "L  P   C  R\n___________\n\n. ,\n");
  enterDir(tempDir());
  // Each row: a key event that is not Escape.
  const struct {
    mo::KeyCode code;
    mo::KeyboardAction action;
  } rows[] = {{mo::SPACE, mo::KEY_PRESSED}, {mo::A, mo::KEY_RELEASED}, {mo::E, mo::KEY_DOWN}};
  for (const auto& row : rows) {
    restartWorld();
    GameStart* p_title = new GameStart;
    EXPECT_EQ(p_title->getAnimation().getName(), "game-start");
    EXPECT_EQ(p_title->getLocation(), mo::CENTER_CENTER);
    key(row.code, row.action);
    EXPECT_FALSE(p_title->isActive());
    EXPECT_EQ(levelCounts(), (std::vector<int>{1, 1, 11, 1, 1, 1, 1, 1, 0}));
    EXPECT_FALSE(mo::GameManager::getInstance().getGameOver());
  }
}

TEST_F(GameStartTest, EscapeEndsTheProgramWhateverItsAction) {
  GameStart* p_title = new GameStart;
  for (mo::KeyboardAction action : {mo::KEY_PRESSED, mo::KEY_RELEASED, mo::KEY_DOWN}) {
    mo::GameManager::getInstance().setGameOver(false);
    key(mo::ESCAPE, action);
    EXPECT_TRUE(mo::GameManager::getInstance().getGameOver()) << action;
    EXPECT_TRUE(p_title->isActive());
  }
  EXPECT_EQ(types(), std::vector<std::string>{"GameStart"});
}

TEST_F(GameStartTest, ASecondGameRebuildsTheWholeLevel) {
  writeTempFile("map-layout.txt", "L  P   C  R\n___________\n");
  enterDir(tempDir());
  GameStart* p_title = new GameStart;
  key(mo::SPACE, mo::KEY_PRESSED);
  const std::vector<int> first_game = levelCounts();
  const std::vector<std::string> first_types = types();
  tick(3);

  Player* p_player = static_cast<Player*>(first("Player"));
  ASSERT_NE(p_player, nullptr);
  p_player->hurt(100);
  tick();
  EXPECT_EQ(types(), (std::vector<std::string>{"GameStart", "GameOver"}));
  // Inactive, the title ignores keys while the game-over screen shows.
  key(mo::SPACE, mo::KEY_PRESSED);
  EXPECT_EQ(count("Player"), 0);
  tick(120);
  EXPECT_EQ(types(), std::vector<std::string>{"GameStart"});
  ASSERT_TRUE(p_title->isActive());

  key(mo::SPACE, mo::KEY_RELEASED);
  EXPECT_EQ(levelCounts(), first_game);
  EXPECT_EQ(types(), first_types);
}

}  // namespace
}  // namespace gh
