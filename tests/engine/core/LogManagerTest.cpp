#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/world/Object.h"
#include "support/EngineTest.h"
#include "support/FakeTimeSource.h"

namespace mo {
namespace {

using test::EngineTest;
using test::FakeTimeSource;
using Lines = std::vector<std::string>;

/// Removes an environment variable for the life of the object.
class ScopedUnsetEnv {
 public:
  explicit ScopedUnsetEnv(const char* p_name) : name(p_name) {
    const char* p_old = std::getenv(p_name);
    had_value = p_old != nullptr;
    if (had_value) old_value = p_old;
    unsetenv(p_name);
  }
  ~ScopedUnsetEnv() {
    if (had_value) setenv(name.c_str(), old_value.c_str(), 1);
  }
  ScopedUnsetEnv(const ScopedUnsetEnv&) = delete;
  ScopedUnsetEnv& operator=(const ScopedUnsetEnv&) = delete;

 private:
  std::string name;
  bool had_value = false;
  std::string old_value;
};

class LogManagerTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    clock.local_time.tm_hour = 9;
    clock.local_time.tm_min = 5;
    clock.local_time.tm_sec = 7;
  }
  Lines fileLines() const { return test::readLines(logPath()); }

  FakeTimeSource clock;
  LogManager& log = LogManager::getInstance();
};

// --- line format -----------------------------------------------------

TEST_F(LogManagerTest, LineIsTimeFrameNumberAndMessage) {
  ASSERT_EQ(log.startUp(), 0);
  log.writeLog("hello %s %d", "world", 42);
  log.shutDown();
  EXPECT_EQ(fileLines(), Lines{"09:05:07    0 hello world 42"});
}

/// Writes a line from inside the game loop at the given frame.
class FrameWriter : public Object {
 public:
  explicit FrameWriter(int frame) : frame(frame) { registerInterest(STEP_EVENT); }
  int eventHandler(const Event* p_e) override {
    const int step = static_cast<const EventStep*>(p_e)->getStepCount();
    if (step == frame) {
      LogManager::getInstance().writeLog("frame line");
      GameManager::getInstance().setGameOver(true);
    }
    return 1;
  }
  int frame;
};

TEST_F(LogManagerTest, FrameNumberIsRightAlignedInFourPlaces) {
  startHeadlessDisplay();
  ASSERT_EQ(log.startUp(), 0);
  {
    FrameWriter writer(42);
    GameManager::getInstance().run();
  }
  log.shutDown();
  EXPECT_EQ(fileLines(), Lines{"09:05:07   42 frame line"});
}

TEST_F(LogManagerTest, PrefixesCanBeTurnedOff) {
  ASSERT_EQ(log.startUp(), 0);
  log.setLogTimeString(false);
  log.writeLog("no time");
  log.setLogStepCount(false);
  log.writeLog("bare");
  log.setLogTimeString(true);
  log.writeLog("time only");
  log.shutDown();
  EXPECT_EQ(fileLines(), (Lines{"   0 no time", "bare", "09:05:07 time only"}));
}

TEST_F(LogManagerTest, ResultIsTheLengthOfTheMessage) {
  ASSERT_EQ(log.startUp(), 0);
  EXPECT_EQ(log.writeLog("abc%d", 1234), 7);
  EXPECT_EQ(log.writeLog("%s", ""), 0);
  EXPECT_EQ(log.writeLog(0, "level %d", 0), 7);
  log.shutDown();
}

TEST_F(LogManagerTest, UnwritableLineReturnsMinusOne) {
  test::ScopedEnv env("MORVANE_LOG", "/dev/full");
  ASSERT_EQ(log.startUp(), 0);
  log.setFlush(true);
  EXPECT_EQ(log.writeLog("lost"), -1);
  log.shutDown();
}

TEST_F(LogManagerTest, FlushMakesEachLineVisibleAtOnce) {
  ASSERT_EQ(log.startUp(), 0);
  log.setFlush(true);
  log.writeLog("first");
  EXPECT_EQ(fileLines(), Lines{"09:05:07    0 first"});
  log.shutDown();
}

// --- levels ----------------------------------------------------------

