// The whole game recorded and replayed through the real loop: the
// platformer's own set-up, splash screen and title, headless.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "engine/Morvane.h"
#include "game/Chest.h"
#include "game/GameOver.h"
#include "game/GameStart.h"
#include "game/Player.h"
#include "game/setUpGame.h"
#include "tests/game/GameFixture.h"
#include "support/playSession.h"

namespace gh {
namespace test {
namespace {

using Lines = std::vector<std::string>;

/// Watches a session at the end of every frame: the screen every 30th
/// frame, the game-over screens shown, and each life of the player (how
/// many frames it has lived). With cheats it also ends the first life at
/// its 130th frame and puts the second beside the chest, the same in a
/// recording and in its replay.
class Watcher {
 public:
  explicit Watcher(bool init_cheats) : cheats(init_cheats) {}

  void install() {
    mo::DisplayManager::getInstance().setCharGrid(&grid);
    mo::ReplayManager::getInstance().setFrameListener([this](int frame) { frameEnded(frame); });
  }
  void frameEnded(int frame) {
    Player* p_player = static_cast<Player*>(firstOf("Player"));
    const int id = p_player ? p_player->getId() : -1;
    if (id != player_id && p_player) lives++;
    life_frames = id == player_id ? life_frames + 1 : 0;
    player_id = id;
    if (p_player && cheats && lives == 1 && life_frames == 130) p_player->hurt(1000);
    const mo::Object* p_chest = firstOf("Chest");
    if (p_player && p_chest && cheats && lives == 2 && life_frames == 1) {
      p_player->setPosition(p_chest->getPosition() - mo::Vector(3, 0));
    }
    const auto* p_over = static_cast<const GameOver*>(firstOf("GameOver"));
    if (p_over && p_over != p_last_over) {
      screens.push_back(p_over->getAnimation().getSprite()->getLabel());
    }
    p_last_over = p_over;
    const mo::Object* p_title = firstOf("GameStart");
    title_shown = p_title && p_title->isActive() && !p_over;
    if (frame % 30 == 0) grids.push_back(grid.toString());
    for (const char* type : {"Bullet", "IceProjectile", "IceWall", "IceFreezeCircle"}) {
      if (firstOf(type)) types.insert(type);
    }
  }

  mo::CharGrid grid{80, 24};
  Lines grids;
  Lines screens;  // the labels of the game-over screens, in order
  std::set<std::string> types;  // of shots and casts seen
  bool title_shown = false;
  int lives = 0;
  int life_frames = 0;

 private:
  bool cheats;
  int player_id = -1;
  const GameOver* p_last_over = nullptr;
};

/// Plays like a person who walks, jumps, shoots, switches to the staff,
/// freezes, raises a wall, walks back, dies (helped by the watcher),
/// starts again, opens the chest and quits at the title.
class ScriptedPlayer : public mo::InputSource {
 public:
  explicit ScriptedPlayer(const Watcher& init_watcher) : watcher(init_watcher) {}
  void frameInput(std::vector<mo::ReplayEvent>& events) override {
    using mo::ReplayEvent;
    if (watcher.title_shown) {
      if (title_pressed != watcher.lives) {
        title_pressed = watcher.lives;
        events.push_back(ReplayEvent(mo::KEY_PRESSED, watcher.lives < 2 ? mo::RETURN : mo::ESCAPE));
      }
      return;
    }
    if (watcher.lives == 0 || !firstOf("Player")) return;
    const int t = watcher.life_frames;
    if (watcher.lives == 2) {
      if (t == 3) events.push_back(ReplayEvent(mo::KEY_PRESSED, mo::E));
      return;
    }
    const mo::Vector ahead(45, 12);
    if (t == 5) events.push_back(ReplayEvent(mo::KEY_PRESSED, mo::SPACE));
    if (t == 25) events.push_back(ReplayEvent(mo::MOVED, mo::UNDEFINED_MOUSE_BUTTON, ahead));
    if (t == 26 || t == 40) events.push_back(ReplayEvent(mo::CLICKED, mo::LEFT, ahead));
    if (t == 50) events.push_back(ReplayEvent(mo::KEY_PRESSED, mo::TAB));
    if (t == 55) events.push_back(ReplayEvent(mo::KEY_PRESSED, mo::F));
    if (t == 90) events.push_back(ReplayEvent(mo::CLICKED, mo::RIGHT, ahead));
    if (t >= 1 && t < 20) events.push_back(ReplayEvent(mo::KEY_DOWN, mo::D));
    if (t >= 110 && t < 120) events.push_back(ReplayEvent(mo::KEY_DOWN, mo::A));
  }

