#include "engine/core/LogManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "support/EngineTest.h"
#include "support/FakeTimeSource.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;

class LogManagerTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    clock.local_time.tm_hour = 9;
    clock.local_time.tm_min = 5;
    clock.local_time.tm_sec = 7;
  }
  Lines fileLines() const { return test::readLines(logPath()); }
  /// What writing "<text>" to a log not open goes to standard error.
  std::string stderrOf(const char* text) {
    testing::internal::CaptureStderr();
    log.writeLog("%s", text);
    return testing::internal::GetCapturedStderr();
  }

  test::FakeTimeSource clock;
  LogManager& log = LogManager::getInstance();
};

TEST_F(LogManagerTest, LineIsTimeFrameNumberAndMessageUnlessAboveTheLogLevel) {
  ASSERT_EQ(log.startUp(), 0);
  log.setFlush(true);
  EXPECT_EQ(log.writeLog("hello %s %d", "world", 42), 14);  // the length of the message
  EXPECT_EQ(fileLines(), Lines{"09:05:07    0 hello world 42"});  // flushed at once
  EXPECT_EQ(log.writeLog(1, "dropped"), 0);
  log.setLogLevel(3);
  EXPECT_EQ(log.writeLog(3, "level three"), 11);
  EXPECT_EQ(log.writeLog(4, "level four"), 0);
  log.setLogTimeString(false);
  EXPECT_EQ(log.writeLog("%s", ""), 0);
  log.setLogStepCount(false);
  log.writeLog("bare");
  log.setLogTimeString(true);
  log.writeLog("time only");
  // UTF-8 as it is; a byte that is no UTF-8 as \xNN, so the file stays UTF-8.
  log.writeLog("'%s'", "\xE2\x95\x94\xFF");
  log.shutDown();
  EXPECT_EQ(fileLines(), (Lines{"09:05:07    0 hello world 42", "09:05:07    0 level three",
                                "   0 ", "bare", "09:05:07 time only",
                                "09:05:07 '\xE2\x95\x94\\xFF'"}));
}

TEST_F(LogManagerTest, LinesGoToStandardErrorUnlessStartedAndStartAndStopShowAtLevelFive) {
  log.setLogLevel(5);
  EXPECT_EQ(stderrOf("early"), "09:05:07    0 early\n");
  ASSERT_EQ(log.startUp(), 0);
  EXPECT_EQ(log.startUp(), -1);  // with a warning; the file stays open
  EXPECT_TRUE(log.isStarted());
  EXPECT_EQ(stderrOf("to file"), "");
  log.shutDown();
  EXPECT_FALSE(log.isStarted());
  EXPECT_EQ(stderrOf("late"), "09:05:07    0 late\n");
  EXPECT_EQ(logMessages(), (Lines{"LogManager::startUp(): successfully started.",
                                  "LogManager::startup(): Warning! LogManager already started.",
                                  "to file", "LogManager::shutDown(): successfully stopped."}));
}

TEST_F(LogManagerTest, StartUpTruncatesTheFileNamedByMorvaneLogElseTheConfiguredOne) {
  writeTempFile("test.log", "old line\n");
  const std::string configured = tempDir() + "/configured.log";
  Config::getInstance().loadConfig("logfile:" + configured + ",");
  for (const char* run : {"first run", "second run"}) {
    ASSERT_EQ(log.startUp(), 0);
    log.writeLog("%s", run);
    log.shutDown();
  }
  EXPECT_EQ(logMessages(), Lines{"second run"});
  ASSERT_EQ(unsetenv("MORVANE_LOG"), 0);  // the fixture restores it
  ASSERT_EQ(log.startUp(), 0);
  log.writeLog("configured");
  log.shutDown();
  EXPECT_EQ(test::readLines(configured), Lines{"09:05:07    0 configured"});
}

TEST_F(LogManagerTest, LinesReachTheFileAtOnceUnlessHeldUntilTheNextFlush) {
  ASSERT_EQ(log.startUp(), 0);
  log.writeLog("at once");
  EXPECT_EQ(fileLines(), Lines{"09:05:07    0 at once"});
  log.setHoldLines(true);
  log.writeLog("held");
  log.writeLog("held too");
  EXPECT_EQ(fileLines().size(), 1u);
  EXPECT_EQ(log.flush(), 0);
  EXPECT_EQ(fileLines().size(), 3u);
  log.writeLog("until released");
  log.setHoldLines(false);
  EXPECT_EQ(fileLines().back(), "09:05:07    0 until released");
}

TEST_F(LogManagerTest, UnopenableFileFailsStartUpSayingWhyAndAFullDiskIsToldOnce) {
  const std::string missing = tempDir() + "/missing/folder/x.log";
  for (const auto& [name, why] :
       {std::pair(missing, "No such file or directory"), std::pair(tempDir(), "Is a directory"),
        std::pair(std::string(), "No such file or directory")}) {
    test::ScopedEnv env("MORVANE_LOG", name);
    testing::internal::CaptureStderr();
    EXPECT_EQ(log.startUp(), -1);
    EXPECT_EQ(
        testing::internal::GetCapturedStderr(),
        "09:05:07    0 LogManager::startup(): Warning! Unable to open file '" + name + "'.\n");
    EXPECT_FALSE(log.isStarted());
    EXPECT_EQ(log.getFailure(), "cannot open the log file '" + name + "' (" + why +
                                    "): set MORVANE_LOG to a file that can be written");
  }
  test::ScopedEnv env("MORVANE_LOG", "/dev/full");
  ASSERT_EQ(log.startUp(), 0);
  EXPECT_EQ(log.getFailure(), "");
  testing::internal::CaptureStderr();
  EXPECT_EQ(log.writeLog("lost"), -1);
  EXPECT_EQ(log.writeLog("lost too"), -1);
  log.shutDown();
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "LogManager::writeLog(): Warning! Cannot write to the log file '/dev/full' (No space "
            "left on device).\n");
}

}  // namespace
}  // namespace mo
