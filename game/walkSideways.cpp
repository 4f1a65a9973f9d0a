#include "game/walkSideways.h"

#include "engine/core/Box.h"
#include "engine/world/WorldManager.h"

namespace gh {

void walkSideways(mo::Object* p_o, float dx) {
  const mo::Vector position = p_o->getPosition();
  const mo::Vector next(position.getX() + dx, position.getY());
  mo::WorldManager& world = mo::WorldManager::getInstance();
  const mo::Box boundary = world.getBoundary();
  if (next.getX() > 0 && next.getX() < boundary.getHorizontal() && next.getY() > 0 &&
      next.getY() < boundary.getVertical()) {
    world.moveObject(p_o, next);
  }
}

}  // namespace gh
