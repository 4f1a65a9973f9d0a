#include "tools/makedemo/PlainPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/Morvane.h"
#include "game/Enemy.h"
#include "game/GameOver.h"
#include "game/Player.h"

namespace gh {

namespace {

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

}  // namespace

PlainPlayer::PlainPlayer(bool init_win)
    : trace(std::getenv("MAKEDEMO_TRACE") ? std::max(std::atoi(std::getenv("MAKEDEMO_TRACE")), 1)
                                           : 0),
      win(init_win),
      next_win(init_win),
      games_left(1),
      frame(0),
      dir(1),
      stuck(0),
      frozen_one(false),
      standing(0),
      over_shown(false),
      aimed_at(-1, -1) {}

mo::Object* PlainPlayer::firstOf(const std::string& type) {
  const mo::ObjectList list = mo::WorldManager::getInstance().objectsOfType(type);
  return list.isEmpty() ? nullptr : mo::ObjectListIterator(&list).currentObject();
}

void PlainPlayer::frameInput(std::vector<mo::ReplayEvent>& events) {
  frame++;
  const auto* p_over = static_cast<const GameOver*>(firstOf("GameOver"));
  if (p_over && !over_shown) screens.push_back(p_over->getAnimation().getSprite()->getLabel());
  over_shown = p_over != nullptr;
  if (firstOf("GameStart") && !p_over) {
    title(events);
    return;
  }
  auto* p_player = static_cast<Player*>(firstOf("Player"));
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

void PlainPlayer::title(std::vector<mo::ReplayEvent>& events) {
  if (frame % 10 != 0) return;
  if (games_left <= 0) {
    press(events, mo::ESCAPE);
    return;
  }
  games_left--;
  press(events, mo::RETURN);
  // Every game starts afresh, facing right.
  win = next_win;
  dir = 1;
  stuck = 0;
  frozen_one = false;
  standing = 0;
  aimed_at = mo::Vector(-1, -1);
}

void PlainPlayer::press(std::vector<mo::ReplayEvent>& events, mo::KeyCode key) {
  events.push_back(mo::ReplayEvent(mo::KEY_PRESSED, key));
}

void PlainPlayer::aimAt(std::vector<mo::ReplayEvent>& events, mo::Vector world_at) {
  // A mouse held still sends nothing.
  const mo::Vector view_at = mo::worldToView(world_at);
  if (view_at == aimed_at) return;
  aimed_at = view_at;
  events.push_back(mo::ReplayEvent(mo::MOVED, mo::UNDEFINED_MOUSE_BUTTON, view_at));
}

void PlainPlayer::click(std::vector<mo::ReplayEvent>& events, mo::MouseButton button,
                        mo::Vector world_at) {
  events.push_back(mo::ReplayEvent(mo::CLICKED, button, mo::worldToView(world_at)));
}

void PlainPlayer::play(Player* p_player, std::vector<mo::ReplayEvent>& events,
                       std::vector<mo::ReplayEvent>& held) {
  const mo::Vector at = p_player->getPosition();
  const mo::Object* p_chest = firstOf("Chest");
  const bool chest_storey = onChestStorey(at);
  const bool staff = p_player->getWeapon() == STAFF;

  const mo::ObjectList enemies = mo::WorldManager::getInstance().objectsOfType("Enemy");
  for (mo::ObjectListIterator it(&enemies); !it.isDone(); it.next()) {
    frozen_one = frozen_one || static_cast<const Enemy*>(it.currentObject())->isFrozen();
  }
  // The nearest enemy ahead on this storey.
  const mo::Object* p_enemy = nullptr;
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
}

bool PlainPlayer::onChestStorey(mo::Vector at) {
  const mo::Object* p_chest = firstOf("Chest");
  if (!p_chest) return false;
  const float dy = at.getY() - p_chest->getPosition().getY();
  return dy > -3 && dy < 9;
}

void PlainPlayer::walkAndJump(Player* p_player, mo::Vector at, std::vector<mo::ReplayEvent>& events,
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
  // A jump when it gets further than walking: over walls and pits, onto
  // platforms, and not into a ceiling.
  const float velocity = p_player->getVelocity().getY();
  if (reach(p_player, at, velocity, true) > reach(p_player, at, velocity, false) || stuck > 4) {
    press(events, mo::SPACE);
  }
}

float PlainPlayer::reach(const Player* p_player, mo::Vector at, float vy, bool jump) const {
  mo::Vector where = at;
  for (int step = 0; step < LOOKAHEAD; step++) {
    const mo::Vector walked = where + mo::Vector(static_cast<float>(dir), 0);
    if (!solidAt(p_player, walked)) where = walked;
    vy = jump && step == 0 ? -1.0f : std::min(vy + 0.125f, 1.25f);
    const mo::Vector moved = where + mo::Vector(0, vy);
    if (!solidAt(p_player, moved)) {
      where = moved;
    } else if (vy > 0) {
      // Lands: the lowest free place above what it met, to a tenth of a
      // cell.
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

}  // namespace gh
