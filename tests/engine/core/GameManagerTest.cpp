#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/net/PathFind.h"
#include "engine/net/PathManager.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"
#include "support/FakeTimeSource.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;

/// On every step event records its step count and runs a function with
/// the number of the frame, counted by the probe itself.
class StepProbe : public Object {
 public:
  explicit StepProbe(std::function<void(int)> on_step) : on_step(std::move(on_step)) {
    registerInterest(STEP_EVENT);
  }
  int eventHandler(const Event* p_e) override {
    steps.push_back(static_cast<const EventStep*>(p_e)->getStepCount());
    on_step(static_cast<int>(steps.size()) - 1);
    return 1;
  }
  std::vector<int> steps;
  std::function<void(int)> on_step;
};

/// Runs a function with the number of each of its draws.
class DrawProbe : public Object {
 public:
  explicit DrawProbe(std::function<void(int)> on_draw) : on_draw(std::move(on_draw)) {}
  int draw() override {
    on_draw(draws++);
    return 0;
  }
  int draws = 0;
  std::function<void(int)> on_draw;
};

int countOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) count++;
  return count;
}

class GameManagerTest : public test::EngineTest {
 protected:
  /// Starts the engine headless with the given configuration items, at
  /// the given log level, and shuts it down again.
  void startAndStop(const std::string& items = "", int level = 0) {
    test::ScopedEnv env("MORVANE_CONFIG", writeTempFile("config.txt", "headless:true,\n" + items));
    LogManager::getInstance().setLogLevel(level);
    ASSERT_EQ(game_manager.startUp(), 0);
    EXPECT_TRUE(LogManager::getInstance().isStarted());
    EXPECT_EQ(game_manager.startUp(), 0);  // a second start-up changes nothing
    game_manager.shutDown();
    EXPECT_FALSE(game_manager.isStarted());
    EXPECT_FALSE(LogManager::getInstance().isStarted());
  }
  /// Starts the display headless, the world (size cells square) and the
  /// path manager; an object at start then looks for cell (30,30), walled
  /// off by the 3 x 3 hard objects around it. Clock readings take 10 us.
  Object* startWalledOffSearch(float size, Vector start) {
    startHeadlessDisplay();
    EXPECT_EQ(WorldManager::getInstance().startUp() + PathManager::getInstance().startUp(), 0);
    WorldManager::getInstance().setBoundary(Box(Vector(), size, size));
    for (int i = 0; i < 9; i++) (new Object)->setPosition(Vector(29.0f + i % 3, 29.0f + i / 3));
    auto* p_walled_off = new Object;
    p_walled_off->setPosition(start);
    EXPECT_EQ(PathManager::getInstance().findPath(p_walled_off, Vector(30, 30)), 0);
    clock.tick_us = 10;
    return p_walled_off;
  }
  test::FakeTimeSource clock;
  GameManager& game_manager = GameManager::getInstance();
};

TEST_F(GameManagerTest, AcceptsOnlyStepEvents) {
  EXPECT_TRUE(game_manager.isValid("mo-step"));
  for (const char* other : {"mo-Step", "mo-step ", "mo-ste", "mo-keyboard", "mo-undefined"})
    EXPECT_FALSE(game_manager.isValid(other)) << other;
}

TEST_F(GameManagerTest, StartUpAndShutDownLogTheBannerAndTheManagersInOrder) {
  startAndStop();
  const std::string stars(52, '*');
  EXPECT_EQ(logMessages(), (Lines{stars, "** Morvane version 4.15 **", "** Game engine started **",
                                  stars, "GameManager::startup(): Already started.", stars,
                                  "** Game engine stopped **"}));
  EXPECT_EQ(clock.begin_period_calls, 1);
  EXPECT_EQ(clock.end_period_calls, 1);
  EXPECT_TRUE(game_manager.getGameOver());

  // Raising the level shows the managers start in order and stop in
  // reverse, with the log closed last.
  clock.timer_answer = platform::TIMER_NOCANDO;
  startAndStop("frame_time:25,\r\n", 5);
  EXPECT_EQ(game_manager.getFrameTime(), 25);
  const Lines order = {
      "LogManager::startUp(): successfully started.", "** Morvane version 4.15 **",
      "** Game engine started **", "Log Manager started.", "Morvane configuration:",
      "  Frame time: 25", "GameManager::startUp(): frame time is 25", "Display manager started.",
      "Input manager started.", "Resource manager started.", "World manager started.",
      "Path manager started.", "GameManager()::startUp(): Warning!  timeBeginPeriod() cannot accept 1 msec.",
      "GameManager::startUp(): successfully started.",
      "GameManager()::shutDown(): Warning! timeEndPeriod() cannot accept 1 msec.",
      "Path manager stopped", "World manager stopped", "Resource manager stopped", "Input manager stopped",
      "Display manager stopped", "** Game engine stopped **",
      "LogManager::shutDown(): successfully stopped."};
  const Lines messages = logMessages();
  std::size_t next = 0;
  for (const std::string& message : messages) {
    if (next < order.size() && message == order[next]) next++;
  }
  EXPECT_EQ(next, order.size()) << "missing or out of order: " << order[next];
  EXPECT_EQ(messages.back(), order.back());
}

