#include "engine/core/ReplayEvent.h"

#include <cstdio>
#include <cstring>
#include <sstream>
#include <vector>

#include "engine/core/Event.h"
#include "engine/core/utility.h"

namespace mo {

namespace {

// The engine's key names, indexed by key code, as a replay file writes
// them. Codes outside the table are written as numbers.
const char* const KEY_NAMES[] = {
    "SPACE", "RETURN", "ESCAPE", "TAB", "LEFT_ARROW", "RIGHT_ARROW", "UP_ARROW", "DOWN_ARROW",
    "PAUSE", "MINUS", "PLUS", "TILDE", "PERIOD", "COMMA", "SLASH", "EQUAL", "BACKSLASH",
    "MULTIPLY", "QUOTE", "SEMICOLON", "LEFT_CONTROL", "RIGHT_CONTROL", "LEFT_SHIFT",
    "RIGHT_SHIFT", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12",
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N", "O", "P", "Q", "R",
    "S", "T", "U", "V", "W", "X", "Y", "Z", "NUM1", "NUM2", "NUM3", "NUM4", "NUM5", "NUM6",
    "NUM7", "NUM8", "NUM9", "NUM0", "BACKSPACE",
};
const int KEY_NAME_COUNT = static_cast<int>(sizeof(KEY_NAMES) / sizeof(KEY_NAMES[0]));

// Key values the InputManager can send: the table's, and SFML codes
// (-1 and up) shifted past it for keys outside the table.
const int MIN_KEY = -1;
const int MAX_KEY = 1000;

const char* const KEY_ACTIONS[] = {"pressed", "released", "down"};
const char* const MOUSE_ACTIONS[] = {"clicked", "pressed", "moved"};
const char* const MOUSE_BUTTONS[] = {"left", "right", "middle"};

// The index of word in names, or -1 for "none" (undefined), or -2.
template <std::size_t N>
int indexOf(const char* const (&names)[N], const std::string& word) {
  if (word == "none") return -1;
  for (std::size_t i = 0; i < N; i++) {
    if (word == names[i]) return static_cast<int>(i);
  }
  return -2;
}

template <std::size_t N>
std::string nameOf(const char* const (&names)[N], int value) {
  return value >= 0 && value < static_cast<int>(N) ? names[value] : "none";
}

std::string floatText(float f) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.9g", static_cast<double>(f));
  return text;
}

}  // namespace

ReplayEvent::ReplayEvent()
    : kind(CLOSE),
      key_action(UNDEFINED_KEYBOARD_ACTION),
      key(UNDEFINED_KEY),
      mouse_action(UNDEFINED_MOUSE_ACTION),
      button(UNDEFINED_MOUSE_BUTTON) {}

ReplayEvent::ReplayEvent(KeyboardAction action, KeyCode init_key) : ReplayEvent() {
  kind = KEYBOARD;
  key_action = action;
  key = init_key;
}

ReplayEvent::ReplayEvent(MouseAction action, MouseButton init_button, Vector init_position)
    : ReplayEvent() {
  kind = MOUSE;
  mouse_action = action;
  button = init_button;
  position = init_position;
}

bool ReplayEvent::fromEvent(const Event* p_event, ReplayEvent& out) {
  if (!p_event) return false;
  if (const auto* p_key = dynamic_cast<const EventKeyboard*>(p_event)) {
    out = ReplayEvent(p_key->getKeyboardAction(), p_key->getKey());
    return true;
  }
  if (const auto* p_mouse = dynamic_cast<const EventMouse*>(p_event)) {
    out = ReplayEvent(p_mouse->getMouseAction(), p_mouse->getMouseButton(),
                      p_mouse->getMousePosition());
    return true;
  }
  return false;
}

bool ReplayEvent::fromText(const std::string& text, ReplayEvent& out) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  if (words.size() == 1 && words[0] == "close") {
    out = ReplayEvent();
    return true;
  }
  if (words.size() == 3 && words[0] == "key") {
    const int action = indexOf(KEY_ACTIONS, words[1]);
    if (action < 0) return false;
    int code = indexOf(KEY_NAMES, words[2]);
    if (code < 0) {
      const std::optional<int> number = wholeInt(words[2]);
      if (!number || *number < MIN_KEY || *number > MAX_KEY) return false;
      code = *number;
    }
    out = ReplayEvent(static_cast<KeyboardAction>(action), static_cast<KeyCode>(code));
    return true;
  }
  if (words.size() == 5 && words[0] == "mouse") {
    const int action = indexOf(MOUSE_ACTIONS, words[1]);
    const int mouse_button = indexOf(MOUSE_BUTTONS, words[2]);
    const std::optional<float> x = wholeFloat(words[3]);
    const std::optional<float> y = wholeFloat(words[4]);
    if (action < 0 || mouse_button < -1 || !x || !y) return false;
    out = ReplayEvent(static_cast<MouseAction>(action), static_cast<MouseButton>(mouse_button),
                      Vector(*x, *y));
    return true;
  }
  return false;
}

std::string ReplayEvent::toText() const {
  switch (kind) {
    case KEYBOARD: {
      const std::string name =
          key >= 0 && key < KEY_NAME_COUNT ? KEY_NAMES[key] : std::to_string(key);
      return "key " + nameOf(KEY_ACTIONS, key_action) + " " + name;
    }
    case MOUSE:
      return "mouse " + nameOf(MOUSE_ACTIONS, mouse_action) + " " + nameOf(MOUSE_BUTTONS, button) +
             " " + floatText(position.getX()) + " " + floatText(position.getY());
    default:
      return "close";
  }
}

bool ReplayEvent::isHeld() const {
  return (kind == KEYBOARD && key_action == KEY_DOWN) || (kind == MOUSE && mouse_action == PRESSED);
}

bool ReplayEvent::operator==(const ReplayEvent& other) const {
  const float xy[] = {position.getX(), position.getY()};
  const float other_xy[] = {other.position.getX(), other.position.getY()};
  return kind == other.kind && key_action == other.key_action && key == other.key &&
         mouse_action == other.mouse_action && button == other.button &&
         std::memcmp(xy, other_xy, sizeof(xy)) == 0;
}

}  // namespace mo