 private:
  const Watcher& watcher;
  int title_pressed = -1;
};

class GameReplayTest : public mo::test::EngineTest {
 protected:
  /// A session of the game from the data folder; the log's lines
  /// without those of the recording and replay themselves, and without
  /// the missing audio device, which a process reports only once.
  Lines play(const std::string& name, const std::string& items, Watcher& watcher,
             mo::InputSource* p_source = nullptr) {
    const std::string cwd = workingDir();
    EXPECT_EQ(chdir(dataDir().c_str()), 0);
    const Lines log = mo::test::playSession(tempDir(), name, "frame_time:0," + items, [&] {
      watcher.install();
      if (p_source) mo::InputManager::getInstance().setInputSource(p_source);
      setUpGame();
    });
    EXPECT_EQ(chdir(cwd.c_str()), 0);
    Lines game_lines;
    for (const std::string& line : log) {
      if (line.find("ReplayManager") == std::string::npos &&
          line.find("ReplayReader") == std::string::npos &&
          line.find("audioOutputAvailable") == std::string::npos) {
        game_lines.push_back(line);
      }
    }
    return game_lines;
  }
  std::string path() const { return tempDir() + "/game.replay"; }

  /// Replays data/file headless and checks that it shows the screen
  /// labelled screen once, ends at the title and shows shots and casts of
  /// each of the types.
  void checkShipped(const std::string& file, const std::string& screen,
                    const std::set<std::string>& types = {}) {
    const std::string remake = "; record it again with `make demo-replays` (see the README).";
    ASSERT_TRUE(std::ifstream(dataDir() + "/" + file)) << "data/" << file << " is missing" << remake;
    Watcher watcher(false);
    // The game runs in the data folder, as `make demo` runs it.
    play(file, "replay_file:" + file + ",", watcher);
    EXPECT_EQ(watcher.screens, Lines{screen})
        << "data/" << file << " no longer reaches the " << screen
        << " screen: the level or the rules changed since it was recorded" << remake;
    EXPECT_TRUE(watcher.title_shown) << "data/" << file << " does not end at the title" << remake;
    for (const std::string& type : types) {
      EXPECT_EQ(watcher.types.count(type), 1u) << "data/" << file << " shows no " << type << remake;
    }
  }
};

TEST_F(GameReplayTest, RecordedSessionReplaysToTheSameScreensAndLog) {
  Watcher recording(true);
  ScriptedPlayer player(recording);
  const Lines record_log =
      play("record", "random_seed:1234,record_file:" + path() + ",", recording, &player);
  // The session did what it was meant to.
  EXPECT_EQ(recording.lives, 2);
  EXPECT_EQ(recording.screens, (Lines{"game-over", "game-over-victory"}));
  EXPECT_TRUE(recording.title_shown);
  EXPECT_EQ(recording.types,
            (std::set<std::string>{"Bullet", "IceFreezeCircle", "IceProjectile", "IceWall"}));
  EXPECT_GT(recording.grids.size(), 5u);

  Watcher replay(true);
  const Lines replay_log = play("replay", "replay_file:" + path() + ",", replay);
  EXPECT_EQ(replay.screens, recording.screens);
  ASSERT_EQ(replay.grids.size(), recording.grids.size());
  for (std::size_t i = 0; i < replay.grids.size(); i++) {
    EXPECT_EQ(replay.grids[i], recording.grids[i]) << "frame " << i * 30;
  }
  EXPECT_EQ(replay_log.size(), record_log.size());
  for (std::size_t i = 0; i < replay_log.size() && i < record_log.size(); i++) {
    ASSERT_EQ(replay_log[i], record_log[i]) << "log line " << i;
  }
}

// The shipped runs, replayed as `make demo` plays them but headless.
TEST_F(GameReplayTest, ShippedWinningRunReachesTheVictoryScreenAndTheTitle) {
  checkShipped("demo.replay", "game-over-victory", {"Bullet", "IceProjectile", "IceFreezeCircle"});
}

TEST_F(GameReplayTest, ShippedLosingRunReachesTheDefeatScreenAndTheTitle) {
  checkShipped("demo-defeat.replay", "game-over");
}

}  // namespace
}  // namespace test
}  // namespace gh
