#include "game/loadResources.h"

#include <gtest/gtest.h>

#include <SFML/Audio/InputSoundFile.hpp>
#include <algorithm>
#include <cstdlib>

#include "tests/game/GameFixture.h"

namespace gh {
namespace {

/// Checks that a sound file is audible (its loudest sample above a tenth of
/// full scale) and lasts between min_seconds and max_seconds.
void expectAudible(const std::string& name, float min_seconds, float max_seconds) {
  const std::string path = test::dataDir() + "/sounds/" + name + ".wav";
  sf::InputSoundFile file;
  ASSERT_TRUE(file.openFromFile(path)) << path;
  EXPECT_GE(file.getDuration().asSeconds(), min_seconds) << path;
  EXPECT_LT(file.getDuration().asSeconds(), max_seconds) << path;
  std::vector<sf::Int16> samples(static_cast<std::size_t>(file.getSampleCount()));
  ASSERT_EQ(file.read(samples.data(), samples.size()), samples.size()) << path;
  int peak = 0;
  for (sf::Int16 sample : samples) peak = std::max(peak, std::abs(static_cast<int>(sample)));
  EXPECT_GT(peak, 3276) << path;
}

// The fixture has loaded everything through the game's own loader.
using LoadResourcesTest = test::GameTest;

TEST_F(LoadResourcesTest, LoadsEverySpriteAndAudibleSoundWithoutAnErrorInTheSizesTheGameUses) {
  mo::ResourceManager& resources = mo::ResourceManager::getInstance();
  // Each row: width and height (0: only within the view), then labels.
  const std::pair<int, std::vector<const char*>> sprites[] = {
      {0,
       {"game-start", "game-over", "enemy", "chest", "ice-shard", "ice-freeze-circle",
        "ice-platform", "ice-wall"}},
      {3,
       {"player-left-gun", "player-right-gun", "player-left-staff", "player-right-staff",
        "enemy-left", "enemy-right", "enemy-frozen", "enemy-heavy-left", "enemy-heavy-right"}},
      {1,
       {"bullet-player-right", "bullet-player-left", "bullet-enemy-right", "bullet-enemy-left",
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
  expectAudible("music", 4.0f, 20.0f);
  for (const char* label : {"fire", "reload", "freeze", "footsteps", "jump", "player-death",
                            "player-hurt", "enemy-death", "open-chest"}) {
    EXPECT_NE(resources.getSound(label), nullptr) << label;
    expectAudible(label, 0.05f, 1.5f);
  }
  for (const std::string& line : closedLog()) {
    EXPECT_EQ(line.find("rror"), std::string::npos) << line;
    EXPECT_EQ(line.find("arning"), std::string::npos) << line;
  }
}

}  // namespace
}  // namespace gh
