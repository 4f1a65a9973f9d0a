// A long session of the whole game through the real loop: the platformer's
// own set-up, headless and unpaced, played by a seeded scripted player
// through game after game. MORVANE_SOAK_GAMES and MORVANE_SOAK_FRAMES set
// how long (`make soak` runs the long one); MORVANE_SOAK_SEED the seed.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/Morvane.h"
#include "game/Player.h"
#include "game/setUpGame.h"
#include "support/playSession.h"
#include "tests/game/GameFixture.h"
#include "tools/makedemo/PlainPlayer.h"

#if defined(__SANITIZE_ADDRESS__)
#define MO_SOAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MO_SOAK_SANITIZED 1
#endif
#endif

namespace gh {
namespace test {
namespace {

// The suite's soak is kept short, to a few seconds of processor time:
// the sanitizer build runs a frame about eight times slower.
#ifdef MO_SOAK_SANITIZED
// The sanitizers' own bookkeeping grows as the program runs.
constexpr bool MEMORY_MEASURED = false;
constexpr int SUITE_GAMES = 3;
constexpr int SUITE_FRAMES = 2000;
#else
constexpr bool MEMORY_MEASURED = true;
constexpr int SUITE_GAMES = 8;
constexpr int SUITE_FRAMES = 15000;
#endif

/// Growth of the resident set allowed between the title after warm-up
/// and the last title, in KiB.
constexpr long MEMORY_SLACK_KIB = 2048;
/// Log bytes allowed per frame, on average after warm-up. Every enemy
/// and shot made writes its four lines about the events it asked for
/// (about 25 bytes per frame in all); a line written every frame, 14
/// bytes of time and frame before its message, would pass the bound.
constexpr double LOG_BYTES_PER_FRAME = 40.0;
/// Games played before the measures start.
constexpr int WARM_UP_GAMES = 2;

int fromEnv(const char* name, int fallback) {
  const char* p_value = std::getenv(name);
  return p_value && std::atoi(p_value) > 0 ? std::atoi(p_value) : fallback;
}

/// The resident set of this process, in KiB; 0 where it cannot be read.
long residentKib() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  if (!(statm >> pages >> resident)) return 0;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

/// Every object of the world by type, inactive ones too.
std::map<std::string, int> census() {
  std::map<std::string, int> count;
  const mo::ObjectList all = mo::WorldManager::getInstance().getAllObjects(true);
  for (mo::ObjectListIterator it(&all); !it.isDone(); it.next()) count[it.currentObject()->getType()]++;
  return count;
}

std::string listed(const std::map<std::string, int>& count) {
  std::ostringstream out;
  for (const auto& entry : count) out << entry.first << " " << entry.second << ", ";
  return out.str();
}

/// The plain player with a restless hand: now and then, at random from
/// its seed, it also jumps, reloads, switches weapon, fires or casts at a
/// random spot, freezes and pauses for a moment.
class SoakPlayer : public mo::InputSource {
 public:
  explicit SoakPlayer(unsigned seed) : plain(true), random(seed) {}

  void frameInput(std::vector<mo::ReplayEvent>& events) override {
    plain.frameInput(events);
    const Player* p_player = static_cast<const Player*>(firstOf("Player"));
    if (!p_player) return;
    if (mo::GameManager::getInstance().isPaused()) {
      if (--paused_frames <= 0) press(events, mo::P);
      return;
    }
    const unsigned roll = random() % 1000;
    const mo::Vector spot = p_player->getPosition() +
                            mo::Vector(static_cast<float>(random() % 41) - 20.0f,
                                       static_cast<float>(random() % 13) - 6.0f);
    if (roll < 20) press(events, mo::SPACE);
    if (roll >= 20 && roll < 30) press(events, mo::R);
    if (roll >= 30 && roll < 40) press(events, mo::TAB);
    const mo::Vector at = mo::worldToView(spot);
    if (roll >= 40 && roll < 50) {
      // Aims at the spot and fires (or with the staff raises a platform).
      events.push_back(mo::ReplayEvent(mo::MOVED, mo::UNDEFINED_MOUSE_BUTTON, at));
      events.push_back(mo::ReplayEvent(mo::CLICKED, mo::LEFT, at));
    }
    if (roll >= 50 && roll < 58 && p_player->getIceEnergy() >= 40) {
      // Takes the staff and casts a platform, a wall and a freeze in
      // turn, when the energy suffices for any of them.
      events.push_back(mo::ReplayEvent(mo::MOVED, mo::UNDEFINED_MOUSE_BUTTON, at));
      if (p_player->getWeapon() == GUN) press(events, mo::TAB);
      const int cast = casts++ % 3;
      if (cast == 2) {
        press(events, mo::F);
      } else {
        events.push_back(mo::ReplayEvent(mo::CLICKED, cast == 0 ? mo::LEFT : mo::RIGHT, at));
      }
    }
    if (roll == 58) {
      paused_frames = 10 + static_cast<int>(random() % 50);
      press(events, mo::P);
    }
  }

