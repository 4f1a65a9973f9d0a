#include "engine/core/ReplayManager.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/core/InputSource.h"
#include "engine/media/InputManager.h"
#include "engine/net/EventPath.h"
#include "engine/net/PathManager.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"
#include "support/FakeTimeSource.h"
#include "support/playSession.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;

/// Input by frame number, as a person might have given it.
class Script : public InputSource {
 public:
  void frameInput(std::vector<ReplayEvent>& events) override {
    const auto found = frames.find(ReplayManager::getInstance().getFrame());
    if (found != frames.end()) events.insert(events.end(), found->second.begin(), found->second.end());
  }
  std::map<int, std::vector<ReplayEvent>> frames;
};

/// Notes every input event and path result it gets, counts the steps,
/// jumps to a random place every step and ends the game at frame last.
class Probe : public Object {
 public:
  Probe(Lines& init_seen, int& init_steps, int init_last)
      : seen(init_seen), steps(init_steps), last(init_last) {
    registerInterest(KEYBOARD_EVENT);
    registerInterest(MOUSE_EVENT);
    registerInterest(STEP_EVENT);
    setSolidness(SPECTRAL);
  }
  int eventHandler(const Event* p_e) override {
    const int frame = ReplayManager::getInstance().getFrame();
    ReplayEvent input;
    if (ReplayEvent::fromEvent(p_e, input)) {
      seen.push_back(std::to_string(frame) + " " + input.toText());
    } else if (const auto* p_path = dynamic_cast<const EventPath*>(p_e)) {
      seen.push_back(std::to_string(frame) + " path " + toString(p_path->getPath()));
      return Object::eventHandler(p_e);
    } else if (p_e->getType() == STEP_EVENT) {
      steps++;
      setPosition(Vector(static_cast<float>(std::rand() % 80), static_cast<float>(std::rand() % 24)));
      if (frame == last) GameManager::getInstance().setGameOver();
    }
    return 1;
  }

 private:
  Lines& seen;
  int& steps;
  int last;
};

class ReplayManagerTest : public test::EngineTest {
 protected:
  /// Plays a session with a probe (ending it at frame last) that looks
  /// for a path around a wall; the log's lines.
  Lines play(const std::string& name, const std::string& items, Lines& seen, int last = -1,
             InputSource* p_source = nullptr) {
    return test::playSession(tempDir(), name, items, [&] {
      for (int y = 0; y < 20; y++) (new Object)->setPosition(Vector(30, static_cast<float>(y)));
      steps = 0;
      Probe* p_probe = new Probe(seen, steps, last);
      p_probe->setPosition(Vector(0, 0));
      PathManager::getInstance().findPath(p_probe, Vector(60, 2));
      if (p_source) InputManager::getInstance().setInputSource(p_source);
    });
  }
  /// Records the script's session to "s.replay": a frame time of 10 ms
  /// in which every clock reading takes 0.2 ms, so that the path search
  /// spreads over frames.
  Lines record(Lines& seen) {
    test::FakeTimeSource clock;
    clock.tick_us = 200;
    return play("record", "frame_time:10,random_seed:5,record_file:" + path() + ",", seen, -1,
                &script);
  }
  std::string path() const { return tempDir() + "/s.replay"; }

  void SetUp() override {
    EngineTest::SetUp();
    const ReplayEvent down_d(KEY_DOWN, D);
    script.frames = {
        {0, {ReplayEvent(KEY_PRESSED, A), ReplayEvent(KEY_DOWN, A)}},
        {1, {ReplayEvent(KEY_DOWN, A)}},
        {2, {ReplayEvent(KEY_RELEASED, A), ReplayEvent(MOVED, UNDEFINED_MOUSE_BUTTON, Vector(3.5f, 2))}},
        {3, {ReplayEvent(CLICKED, LEFT, Vector(3.5f, 2)), ReplayEvent(PRESSED, LEFT, Vector(3.5f, 2)), down_d}},
        {4, {ReplayEvent(PRESSED, LEFT, Vector(3.5f, 2)), down_d}},
        {5, {ReplayEvent(PRESSED, LEFT, Vector(4, 2.25f)), down_d}},
        {80, {ReplayEvent(KEY_PRESSED, Q), ReplayEvent(), ReplayEvent(KEY_PRESSED, W)}},
    };
  }
  Script script;
  int steps = 0;
};

