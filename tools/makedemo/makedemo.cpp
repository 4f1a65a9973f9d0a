// Records the shipped replays by playing the level through the real game
// loop with a scripted player, headless and on a clock that never waits:
//   makedemo win demo.replay          a game won at the chest
//   makedemo lose demo-defeat.replay  a game lost to the enemies
// Run from data/ (make demo-replays does). Exits with 1 when the player
// did not reach the screen it was after; the file is then left as it is.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/Morvane.h"
#include "game/Enemy.h"
#include "game/GameOver.h"
#include "game/Player.h"
#include "game/setUpGame.h"

namespace {

// Sleeps are instant and work takes no time: frames run as fast as the
// machine allows while the recording keeps the game's frame time.
class InstantTime : public mo::platform::TimeSource {
 public:
  long long nowMicroseconds() override { return now_us; }
  void sleepMilliseconds(int ms) override { now_us += ms > 0 ? ms * 1000LL : 0; }

 private:
  long long now_us = 0;
};

mo::Object* firstOf(const std::string& type) {
  const mo::ObjectList list = mo::WorldManager::getInstance().objectsOfType(type);
  return list.isEmpty() ? nullptr : mo::ObjectListIterator(&list).currentObject();
}

// Whether something HARD, or anything the player stands on, is at where
// for the player.
bool solidAt(const mo::Object* p_player, mo::Vector where) {
  const mo::ObjectList found = mo::WorldManager::getInstance().getCollisions(p_player, where);
  for (mo::ObjectListIterator it(&found); !it.isDone(); it.next()) {
    const std::string type = it.currentObject()->getType();
    if (it.currentObject()->getSolidness() == mo::HARD || type == "Platform" ||
        type == "IcePlatform") {
      return true;
    }
  }
  return false;
}

/// Plays the level as a plain player would: starts at the title, walks
/// toward the chest (storey by storey, turning at the end of one), jumps
/// where a jump gets it further than walking (over walls and pits, onto
/// platforms), shoots the enemies ahead, freezes the first one met on the
/// chest's storey with the staff, raises an ice platform under the chest
/// when it stands too high, and presses E beside it. To lose, it walks on
/// and lets the enemies shoot. Back at the title it quits.
class ScriptedPlayer : public mo::InputSource {
 public:
  explicit ScriptedPlayer(bool init_win) : win(init_win) {}

  void frameInput(std::vector<mo::ReplayEvent>& events) override {
    using mo::ReplayEvent;
    frame++;
    const auto* p_over = static_cast<const gh::GameOver*>(firstOf("GameOver"));
    if (p_over && !p_seen_over) {
      p_seen_over = p_over;
      screen = p_over->getAnimation().getSprite()->getLabel();
    }
    const mo::Object* p_title = firstOf("GameStart");
    if (p_title && p_title->isActive() && !p_over) {
      if (frame % 10 == 0) {
        events.push_back(ReplayEvent(mo::KEY_PRESSED, started ? mo::ESCAPE : mo::RETURN));
      }
      if (frame % 10 == 0) started = true;
      return;
    }
    auto* p_player = static_cast<gh::Player*>(firstOf("Player"));
    if (!p_player) return;
    // Presses first, then what is held, as a keyboard sends them.
    std::vector<mo::ReplayEvent> held;
    play(p_player, events, held);
    events.insert(events.end(), held.begin(), held.end());
    if (trace > 0 && frame % trace == 0) {
      std::fprintf(stderr, "frame %d at %.3f,%.3f health %.0f ice %.0f dir %d ground %d\n", frame,
                   static_cast<double>(p_player->getPosition().getX()),
                   static_cast<double>(p_player->getPosition().getY()),
                   static_cast<double>(p_player->getHealth()),
                   static_cast<double>(p_player->getIceEnergy()), dir, p_player->isOnGround());
    }
  }

  // MAKEDEMO_TRACE=N prints the player every Nth frame (1 for every one).
  int trace =
      std::getenv("MAKEDEMO_TRACE") ? std::max(std::atoi(std::getenv("MAKEDEMO_TRACE")), 1) : 0;

  std::string screen;  // the label of the game-over screen reached

