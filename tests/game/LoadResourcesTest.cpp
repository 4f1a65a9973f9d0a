#include "game/loadResources.h"

#include <gtest/gtest.h>

#include "tests/game/GameFixture.h"

namespace gh {
namespace {

// The fixture has loaded everything through the game's own loader.
using LoadResourcesTest = test::GameTest;

TEST_F(LoadResourcesTest, LoadsEverySpriteTheMusicAndEverySoundWithoutAnError) {
  mo::ResourceManager& resources = mo::ResourceManager::getInstance();
  for (const char* label :
       {"game-start", "game-over", "game-over-victory", "player-left-gun", "player-right-gun",
        "player-left-staff", "player-right-staff", "enemy", "enemy-left", "enemy-right",
        "enemy-frozen", "bullet-player-right", "bullet-player-left", "bullet-enemy-right",
        "bullet-enemy-left", "floor", "wall-left", "wall-right", "ceiling", "platform", "chest",
        "ice-shard", "ice-freeze-circle", "ice-platform", "ice-wall", "ice-projectile-left",
        "ice-projectile-right"}) {
    EXPECT_NE(resources.getSprite(label), nullptr) << label;
  }
  EXPECT_NE(resources.getMusic("music"), nullptr);
  for (const char* label : {"fire", "reload", "freeze", "footsteps", "jump", "player-death",
                            "player-hurt", "enemy-death", "open-chest"}) {
    EXPECT_NE(resources.getSound(label), nullptr) << label;
  }
  for (const std::string& line : closedLog()) {
    EXPECT_EQ(line.find("rror"), std::string::npos) << line;
    EXPECT_EQ(line.find("arning"), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace gh
