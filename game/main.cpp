// The platformer's entry point: start the engine, play, stop.

#include <memory>

#include "engine/Morvane.h"
#include "game/QuitTimer.h"

int main() {
  mo::GameManager& game_manager = mo::GameManager::getInstance();
  if (game_manager.startUp() != 0) {
    mo::LogManager::getInstance().writeLog("Error starting game manager!");
  } else {
    // Until the game has a title screen, a timer ends the run after
    // about three seconds.
    auto quit_timer = std::make_unique<gh::QuitTimer>(90);
    game_manager.run();
  }
  game_manager.shutDown();
  return 0;
}
