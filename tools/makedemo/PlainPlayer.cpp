#include "tools/makedemo/PlainPlayer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/Morvane.h"
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
    : trace(std::getenv("MAKEDEMO_TRACE") != nullptr),
      win(init_win),
      next_win(init_win),
      games_left(1),
      frame(0),
      dir(1),
      stuck(0),
      frozen_one(false),
      standing(0),
      over_shown(false) {}

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
  if (trace && frame % 30 == 0) {
    std::fprintf(stderr, "frame %d at %.1f,%.1f health %.0f ice %.0f dir %d\n", frame,
                 static_cast<double>(p_player->getPosition().getX()),
                 static_cast<double>(p_player->getPosition().getY()),
                 static_cast<double>(p_player->getHealth()),
                 static_cast<double>(p_player->getIceEnergy()), dir);
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
}

void PlainPlayer::press(std::vector<mo::ReplayEvent>& events, mo::KeyCode key) {
  events.push_back(mo::ReplayEvent(mo::KEY_PRESSED, key));
}

void PlainPlayer::aimAt(std::vector<mo::ReplayEvent>& events, mo::Vector world_at) {
  events.push_back(mo::ReplayEvent(mo::MOVED, mo::UNDEFINED_MOUSE_BUTTON, mo::worldToView(world_at)));
}

void PlainPlayer::click(std::vector<mo::ReplayEvent>& events, mo::MouseButton button,
                        mo::Vector world_at) {
  events.push_back(mo::ReplayEvent(mo::CLICKED, button, mo::worldToView(world_at)));
}

void PlainPlayer::play(Player* p_player, std::vector<mo::ReplayEvent>& events,
                       std::vector<mo::ReplayEvent>& held) {
  const mo::Vector at = p_player->getPosition();
  const mo::Object* p_chest = firstOf("Chest");
  const bool chest_storey = p_chest && std::fabs(p_chest->getPosition().getY() - at.getY()) < 12;
  const bool staff = p_player->getWeapon() == STAFF;

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
    if (!p_enemy || std::fabs(p_enemy->getPosition().getX() - at.getX()) > 12) {
      walkAndJump(p_player, at, events, held);
    }
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

}  // namespace gh
