#include "engine/media/Sound.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/media/ResourceManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::EngineTest;
using Lines = std::vector<std::string>;

/// A valid WAV file: 800 samples of 16-bit mono PCM at 8000 Hz.
std::string tinyWav() {
  std::string wav;
  const auto put = [&wav](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) wav += static_cast<char>((value >> (8 * i)) & 0xffu);
  };
  const std::uint32_t samples = 800;
  wav += "RIFF";
  put(36 + samples * 2, 4);
  wav += "WAVEfmt ";
  put(16, 4);        // format chunk size
  put(1, 2);         // PCM
  put(1, 2);         // mono
  put(8000, 4);      // samples per second
  put(8000 * 2, 4);  // bytes per second
  put(2, 2);         // bytes per sample frame
  put(16, 2);        // bits per sample
  wav += "data";
  put(samples * 2, 4);
  for (std::uint32_t i = 0; i < samples; i++) put((i % 16) * 2000, 2);
  return wav;
}

class SoundTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(log.startUp(), 0);
    wav_path = writeTempFile("beep.wav", tinyWav());
  }
  Lines messages() const {
    log.setLogLevel(0);  // keeps the log's own closing line out
    log.shutDown();
    return logMessages();
  }

  LogManager& log = LogManager::getInstance();
  ResourceManager& manager = ResourceManager::getInstance();
  std::string wav_path;
};

TEST_F(SoundTest, NewSoundIsUndefined) {
  Sound sound;
  EXPECT_EQ(sound.getLabel(), "[Undefined]");
  sound.setLabel("beep");
  EXPECT_EQ(sound.getLabel(), "beep");
}

TEST_F(SoundTest, LoadsOnlySoundFiles) {
  Sound sound;
  EXPECT_EQ(sound.loadSound(tempDir() + "/missing.wav"), -1);
  EXPECT_EQ(sound.loadSound(writeTempFile("text.wav", "not a sound\n")), -1);
  EXPECT_EQ(sound.loadSound(wav_path), 0);
}

TEST_F(SoundTest, PlayIsLogged) {
  Sound sound;
  ASSERT_EQ(sound.loadSound(wav_path), 0);
  log.setLogLevel(5);
  sound.play(false);
  sound.stop();
  EXPECT_EQ(messages(), Lines{"Sound::play(): Playing sound."});
}

TEST_F(SoundTest, ManagerKeepsSoundUnderLabel) {
  ASSERT_EQ(manager.startUp(), 0);
  // Slots exist from the start, but only loaded ones are found.
  EXPECT_EQ(manager.getSound("[Undefined]"), nullptr);
  log.setLogLevel(1);
  ASSERT_EQ(manager.loadSound(wav_path, "beep"), 0);
  ASSERT_EQ(manager.loadSound(wav_path, ""), 0);
  log.setLogLevel(0);
  Sound* p_beep = manager.getSound("beep");
  ASSERT_NE(p_beep, nullptr);
  EXPECT_EQ(p_beep->getLabel(), "beep");
  Sound* p_unnamed = manager.getSound("");
  ASSERT_NE(p_unnamed, nullptr);
  EXPECT_NE(p_unnamed, p_beep);
  const Lines expected = {
      "ResourceManager::getSound(): Warning! Sound '[Undefined]' not found.",
      "ResourceManager::loadSound(): Sound 'beep' successfully loaded.",
      "ResourceManager::loadSound(): Sound '' successfully loaded.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(SoundTest, FailedLoadLeavesSlotFreeAndHundredIsTheLimit) {
  ASSERT_EQ(manager.startUp(), 0);
  const std::string missing = tempDir() + "/missing.wav";
  EXPECT_EQ(manager.loadSound(missing, "lost"), -1);
  for (int i = 0; i < MAX_SOUNDS; i++) {
    ASSERT_EQ(manager.loadSound(wav_path, "s" + std::to_string(i)), 0) << i;
  }
  EXPECT_EQ(manager.loadSound(wav_path, "extra"), -1);
  EXPECT_NE(manager.getSound("s99"), nullptr);
  EXPECT_EQ(manager.getSound("lost"), nullptr);
  const Lines expected = {
      "ResourceManager::loadSound(): Error! Cannot load sound from file '" + missing + "'.",
      "ResourceManager::loadSound(): Error! Unable to add more sounds (max is 100).",
      "ResourceManager::getSound(): Warning! Sound 'lost' not found.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(SoundTest, LookupIsLogged) {
  log.setLogLevel(5);
  EXPECT_EQ(manager.getSound("boom"), nullptr);
  const Lines expected = {
      "ResourceManager::getSound(): Looking for sound 'boom'.",
      "ResourceManager::getSound(): Warning! Sound 'boom' not found.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(SoundTest, SoundsOutliveShutDownUntilNextStartUp) {
  ASSERT_EQ(manager.startUp(), 0);
  ASSERT_EQ(manager.loadSound(wav_path, "beep"), 0);
  manager.getSound("beep")->play(false);
  manager.shutDown();
  EXPECT_NE(manager.getSound("beep"), nullptr);
  ASSERT_EQ(manager.startUp(), 0);
  EXPECT_EQ(manager.getSound("beep"), nullptr);
}

}  // namespace
}  // namespace mo
