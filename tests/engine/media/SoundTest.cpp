#include "engine/media/Sound.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/media/ResourceManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;
using Samples = std::vector<sf::Int16>;

// A process that SoundTest::playedSamples() starts plays its file before
// main() and ends there: OpenAL reads the output named in the environment
// only when a process first opens the device, which the tests' own
// process has done long before.
[[maybe_unused]] const bool played_before_main = [] {
  const char* p_wav = std::getenv("MORVANE_TEST_PLAY");
  const char* p_out = std::getenv("MORVANE_TEST_PLAY_OUT");
  if (!p_wav || !p_out) return false;
  int code = 1;
  {
    Sound sound;
    struct stat out {};
    if (sound.loadSound(p_wav) == 0 && stat(p_out, &out) == 0) {
      const off_t enough = out.st_size + 16000;  // a second more of the output
      sound.play(false);
      for (int i = 0; i < 300 && code != 0; i++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (stat(p_out, &out) == 0 && out.st_size >= enough) code = 0;
      }
    }
  }  // the device closes and completes the file
  _exit(code);
}();

class SoundTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(log.startUp(), 0);
    wav = writeTempWav("beep.wav");
    missing = tempDir() + "/missing.wav";
  }
  // What the audio device puts out while a Sound plays file, in a process
  // of its own whose output is OpenAL's wave file writer set to the
  // sound's format (mono, 16 bits, 8000 Hz): the samples it writes.
  Samples playedSamples(const std::string& file) const {
    const std::string out = file + ".out.wav";
    const test::ScopedEnv driver("ALSOFT_DRIVERS", "wave"), play("MORVANE_TEST_PLAY", file),
        play_out("MORVANE_TEST_PLAY_OUT", out),
        conf("ALSOFT_CONF",
             writeTempFile("openal.conf",
                           "[general]\nchannels = mono\nsample-type = int16\nfrequency = 8000\n"
                           "[wave]\nfile = " + out + "\n"));
    const pid_t pid = fork();
    if (pid == 0) {
      execl("/proc/self/exe", "/proc/self/exe", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    pid_t done = pid > 0 ? 0 : -1;
    for (int i = 0; i < 1000 && done == 0; i++) {  // ten seconds at most
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      done = waitpid(pid, &status, WNOHANG);
    }
    if (done == 0) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(done == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    sf::InputSoundFile output;
    Samples samples;
    if (output.openFromFile(out) && output.getChannelCount() == 1 &&
        output.getSampleRate() == 8000) {
      samples.resize(output.getSampleCount());
      samples.resize(output.read(samples.data(), samples.size()));
    }
    return samples;
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
  EXPECT_EQ(closedLog(), expected);
}

TEST_F(SoundTest, PlayingSendsTheWholeSoundOnceToTheAudioOutput) {
  const auto count = [](const Samples& samples, int low, int high) {
    return std::count_if(samples.begin(), samples.end(),
                         [&](sf::Int16 s) { return s >= low && s <= high; });
  };
  // The same run with a silent file: the output runs but carries nothing.
  const Samples silent = playedSamples(writeTempWav("silence.wav", 0));
  EXPECT_GE(silent.size(), 8000u);
  EXPECT_EQ(count(silent, -50, 50), static_cast<long>(silent.size()));

  const Samples beep = playedSamples(wav);
  ASSERT_GE(beep.size(), 8000u);
  EXPECT_EQ(count(beep, 2950, 3050), 800);  // every sample of the file, once
  EXPECT_EQ(count(beep, -50, 50), static_cast<long>(beep.size()) - 800);
}

}  // namespace
}  // namespace mo
