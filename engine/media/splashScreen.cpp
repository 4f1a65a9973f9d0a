#include "engine/media/splashScreen.h"

#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/media/Splash.h"

namespace mo {

int splash() {
  const LogManager& log = LogManager::getInstance();
  log.writeLog(10, "splash(): Started.");
  GameManager& game_manager = GameManager::getInstance();
  if (!game_manager.isStarted()) {
    log.writeLog("splash(): Error! Cannot run splash screen until game manger is started.");
    return -1;
  }
  // The banner calls up the emblem, and the emblem ends the loop.
  new Splash;
  game_manager.run();
  log.writeLog(10, "splash(): Finished.");
  return 0;
}

}  // namespace mo
