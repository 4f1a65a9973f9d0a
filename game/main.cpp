// The platformer's entry point: configure the engine, play its splash
// screen, load the game's resources, show the title screen and play.

#include <cstdio>

#include "engine/Morvane.h"
#include "game/GameStart.h"
#include "game/loadResources.h"

int main() {
  mo::GameManager& game_manager = mo::GameManager::getInstance();
  if (game_manager.startUp() != 0) {
    mo::LogManager::getInstance().writeLog("Error starting game manager!");
    game_manager.shutDown();
    // The log may be out of reach: the terminal says what went wrong,
    // last, so that it is what the player sees.
    std::fprintf(stderr, "platformer: %s\n", game_manager.getFailure().c_str());
    return 1;
  }
  mo::WorldManager& world_manager = mo::WorldManager::getInstance();
  const mo::Box boundary = world_manager.getBoundary();
  // The view stays one window; the world is five windows wide and three
  // and a half high.
  world_manager.setBoundary(
      mo::Box(mo::Vector(0, 0), boundary.getHorizontal() * 5.0f,
              static_cast<float>(static_cast<double>(boundary.getVertical()) * 3.5)));
  world_manager.setViewSlack(mo::Vector(0, 0));
  mo::splash();
  gh::loadResources();
  new gh::GameStart;
  game_manager.run();
  game_manager.shutDown();
  return 0;
}