  PlainPlayer plain;

 private:
  static void press(std::vector<mo::ReplayEvent>& events, mo::KeyCode key) {
    events.push_back(mo::ReplayEvent(mo::KEY_PRESSED, key));
  }

  std::mt19937 random;
  int paused_frames = 0;
  int casts = 0;
};

/// What the soak measured.
struct Figures {
  int frames = 0;
  int games = 0;
  int victories = 0;
  int defeats = 0;
  int peak_objects = 0;
  long start_kib = 0;  // at the first title
  long warm_kib = 0;   // at the title after the warm-up games
  long end_kib = 0;    // at the last title
  int warm_frame = 0;
  long warm_log_bytes = 0;
  long end_log_bytes = 0;
  int mismatches = 0;  // titles whose world differed from the first one's
  std::set<std::string> seen;  // shots and casts seen, "reload" and "pause"
};

/// Runs the soak from the end of every frame: counts frames and objects,
/// checks the world at each return to the title against the first title,
/// measures memory and the log there, decides whether another game is to
/// be played and how (to win or to lose), and ends a game that runs too
/// long: one played to win by putting the player beside the chest, one
/// played to lose (or a win that found no way) by its death.
class Soak {
 public:
  Soak(SoakPlayer& init_player, std::string init_log, int init_games, int init_frames, unsigned seed)
      : player(init_player),
        log_path(std::move(init_log)),
        games_wanted(init_games),
        frames_wanted(init_frames),
        // Games last 300 frames and up to game_span more, which a short
        // soak shortens to spread its frames over its games.
        game_span(std::max(300, std::min(3000, 2 * init_frames / init_games - 600))),
        random(seed + 1) {}

  void frameEnded() {
    figures.frames++;
    const mo::ObjectList all = mo::WorldManager::getInstance().getAllObjects(true);
    figures.peak_objects = std::max(figures.peak_objects, all.getCount());
    if (figures.frames > 4 * frames_wanted + 20000) {
      ADD_FAILURE() << "the soak did not end: " << figures.games << " games in " << figures.frames
                    << " frames";
      mo::GameManager::getInstance().setGameOver(true);
    }
    Player* p_player = static_cast<Player*>(firstOf("Player"));
    if (p_player) {
      inPlay(p_player);
    } else if (firstOf("GameStart") && !firstOf("GameOver")) {
      atTitle();
    }
  }

  Figures figures;

 private:
  void inPlay(Player* p_player) {
    if (p_player->getId() != player_id) {
      player_id = p_player->getId();
      life_frames = 0;
      in_game = true;
      end_at = 300 + static_cast<int>(random() % static_cast<unsigned>(game_span));
    }
    life_frames++;
    if (p_player->getReloadTimer() > 0) figures.seen.insert("reload");
    if (life_frames % 5 == 0) {
      for (const char* type : {"Bullet", "IceProjectile", "IcePlatform", "IceWall", "IceFreezeCircle"}) {
        if (firstOf(type)) figures.seen.insert(type);
      }
    }
    if (mo::GameManager::getInstance().isPaused()) {
      figures.seen.insert("pause");
      return;
    }
    if (life_frames == end_at && playing_to_win) {
      const mo::Object* p_chest = firstOf("Chest");
      if (p_chest) p_player->setPosition(p_chest->getPosition() - mo::Vector(3, 0));
    }
    if (life_frames >= end_at + (playing_to_win ? 600 : 0)) p_player->hurt(1000);
  }

