#include "engine/core/GameManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/EventStep.h"
#include "engine/core/LogManager.h"
#include "engine/media/DisplayManager.h"
#include "engine/world/Object.h"
#include "support/EngineTest.h"
#include "support/FakeTimeSource.h"

namespace mo {
namespace {

using test::EngineTest;
using test::FakeTimeSource;

/// Runs a function on every step event and counts the steps.
class StepProbe : public Object {
 public:
  explicit StepProbe(std::function<void(int)> on_step) : on_step(std::move(on_step)) {
    registerInterest(STEP_EVENT);
  }
  int eventHandler(const Event* p_e) override {
    if (p_e->getType() != STEP_EVENT) return 0;
    const auto* p_step = static_cast<const EventStep*>(p_e);
    step_counts.push_back(p_step->getStepCount());
    on_step(p_step->getStepCount());
    return 1;
  }
  std::vector<int> step_counts;

 private:
  std::function<void(int)> on_step;
};

class GameManagerTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // No window: the engine starts headless.
    headless_config = std::make_unique<test::ScopedEnv>(
        "MORVANE_CONFIG", writeTempFile("mo-config.txt", "headless:true,\n"));
  }
  void TearDown() override {
    EngineTest::TearDown();
    headless_config.reset();
  }
  /// Starts the display headless, as startUp() would, for the tests that
  /// run the loop without the rest of the engine.
  void startDisplay() { startHeadlessDisplay(); }
  std::unique_ptr<test::ScopedEnv> headless_config;
  bool logHas(const std::string& message) const {
    const std::vector<std::string> messages = logMessages();
    return std::find(messages.begin(), messages.end(), message) != messages.end();
  }
  int logCount(const std::string& prefix) const {
    int count = 0;
    for (const std::string& message : logMessages()) {
      if (message.rfind(prefix, 0) == 0) count++;
    }
    return count;
  }
  FakeTimeSource clock;
  GameManager& game_manager = GameManager::getInstance();
};

TEST_F(GameManagerTest, AcceptsOnlyStepEvents) {
  EXPECT_TRUE(game_manager.isValid("mo-step"));
  EXPECT_FALSE(game_manager.isValid("mo-Step"));
  EXPECT_FALSE(game_manager.isValid("mo-keyboard"));
  EXPECT_FALSE(game_manager.isValid("mo-undefined"));
}

TEST_F(GameManagerTest, StartUpWritesBannerAndShutDownClosingLines) {
  ASSERT_EQ(game_manager.startUp(), 0);
  EXPECT_TRUE(game_manager.isStarted());
  EXPECT_TRUE(LogManager::getInstance().isStarted());
  EXPECT_EQ(game_manager.getFrameTime(), 33);
  game_manager.shutDown();
  EXPECT_FALSE(game_manager.isStarted());
  EXPECT_FALSE(LogManager::getInstance().isStarted());
  EXPECT_TRUE(game_manager.getGameOver());

  const std::vector<std::string> expected = {
      "****************************************************",
      "** Morvane version 4.15 **",
      "** Game engine started **",
      "****************************************************",
      "****************************************************",
      "** Game engine stopped **",
  };
  EXPECT_EQ(logMessages(), expected);
  EXPECT_EQ(clock.begin_period_calls, 1);
  EXPECT_EQ(clock.end_period_calls, 1);
}