 private:
  void press(std::vector<mo::ReplayEvent>& events, mo::KeyCode key) {
    events.push_back(mo::ReplayEvent(mo::KEY_PRESSED, key));
  }
  /// Moves the mouse onto world_at, unless it is there already: a mouse
  /// held still sends nothing.
  void aimAt(std::vector<mo::ReplayEvent>& events, mo::Vector world_at) {
    const mo::Vector view_at = mo::worldToView(world_at);
    if (view_at == aimed_at) return;
    aimed_at = view_at;
    events.push_back(mo::ReplayEvent(mo::MOVED, mo::UNDEFINED_MOUSE_BUTTON, view_at));
  }
  void click(std::vector<mo::ReplayEvent>& events, mo::MouseButton button, mo::Vector world_at) {
    events.push_back(mo::ReplayEvent(mo::CLICKED, button, mo::worldToView(world_at)));
  }

  void play(gh::Player* p_player, std::vector<mo::ReplayEvent>& events,
            std::vector<mo::ReplayEvent>& held) {
    const mo::Vector at = p_player->getPosition();
    const mo::Object* p_chest = firstOf("Chest");
    const bool chest_storey = onChestStorey(at);
    const bool staff = p_player->getWeapon() == gh::STAFF;

    const mo::ObjectList enemies = mo::WorldManager::getInstance().objectsOfType("Enemy");
    for (mo::ObjectListIterator it(&enemies); !it.isDone(); it.next()) {
      frozen_one = frozen_one || static_cast<const gh::Enemy*>(it.currentObject())->isFrozen();
    }
    // The nearest enemy ahead on this storey.
    const mo::Object* p_enemy = nullptr;
    for (mo::ObjectListIterator it(&enemies); !it.isDone(); it.next()) {
      const mo::Vector e = it.currentObject()->getPosition();
      const float dx = (e.getX() - at.getX()) * static_cast<float>(dir);
      if (dx > -2 && dx < 35 && std::fabs(e.getY() - at.getY()) < 4 &&
          (!p_enemy ||
           dx < (p_enemy->getPosition().getX() - at.getX()) * static_cast<float>(dir))) {
        p_enemy = it.currentObject();
      }
    }

    if (!win) {
      // Walks on until an enemy is near, then waits for its shots.
      if (!p_enemy || std::fabs(p_enemy->getPosition().getX() - at.getX()) > 12) {
        walkAndJump(p_player, at, events, held);
      }
      return;
    }

    if (p_enemy) {
      aimAt(events, p_enemy->getPosition());
      if (chest_storey && !frozen_one) {
        // The staff's freeze for the first enemy on the last storey, cast
        // again until one is frozen (an enemy's bullet may stop the cast).
        if (!staff) {
          press(events, mo::TAB);
        } else if (p_player->getIceEnergy() >= 30 && p_player->getStaffCooldown() == 0 &&
                   !firstOf("IceProjectile")) {
          press(events, mo::F);
        }
        return;
      }
      if (staff) {
        press(events, mo::TAB);
      } else if (frame % 15 == 0) {
        click(events, mo::LEFT, p_enemy->getPosition());
      }
      // Stands and shoots for a while, then walks on (over it, or past a
      // wall that stops the shots).
      if (std::fabs(p_enemy->getPosition().getX() - at.getX()) < 15 && standing++ < 60) return;
    } else {
      standing = 0;
    }
    if (!p_enemy && staff && !(p_chest && chest_storey)) press(events, mo::TAB);

    if (p_chest && chest_storey) {
      const mo::Vector c = p_chest->getPosition();
      dir = c.getX() > at.getX() ? 1 : -1;
      if (mo::distance(c, at) <= 4.5f) {
        if (frame % 5 == 0) press(events, mo::E);
        return;
      }
      // Too high to jump to: an ice platform below and ahead.
      if (std::fabs(c.getX() - at.getX()) < 14 && c.getY() < at.getY() - 3 &&
          p_player->isOnGround() && p_player->getIceEnergy() >= 40 && frame % 40 == 0) {
        if (!staff) {
          press(events, mo::TAB);
        } else {
          click(events, mo::LEFT, at + mo::Vector(static_cast<float>(dir) * 4, -2));
        }
      }
    }
    walkAndJump(p_player, at, events, held);
  }

  /// Whether at lies on the chest's storey: not above the chest, and not
  /// more than a storey's floor below it (a player falling from the storey
  /// above is not there yet until it is close).
  static bool onChestStorey(mo::Vector at) {
    const mo::Object* p_chest = firstOf("Chest");
    if (!p_chest) return false;
    const float dy = at.getY() - p_chest->getPosition().getY();
    return dy > -3 && dy < 9;
  }

