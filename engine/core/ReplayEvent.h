#ifndef MO_REPLAY_EVENT_H
#define MO_REPLAY_EVENT_H

#include <string>

#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/core/Vector.h"

namespace mo {

class Event;

/// One input event as a replay file holds it: a key and what happened
/// to it, a mouse action with its button and position in view cells, or
/// the window's close request. A plain value type.
class ReplayEvent {
 public:
  enum Kind { KEYBOARD, MOUSE, CLOSE };

  /// A close request.
  ReplayEvent();
  /// A keyboard event.
  ReplayEvent(KeyboardAction action, KeyCode key);
  /// A mouse event; position in view cells.
  ReplayEvent(MouseAction action, MouseButton button, Vector position);

  /// The input event that p_event is: false (out untouched) for events
  /// other than keyboard and mouse ones.
  static bool fromEvent(const Event* p_event, ReplayEvent& out);

  /// Parses the text that toText() writes ("key pressed A", "mouse
  /// clicked left 10.5 3", "close"); keys outside the engine's names may
  /// be given as numbers. False (out untouched) for anything else.
  static bool fromText(const std::string& text, ReplayEvent& out);

  /// The event as one line of text, without line feed. Positions are
  /// written with enough digits to read back the same float.
  std::string toText() const;

  /// Whether the event reports something held (KEY_DOWN, mouse PRESSED),
  /// which the InputManager sends every frame after the frame's others.
  bool isHeld() const;

  Kind getKind() const { return kind; }
  KeyboardAction getKeyboardAction() const { return key_action; }
  KeyCode getKey() const { return key; }
  MouseAction getMouseAction() const { return mouse_action; }
  MouseButton getMouseButton() const { return button; }
  Vector getPosition() const { return position; }

  /// Same kind, action, key or button, and bit-for-bit the same position.
  bool operator==(const ReplayEvent& other) const;
  bool operator!=(const ReplayEvent& other) const { return !(*this == other); }

 private:
  Kind kind;
  KeyboardAction key_action;
  KeyCode key;
  MouseAction mouse_action;
  MouseButton button;
  Vector position;
};

}  // namespace mo

#endif