TEST_F(GameManagerTest, TracingLevelShowsStartOrderAndConfiguration) {
  // With the log level raised, the level-1 reports show the order.
  LogManager::getInstance().setLogLevel(5);
  const std::string config = writeTempFile("config.txt", "headless:true,\r\nframe_time:25,\r\n");
  test::ScopedEnv env("MORVANE_CONFIG", config);
  ASSERT_EQ(game_manager.startUp(), 0);
  game_manager.shutDown();

  const std::vector<std::string> messages = logMessages();
  auto at = [&](const std::string& message) {
    return std::find(messages.begin(), messages.end(), message) - messages.begin();
  };
  EXPECT_LT(at("LogManager::startUp(): successfully started."),
            at("** Morvane version 4.15 **"));
  EXPECT_LT(at("** Game engine started **"), at("Log Manager started."));
  EXPECT_LT(at("Log Manager started."), at("Morvane configuration:"));
  EXPECT_LT(at("  Frame time: 25"), at("GameManager::startUp(): frame time is 25"));
  EXPECT_LT(at("GameManager::startUp(): frame time is 25"),
            at("GameManager::startUp(): successfully started."));
  EXPECT_LT(at("** Game engine stopped **"), at("LogManager::shutDown(): successfully stopped."));
  EXPECT_EQ(static_cast<std::size_t>(at("LogManager::shutDown(): successfully stopped.")),
            messages.size() - 1);
  EXPECT_EQ(game_manager.getFrameTime(), 25);
}

TEST_F(GameManagerTest, SecondStartUpReportsAlreadyStarted) {
  ASSERT_EQ(game_manager.startUp(), 0);
  EXPECT_EQ(game_manager.startUp(), 0);
  EXPECT_TRUE(LogManager::getInstance().isStarted());
  game_manager.shutDown();
  EXPECT_TRUE(logHas("GameManager::startup(): Already started."));
  EXPECT_EQ(logCount("** Game engine started **"), 1);
}

TEST_F(GameManagerTest, UnopenableLogFailsStartUp) {
  test::ScopedEnv env("MORVANE_LOG", tempDir() + "/no/such/folder/log.txt");
  testing::internal::CaptureStderr();
  EXPECT_EQ(game_manager.startUp(), -1);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Unable to open file"), std::string::npos);
  EXPECT_NE(err.find("Error starting log manager!"), std::string::npos);
  EXPECT_FALSE(game_manager.isStarted());
}

TEST_F(GameManagerTest, RefusedTimerResolutionIsLoggedAndIgnored) {
  LogManager::getInstance().setLogLevel(1);
  clock.timer_answer = platform::TIMER_NOCANDO;
  ASSERT_EQ(game_manager.startUp(), 0);
  game_manager.shutDown();
  EXPECT_TRUE(logHas("GameManager()::startUp(): Warning!  timeBeginPeriod() cannot accept 1 msec."));
  EXPECT_TRUE(logHas("GameManager()::shutDown(): Warning! timeEndPeriod() cannot accept 1 msec."));
}

TEST_F(GameManagerTest, ConfiguredSeedMakesRandomNumbersRepeatable) {
  const std::string config = writeTempFile("config.txt", "headless:true,\nrandom_seed:1234,\n");
  test::ScopedEnv env("MORVANE_CONFIG", config);
  LogManager::getInstance().setLogLevel(10);
  ASSERT_EQ(game_manager.startUp(), 0);
  const int first = std::rand();
  game_manager.shutDown();
  std::srand(1234);
  EXPECT_EQ(std::rand(), first);
  EXPECT_TRUE(logHas("GameManager()::startUp(): seed is 1234"));
}

TEST_F(GameManagerTest, SeedZeroUsesTheCalendarTime) {
  LogManager::getInstance().setLogLevel(10);
  const long long before = static_cast<long long>(std::time(nullptr));
  ASSERT_EQ(game_manager.startUp(), 0);
  game_manager.shutDown();
  const std::string prefix = "GameManager()::startUp(): seed is ";
  long long seed = -1;
  for (const std::string& message : logMessages()) {
    if (message.rfind(prefix, 0) == 0) seed = std::stoll(message.substr(prefix.size()));
  }
  EXPECT_GE(seed, static_cast<long long>(static_cast<int>(before)));
}

// The loop, run against the fake clock: every frame's work is what the
// step handler advances, every sleep lasts what was asked plus the
// configured oversleep.

