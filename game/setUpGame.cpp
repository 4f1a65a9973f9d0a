#include "game/setUpGame.h"

#include "engine/core/Box.h"
#include "engine/media/splashScreen.h"
#include "engine/world/WorldManager.h"
#include "game/GameStart.h"
#include "game/loadResources.h"

namespace gh {

void setUpGame() {
  mo::WorldManager& world_manager = mo::WorldManager::getInstance();
  const mo::Box boundary = world_manager.getBoundary();
  world_manager.setBoundary(mo::Box(
      mo::Vector(0, 0), boundary.getHorizontal() * 5.0f,
      static_cast<float>(static_cast<double>(boundary.getVertical()) * 3.5)));
  world_manager.setViewSlack(mo::Vector(0, 0));
  mo::splash();
  loadResources();
  new GameStart;
}

}  // namespace gh
