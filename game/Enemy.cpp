#include "game/Enemy.h"

#include <algorithm>
#include <cmath>

#include "engine/core/EventCollision.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/WorldManager.h"
#include "game/Bullet.h"
#include "game/EventFreeze.h"
#include "game/animateWalk.h"
#include "game/playSound.h"
#include "game/walkSideways.h"

namespace gh {

Enemy::Enemy(mo::Vector position, Player* p_player, bool heavy) {
  setType("Enemy");
  // A heavy enemy hits harder and sees farther, and looks it.
  setSprite(heavy ? "enemy-heavy-left" : "enemy-left");
  // The first frame stays until the enemy moves.
  animateWalk(this, false);

  facing = FACE_LEFT;
  this->p_player = p_player;
  this->heavy = heavy;

  registerInterest(mo::STEP_EVENT);
  registerInterest(mo::OUT_EVENT);
  registerInterest(mo::COLLISION_EVENT);
  registerInterest(FREEZE_EVENT);

  setPosition(position);
  last_position = position;

  fire_cooldown_reset = 60;
  fire_cooldown = 60;
  turn_cooldown_reset = 30;
  turn_cooldown = 30;
  on_ground = false;
  engaged = false;
  holding = false;
  frozen = false;
  health = 25.0f;
  frozen_timer = 0;
  frozen_duration = 150;
}

Enemy::~Enemy() = default;

int Enemy::eventHandler(const mo::Event* p_e) {
  const std::string type = p_e->getType();
  if (type == mo::STEP_EVENT) {
    step();
    return 1;
  }
  if (type == mo::COLLISION_EVENT) {
    const auto* p_collision = static_cast<const mo::EventCollision*>(p_e);
    const mo::Object* p_other = p_collision->getOtherObject(this);
    const std::string other = p_other->getType();
    if (other == "Floor" || other == "IcePlatform") on_ground = true;
    return 1;
  }
  if (type == mo::OUT_EVENT) {
    mo::WorldManager::getInstance().markForDelete(this);
    return 1;
  }
  if (type == FREEZE_EVENT) {
    freeze(p_e);
    return 1;
  }
  return 0;
}

void Enemy::freeze(const mo::Event* p_e) {
  // Anyone may send an event typed "freeze"; only a real one has a centre.
  const auto* p_freeze = dynamic_cast<const EventFreeze*>(p_e);
  if (!p_freeze) {
    mo::LogManager::getInstance().writeLog(
        "Enemy::freeze(): Error! A \"freeze\" event that is no EventFreeze. Ignored.");
    return;
  }
  if (mo::distance(p_freeze->getPosition(), getPosition()) > FREEZE_RADIUS) return;
  if (!frozen) setSprite("enemy-frozen");
  // A second freeze starts the whole duration again.
  frozen_timer = frozen_duration;
  frozen = true;
}

void Enemy::showFacingSprite() {
  if (heavy) {
    setSprite(facing == FACE_LEFT ? "enemy-heavy-left" : "enemy-heavy-right");
  } else {
    setSprite(facing == FACE_LEFT ? "enemy-left" : "enemy-right");
  }
}

void Enemy::step() {
  fire_cooldown = std::max(fire_cooldown - 1, 0);
  turn_cooldown = std::max(turn_cooldown - 1, 0);

  frozen_timer = std::max(frozen_timer - 1, 0);
  if (frozen_timer == 0 && frozen) {
    showFacingSprite();
    frozen = false;
  }

  // Gravity stops for good at the first floor; the vertical speed the
  // enemy landed with is kept (a blocked move leaves it standing).
  if (!on_ground) {
    const mo::Vector velocity = getVelocity();
    setVelocity(mo::Vector(velocity.getX(), velocity.getY() + 0.125f));
  }

  // Without a player there is nobody to approach or shoot.
  if (!p_player) return;

  const float dx = getPosition().getX() - p_player->getPosition().getX();
  const float adx = std::fabs(dx);

  float speed = 0.0f;
  if (!holding) {
    engaged = false;
    const float far_range = heavy ? HEAVY_FAR_RANGE : FAR_RANGE;
    const float near_range = heavy ? HEAVY_NEAR_RANGE : NEAR_RANGE;
    if (adx <= far_range) {
      speed = 0.5f;
      if (adx <= near_range) {
        speed = 0.25f;
        engaged = true;
        if (adx <= STOP_RANGE) speed = 0.0f;
      }
    }
  }

  // The enemy keeps turning toward the player while frozen; the turn
  // shows the walking sprite again.
  if (dx >= 0.5f && facing == FACE_RIGHT) {
    facing = FACE_LEFT;
    showFacingSprite();
  } else if (dx <= -0.5f && facing == FACE_LEFT) {
    facing = FACE_RIGHT;
    showFacingSprite();
  }

  if (!frozen) walk(facing == FACE_LEFT ? -speed : speed);

  animateWalk(this, getPosition() != last_position);

  if (engaged && !frozen && fire_cooldown < 1) {
    fire_cooldown = fire_cooldown_reset;
    mo::Vector direction = p_player->getPosition() - getPosition();
    direction.normalize();
    Bullet* p_bullet = new Bullet(this);
    p_bullet->setVelocity(direction);
    playSound("fire");
  }

  last_position = getPosition();
}

void Enemy::walk(float dx) {
  walkSideways(this, dx);
}

void Enemy::hurt(float damage) {
  health = std::max(health - damage, 0.0f);
  if (health != 0.0f) return;
  if (p_player) {
    p_player->setIceEnergy(
        std::min(p_player->getIceEnergy() + 10.0f, p_player->getMaxIceEnergy()));
    p_player->setHealth(std::min(p_player->getHealth() + 5.0f, p_player->getMaxHealth()));
  }
  playSound("enemy-death");
  mo::WorldManager::getInstance().markForDelete(this);
}

}  // namespace gh
