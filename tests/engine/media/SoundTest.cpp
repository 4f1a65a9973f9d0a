#include "engine/media/Sound.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/media/ResourceManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;

class SoundTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(log.startUp(), 0);
    wav = tempDir() + "/beep.wav";
    missing = tempDir() + "/missing.wav";
    const std::vector<sf::Int16> samples(800, 3000);  // a tenth of a second at 8000 Hz
    sf::SoundBuffer buffer;
    ASSERT_TRUE(buffer.loadFromSamples(samples.data(), samples.size(), 1, 8000));
    ASSERT_TRUE(buffer.saveToFile(wav));
  }
  Lines messages() const {
    log.setLogLevel(0);  // keeps the log's own closing line out
    log.shutDown();
    return logMessages();
  }

  LogManager& log = LogManager::getInstance();
  ResourceManager& manager = ResourceManager::getInstance();
  std::string wav, missing;
};

TEST_F(SoundTest, ManagerKeepsAHundredSoundFilesUnderAnyLabelUntilTheNextStartUp) {
  ASSERT_EQ(manager.startUp(), 0);
  EXPECT_EQ(manager.getSound("[Undefined]"), nullptr);  // only loaded slots are found
  EXPECT_EQ(manager.loadSound(missing, "lost"), -1);    // leaves its slot free
  EXPECT_EQ(manager.loadSound(writeTempFile("text.wav", "not a sound\n"), "text"), -1);
  log.setLogLevel(1);
  ASSERT_EQ(manager.loadSound(wav, ""), 0);
  log.setLogLevel(0);
  for (int i = 1; i < MAX_SOUNDS; i++) ASSERT_EQ(manager.loadSound(wav, std::to_string(i)), 0);
  EXPECT_EQ(manager.loadSound(wav, "extra"), -1);
  log.setLogLevel(5);
  const Sound* p_unnamed = manager.getSound("");
  Sound* p_last = manager.getSound("99");
  ASSERT_NE(p_last, nullptr);
  EXPECT_NE(p_unnamed, p_last);
  EXPECT_EQ(p_last->getLabel(), "99");
  p_last->play(false);
  log.setLogLevel(0);
  manager.shutDown();
  EXPECT_NE(manager.getSound("99"), nullptr);
  ASSERT_EQ(manager.startUp(), 0);
  EXPECT_EQ(manager.getSound("99"), nullptr);

  const Lines expected = {
      "ResourceManager::getSound(): Warning! Sound '[Undefined]' not found.",
      "ResourceManager::loadSound(): Error! Cannot load sound from file '" + missing + "'.",
      "ResourceManager::loadSound(): Error! Cannot load sound from file '" + tempDir() +
          "/text.wav'.",
      "ResourceManager::loadSound(): Sound '' successfully loaded.",
      "ResourceManager::loadSound(): Error! Unable to add more sounds (max is 100).",
      "ResourceManager::getSound(): Looking for sound ''.",
      "ResourceManager::getSound(): Looking for sound '99'.",
      "Sound::play(): Playing sound.",
      "ResourceManager::getSound(): Warning! Sound '99' not found.",
  };
  EXPECT_EQ(messages(), expected);
}

}  // namespace
}  // namespace mo
