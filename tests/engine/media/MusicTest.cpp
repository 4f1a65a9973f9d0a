#include "engine/media/Music.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/media/ResourceManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;

class MusicTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(log.startUp(), 0);
    wav = writeTempWav("tune.wav");
    missing = tempDir() + "/missing.wav";
  }

  LogManager& log = LogManager::getInstance();
  ResourceManager& manager = ResourceManager::getInstance();
  std::string wav, missing;
};

TEST_F(MusicTest, ManagerNeedsALabelKeepsFiftySoundFilesAndStopsThemAtShutDown) {
  ASSERT_EQ(manager.startUp(), 0);
  EXPECT_EQ(manager.loadMusic(missing, ""), -1);      // refused before the file is opened
  EXPECT_EQ(manager.loadMusic(missing, "lost"), -1);  // leaves its slot free
  EXPECT_EQ(manager.loadMusic(writeTempFile("text.wav", "not a sound\n"), "text"), -1);
  log.setLogLevel(1);
  ASSERT_EQ(manager.loadMusic(wav, "0"), 0);
  log.setLogLevel(0);
  for (int i = 1; i < MAX_MUSICS; i++) ASSERT_EQ(manager.loadMusic(wav, std::to_string(i)), 0);
  EXPECT_EQ(manager.loadMusic(wav, ""), -1);  // the limit comes before the label
  log.setLogLevel(5);
  Music* p_last = manager.getMusic("49");
  ASSERT_NE(p_last, nullptr);
  EXPECT_EQ(p_last->getLabel(), "49");
  EXPECT_EQ(manager.getMusic(""), nullptr);
  p_last->play(true);
  p_last->pause();
  manager.shutDown();

  Lines expected = {
      "ResourceManager::loadMusic(): Error! Must provide label for music.",
      "ResourceManager::loadmusic(): Error! Cannot load music from file '" + missing + "'.",
      "ResourceManager::loadmusic(): Error! Cannot load music from file '" + tempDir() +
          "/text.wav'.",
      "ResourceManager::loadMusic(): Music '0' successfully loaded.",
      "ResourceManager::loadMusic(): Error! Unable to add more musics (max is 50).",
      "ResourceManager::getMusic(): Looking for music '49'.",
      "ResourceManager::getMusic(): Looking for music ''.",
      "ResourceManager::getMusic(): Warning! Music '' not found.",
      "Music::play(): Playing music.",
      "Music::pause(): Pausing music.",
  };
  expected.insert(expected.end(), MAX_MUSICS, "Music::stop(): Stopping music.");
  expected.push_back("ResourceManager::shutDown(): successfully stopped.");
  EXPECT_EQ(closedLog(), expected);
}

TEST_F(MusicTest, AFileCutShortFailsToLoadWithALine) {
  const std::string whole = test::readFile(wav);
  const std::string cut = writeTempFile("cut.wav", whole.substr(0, whole.size() - 2));
  Music music;
  EXPECT_EQ(music.loadMusic(wav), 0);
  EXPECT_EQ(music.loadMusic(cut), -1);
  EXPECT_EQ(closedLog(), Lines{"Music::loadMusic(): Error! '" + cut +
                               "' is cut short: it holds fewer samples than it announces."});
}

}  // namespace
}  // namespace mo