TEST_F(GameManagerTest, UnopenableLogFailsStartUp) {
  test::ScopedEnv env("MORVANE_LOG", tempDir() + "/no/such/folder/log.txt");
  testing::internal::CaptureStderr();
  EXPECT_EQ(game_manager.startUp(), -1);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Unable to open file"), std::string::npos);
  EXPECT_NE(err.find("Error starting log manager!"), std::string::npos);
  EXPECT_FALSE(game_manager.isStarted());
  EXPECT_EQ(game_manager.getFailure().find("cannot open the log file '" + tempDir()), 0u);

  // A manager that fails says why in one sentence for the player.
  test::ScopedEnv log_env("MORVANE_LOG", logPath());
  test::ScopedEnv display_env("DISPLAY", "");
  EXPECT_EQ(game_manager.startUp(), -1);
  EXPECT_EQ(game_manager.getFailure(), "cannot open a window: no X display (DISPLAY is not set)");
  game_manager.shutDown();
}

// A signal asks the game to end: the frame under way finishes, its lines
// reach the log, and every later loop (the splash's, the game's) ends
// after one frame; shut-down then gives the signals back.
TEST_F(GameManagerTest, SigtermEndsTheLoopAfterItsFrameAndEachFrameReachesTheLog) {
  test::ScopedEnv env("MORVANE_CONFIG", writeTempFile("config.txt", "headless:true,\n"));
  ASSERT_EQ(game_manager.startUp(), 0);
  const LogManager& log = LogManager::getInstance();
  new StepProbe([&](int step) {
    // What the frame before wrote is in the file already.
    if (step == 1 || step == 2) {
      EXPECT_EQ(logMessages().back(), "frame " + std::to_string(step - 1));
    }
    log.writeLog("frame %d", step);
    if (step == 2) std::raise(SIGTERM);
  });
  game_manager.run();
  EXPECT_EQ(game_manager.getStepCount(), 3);
  game_manager.run();
  EXPECT_EQ(game_manager.getStepCount(), 1);
  game_manager.shutDown();
  EXPECT_EQ(countOf(test::readFile(logPath()),
                    "GameManager::run(): Signal 15 received, ending the game."),
            1);
  EXPECT_EQ(logMessages().back(), "** Game engine stopped **");
  struct sigaction action {};
  sigaction(SIGTERM, nullptr, &action);
  EXPECT_EQ(action.sa_handler, SIG_DFL);
}

// In a child: a second signal ends the game at once; a kill mid-play
// leaves every frame that was finished, whole, in the log.
TEST_F(GameManagerTest, ASecondSignalEndsAtOnceAndAKillLeavesTheFinishedFrames) {
  test::ScopedEnv env("MORVANE_CONFIG",
                      writeTempFile("config.txt", "headless:true,frame_time:1,\n"));
  auto start = [&](bool twice) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    if (game_manager.startUp() != 0) _exit(2);
    new StepProbe([&](int step) {
      LogManager::getInstance().writeLog("frame %d begins", step);
      if (twice) {
        std::raise(SIGINT);
        std::raise(SIGINT);
      }
      LogManager::getInstance().writeLog("frame %d ends", step);
    });
    game_manager.run();
    _exit(3);
  };
  int status = 0;
  const pid_t interrupted = start(true);
  ASSERT_EQ(waitpid(interrupted, &status, 0), interrupted);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;

  const pid_t killed = start(false);
  ASSERT_GT(killed, 0);
  for (int i = 0; i < 500 && countOf(test::readFile(logPath()), " ends\n") < 20; i++) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(killed, SIGKILL);
  ASSERT_EQ(waitpid(killed, &status, 0), killed);
  const std::string text = test::readFile(logPath());
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(text.back(), '\n');
  Lines frames;
  for (const std::string& message : logMessages()) {
    if (message.compare(0, 6, "frame ") == 0) frames.push_back(message);
  }
  ASSERT_GE(frames.size(), 40u);
  for (std::size_t i = 0; i < frames.size(); i++) {
    EXPECT_EQ(frames[i], "frame " + std::to_string(i / 2) + (i % 2 ? " ends" : " begins"));
  }
  EXPECT_EQ(frames.size() % 2, 0u);
}

TEST_F(GameManagerTest, RandomNumbersAreSeededFromTheConfigurationElseTheCalendarTime) {
  auto logged_seed = [&] {
    const std::string prefix = "GameManager()::startUp(): seed is ";
    long long seed = -1;
    for (const std::string& message : logMessages()) {
      if (message.rfind(prefix, 0) == 0) seed = std::stoll(message.substr(prefix.size()));
    }
    return seed;
  };
  startAndStop("random_seed:1234,\n", 10);
  const int first = std::rand();
  std::srand(1234);
  EXPECT_EQ(std::rand(), first);
  EXPECT_EQ(logged_seed(), 1234);
  Config::getInstance().reset();
  const long long before = static_cast<long long>(std::time(nullptr));
  startAndStop("", 10);
  EXPECT_GE(logged_seed(), static_cast<long long>(static_cast<int>(before)));
}

