#include "engine/media/splashScreen.h"

#include "engine/core/Event.h"
#include "engine/core/EventKeyboard.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/media/Splash.h"
#include "engine/world/WorldManager.h"

namespace mo {

namespace {

/// Swallows the keyboard while the key that ended the splash is still
/// down, so that its release (or its being held) does not reach whatever
/// the game shows next. Ends its loop on the first frame in which no key
/// is held, or after KEY_WAIT_FRAMES frames.
class KeyRelease : public Object {
 public:
  static const int KEY_WAIT_FRAMES = 60;

  KeyRelease() {
    setType("SplashKeyRelease");
    setSolidness(SPECTRAL);
    registerInterest(KEYBOARD_EVENT);
    registerInterest(STEP_EVENT);
  }

  int eventHandler(const Event* p_e) override {
    if (p_e->getType() == KEYBOARD_EVENT) {
      const auto* p_key = static_cast<const EventKeyboard*>(p_e);
      if (p_key->getKeyboardAction() == KEY_DOWN) key_held = true;
      return 1;
    }
    if (p_e->getType() != STEP_EVENT) return 0;
    // Held keys are reported before the step handlers run, so a frame
    // without one means every key is up and its release was swallowed.
    if (!key_held || ++frames >= KEY_WAIT_FRAMES) {
      GameManager::getInstance().setGameOver(true);
      WorldManager::getInstance().markForDelete(this);
    }
    key_held = false;
    return 1;
  }

 private:
  bool key_held = false;
  int frames = 0;
};

}  // namespace

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
  // One more frame at least: a key that skipped the splash (or came just
  // as it ended) is kept from the game until it is let go.
  new KeyRelease;
  game_manager.run();
  log.writeLog(10, "splash(): Finished.");
  return 0;
}

}  // namespace mo
