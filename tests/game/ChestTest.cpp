#include "game/Chest.h"

#include <gtest/gtest.h>

#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using ChestTest = test::GameTest;

// The victory this leads to, which drops the whole world in one pass, is
// played in BulletTest with bullets still in flight.
TEST_F(ChestTest, OnlyPressingEWithinFiveCellsOpensItForAVictory) {
  for (const float distance : {5.0f, 5.1f, 3.0f}) {
    SCOPED_TRACE(distance);
    restartWorld();
    Player* p_player = newPlayer(mo::Vector(100, 40));
    new Chest(mo::Vector(100 + distance, 40), p_player);
    step();
    key(mo::E, mo::KEY_DOWN);
    key(mo::E, mo::KEY_RELEASED);
    key(mo::F, mo::KEY_PRESSED);
    EXPECT_FALSE(p_player->getVictory());
    key(mo::E, mo::KEY_PRESSED);
    EXPECT_EQ(p_player->getVictory(), distance <= 5);
    mo::WorldManager::getInstance().update();
    EXPECT_EQ(count("GameOver"), distance <= 5 ? 1 : 0);
  }
}

}  // namespace
}  // namespace gh
