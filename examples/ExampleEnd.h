#ifndef MO_EXAMPLE_END_H
#define MO_EXAMPLE_END_H

// Shared by the examples: an invisible object that ends the game loop on
// Escape or, when the environment variable MORVANE_EXAMPLE_FRAMES holds
// a number N above 0, after N frames. The tests run every example
// headless for a few frames this way; a person just presses Escape or
// closes the window.

#include <cstdlib>

#include "engine/Morvane.h"

class ExampleEnd : public mo::Object {
 public:
  ExampleEnd() {
    setType("ExampleEnd");
    setSolidness(mo::SPECTRAL);
    setVisible(false);
    const char* p_frames = std::getenv("MORVANE_EXAMPLE_FRAMES");
    frames_left = p_frames ? std::atoi(p_frames) : 0;
    registerInterest(mo::STEP_EVENT);
    registerInterest(mo::KEYBOARD_EVENT);
  }

  int eventHandler(const mo::Event* p_e) override {
    if (p_e->getType() == mo::STEP_EVENT) {
      if (frames_left > 0 && --frames_left == 0) mo::GameManager::getInstance().setGameOver();
      return 1;
    }
    if (p_e->getType() == mo::KEYBOARD_EVENT) {
      const auto* p_key = static_cast<const mo::EventKeyboard*>(p_e);
      if (p_key->getKey() == mo::ESCAPE && p_key->getKeyboardAction() == mo::KEY_PRESSED) {
        mo::GameManager::getInstance().setGameOver();
      }
      return 1;
    }
    return 0;
  }

 private:
  int frames_left;
};

#endif
