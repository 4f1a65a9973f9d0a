#include "engine/media/Music.h"

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

class MusicTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(log.startUp(), 0);
    wav_path = writeTempFile("tune.wav", tinyWav());
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

TEST_F(MusicTest, NewMusicIsUndefined) {
  Music music;
  EXPECT_EQ(music.getLabel(), "[Undefined]");
  music.setLabel("tune");
  EXPECT_EQ(music.getLabel(), "tune");
}

TEST_F(MusicTest, OpensOnlySoundFiles) {
  Music music;
  EXPECT_EQ(music.loadMusic(tempDir() + "/missing.wav"), -1);
  EXPECT_EQ(music.loadMusic(writeTempFile("text.wav", "not a sound\n")), -1);
  EXPECT_EQ(music.loadMusic(wav_path), 0);
}

TEST_F(MusicTest, PlayAndStopAreLogged) {
  Music music;
  ASSERT_EQ(music.loadMusic(wav_path), 0);
  log.setLogLevel(5);
  music.play(true);
  music.stop();
  const Lines expected = {"Music::play(): Playing music.", "Music::stop(): Stopping music."};
  EXPECT_EQ(messages(), expected);
}

TEST_F(MusicTest, ManagerKeepsMusicUnderLabel) {
  ASSERT_EQ(manager.startUp(), 0);
  log.setLogLevel(1);
  ASSERT_EQ(manager.loadMusic(wav_path, "tune"), 0);
  log.setLogLevel(0);
  Music* p_music = manager.getMusic("tune");
  ASSERT_NE(p_music, nullptr);
  EXPECT_EQ(p_music->getLabel(), "tune");
  EXPECT_EQ(messages(), Lines{"ResourceManager::loadMusic(): Music 'tune' successfully loaded."});
}

TEST_F(MusicTest, EmptyLabelFailsBeforeFileIsTouched) {
  ASSERT_EQ(manager.startUp(), 0);
  EXPECT_EQ(manager.loadMusic(tempDir() + "/missing.wav", ""), -1);
  EXPECT_EQ(manager.getMusic(""), nullptr);
  const Lines expected = {
      "ResourceManager::loadMusic(): Error! Must provide label for music.",
      "ResourceManager::getMusic(): Warning! Music '' not found.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(MusicTest, FailedLoadLeavesSlotFreeAndFiftyIsTheLimit) {
  ASSERT_EQ(manager.startUp(), 0);
  const std::string missing = tempDir() + "/missing.wav";
  EXPECT_EQ(manager.loadMusic(missing, "lost"), -1);
  for (int i = 0; i < MAX_MUSICS; i++) {
    ASSERT_EQ(manager.loadMusic(wav_path, "m" + std::to_string(i)), 0) << i;
  }
  // The limit is checked before the label.
  EXPECT_EQ(manager.loadMusic(wav_path, ""), -1);
  EXPECT_NE(manager.getMusic("m49"), nullptr);
  const Lines expected = {
      "ResourceManager::loadmusic(): Error! Cannot load music from file '" + missing + "'.",
      "ResourceManager::loadMusic(): Error! Unable to add more musics (max is 50).",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(MusicTest, LookupIsLogged) {
  log.setLogLevel(5);
  EXPECT_EQ(manager.getMusic("song"), nullptr);
  const Lines expected = {
      "ResourceManager::getMusic(): Looking for music 'song'.",
      "ResourceManager::getMusic(): Warning! Music 'song' not found.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(MusicTest, ShutDownStopsEveryLoadedPiece) {
  ASSERT_EQ(manager.startUp(), 0);
  ASSERT_EQ(manager.loadMusic(wav_path, "a"), 0);
  ASSERT_EQ(manager.loadMusic(wav_path, "b"), 0);
  manager.getMusic("a")->play(true);
  log.setLogLevel(5);
  manager.shutDown();
  log.setLogLevel(0);
  EXPECT_NE(manager.getMusic("b"), nullptr);
  const Lines expected = {
      "Music::stop(): Stopping music.",
      "Music::stop(): Stopping music.",
      "ResourceManager::shutDown(): successfully stopped.",
  };
  EXPECT_EQ(messages(), expected);
}

}  // namespace
}  // namespace mo
