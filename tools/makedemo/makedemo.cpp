// Records the shipped replays by playing the level through the real game
// loop with a scripted player, headless and on a clock that never waits:
//   makedemo win demo.replay          a game won at the chest
//   makedemo lose demo-defeat.replay  a game lost to the enemies
// Run from data/ (make demo-replays does). Exits with 1 when the player
// did not reach the screen it was after; the file is then left as it is.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "engine/Morvane.h"
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
/// over walls and gaps on the chest's storey, shoots the enemies ahead,
/// freezes the first one met on the chest's storey with the staff, raises
/// an ice platform under the chest when it stands too high, and presses E
/// beside it. To lose, it walks on and lets the enemies shoot. Back at
/// the title it quits.
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
      if (frame % 10 == 0) events.push_back(ReplayEvent(mo::KEY_PRESSED, started ? mo::ESCAPE : mo::RETURN));
      if (frame % 10 == 0) started = true;
      return;
    }
    auto* p_player = static_cast<gh::Player*>(firstOf("Player"));
    if (!p_player) return;
    // Presses first, then what is held, as a keyboard sends them.
    std::vector<mo::ReplayEvent> held;
    play(p_player, events, held);
    events.insert(events.end(), held.begin(), held.end());
    if (trace && frame % 30 == 0) {
      std::fprintf(stderr, "frame %d at %.1f,%.1f health %.0f ice %.0f dir %d\n", frame,
                   static_cast<double>(p_player->getPosition().getX()),
                   static_cast<double>(p_player->getPosition().getY()),
                   static_cast<double>(p_player->getHealth()),
                   static_cast<double>(p_player->getIceEnergy()), dir);
    }
  }

  bool trace = std::getenv("MAKEDEMO_TRACE") != nullptr;

  std::string screen;  // the label of the game-over screen reached

 private:
  void press(std::vector<mo::ReplayEvent>& events, mo::KeyCode key) {
    events.push_back(mo::ReplayEvent(mo::KEY_PRESSED, key));
  }
  void aimAt(std::vector<mo::ReplayEvent>& events, mo::Vector world_at) {
    events.push_back(mo::ReplayEvent(mo::MOVED, mo::UNDEFINED_MOUSE_BUTTON, mo::worldToView(world_at)));
  }
  void click(std::vector<mo::ReplayEvent>& events, mo::MouseButton button, mo::Vector world_at) {
    events.push_back(mo::ReplayEvent(mo::CLICKED, button, mo::worldToView(world_at)));
  }

  void play(gh::Player* p_player, std::vector<mo::ReplayEvent>& events,
            std::vector<mo::ReplayEvent>& held) {
    const mo::Vector at = p_player->getPosition();
    const mo::Object* p_chest = firstOf("Chest");
    const bool chest_storey = p_chest && std::fabs(p_chest->getPosition().getY() - at.getY()) < 12;
    const bool staff = p_player->getWeapon() == gh::STAFF;

    // The nearest enemy ahead on this storey.
    const mo::Object* p_enemy = nullptr;
    const mo::ObjectList enemies = mo::WorldManager::getInstance().objectsOfType("Enemy");
    for (mo::ObjectListIterator it(&enemies); !it.isDone(); it.next()) {
      const mo::Vector e = it.currentObject()->getPosition();
      const float dx = (e.getX() - at.getX()) * static_cast<float>(dir);
      if (dx > -2 && dx < 35 && std::fabs(e.getY() - at.getY()) < 4 &&
          (!p_enemy || dx < (p_enemy->getPosition().getX() - at.getX()) * static_cast<float>(dir))) {
        p_enemy = it.currentObject();
      }
    }

    if (!win) {
      // Walks on until an enemy is near, then waits for its shots.
      if (!p_enemy || std::fabs(p_enemy->getPosition().getX() - at.getX()) > 12) walkAndJump(p_player, at, events, held);
      return;
    }

    if (p_enemy) {
      aimAt(events, p_enemy->getPosition());
      if (chest_storey && !frozen_one) {
        // The staff's freeze for the first enemy on the last storey.
        if (!staff) {
          press(events, mo::TAB);
        } else if (p_player->getIceEnergy() >= 30 && frame % 5 == 0) {
          press(events, mo::F);
          frozen_one = true;
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
      if (std::fabs(c.getX() - at.getX()) < 14 && c.getY() < at.getY() - 3 && p_player->isOnGround() &&
          p_player->getIceEnergy() >= 40 && frame % 40 == 0) {
        if (!staff) {
          press(events, mo::TAB);
        } else {
          click(events, mo::LEFT, at + mo::Vector(static_cast<float>(dir) * 4, -2));
        }
      }
    }
    walkAndJump(p_player, at, events, held);
    (void)chest_storey;
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
    const mo::Object* p_chest = firstOf("Chest");
    const bool keep_storey = p_chest && std::fabs(p_chest->getPosition().getY() - at.getY()) < 12;
    const mo::Vector ahead = at + mo::Vector(static_cast<float>(dir) * 2, 0);
    const bool wall = solidAt(p_player, ahead);
    const bool gap = keep_storey && !solidAt(p_player, at + mo::Vector(static_cast<float>(dir) * 3, 2));
    // The world's own walls are not to be climbed: the way on is back.
    const float width = mo::WorldManager::getInstance().getBoundary().getHorizontal();
    const bool edge = dir > 0 ? at.getX() > width - 6 : at.getX() < 5;
    if (p_player->isOnGround() && !edge && (wall || gap || stuck > 4)) press(events, mo::SPACE);
  }

  bool win;
  int frame = 0;
  bool started = false;
  int dir = 1;
  int stuck = 0;
  mo::Vector last_at;
  bool frozen_one = false;
  int standing = 0;
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
    std::fprintf(stderr, "makedemo: the scripted player did not reach the %s screen (it reached "
                 "'%s'); %s is left as it was, the attempt is in %s and makedemo.log.\n",
                 win ? "victory" : "defeat", player.screen.c_str(), file.c_str(), recorded.c_str());
    return 1;
  }
  std::rename(recorded.c_str(), file.c_str());
  std::remove("makedemo.log");
  std::printf("makedemo: recorded %s (%s)\n", file.c_str(), player.screen.c_str());
  return 0;
}
