#include "game/LedgeGuard.h"

#include "engine/core/EventCollision.h"
#include "engine/media/DisplayManager.h"
#include "game/Enemy.h"

namespace gh {

LedgeGuard::LedgeGuard() : color(mo::WHITE) {}

int LedgeGuard::eventHandler(const mo::Event* p_e) {
  if (p_e->getType() != mo::COLLISION_EVENT) return 0;
  const auto* p_collision = static_cast<const mo::EventCollision*>(p_e);
  mo::Object* p_other = p_collision->getOtherObject(this);
  Enemy* p_enemy = p_other->getType() == "Enemy" ? dynamic_cast<Enemy*>(p_other) : nullptr;
  if (!p_enemy) return 1;
  if (p_enemy->isEngaged()) {
    p_enemy->setHolding(true);
    return 1;
  }
  if (p_enemy->getTurnCooldown() > 0) return 1;
  p_enemy->setTurnCooldown(p_enemy->getTurnCooldownReset());
  if (p_enemy->getFacing() == FACE_RIGHT) {
    p_enemy->setFacing(FACE_LEFT);
    p_enemy->walk(-0.5f);
  } else {
    p_enemy->setFacing(FACE_RIGHT);
    p_enemy->walk(+0.5f);
  }
  return 1;
}

int LedgeGuard::draw() {
  return mo::DisplayManager::getInstance().drawCh(getPosition(), 'G', color);
}

}  // namespace gh
