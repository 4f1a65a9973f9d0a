#include "engine/core/ReplayManager.h"

#include <cstdio>
#include <cstring>

#include "engine/core/Config.h"
#include "engine/core/GameManager.h"
#include "engine/core/InputSource.h"
#include "engine/core/LogManager.h"
#include "engine/media/InputManager.h"
#include "engine/world/ObjectList.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"

namespace mo {

namespace {

// FNV-1a, 32 bits.
class Checksum {
 public:
  void add(const void* p_data, std::size_t size) {
    const auto* p_byte = static_cast<const unsigned char*>(p_data);
    for (std::size_t i = 0; i < size; i++) sum = (sum ^ p_byte[i]) * 16777619u;
  }
  void add(int value) { add(&value, sizeof(value)); }
  void add(float value) { add(&value, sizeof(value)); }
  void add(Vector v) {
    add(v.getX());
    add(v.getY());
  }
  std::uint32_t value() const { return sum; }

 private:
  std::uint32_t sum = 2166136261u;
};

std::string versionText() {
  char text[16];
  std::snprintf(text, sizeof(text), "%.2f", static_cast<double>(MORVANE_VERSION));
  return text;
}

}  // namespace

/// Feeds the InputManager from the replay, frame by frame: the frame's
/// events, then what is held; past the end, the game is over.
class ReplayManager::Source : public InputSource {
 public:
  explicit Source(ReplayManager& init_manager) : manager(init_manager) {}

  void frameInput(std::vector<ReplayEvent>& events) override {
    if (manager.ended) {
      GameManager::getInstance().setGameOver(true);
      return;
    }
    if (manager.frame >= manager.reader.getEndFrame()) {
      manager.endReplay();
      return;
    }
    const ReplayReader::Frame* p_frame = manager.reader.frame(manager.frame);
    if (p_frame) {
      events.insert(events.end(), p_frame->events.begin(), p_frame->events.end());
      if (p_frame->held_changed) held = p_frame->held;
      if (!p_frame->events.empty() && p_frame->events.back().getKind() == ReplayEvent::CLOSE) {
        return;
      }
    }
    events.insert(events.end(), held.begin(), held.end());
  }