TEST_F(ReplayManagerTest, ReplaySendsTheRecordedInputPathStepsAndSeedFrameByFrame) {
  Lines recorded;
  const Lines record_log = record(recorded);
  // Only a change of what is held is written; nothing after the close.
  const Lines file = test::readLines(path());
  ASSERT_GE(file.size(), 4u);
  EXPECT_EQ(Lines(file.begin(), file.begin() + 3),
            (Lines{"morvane-replay 1", "engine 4.15", "seed 5"}));
  EXPECT_EQ(test::linesWith(file, " held"),
            (Lines{"0 held key down A", "2 held",
                   "3 held mouse pressed left 3.5 2 ; key down D",
                   "5 held mouse pressed left 4 2.25 ; key down D", "6 held"}));
  EXPECT_EQ(file.back(), "81 end");
  EXPECT_EQ(test::linesWith(record_log, "Recording to"),
            Lines{"   0 ReplayManager::startUp(): Recording to '" + path() + "'."});
  // The search ran over several frames, and ended before the close.
  const Lines path_lines = test::linesWith(file, " path ");
  EXPECT_GT(path_lines.size(), 2u);
  ASSERT_EQ(test::linesWith(recorded, " path ").size(), 1u);
  EXPECT_EQ(recorded.back(), "80 key pressed Q");

  // Another seed and frame time in the configuration, and a clock on
  // which a frame's searches would take no time: the file decides.
  Lines replayed;
  const Lines replay_log = play("replay", "frame_time:0,random_seed:9,replay_file:" + path() + ",",
                                replayed);
  EXPECT_EQ(replayed, recorded);
  EXPECT_EQ(test::linesWith(replay_log, "Warning"), Lines{});
  EXPECT_EQ(test::linesWith(replay_log, "world checks"),
            Lines{"  81 ReplayManager::shutDown(): Replay of '" + path() +
                  "': 3 of 3 world checks matched."});
}

TEST_F(ReplayManagerTest, ChangedSeedIsReportedAtTheFirstWorldCheck) {
  Lines recorded;
  record(recorded);
  std::string text = test::readFile(path());
  text.replace(text.find("seed 5"), 6, "seed 6");
  std::ofstream(path()) << text;
  Lines replayed;
  const Lines log = play("replay", "frame_time:0,replay_file:" + path() + ",", replayed);
  const Lines differs = test::linesWith(log, "differs");
  ASSERT_EQ(differs.size(), 1u);
  EXPECT_EQ(differs[0].rfind(
                "   0 ReplayManager::endFrame(): Warning! The world differs from the recording at "
                "frame 0 (checksum ",
                0),
            0u);
  EXPECT_EQ(test::linesWith(log, "world checks").at(0).substr(4),
            " ReplayManager::shutDown(): Replay of '" + path() + "': 0 of 3 world checks matched.");
}

// A file cut in the middle of a line, a missing file and a garbage file:
// the replay ends cleanly at what it could read, or the player takes
// over (here until frame 50, where the probe ends the game).
TEST_F(ReplayManagerTest, BadOrCutFileEndsTheGameCleanlyOrHandsItToThePlayer) {
  Lines recorded;
  record(recorded);
  const std::string text = test::readFile(path());
  const std::size_t cut = text.find("3 held");
  std::ofstream(tempDir() + "/cut.replay") << text.substr(0, cut + 9);
  std::ofstream(tempDir() + "/garbage.replay") << std::string("\0\x7f\n\xff", 4);
  const struct {
    const char* file;
    bool then_play;
    int end;  // the frame the replay ended at
    int steps;
    std::size_t seen;  // input events, and the path found once the player has the controls
  } rows[] = {{"cut", false, 4, 5, 6}, {"cut", true, 4, 51, 7},
              {"missing", false, 0, 1, 0}, {"garbage", false, 0, 1, 0}};
  for (const auto& row : rows) {
    const std::string file = tempDir() + "/" + row.file + ".replay";
    SCOPED_TRACE(file);
    Lines replayed;
    const Lines log = play("replay", std::string("frame_time:0,replay_then_play:") +
                                         (row.then_play ? "true" : "false") + ",replay_file:" +
                                         file + ",", replayed, 50);
    EXPECT_EQ(test::linesWith(log, "ended at frame").at(0).substr(5),
              "ReplayManager: Replay of '" + file + "' ended at frame " + std::to_string(row.end) +
                  (row.then_play ? "; the player has the controls." : ". Setting game over."));
    EXPECT_EQ(test::linesWith(log, "Game engine stopped").size(), 1u);
    EXPECT_EQ(steps, row.steps);
    EXPECT_EQ(replayed.size(), row.seen);
  }
}

}  // namespace
}  // namespace mo
