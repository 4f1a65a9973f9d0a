#include "game/Player.h"

#include <algorithm>

#include "engine/core/EventCollision.h"
#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/core/GameManager.h"
#include "engine/core/utility.h"
#include "engine/media/Precipitation.h"
#include "engine/media/addParticles.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"
#include "game/Bullet.h"
#include "game/Enemy.h"
#include "game/GameOver.h"
#include "game/Hud.h"
#include "game/IceProjectile.h"
#include "game/Pause.h"
#include "game/Reticle.h"
#include "game/animateWalk.h"
#include "game/playSound.h"
#include "game/walkSideways.h"

namespace gh {

namespace {

/// The width of the HP box's health bar, in cells.
const int HEALTH_BAR_CELLS = 10;

/// A new HUD item.
Hud* makeHud(mo::ViewObjectLocation location, const char* text, int value, mo::Color color) {
  Hud* p_view = new Hud;
  p_view->setLocation(location);
  p_view->setViewString(text);
  p_view->setValue(value);
  p_view->setColor(color);
  return p_view;
}

/// Whether standing on an object of this type counts as ground.
bool isGround(const mo::Object* p_o) {
  static const char* const GROUND[] = {"Floor",      "Platform", "IcePlatform", "IceWall",
                                       "LedgeGuard", "RightWall", "LeftWall"};
  const std::string type = p_o->getType();
  for (const char* ground : GROUND) {
    if (type == ground) return true;
  }
  const Enemy* p_enemy = dynamic_cast<const Enemy*>(p_o);
  return p_enemy && p_enemy->isFrozen();
}

/// The velocity (cells per step) of a shot that flies at speed from where
/// it appeared through target. A shot appears beside the player, so a line
/// from the player's centre would pass beside the target; that line serves
/// only for a target on the very spot where the shot appeared.
mo::Vector aimThrough(const mo::Object* p_shot, mo::Vector target, mo::Vector centre, float speed) {
  mo::Vector direction = target - p_shot->getPosition();
  if (direction == mo::Vector()) direction = target - centre;
  direction.normalize();
  direction.scale(speed);
  return direction;
}

}  // namespace

Player::Player() {
  setType("Player");
  showSprite("player-right-gun");
  // The first frame stays until the player moves.
  animateWalk(this, false);

  weapon = GUN;
  facing = FACE_RIGHT;
  spawn_point = mo::Vector(0, 0);
  last_position = mo::Vector(0, 0);
  fire_cooldown_reset = 14;
  fire_cooldown = 14;
  reload_timer = 0;
  staff_cooldown = 30;
  staff_cooldown_reset = 30;
  footstep_interval = 10;
  footstep_counter = 0;
  magazine_capacity = 8;
  magazine = 8;
  reserves = 64;
  victory = false;
  on_ground = false;
  jump_requested = false;
  max_health = 100.0f;
  health = 100.0f;
  max_ice_energy = 100.0f;
  ice_energy = 50.0f;
  platform_lifetime = 10;
  platform_cost = 40.0f;
  wall_lifetime = 7;
  wall_cost = 20.0f;
  freeze_cost = 30.0f;

  registerInterest(mo::KEYBOARD_EVENT);
  registerInterest(mo::MOUSE_EVENT);
  registerInterest(mo::STEP_EVENT);
  registerInterest(mo::COLLISION_EVENT);

  p_reticle = new Reticle;
  p_reticle->draw();

  p_magazine_view = makeHud(mo::BOTTOM_LEFT, "Magazine", magazine, mo::GREEN);
  p_reserves_view = makeHud(mo::BOTTOM_CENTER, "Reserves", reserves, mo::GREEN);
  p_ice_energy_view =
      makeHud(mo::BOTTOM_RIGHT, "Ice Energy", static_cast<int>(ice_energy), mo::CYAN);
  Hud* p_health = makeHud(mo::TOP_CENTER, "HP", static_cast<int>(health), mo::RED);
  p_health->setBar(static_cast<int>(max_health), HEALTH_BAR_CELLS);
  p_health_view = p_health;
  p_pause = new Pause;

  mo::addParticles(0, mo::DRIFT_DOWN, 2.0f);

  mo::WorldManager::getInstance().setViewFollowing(this);
}

Player::~Player() {
  mo::WorldManager& world = mo::WorldManager::getInstance();
  // At shut-down the world deletes everything itself; a game-over screen
  // made then could not enter the world and would never be deleted.
  if (!world.isStarted()) return;
  if (!victory) playSound("player-death");
  if (p_reticle) world.markForDelete(p_reticle);
  new GameOver(victory);
}

int Player::eventHandler(const mo::Event* p_e) {
  const std::string type = p_e->getType();
  if (type == mo::KEYBOARD_EVENT) {
    keyboard(p_e);
    return 1;
  }
  if (type == mo::MOUSE_EVENT) {
    mouse(p_e);
    return 1;
  }
  if (type == mo::STEP_EVENT) {
    step();
    return 1;
  }
  if (type == mo::COLLISION_EVENT) {
    collide(p_e);
    return 1;
  }
  if (type == mo::OUT_EVENT) {
    setPosition(spawn_point);
    hurt(10.0f);
    return 1;
  }
  return 0;
}

void Player::showWeaponSprite() {
  if (weapon == GUN) {
    showSprite(facing == FACE_LEFT ? "player-left-gun" : "player-right-gun");
  } else {
    showSprite(facing == FACE_LEFT ? "player-left-staff" : "player-right-staff");
  }
}

void Player::showSprite(const char* label) {
  if (setSprite(label) != 0) return;
  mo::Box box = getBox();
  box.setCorner(box.getCorner() + mo::Vector(0, HEAD_TRIM));
  box.setVertical(box.getVertical() - HEAD_TRIM);
  setBox(box);
}

void Player::keyboard(const mo::Event* p_e) {
  const auto* p_key = static_cast<const mo::EventKeyboard*>(p_e);
  const mo::KeyCode key = p_key->getKey();
  const mo::KeyboardAction action = p_key->getKeyboardAction();
  if ((key == mo::P || key == mo::PAUSE) && action == mo::KEY_PRESSED) {
    p_pause->toggle();
    return;
  }
  // A paused player only quits or resumes.
  if (mo::GameManager::getInstance().isPaused() && key != mo::ESCAPE) return;
  if (action == mo::KEY_PRESSED) {
    switch (key) {
      case mo::SPACE:
        // The jump itself waits for a step on the ground.
        jump_requested = true;
        break;
      case mo::ESCAPE:
        mo::GameManager::getInstance().setGameOver(true);
        break;
      case mo::TAB:
        if (weapon == STAFF) {
          weapon = GUN;
          showWeaponSprite();
          p_reticle->setColor(mo::RED);
        } else {
          weapon = STAFF;
          p_reticle->setColor(mo::CYAN);
          showWeaponSprite();
        }
        p_reticle->draw();
        break;
      case mo::F:
        if (weapon == STAFF) castStaff(p_reticle->getPosition(), CAST_FREEZE);
        break;
      case mo::R:
        if (weapon == GUN) reload();
        break;
      default:
        break;
    }
  } else if (action == mo::KEY_DOWN) {
    if (key == mo::A) {
      walk(-1);
      if (facing == FACE_RIGHT) {
        facing = FACE_LEFT;
        showWeaponSprite();
      }
    } else if (key == mo::D) {
      walk(+1);
      if (facing == FACE_LEFT) {
        facing = FACE_RIGHT;
        showWeaponSprite();
      }
    }
  }
}

void Player::mouse(const mo::Event* p_e) {
  const auto* p_mouse = static_cast<const mo::EventMouse*>(p_e);
  // A held button sends PRESSED every frame; only the click acts.
  if (p_mouse->getMouseAction() != mo::CLICKED || mo::GameManager::getInstance().isPaused()) {
    return;
  }
  const mo::Vector target = mo::viewToWorld(p_mouse->getMousePosition());
  const mo::MouseButton button = p_mouse->getMouseButton();
  if (weapon == GUN) {
    if (button == mo::LEFT) fire(target);
  } else if (button == mo::LEFT) {
    castStaff(target, CAST_PLATFORM);
  } else if (button == mo::RIGHT) {
    castStaff(target, CAST_WALL);
  }
}

void Player::fire(mo::Vector target) {
  if (fire_cooldown > 0 || magazine < 1) return;
  fire_cooldown = fire_cooldown_reset;
  magazine = std::max(magazine - 1, 0);
  Bullet* p_bullet = new Bullet(this);
  p_bullet->setVelocity(aimThrough(p_bullet, target, getPosition(), 1.5f));
  playSound("fire");
}

void Player::castStaff(mo::Vector target, CastKind kind) {
  if (staff_cooldown > 0 || ice_energy <= 0) return;
  // The cooldown restarts before the cost test: a refused cast costs time.
  staff_cooldown = staff_cooldown_reset;
  float cost = freeze_cost;
  if (kind == CAST_PLATFORM) cost = platform_cost;
  if (kind == CAST_WALL) cost = wall_cost;
  if (cost > ice_energy) return;
  ice_energy = std::max(ice_energy - cost, 0.0f);
  IceProjectile* p_projectile =
      new IceProjectile(platform_lifetime, wall_lifetime, target, kind, this);
  p_projectile->setVelocity(aimThrough(p_projectile, target, getPosition(), 1.0f));
  playSound("freeze");
}

void Player::reload() {
  reload_timer = 30;
  if (reserves > magazine_capacity) {
    // The rounds still in the magazine go back to the reserves.
    reserves = magazine - magazine_capacity + reserves;
    magazine = magazine_capacity;
  } else {
    magazine = reserves;
    reserves = 0;
  }
  playSound("reload");
}

void Player::walk(int dx) {
  walkSideways(this, static_cast<float>(dx));
}

void Player::step() {
  mo::WorldManager& world = mo::WorldManager::getInstance();

  // The gun's cooldown stands still during a reload.
  if (reload_timer > 0) {
    reload_timer--;
  } else {
    fire_cooldown = std::max(fire_cooldown - 1, 0);
  }
  staff_cooldown = std::max(staff_cooldown - 1, 0);

  const mo::Vector velocity = getVelocity();
  setVelocity(mo::Vector(velocity.getX(), std::min(velocity.getY() + 0.125f, 1.25f)));

  if (jump_requested && on_ground) {
    jump_requested = false;
    on_ground = false;
    setVelocity(mo::Vector(getVelocity().getX(), -1.0f));
    playSound("jump");
  }

  land();

  const bool moved = getPosition() != last_position;
  animateWalk(this, moved);
  if (moved && on_ground) {
    footstep_counter = std::max(footstep_counter - 1, 0);
    if (footstep_counter == 0) {
      playSound("footsteps");
      footstep_counter = footstep_interval;
    }
  }

  p_magazine_view->setValue(magazine);
  p_reserves_view->setValue(reserves);
  p_ice_energy_view->setValue(static_cast<int>(ice_energy));
  p_health_view->setValue(static_cast<int>(health));

  // With no reserves this reloads (and sounds) on every step, on purpose.
  if (magazine < 1) {
    magazine = 0;
    reload();
  }

  if (mo::GameManager::getInstance().getStepCount() % 30 == 0) {
    ice_energy = std::min(ice_energy + 2.3333333f, max_ice_energy);
  }

  last_position = getPosition();

  const mo::Vector p = getPosition();
  const mo::Box view = world.getView();
  const mo::Box boundary = world.getBoundary();
  const double half_w = static_cast<double>(view.getHorizontal()) * 0.5;
  const double half_h = static_cast<double>(view.getVertical()) * 0.5;
  const double x = p.getX();
  const double y = p.getY();
  // Re-testing collisions at the same spot keeps on_ground fresh while
  // the player stands still.
  if (y - half_h > 0 && y + half_h < boundary.getVertical() && x - half_w > 0 &&
      x + half_w < boundary.getHorizontal()) {
    world.moveObject(this, p);
  }
  world.setViewPosition(p);
}

void Player::land() {
  const mo::Vector velocity = getVelocity();
  if (velocity.getY() <= 0) return;
  mo::WorldManager& world = mo::WorldManager::getInstance();
  const mo::Vector position = getPosition();
  const mo::Vector fall(position.getX(), position.getY() + velocity.getY());
  const mo::Box box = getBox();
  const float feet = box.getCorner().getY() + box.getVertical();  // below the position
  const float bottom = position.getY() + feet;
  // The world refuses a whole fall into something HARD; the fall is cut
  // short instead, just above the highest top it would have met. The
  // update then tries the whole fall from there, is refused, and the
  // collision it reports keeps the ground test as it was.
  float rest = fall.getY();
  const mo::ObjectList below = world.getCollisions(this, fall);
  for (mo::ObjectListIterator it(&below); !it.isDone(); it.next()) {
    if (it.currentObject()->getSolidness() != mo::HARD) continue;
    const float top = mo::getWorldBox(it.currentObject()).getCorner().getY();
    // Something reaching up beside the player stops the fall where it is.
    if (top <= bottom) return;
    rest = std::min(rest, top - feet - LANDING_GAP);
  }
  if (rest >= fall.getY() || rest <= position.getY()) return;
  const mo::Vector landing(position.getX(), rest);
  const mo::ObjectList there = world.getCollisions(this, landing);
  for (mo::ObjectListIterator it(&there); !it.isDone(); it.next()) {
    if (it.currentObject()->getSolidness() == mo::HARD) return;
  }
  world.moveObject(this, landing);
}

void Player::collide(const mo::Event* p_e) {
  const auto* p_collision = static_cast<const mo::EventCollision*>(p_e);
  const mo::Object* p_other = p_collision->getOtherObject(this);
  on_ground = isGround(p_other);
}

void Player::hurt(float damage) {
  health = std::max(health - damage, 0.0f);
  playSound("player-hurt");
  if (health == 0.0f) mo::WorldManager::getInstance().markForDelete(this);
}

}  // namespace gh
