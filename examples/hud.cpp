// A heads-up display: items that stay in place on the screen and change
// their numbers through view events. Space scores 10 points; a clock
// counts the seconds. Shows ViewObject, its standard places, and
// EventView sent through the WorldManager.
//
// Outline: set-up, objects, loop, shut-down.

#include <algorithm>

#include "ExampleEnd.h"
#include "engine/Morvane.h"

// Sends the view events: one second more for "Seconds" every second of
// frames, ten points more for "Score" on every press of Space.
class Scorekeeper : public mo::Object {
 public:
  Scorekeeper() {
    setType("Scorekeeper");
    setSolidness(mo::SPECTRAL);
    setVisible(false);
    registerInterest(mo::STEP_EVENT);
    registerInterest(mo::KEYBOARD_EVENT);
  }

  int eventHandler(const mo::Event* p_e) override {
    if (p_e->getType() == mo::STEP_EVENT) {
      const auto* p_step = static_cast<const mo::EventStep*>(p_e);
      const int frame_time = std::max(1, mo::GameManager::getInstance().getFrameTime());
      const int frames_per_second = std::max(1, 1000 / frame_time);
      if (p_step->getStepCount() > 0 && p_step->getStepCount() % frames_per_second == 0) {
        // true: add the value to the one shown, rather than replace it.
        mo::EventView tick("Seconds", 1, true);
        mo::WorldManager::getInstance().onEvent(&tick);
      }
      return 1;
    }
    if (p_e->getType() == mo::KEYBOARD_EVENT) {
      const auto* p_key = static_cast<const mo::EventKeyboard*>(p_e);
      if (p_key->getKey() != mo::SPACE || p_key->getKeyboardAction() != mo::KEY_PRESSED) return 0;
      mo::EventView points("Score", 10, true);
      mo::WorldManager::getInstance().onEvent(&points);
      return 1;
    }
    return 0;
  }
};

int main() {
  // Set-up.
  mo::GameManager& game = mo::GameManager::getInstance();
  if (game.startUp() != 0) {
    mo::LogManager::getInstance().writeLog("Error starting game manager!");
    game.shutDown();
    return 1;
  }

  // Objects: three items at standard places of the view. An item shows
  // its label, then its value, inside a border unless told otherwise.
  auto* p_score = new mo::ViewObject;
  p_score->setViewString("Score");
  p_score->setLocation(mo::TOP_LEFT);
  p_score->setColor(mo::YELLOW);

  auto* p_seconds = new mo::ViewObject;
  p_seconds->setViewString("Seconds");
  p_seconds->setLocation(mo::TOP_RIGHT);
  p_seconds->setColor(mo::CYAN);

  auto* p_hint = new mo::ViewObject;
  p_hint->setViewString("Space scores, Escape quits");
  p_hint->setDrawValue(false);
  p_hint->setBorder(false);
  p_hint->setLocation(mo::BOTTOM_CENTER);

  new Scorekeeper;
  new ExampleEnd;

  // Loop.
  game.run();
  mo::LogManager::getInstance().writeLog("HUD: %d seconds shown, score %d.", p_seconds->getValue(),
                                         p_score->getValue());

  // Shut-down.
  game.shutDown();
  return 0;
}