TEST_F(GameManagerTest, LoopSleepsOutTheRestOfTheFrame) {
  startDisplay();
  StepProbe probe([&](int step) {
    clock.advance(5000);
    if (step == 2) game_manager.setGameOver();
  });
  game_manager.run();
  EXPECT_EQ(game_manager.getStepCount(), 3);
  EXPECT_EQ(probe.step_counts, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(clock.sleeps_ms, (std::vector<int>{28, 28, 28}));
}

TEST_F(GameManagerTest, OversleepShortensTheNextFrame) {
  startDisplay();
  clock.oversleep_us = 1200;  // each 28 ms sleep lasts 29.2 ms
  StepProbe probe([&](int step) {
    clock.advance(5000);
    if (step == 2) game_manager.setGameOver();
  });
  game_manager.run();
  // Budgets: 33 - 5 = 28 ms; then 33 - 5 - 1.2 = 26.8 ms, slept as 26 ms
  // that last 27.2 ms; then 33 - 5 - 0.4 = 27.6 ms, slept as 27 ms.
  EXPECT_EQ(clock.sleeps_ms, (std::vector<int>{28, 26, 27}));
}

TEST_F(GameManagerTest, SlowFrameCannotKeepUpExceptInTheFirstFrame) {
  startDisplay();
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  StepProbe probe([&](int step) {
    clock.advance(step < 2 ? 40700 : 5000);
    if (step == 2) game_manager.setGameOver();
  });
  game_manager.run();
  LogManager::getInstance().shutDown();
  // Frame 0 is slow but says nothing; frame 1 is slow and says so; no
  // sleep in either.
  EXPECT_EQ(logCount("GameManager::run(): Can't keep up!"), 1);
  EXPECT_TRUE(logHas("GameManager::run(): Can't keep up! frame_time 33 ms, split 40 ms"));
  EXPECT_EQ(clock.sleeps_ms, (std::vector<int>{28}));
}

TEST_F(GameManagerTest, SlowFrameAfterOversleepDropsTheCarryInstead) {
  startDisplay();
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  clock.oversleep_us = 2000;
  StepProbe probe([&](int step) {
    clock.advance(step == 1 ? 40000 : 5000);
    if (step == 3) game_manager.setGameOver();
  });
  game_manager.run();
  LogManager::getInstance().shutDown();
  // Frame 1 overruns with an oversleep pending: the carry is dropped and
  // nothing is written; frame 2 starts with a full budget again.
  EXPECT_EQ(logCount("GameManager::run(): Can't keep up!"), 0);
  EXPECT_EQ(clock.sleeps_ms, (std::vector<int>{28, 28, 26}));
}

TEST_F(GameManagerTest, GameOverBeforeRunHasNoEffect) {
  startDisplay();
  game_manager.setGameOver(true);
  StepProbe probe([&](int step) {
    if (step == 4) game_manager.setGameOver();
  });
  game_manager.run();
  EXPECT_EQ(game_manager.getStepCount(), 5);
}

TEST_F(GameManagerTest, LoopRunsAtLeastOneFrame) {
  startDisplay();
  StepProbe probe([&](int) { game_manager.setGameOver(); });
  game_manager.run();
  EXPECT_EQ(game_manager.getStepCount(), 1);
  EXPECT_EQ(clock.sleeps_ms.size(), 1u);
}

TEST_F(GameManagerTest, InactiveObjectsGetNoStepEvents) {
  startDisplay();
  StepProbe idle([](int) {});
  idle.setActive(false);
  StepProbe driver([&](int step) {
    if (step == 1) game_manager.setGameOver();
  });
  game_manager.run();
  EXPECT_TRUE(idle.step_counts.empty());
  EXPECT_EQ(driver.step_counts.size(), 2u);
}

TEST_F(GameManagerTest, LogLinesCarryTheFrameNumber) {
  startDisplay();
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  StepProbe probe([&](int step) {
    LogManager::getInstance().writeLog("frame %d", step);
    if (step == 11) game_manager.setGameOver();
  });
  game_manager.run();
  LogManager::getInstance().shutDown();
  const std::vector<std::string> lines = test::readLines(logPath());
  ASSERT_GE(lines.size(), 12u);
  EXPECT_EQ(lines[0].substr(8), "    0 frame 0");
  EXPECT_EQ(lines[11].substr(8), "   11 frame 11");
}

}  // namespace
}  // namespace mo
