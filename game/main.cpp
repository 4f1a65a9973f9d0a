// The platformer's entry point: start the engine, set the game up (its
// world, the splash screen, its resources, the title screen) and play.

#include "engine/Morvane.h"
#include "game/setUpGame.h"

int main() {
  mo::GameManager& game_manager = mo::GameManager::getInstance();
  if (game_manager.startUp() != 0) {
    mo::LogManager::getInstance().writeLog("Error starting game manager!");
  } else {
    gh::setUpGame();
    game_manager.run();
  }
  game_manager.shutDown();
  return 0;
}