TEST_F(LogManagerTest, MessagesAboveTheLogLevelAreDropped) {
  ASSERT_EQ(log.startUp(), 0);
  EXPECT_EQ(log.getLogLevel(), 0);
  EXPECT_EQ(log.writeLog(1, "dropped"), 0);
  EXPECT_EQ(log.writeLog("always"), 6);
  log.setLogLevel(3);
  EXPECT_EQ(log.writeLog(3, "level three"), 11);
  EXPECT_EQ(log.writeLog(4, "level four"), 0);
  EXPECT_EQ(log.writeLog("still always"), 12);
  log.shutDown();
  EXPECT_EQ(logMessages(), (Lines{"always", "level three", "still always"}));
}

TEST_F(LogManagerTest, StartAndStopReportsAreWrittenAtLevelFive) {
  log.setLogLevel(5);
  ASSERT_EQ(log.startUp(), 0);
  EXPECT_TRUE(log.isStarted());
  log.shutDown();
  EXPECT_FALSE(log.isStarted());
  EXPECT_EQ(logMessages(), (Lines{"LogManager::startUp(): successfully started.",
                                  "LogManager::shutDown(): successfully stopped."}));
}

// --- destination -----------------------------------------------------

TEST_F(LogManagerTest, WritesToStandardErrorBeforeStartUpAndAfterShutDown) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(log.writeLog("early %d", 1), 7);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "09:05:07    0 early 1\n");

  ASSERT_EQ(log.startUp(), 0);
  testing::internal::CaptureStderr();
  log.writeLog("to file");
  err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "");
  log.shutDown();

  testing::internal::CaptureStderr();
  log.writeLog("late");
  err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err, "09:05:07    0 late\n");
  EXPECT_EQ(fileLines(), Lines{"09:05:07    0 to file"});
}

TEST_F(LogManagerTest, MorvaneLogNamesTheFile) {
  const std::string other = tempDir() + "/other.log";
  test::ScopedEnv env("MORVANE_LOG", other);
  ASSERT_EQ(log.startUp(), 0);
  log.writeLog("elsewhere");
  log.shutDown();
  EXPECT_EQ(test::readLines(other), Lines{"09:05:07    0 elsewhere"});
  EXPECT_EQ(test::readFile(logPath()), "");
}

TEST_F(LogManagerTest, WithoutMorvaneLogTheConfiguredNameIsUsed) {
  const std::string configured = tempDir() + "/configured.log";
  Config::getInstance().loadConfig("logfile:" + configured + ",");
  ScopedUnsetEnv unset("MORVANE_LOG");
  ASSERT_EQ(log.startUp(), 0);
  log.writeLog("configured");
  log.shutDown();
  EXPECT_EQ(test::readLines(configured), Lines{"09:05:07    0 configured"});
}

TEST_F(LogManagerTest, StartUpTruncatesAnEarlierLog) {
  writeTempFile("test.log", "old line one\nold line two\n");
  ASSERT_EQ(log.startUp(), 0);
  log.writeLog("new");
  log.shutDown();
  EXPECT_EQ(fileLines(), Lines{"09:05:07    0 new"});
}

TEST_F(LogManagerTest, SecondStartUpFailsWithWarningAndKeepsTheFile) {
  ASSERT_EQ(log.startUp(), 0);
  log.writeLog("before");
  EXPECT_EQ(log.startUp(), -1);
  EXPECT_TRUE(log.isStarted());
  log.writeLog("after");
  log.shutDown();
  EXPECT_EQ(
      logMessages(),
      (Lines{"before", "LogManager::startup(): Warning! LogManager already started.", "after"}));
}

TEST_F(LogManagerTest, UnopenableFileFailsStartUpWithWarningOnStandardError) {
  const std::string bad = tempDir() + "/missing/folder/x.log";
  test::ScopedEnv env("MORVANE_LOG", bad);
  testing::internal::CaptureStderr();
  EXPECT_EQ(log.startUp(), -1);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err,
            "09:05:07    0 LogManager::startup(): Warning! Unable to open file '" + bad + "'.\n");
  EXPECT_FALSE(log.isStarted());
}

TEST_F(LogManagerTest, RestartAfterShutDownWritesAFreshFile) {
  ASSERT_EQ(log.startUp(), 0);
  log.writeLog("first run");
  log.shutDown();
  ASSERT_EQ(log.startUp(), 0);
  log.writeLog("second run");
  log.shutDown();
  EXPECT_EQ(logMessages(), Lines{"second run"});
}

}  // namespace
}  // namespace mo
