#ifndef MO_TEST_INPUT_PROBE_H
#define MO_TEST_INPUT_PROBE_H

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/media/InputState.h"
#include "engine/world/Object.h"

namespace mo {
namespace test {

/// An object that records the keyboard and mouse events it is sent, one
/// line each: "<action> <key>" ("pressed 36") or "<action> <button>
/// <x>,<y>" ("clicked left 3.5,2.5"); an undefined action or button
/// reads "-".
class InputProbe : public Object {
 public:
  explicit InputProbe(const std::vector<std::string>& types = {KEYBOARD_EVENT, MOUSE_EVENT}) {
    for (const std::string& type : types) registerInterest(type);
  }
  int eventHandler(const Event* p_e) override {
    if (const auto* p_k = dynamic_cast<const EventKeyboard*>(p_e)) {
      received.push_back(name(p_k->getKeyboardAction(), {"pressed", "released", "down"}) + " " +
                         std::to_string(p_k->getKey()));
    } else if (const auto* p_m = dynamic_cast<const EventMouse*>(p_e)) {
      char at[32];
      std::snprintf(at, sizeof(at), " %g,%g", static_cast<double>(p_m->getMousePosition().getX()),
                    static_cast<double>(p_m->getMousePosition().getY()));
      received.push_back(name(p_m->getMouseAction(), {"clicked", "pressed", "moved"}) + " " +
                         name(p_m->getMouseButton(), {"left", "right", "middle"}) + at);
    }
    return 1;
  }
  /// How many of the lines received equal line.
  int count(const std::string& line) const {
    return static_cast<int>(std::count(received.begin(), received.end(), line));
  }

  std::vector<std::string> received;

 private:
  static std::string name(int value, std::initializer_list<const char*> names) {
    return value >= 0 && value < static_cast<int>(names.size()) ? names.begin()[value] : "-";
  }
};

/// Keys and buttons held as the test says, whatever the real devices do.
class FakeInputState : public InputState {
 public:
  bool isKeyPressed(sf::Keyboard::Key key) const override {
    return every_key || keys.count(key) > 0;
  }
  bool isButtonPressed(sf::Mouse::Button button) const override {
    return buttons.count(button) > 0;
  }
  sf::Vector2i mousePosition(const sf::Window*) const override { return mouse; }

  bool every_key = false;
  std::set<sf::Keyboard::Key> keys;
  std::set<sf::Mouse::Button> buttons;
  sf::Vector2i mouse{0, 0};
};

}  // namespace test
}  // namespace mo

#endif
