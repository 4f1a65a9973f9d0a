#include <gtest/gtest.h>

#include <string>

#include "engine/core/LogManager.h"
#include "engine/media/ResourceManager.h"
#include "engine/media/Sprite.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using GameDataTest = test::EngineTest;

/// A file of the game's sprite folder, found from this file's path.
std::string gameSprite(const std::string& name) {
  const std::string file = __FILE__;
  return file.substr(0, file.rfind("/tests/")) + "/data/sprites/" + name;
}

// Labels and files as the game loads them.
const char* const SPRITES[][2] = {{"game-start", "gamestart-spr.txt"},
                                  {"game-over", "gameover-spr.txt"},
                                  {"game-over-victory", "gameover-victory-spr.txt"},
                                  {"player-left-gun", "player-left-gun-spr.txt"},
                                  {"player-right-gun", "player-right-gun-spr.txt"},
                                  {"player-left-staff", "player-left-staff-spr.txt"},
                                  {"player-right-staff", "player-right-staff-spr.txt"},
                                  {"enemy", "enemy-spr.txt"},
                                  {"enemy-left", "enemy-left-spr.txt"},
                                  {"enemy-right", "enemy-right-spr.txt"},
                                  {"enemy-frozen", "enemy-frozen-spr.txt"},
                                  {"bullet-player-right", "bullet-player-right-spr.txt"},
                                  {"bullet-player-left", "bullet-player-left-spr.txt"},
                                  {"bullet-enemy-right", "bullet-enemy-right-spr.txt"},
                                  {"bullet-enemy-left", "bullet-enemy-left-spr.txt"},
                                  {"floor", "floor-spr.txt"},
                                  {"wall-left", "wall-left-spr.txt"},
                                  {"wall-right", "wall-right-spr.txt"},
                                  {"ceiling", "ceiling-spr.txt"},
                                  {"platform", "platform-spr.txt"},
                                  {"chest", "chest-spr.txt"},
                                  {"ice-shard", "ice-shard-spr.txt"},
                                  {"ice-freeze-circle", "ice-circle-spr.txt"},
                                  {"ice-platform", "ice-platform-spr.txt"},
                                  {"ice-wall", "ice-wall-spr.txt"},
                                  {"ice-projectile-left", "ice-projectile-left-spr.txt"},
                                  {"ice-projectile-right", "ice-projectile-right-spr.txt"}};

TEST_F(GameDataTest, EverySpriteLoadsWithTheSizesTheGameReliesOn) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  ResourceManager& resources = ResourceManager::getInstance();
  ASSERT_EQ(resources.startUp(), 0);
  for (const auto& sprite : SPRITES) {
    EXPECT_EQ(resources.loadSprite(gameSprite(sprite[1]), sprite[0]), 0) << sprite[1];
  }
  auto expectSize = [&](const char* label, int width, int height) {
    const Sprite* p_sprite = resources.getSprite(label);
    ASSERT_NE(p_sprite, nullptr) << label;
    EXPECT_EQ(p_sprite->getWidth(), width) << label;
    EXPECT_EQ(p_sprite->getHeight(), height) << label;
  };
  for (const char* label : {"player-left-gun", "player-right-gun", "player-left-staff",
                            "player-right-staff", "enemy-left", "enemy-right", "enemy-frozen"}) {
    expectSize(label, 3, 3);
  }
  for (const char* label : {"bullet-player-right", "bullet-player-left", "bullet-enemy-right",
                            "bullet-enemy-left", "ice-projectile-left", "ice-projectile-right",
                            "floor", "wall-left", "wall-right", "ceiling", "platform"}) {
    expectSize(label, 1, 1);
  }
  for (const char* label : {"game-start", "game-over", "game-over-victory"}) {
    const Sprite* p_sprite = resources.getSprite(label);
    ASSERT_NE(p_sprite, nullptr) << label;
    EXPECT_LE(p_sprite->getWidth(), 80) << label;
    EXPECT_LE(p_sprite->getHeight(), 24) << label;
  }
  // The game-over screens stay one pass of their animation: 3 to 5 seconds.
  for (const char* label : {"game-over", "game-over-victory"}) {
    const Sprite* p_sprite = resources.getSprite(label);
    const int steps = p_sprite->getFrameCount() * p_sprite->getSlowdown();
    EXPECT_GE(steps, 90) << label;
    EXPECT_LE(steps, 150) << label;
  }
}

}  // namespace
}  // namespace mo
