// The platformer's entry point: start the engine, set the game up (its
// world, the splash screen, its resources, the title screen) and play.

#include <cstdio>

#include "engine/Morvane.h"
#include "game/setUpGame.h"

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
  gh::setUpGame();
  game_manager.run();
  game_manager.shutDown();
  return 0;
}
