#include "game/IceBlock.h"

#include "engine/core/EventCollision.h"
#include "engine/world/WorldManager.h"

namespace gh {

IceBlock::IceBlock(const std::string& type, const std::string& sprite, int lifetime_units,
                   mo::Vector position, int player_touch_steps) {
  setType(type);
  setSprite(sprite);
  setPosition(position);
  setSolidness(mo::HARD);
  registerInterest(mo::OUT_EVENT);
  registerInterest(mo::STEP_EVENT);
  registerInterest(mo::COLLISION_EVENT);
  lifetime = lifetime_units * 30;
  age = 0;
  this->player_touch_steps = player_touch_steps;
}

int IceBlock::eventHandler(const mo::Event* p_e) {
  const std::string type = p_e->getType();
  if (type == mo::OUT_EVENT) {
    mo::WorldManager::getInstance().markForDelete(this);
    return 1;
  }
  if (type == mo::STEP_EVENT) {
    age++;
    if (age >= lifetime) mo::WorldManager::getInstance().markForDelete(this);
    return 1;
  }
  if (type == mo::COLLISION_EVENT) {
    // Hits only age the ice; the next step removes it when that is enough.
    const auto* p_collision = static_cast<const mo::EventCollision*>(p_e);
    const mo::Object* p_other = p_collision->getOtherObject(this);
    if (p_other->getType() == "Bullet") age += BULLET_MELT_STEPS;
    if (p_other->getType() == "Player") age += player_touch_steps;
    return 1;
  }
  return 0;
}

}  // namespace gh
