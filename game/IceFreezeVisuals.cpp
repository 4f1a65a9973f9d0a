#include "game/IceFreezeVisuals.h"

#include "engine/core/Event.h"
#include "engine/world/WorldManager.h"

namespace gh {

IceFreezeVisuals::IceFreezeVisuals(mo::Vector position) {
  setType("IceFreezeCircle");
  setSprite("ice-freeze-circle");
  setPosition(position);
  lifetime = 15;
  age = 0;
  registerInterest(mo::STEP_EVENT);
  setAltitude(0);
}

int IceFreezeVisuals::eventHandler(const mo::Event* p_e) {
  if (p_e->getType() != mo::STEP_EVENT) return 0;
  age++;
  if (age >= lifetime) mo::WorldManager::getInstance().markForDelete(this);
  return 1;
}

}  // namespace gh
