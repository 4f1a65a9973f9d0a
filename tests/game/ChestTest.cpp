#include "game/Chest.h"

#include <gtest/gtest.h>

#include "game/Player.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

using ChestTest = test::GameTest;

TEST_F(ChestTest, PressingENearbyWinsAndTheWorldDropsEverythingInOnePass) {
  // Each row: distance of the player, whether E opens the chest.
  const struct {
    float distance;
    bool opens;
  } rows[] = {{5.0f, true}, {5.1f, false}, {3.0f, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.distance);
    restartWorld();
    Player* p_player = new Player;
    p_player->setPosition(Vector(100, 40));
    new Chest(Vector(100 + row.distance, 40), p_player);
    step();
    key(mo::E, mo::KEY_DOWN);
    key(mo::E, mo::KEY_RELEASED);
    key(mo::F, mo::KEY_PRESSED);
    EXPECT_FALSE(p_player->getVictory());
    key(mo::E, mo::KEY_PRESSED);
    EXPECT_EQ(p_player->getVictory(), row.opens);
    mo::WorldManager::getInstance().update();
    if (!row.opens) {
      EXPECT_EQ(count("GameOver"), 0);
      continue;
    }
    // The chest went in the same pass as the player: no later step of
    // the chest can read the deleted player.
    ASSERT_EQ(types(), std::vector<std::string>{"GameOver"});
    EXPECT_EQ(first("GameOver")->getAnimation().getName(), "game-over-victory");
    tick(3);
  }
}

}  // namespace
}  // namespace gh