  void walkAndJump(gh::Player* p_player, mo::Vector at, std::vector<mo::ReplayEvent>& events,
                   std::vector<mo::ReplayEvent>& held) {
    stuck = at == last_at ? stuck + 1 : 0;
    last_at = at;
    // Stuck for long: the end of a storey; turn round.
    if (stuck > 20) {
      dir = -dir;
      stuck = 0;
    }
    held.push_back(mo::ReplayEvent(mo::KEY_DOWN, dir > 0 ? mo::D : mo::A));
    // The world's own walls are not to be climbed: the way on is back.
    const float width = mo::WorldManager::getInstance().getBoundary().getHorizontal();
    const bool edge = dir > 0 ? at.getX() > width - 6 : at.getX() < 5;
    if (!p_player->isOnGround() || edge || !solidAt(p_player, at + mo::Vector(0, 0.01f))) return;
    // Jumps when a jump now gets further in LOOKAHEAD steps than walking:
    // over walls and pits, onto platforms, and not into a ceiling.
    const float velocity = p_player->getVelocity().getY();
    if (reach(p_player, at, velocity, true) > reach(p_player, at, velocity, false) || stuck > 4) {
      press(events, mo::SPACE);
    }
  }

  /// How far (cells in dir) the player would get in LOOKAHEAD steps of
  /// holding the key of dir, jumping at the first one when jump, from at
  /// with the vertical velocity vy (cells per step). A rough copy of the
  /// game's walking, gravity and landing, probed in the world.
  float reach(const gh::Player* p_player, mo::Vector at, float vy, bool jump) const {
    mo::Vector where = at;
    for (int step = 0; step < LOOKAHEAD; step++) {
      const mo::Vector walked = where + mo::Vector(static_cast<float>(dir), 0);
      if (!solidAt(p_player, walked)) where = walked;
      vy = jump && step == 0 ? -1.0f : std::min(vy + 0.125f, 1.25f);
      const mo::Vector moved = where + mo::Vector(0, vy);
      if (!solidAt(p_player, moved)) {
        where = moved;
      } else if (vy > 0) {
        // Lands: the lowest free place above what it met, to a tenth of
        // a cell.
        float free = 0, blocked = vy;
        while (blocked - free > 0.1f) {
          const float mid = (free + blocked) / 2;
          (solidAt(p_player, where + mo::Vector(0, mid)) ? blocked : free) = mid;
        }
        where = where + mo::Vector(0, free);
      }
    }
    return (where.getX() - at.getX()) * static_cast<float>(dir);
  }

  static constexpr int LOOKAHEAD = 24;

  bool win;
  int frame = 0;
  bool started = false;
  int dir = 1;
  int stuck = 0;
  mo::Vector last_at;
  bool frozen_one = false;
  int standing = 0;
  mo::Vector aimed_at{-1, -1};  // where the mouse is, in view cells
  const gh::GameOver* p_seen_over = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || (std::string(argv[1]) != "win" && std::string(argv[1]) != "lose")) {
    std::fprintf(stderr, "usage: makedemo win|lose FILE  (run from data/)\n");
    return 2;
  }
  const bool win = std::string(argv[1]) == "win";
  const std::string file = argv[2];
  const std::string config = "makedemo.cfg";
  std::ofstream(config) << "headless:true,random_seed:20261207,record_file:" << file << ".new,\n";
  setenv("MORVANE_CONFIG", config.c_str(), 1);
  setenv("MORVANE_LOG", "makedemo.log", 1);

  InstantTime instant;
  mo::platform::setTimeSource(&instant);
  mo::GameManager& game_manager = mo::GameManager::getInstance();
  ScriptedPlayer player(win);
  bool ok = false;
  if (game_manager.startUp() == 0) {
    mo::InputManager::getInstance().setInputSource(&player);
    // Gives up after an hour of play.
    mo::ReplayManager::getInstance().setFrameListener([](int frame) {
      if (frame > 30 * 60 * 60) mo::GameManager::getInstance().setGameOver(true);
    });
    gh::setUpGame();
    game_manager.run();
    ok = player.screen == (win ? "game-over-victory" : "game-over");
  }
  game_manager.shutDown();
  mo::platform::setTimeSource(nullptr);
  std::remove(config.c_str());
  const std::string recorded = file + ".new";
  if (!ok) {
    std::fprintf(stderr,
                 "makedemo: the scripted player did not reach the %s screen (it reached "
                 "'%s'); %s is left as it was, the attempt is in %s and makedemo.log.\n",
                 win ? "victory" : "defeat", player.screen.c_str(), file.c_str(), recorded.c_str());
    return 1;
  }
  std::rename(recorded.c_str(), file.c_str());
  std::remove("makedemo.log");
  std::printf("makedemo: recorded %s (%s)\n", file.c_str(), player.screen.c_str());
  return 0;
}
