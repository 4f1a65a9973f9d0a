#include <gtest/gtest.h>

#include <SFML/Audio/InputSoundFile.hpp>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/media/ResourceManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

const std::vector<std::string> SOUNDS = {"fire",        "reload",      "freeze",
                                         "footsteps",   "jump",        "player-death",
                                         "player-hurt", "enemy-death", "open-chest"};

/// A file of the game's sound folder, found from this file's path.
std::string soundFile(const std::string& name) {
  const std::string file = __FILE__;
  return file.substr(0, file.rfind("/tests/")) + "/data/sounds/" + name + ".wav";
}

/// Checks that a file is audible (its loudest sample above a tenth of full
/// scale) and lasts between min_seconds and max_seconds.
void expectAudible(const std::string& path, float min_seconds, float max_seconds) {
  sf::InputSoundFile file;
  ASSERT_TRUE(file.openFromFile(path)) << path;
  const float seconds = file.getDuration().asSeconds();
  EXPECT_GE(seconds, min_seconds) << path;
  EXPECT_LT(seconds, max_seconds) << path;
  std::vector<sf::Int16> samples(static_cast<std::size_t>(file.getSampleCount()));
  ASSERT_EQ(file.read(samples.data(), samples.size()), samples.size()) << path;
  int peak = 0;
  for (sf::Int16 sample : samples) peak = std::max(peak, std::abs(static_cast<int>(sample)));
  EXPECT_GT(peak, 3276) << path;
}

using GameSoundsTest = test::EngineTest;

TEST_F(GameSoundsTest, TheGameLoadsItsMusicAndSoundsAndNoneIsSilent) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  ResourceManager& manager = ResourceManager::getInstance();
  ASSERT_EQ(manager.startUp(), 0);
  EXPECT_EQ(manager.loadMusic(soundFile("music"), "music"), 0);
  expectAudible(soundFile("music"), 4.0f, 20.0f);
  for (const std::string& name : SOUNDS) {
    EXPECT_EQ(manager.loadSound(soundFile(name), name), 0) << name;
    expectAudible(soundFile(name), 0.05f, 1.5f);
  }
}

}  // namespace
}  // namespace mo
