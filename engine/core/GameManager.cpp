#include "engine/core/GameManager.h"

#include <cstdlib>
#include <ctime>

#include "engine/core/Clock.h"
#include "engine/core/Config.h"
#include "engine/core/EventStep.h"
#include "engine/core/LogManager.h"
#include "engine/core/ReplayManager.h"
#include "engine/core/platform.h"
#include "engine/media/DisplayManager.h"
#include "engine/media/InputManager.h"
#include "engine/media/ResourceManager.h"
#include "engine/net/NetworkManager.h"
#include "engine/net/PathManager.h"
#include "engine/world/WorldManager.h"

namespace mo {

GameManager::GameManager()
    : game_over(false), paused(false), frame_time(33), step_count(0), stop_logged(false) {
  setType("GameManager");
}

GameManager::~GameManager() = default;

GameManager& GameManager::getInstance() {
  static GameManager game_manager;
  return game_manager;
}

bool GameManager::isValid(std::string event_type) const { return event_type == STEP_EVENT; }

int GameManager::startUp() {
  LogManager& log = LogManager::getInstance();
  if (isStarted()) {
    log.writeLog("GameManager::startup(): Already started.");
    return 0;
  }

  failure.clear();
  stop_logged = false;
  platform::catchStopSignals();
  Config& config = Config::getInstance();
  config.loadConfig();

  if (log.startUp() != 0) {
    log.writeLog("Error starting log manager!");
    failure = log.getFailure();
    return -1;
  }
  log.writeLog("****************************************************");
  log.writeLog("** Morvane version %.2f **", static_cast<double>(MORVANE_VERSION));
  log.writeLog("** Game engine started **");
  log.writeLog("****************************************************");
  log.writeLog(1, "Log Manager started.");
  // A replay brings the settings it was recorded with, which the other
  // managers then read.
  ReplayManager::getInstance().startUp();
  config.printConfig();

  frame_time = config.getFrameTime();
  log.writeLog(5, "GameManager::startUp(): frame time is %d", frame_time);

  // The managers in the order they depend on each other; each one that
  // starts is stopped again by shutDown(), in the reverse order.
  struct Step {
    Manager& manager;
    const char* error_line;
    const char* success_line;
    bool wanted = true;
  };
  const Step steps[] = {
      {DisplayManager::getInstance(), "Error starting display manager!", "Display manager started."},
      {InputManager::getInstance(), "Error starting input manager!", "Input manager started."},
      {NetworkManager::getInstance(), "Error starting network manager!",
       "Network manager started.", config.getNetworking()},
      {ResourceManager::getInstance(), "Error starting resource manager!",
       "Resource manager started."},
      {WorldManager::getInstance(), "Error starting world manager!", "World manager started."},
      {PathManager::getInstance(), "Error starting path manager!", "Path manager started."},
  };
  for (const Step& step : steps) {
    if (!step.wanted) continue;
    if (step.manager.startUp() != 0) {
      log.writeLog("%s", step.error_line);
      failure = &step.manager == &DisplayManager::getInstance()
                    ? DisplayManager::getInstance().getFailure()
                    : std::string();
      if (failure.empty()) {
        failure = "cannot start the " + step.manager.getType() + ": the log file '" +
                  log.getFileName() + "' says why";
      }
      return -1;
    }
    log.writeLog(1, "%s", step.success_line);
  }

  // The world and the view start as large as the window.
  const DisplayManager& display = DisplayManager::getInstance();
  const Box window(Vector(), static_cast<float>(display.getHorizontal()),
                   static_cast<float>(display.getVertical()));
  WorldManager& world_manager = WorldManager::getInstance();
  world_manager.setBoundary(window);
  world_manager.setView(window);
  world_manager.setViewSlack(Vector(1.0f / 3.0f, 1.0f / 3.0f));

  seedRandom();

  if (platform::timeSource().timerBeginPeriod(1) == platform::TIMER_NOCANDO) {
    log.writeLog(1, "GameManager()::startUp(): Warning!  timeBeginPeriod() cannot accept 1 msec.");
  }

  game_over = false;
  Manager::startUp();
  log.writeLog(5, "GameManager::startUp(): successfully started.");
  return 0;
}

void GameManager::shutDown() {
  LogManager& log = LogManager::getInstance();
  game_over = true;
  if (platform::timeSource().timerEndPeriod(1) == platform::TIMER_NOCANDO) {
    log.writeLog(1, "GameManager()::shutDown(): Warning! timeEndPeriod() cannot accept 1 msec.");
  }
  PathManager::getInstance().shutDown();
  log.writeLog(1, "Path manager stopped");
  WorldManager::getInstance().shutDown();
  log.writeLog(1, "World manager stopped");
  ResourceManager::getInstance().shutDown();
  log.writeLog(1, "Resource manager stopped");
  if (Config::getInstance().getNetworking()) {
    NetworkManager::getInstance().shutDown();
    log.writeLog(1, "Network manager stopped");
  }
  InputManager::getInstance().shutDown();
  log.writeLog(1, "Input manager stopped");
  DisplayManager::getInstance().shutDown();
  log.writeLog(1, "Display manager stopped");
  ReplayManager::getInstance().shutDown();
  log.writeLog("****************************************************");
  log.writeLog("** Game engine stopped **");
  log.shutDown();
  Manager::shutDown();
  platform::releaseStopSignals();
}

void GameManager::seedRandom() const {
  int seed = Config::getInstance().getRandomSeed();
  if (seed == 0) seed = static_cast<int>(std::time(nullptr));
  seed = ReplayManager::getInstance().takeSeed(seed);
  if (seed != -1) std::srand(static_cast<unsigned int>(seed));
  LogManager::getInstance().writeLog(10, "GameManager()::startUp(): seed is %d", seed);
}

namespace {

// Accepts a waiting connection and announces whole messages for at most
// a fifth of the frame. A message stays announced until a receiver takes
// it, so passes repeat only while some connection still has one.
void genNetworkEvents(const Clock& clock, int frame_time) {
  NetworkManager& network = NetworkManager::getInstance();
  if (network.isServer()) network.accept();
  const long long deadline =
      clock.split() + static_cast<long long>(static_cast<double>(frame_time) * 0.2 * 1000);
  while (network.getNumConnections() > 0) {
    bool delivered = false;
    for (int i = 0; i < network.getNumConnections();) {
      const int before = network.getNumConnections();
      if (network.genDataEvents(i) == 1) delivered = true;
      // A connection that closed moved the later ones down onto index i.
      if (network.getNumConnections() >= before) i++;
    }
    if (!delivered) return;
    if (clock.split() >= deadline) {
      LogManager::getInstance().writeLog("GameManager::run(): Warning! Residual network data.");
      return;
    }
  }
}

}  // namespace

void GameManager::run() {
  LogManager& log = LogManager::getInstance();
  Clock clock;
  log.writeLog(1, "GameManager::run(): starting game loop");
  game_over = false;
  step_count = 0;
  int adjust = 0;
  log.setHoldLines(true);

  while (true) {
    clock.delta();

    DisplayManager::getInstance().swapBuffers();
    InputManager::getInstance().getInput();

    // Input and network data keep coming while paused: something has to
    // be able to resume the game.
    if (!paused) {
      EventStep step(step_count);
      onEvent(&step);
    }

    if (Config::getInstance().getNetworking()) genNetworkEvents(clock, frame_time);

    if (!paused) WorldManager::getInstance().update();
    WorldManager::getInstance().draw();

    // Path searches get 95% of what is left of the frame, which may be
    // nothing; the PathManager then runs for its minimum time. A replay
    // runs the steps its recording ran instead, whatever the time. A
    // paused game gives the searches no time at all.
    ReplayManager& replay = ReplayManager::getInstance();
    PathManager& paths = PathManager::getInstance();
    int path_steps = 0;
    if (!paused) {
      if (replay.isReplaying()) {
        paths.cycleSteps(replay.getPathSteps());
      } else {
        const long long left = static_cast<long long>(frame_time) * 1000 - clock.split() - adjust;
        paths.cycle(static_cast<int>(static_cast<double>(left) * 0.95 / 1000));
      }
      path_steps = paths.getCycleSteps();
    }
    replay.endFrame(path_steps);

    if (!replay.isFastReplay()) sleepRestOfFrame(clock, adjust);
    step_count++;

    if (platform::stopSignal() != 0) {
      if (!stop_logged) {
        log.writeLog("GameManager::run(): Signal %d received, ending the game.",
                     platform::stopSignal());
      }
      stop_logged = true;
      game_over = true;
    }
    log.flush();

    if (game_over) {
      log.setHoldLines(false);
      log.writeLog(1, "GameManager::run(): end of game loop");
      return;
    }
  }
}

void GameManager::sleepRestOfFrame(const Clock& clock, int& adjust) const {
  const int loop_time = clock.split();
  // 64-bit budget: a configured frame time may be large enough to
  // overflow int once turned into microseconds.
  const long long remaining =
      static_cast<long long>(frame_time) * 1000 - loop_time - adjust;
  if (remaining > 0) {
    const int before = clock.split();
    platform::timeSource().sleepMilliseconds(static_cast<int>(remaining / 1000));
    const int after = clock.split();
    const long long oversleep = static_cast<long long>(after) - before - remaining;
    adjust = oversleep > 0 ? static_cast<int>(oversleep) : 0;
  } else if (adjust != 0) {
    adjust = 0;
  } else if (frame_time > 0 && step_count > 0) {
    LogManager::getInstance().writeLog(
        "GameManager::run(): Can't keep up! frame_time %d ms, split %d ms", frame_time,
        loop_time / 1000);
  }
}

void GameManager::setGameOver(bool new_game_over) { game_over = new_game_over; }

bool GameManager::getGameOver() const { return game_over; }

void GameManager::setPaused(bool new_paused) {
  if (new_paused == paused) return;
  paused = new_paused;
  LogManager::getInstance().writeLog(1, paused ? "GameManager::setPaused(): game paused."
                                               : "GameManager::setPaused(): game resumed.");
}

bool GameManager::isPaused() const { return paused; }

int GameManager::getFrameTime() const { return frame_time; }

int GameManager::getStepCount() const { return step_count; }

void GameManager::reset() {
  resetManager();
  game_over = false;
  paused = false;
  frame_time = 33;
  step_count = 0;
  failure.clear();
  stop_logged = false;
  platform::releaseStopSignals();
}

}  // namespace mo