// The loop against the fake clock: a frame's work is what its step handler
// advances the clock by; every sleep lasts what was asked plus the oversleep.
TEST_F(GameManagerTest, LoopSleepsOutTheFrameCarriesOversleepAndComplainsWhenSlow) {
  struct Case {
    const char* name;
    int oversleep_us;
    std::vector<long long> work_us;  // one frame each; the last ends the game
    std::vector<int> sleeps_ms;
    int complaints;
  };
  const Case cases[] = {
      {"33 - 5 = 28 ms of each frame are slept", 0, {5000, 5000, 5000}, {28, 28, 28}, 0},
      // 28 ms last 29.2; 33 - 5 - 1.2 = 26.8 is slept as 26 lasting 27.2;
      // 33 - 5 - 0.4 = 27.6 is slept as 27.
      {"oversleep shortens the next frame", 1200, {5000, 5000, 5000}, {28, 26, 27}, 0},
      {"slow frames skip the sleep; frame 0 says nothing", 0, {40700, 40700, 5000}, {28}, 1},
      {"a slow frame drops a pending carry instead", 2000, {5000, 40000, 5000, 5000},
       {28, 28, 26}, 0},
  };
  startHeadlessDisplay();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    clock.oversleep_us = c.oversleep_us;
    clock.sleeps_ms.clear();
    const int last = static_cast<int>(c.work_us.size()) - 1;
    StepProbe probe([&](int step) {
      clock.advance(c.work_us[step]);
      if (step == last) game_manager.setGameOver();
    });
    game_manager.setGameOver();  // run() clears it on entry
    testing::internal::CaptureStderr();
    game_manager.run();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(game_manager.getStepCount(), last + 1);
    for (int i = 0; i <= last; i++) EXPECT_EQ(probe.steps.at(i), i);
    EXPECT_EQ(clock.sleeps_ms, c.sleeps_ms);
    // The complaint comes from frame 1, the frame number in its line.
    EXPECT_EQ(countOf(err, "Can't keep up!"), c.complaints) << err;
    EXPECT_EQ(countOf(err, "00:00:00    1 GameManager::run(): Can't keep up! frame_time 33 ms, "
                           "split 40 ms\n"), c.complaints);
  }
}

// 33 ms less 5 of work leave 28, of which 95% (26 ms) go to the searches.
// Every clock reading takes 10 us, so a walled-off goal's search uses up
// that budget; the frame then has 2 ms left, slept as 1.
TEST_F(GameManagerTest, PathSearchesGetNinetyFivePercentOfWhatIsLeftOfTheFrame) {
  const Object* p_walled_off = startWalledOffSearch(60, Vector());
  auto* p_seeker = new Object;
  p_seeker->setPosition(Vector(10, 10));
  ASSERT_EQ(PathManager::getInstance().findPath(p_seeker, Vector(3, 3)), 0);
  StepProbe probe([&](int) {
    clock.advance(5000);
    game_manager.setGameOver();
  });
  game_manager.run();
  EXPECT_EQ(clock.sleeps_ms, std::vector<int>{1});
  EXPECT_GT(p_walled_off->getPathSearch()->getClosedCount(), 1000);
  EXPECT_TRUE(p_seeker->getFollowPath());
}

// Paused in the step of frame 1 and resumed by a draw of frame 4: the
// frames between get no steps, no moves and no path search, but are drawn.
TEST_F(GameManagerTest, PauseStopsStepsMovesAndPathSearchesButNotDrawingUntilResumed) {
  const Object* p_walled_off = startWalledOffSearch(600, Vector(10, 50));
  WorldManager::getInstance().setView(Box(Vector(), 60, 60));
  StepProbe stepper([&](int step) {
    if (step == 1) game_manager.setPaused(true);
    if (step == 3) game_manager.setGameOver();
  });
  stepper.setPosition(Vector(0, 5));
  stepper.setVelocity(Vector(1, 0));
  std::vector<int> searched;  // cells the search has closed, at each draw
  DrawProbe drawer([&](int draw) {
    const PathFind* p_search = p_walled_off->getPathSearch();
    searched.push_back(p_search ? p_search->getClosedCount() : -1);
    if (draw == 4) game_manager.setPaused(false);
  });
  drawer.setPosition(Vector(10, 10));
  game_manager.run();
  EXPECT_EQ(stepper.steps, (std::vector<int>{0, 1, 5, 6}));
  EXPECT_EQ(stepper.getPosition(), Vector(3, 5));  // moved in frames 0, 5 and 6
  ASSERT_EQ(drawer.draws, 7);
  EXPECT_GT(searched[1], 0);
  EXPECT_EQ(searched[4], searched[1]);
  EXPECT_GT(searched[5], searched[4]);
  EXPECT_FALSE(game_manager.isPaused());
}

}  // namespace
}  // namespace mo
