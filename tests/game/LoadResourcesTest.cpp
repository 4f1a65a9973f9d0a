#include "game/loadResources.h"

#include <gtest/gtest.h>

#include "tests/game/GameFixture.h"

namespace gh {
namespace {

// The fixture has loaded everything through the game's own loader.
using LoadResourcesTest = test::GameTest;

TEST_F(LoadResourcesTest, LoadsEveryResourceWithoutAnErrorAndTheSizesTheGameReliesOn) {
  mo::ResourceManager& resources = mo::ResourceManager::getInstance();
  // Each row: width and height (0: only within the view), then labels.
  const std::pair<int, std::vector<const char*>> sprites[] = {
      {0, {"game-start", "game-over", "enemy", "chest", "ice-shard", "ice-freeze-circle",
           "ice-platform", "ice-wall"}},
      {3, {"player-left-gun", "player-right-gun", "player-left-staff", "player-right-staff",
           "enemy-left", "enemy-right", "enemy-frozen"}},
      {1, {"bullet-player-right", "bullet-player-left", "bullet-enemy-right", "bullet-enemy-left",
           "ice-projectile-left", "ice-projectile-right", "floor", "wall-left", "wall-right",
           "ceiling", "platform"}},
      {61, {"game-over-victory"}}};
  for (const auto& group : sprites) {
    for (const char* label : group.second) {
      const mo::Sprite* p_sprite = resources.getSprite(label);
      ASSERT_NE(p_sprite, nullptr) << label;
      EXPECT_LE(p_sprite->getWidth(), 80) << label;
      EXPECT_LE(p_sprite->getHeight(), 24) << label;
      if (group.first == 0) continue;
      EXPECT_EQ(p_sprite->getWidth(), group.first) << label;
      EXPECT_EQ(p_sprite->getHeight(), group.first == 61 ? 15 : group.first) << label;
    }
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