 private:
  ReplayManager& manager;
  std::vector<ReplayEvent> held;
};

ReplayManager::ReplayManager()
    : replaying(false),
      fast(false),
      then_play(false),
      frame(0),
      checks_compared(0),
      checks_differed(0) {
  setType("ReplayManager");
}

ReplayManager::~ReplayManager() = default;

ReplayManager& ReplayManager::getInstance() {
  static ReplayManager replay_manager;
  return replay_manager;
}

int ReplayManager::startUp() {
  const LogManager& log = LogManager::getInstance();
  if (isStarted()) {
    log.writeLog("ReplayManager::startUp(): Already started.");
    return 0;
  }
  Config& config = Config::getInstance();
  frame = 0;
  checks_compared = 0;
  checks_differed = 0;
  ended = false;
  replay_file = config.getReplayFile();
  if (!replay_file.empty()) {
    replaying = true;
    then_play = config.getReplayThenPlay();
    fast = config.getFrameTime() == 0;
    if (reader.load(replay_file)) {
      config.applyPlayConfig(reader.getConfig());
      if (reader.getEngineVersion() != versionText()) {
        log.writeLog("ReplayManager::startUp(): Warning! '%s' was recorded by engine version '%s', "
                     "this is %s; the replay may differ.", replay_file.c_str(),
                     reader.getEngineVersion().c_str(), versionText().c_str());
      }
      log.writeLog("ReplayManager::startUp(): Replaying '%s', %d frames.", replay_file.c_str(),
                   reader.getEndFrame());
    }
    p_source = std::make_unique<Source>(*this);
    InputManager::getInstance().setInputSource(p_source.get());
  }
  const std::string record_file = config.getRecordFile();
  if (!record_file.empty() && recorder.open(record_file) == 0) {
    log.writeLog("ReplayManager::startUp(): Recording to '%s'.", record_file.c_str());
  }
  return Manager::startUp();
}

void ReplayManager::shutDown() {
  recorder.close(frame);
  if (!replay_file.empty()) {
    LogManager::getInstance().writeLog(
        "ReplayManager::shutDown(): Replay of '%s': %d of %d world checks matched.",
        replay_file.c_str(), checks_compared - checks_differed, checks_compared);
  }
  Manager::shutDown();
}

int ReplayManager::takeSeed(int seed) {
  if (replaying && reader.hasSeed()) {
    seed = reader.getSeed();
  } else if (replaying && reader.isUsable()) {
    LogManager::getInstance().writeLog(
        "ReplayManager::takeSeed(): Warning! '%s' gives no seed; seed %d may not replay it.",
        replay_file.c_str(), seed);
  }
  recorder.writeHeader(versionText(), seed, Config::getInstance().getPlayConfig());
  return seed;
}

bool ReplayManager::isReplaying() const { return replaying; }

bool ReplayManager::isFastReplay() const { return replaying && fast; }

void ReplayManager::noteInput(const ReplayEvent& event) { recorder.noteEvent(event); }

int ReplayManager::getPathSteps() const {
  const ReplayReader::Frame* p_frame = replaying ? reader.frame(frame) : nullptr;
  return p_frame ? p_frame->path_steps : 0;
}

void ReplayManager::endFrame(int steps) {
  const bool check = frame % CHECK_FRAMES == 0 && (replaying || isRecording());
  const std::uint32_t sum = check ? worldChecksum() : 0;
  recorder.endFrame(frame, steps, check, sum);
  const ReplayReader::Frame* p_frame = replaying ? reader.frame(frame) : nullptr;
  if (check && p_frame && p_frame->has_check) {
    checks_compared++;
    if (p_frame->check != sum && checks_differed++ == 0) {
      LogManager::getInstance().writeLog(
          "ReplayManager::endFrame(): Warning! The world differs from the recording at frame %d "
          "(checksum %08x, recorded %08x); the replay is no longer exact.",
          frame, static_cast<unsigned int>(sum), static_cast<unsigned int>(p_frame->check));
    }
  }
  if (frame_listener) frame_listener(frame);
  frame++;
}

void ReplayManager::endReplay() {
  ended = true;
  const LogManager& log = LogManager::getInstance();
  if (then_play) {
    replaying = false;
    log.writeLog("ReplayManager: Replay of '%s' ended at frame %d; the player has the controls.",
                 replay_file.c_str(), frame);
    InputManager::getInstance().setInputSource(nullptr);
  } else {
    log.writeLog("ReplayManager: Replay of '%s' ended at frame %d. Setting game over.",
                 replay_file.c_str(), frame);
    GameManager::getInstance().setGameOver(true);
  }
}

void ReplayManager::setFrameListener(std::function<void(int)> listener) {
  frame_listener = std::move(listener);
}

std::uint32_t ReplayManager::worldChecksum() {
  Checksum sum;
  const WorldManager& world = WorldManager::getInstance();
  const ObjectList all = world.getAllObjects(true);
  for (ObjectListIterator it(&all); !it.isDone(); it.next()) {
    const Object* p_o = it.currentObject();
    sum.add(p_o->getId());
    const std::string type = p_o->getType();
    sum.add(type.data(), type.size());
    sum.add(p_o->getPosition());
    sum.add(p_o->getVelocity());
    sum.add(static_cast<int>(p_o->getSolidness()));
    sum.add(p_o->getAltitude());
    sum.add(p_o->isActive() ? 1 : 0);
  }
  sum.add(world.getView().getCorner());
  return sum.value();
}

void ReplayManager::reset() {
  recorder.close(frame);
  InputManager& input = InputManager::getInstance();
  if (p_source && input.getInputSource() == p_source.get()) input.setInputSource(nullptr);
  p_source.reset();
  reader = ReplayReader();
  replay_file.clear();
  replaying = false;
  ended = false;
  fast = false;
  then_play = false;
  frame = 0;
  checks_compared = 0;
  checks_differed = 0;
  frame_listener = nullptr;
  resetManager();
}

}  // namespace mo
