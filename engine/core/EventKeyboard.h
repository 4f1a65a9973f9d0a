#ifndef MO_EVENT_KEYBOARD_H
#define MO_EVENT_KEYBOARD_H

#include "engine/core/Event.h"

namespace mo {

/// What happened to a key.
enum KeyboardAction : int {
  UNDEFINED_KEYBOARD_ACTION = -1,
  KEY_PRESSED,   ///< the key went down
  KEY_RELEASED,  ///< the key went up
  KEY_DOWN,      ///< the key is down during this frame (sent every frame it is held)
};

/// The engine's key codes; the InputManager maps SFML keys onto them.
enum KeyCode : int {
  UNDEFINED_KEY = -1,
  SPACE, RETURN, ESCAPE, TAB, LEFT_ARROW, RIGHT_ARROW, UP_ARROW, DOWN_ARROW,
  PAUSE, MINUS, PLUS, TILDE, PERIOD, COMMA, SLASH, EQUAL, BACKSLASH,
  MULTIPLY, QUOTE, SEMICOLON, LEFT_CONTROL, RIGHT_CONTROL, LEFT_SHIFT, RIGHT_SHIFT,
  F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
  A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
  NUM1, NUM2, NUM3, NUM4, NUM5, NUM6, NUM7, NUM8, NUM9, NUM0,
  BACKSPACE,
};

/// "mo-keyboard": a key and what happened to it. The one event class
/// whose accessors are virtual. Objects register with
/// registerInterest(mo::KEYBOARD_EVENT); in headless mode none is sent.
///
///   auto* p_key = static_cast<const mo::EventKeyboard*>(p_e);
///   if (p_key->getKey() == mo::SPACE && p_key->getKeyboardAction() == mo::KEY_PRESSED) jump();
class EventKeyboard : public Event {
 public:
  /// Key and action both undefined (-1).
  EventKeyboard();
  ~EventKeyboard() override;

  /// The key (UNDEFINED_KEY for one the engine does not map).
  virtual void setKey(KeyCode new_key);
  virtual KeyCode getKey() const;
  /// Pressed, released, or down (sent every frame while held).
  virtual void setKeyboardAction(KeyboardAction new_action);
  virtual KeyboardAction getKeyboardAction() const;

 private:
  KeyCode key_val;
  KeyboardAction keyboard_action;
};

}  // namespace mo

#endif