  void atTitle() {
    if (!title_seen) {
      title_seen = true;
      title = census();
      figures.start_kib = residentKib();
      choose();
      return;
    }
    if (!in_game) return;
    // A game has just ended: the world is the title's again.
    in_game = false;
    figures.games++;
    const std::map<std::string, int> now = census();
    if (now != title) {
      figures.mismatches++;
      ADD_FAILURE() << "after game " << figures.games << " the world holds " << listed(now)
                    << "where the title held " << listed(title);
    }
    const std::vector<std::string>& screens = player.plain.getScreens();
    figures.victories = static_cast<int>(std::count(screens.begin(), screens.end(), "game-over-victory"));
    figures.defeats = static_cast<int>(std::count(screens.begin(), screens.end(), "game-over"));
    const long log_bytes = static_cast<long>(std::filesystem::file_size(log_path));
    if (figures.games == WARM_UP_GAMES) {
      figures.warm_kib = residentKib();
      figures.warm_frame = figures.frames;
      figures.warm_log_bytes = log_bytes;
    }
    figures.end_kib = residentKib();
    figures.end_log_bytes = log_bytes;
    choose();
  }

  /// Whether another game is played, and how.
  void choose() {
    const bool more = figures.games < games_wanted || figures.frames < frames_wanted;
    player.plain.setGamesLeft(more ? 1 : 0);
    // Wins and losses take turns; the seed varies how long each lasts.
    playing_to_win = figures.games % 2 == 0;
    player.plain.setWin(playing_to_win);
  }

  SoakPlayer& player;
  std::string log_path;
  int games_wanted;
  int frames_wanted;
  int game_span;
  std::mt19937 random;
  std::map<std::string, int> title;
  bool title_seen = false;
  bool in_game = false;
  bool playing_to_win = true;
  int player_id = -1;
  int life_frames = 0;
  int end_at = 0;
};

class GameSoakTest : public mo::test::EngineTest {};

TEST_F(GameSoakTest, GamesAfterGamesLeaveTheTitlesWorldAndNeitherMemoryNorTheLogGrows) {
  const int games = fromEnv("MORVANE_SOAK_GAMES", SUITE_GAMES);
  const int frames = fromEnv("MORVANE_SOAK_FRAMES", SUITE_FRAMES);
  const unsigned seed = static_cast<unsigned>(fromEnv("MORVANE_SOAK_SEED", 17));
  SoakPlayer player(seed);
  Soak soak(player, tempDir() + "/soak.log", games, frames, seed);

  const std::string cwd = workingDir();
  ASSERT_EQ(chdir(dataDir().c_str()), 0);
  mo::test::playSession(tempDir(), "soak", "frame_time:0,random_seed:" + std::to_string(seed) + ",",
                        [&] {
                          mo::ReplayManager::getInstance().setFrameListener(
                              [&](int) { soak.frameEnded(); });
                          mo::InputManager::getInstance().setInputSource(&player);
                          setUpGame();
                        });
  ASSERT_EQ(chdir(cwd.c_str()), 0);

  const Figures& f = soak.figures;
  const double log_per_frame =
      f.frames > f.warm_frame
          ? static_cast<double>(f.end_log_bytes - f.warm_log_bytes) / (f.frames - f.warm_frame)
          : 0.0;
  std::printf("soak: seed %u, %d frames, %d games (%d won, %d lost), peak objects %d, "
              "memory %ld KiB at the first title, %ld KiB after %d games, %ld KiB at the end%s, "
              "log %.2f bytes per frame after warm-up\n",
              seed, f.frames, f.games, f.victories, f.defeats, f.peak_objects, f.start_kib,
              f.warm_kib, WARM_UP_GAMES, f.end_kib, MEMORY_MEASURED ? "" : " (not checked: sanitizers)",
              log_per_frame);

  EXPECT_GE(f.games, games);
  EXPECT_GE(f.frames, frames);
  EXPECT_EQ(f.victories + f.defeats, f.games);
  EXPECT_GT(f.victories, 0);
  EXPECT_GT(f.defeats, 0);
  EXPECT_EQ(f.mismatches, 0);
  EXPECT_EQ(f.seen, (std::set<std::string>{"Bullet", "IceFreezeCircle", "IcePlatform", "IceProjectile",
                                           "IceWall", "pause", "reload"}));
  EXPECT_LE(log_per_frame, LOG_BYTES_PER_FRAME);
  if (MEMORY_MEASURED) {
    EXPECT_LE(f.end_kib - f.warm_kib, MEMORY_SLACK_KIB);
  }
}

}  // namespace
}  // namespace test
}  // namespace gh
