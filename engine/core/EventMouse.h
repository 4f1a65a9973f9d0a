#ifndef MO_EVENT_MOUSE_H
#define MO_EVENT_MOUSE_H

#include "engine/core/Event.h"
#include "engine/core/Vector.h"

namespace mo {

/// What the mouse did.
enum MouseAction : int {
  UNDEFINED_MOUSE_ACTION = -1,
  CLICKED,  ///< a button went down
  PRESSED,  ///< a button is down during this frame
  MOVED,    ///< the mouse moved, no button
};

/// Which mouse button, if any.
enum MouseButton : int {
  UNDEFINED_MOUSE_BUTTON = -1,
  LEFT,
  RIGHT,
  MIDDLE,
};

/// "mo-mouse": a mouse action, its button and the pointer's position in
/// character cells of the window.
class EventMouse : public Event {
 public:
  /// Action and button undefined (-1), position (0,0).
  EventMouse();

  /// What happened: a click, a button held, or a move.
  void setMouseAction(MouseAction new_action) { mouse_action = new_action; }
  MouseAction getMouseAction() const { return mouse_action; }
  /// The button; UNDEFINED_MOUSE_BUTTON for a move.
  void setMouseButton(MouseButton new_button) { mouse_button = new_button; }
  MouseButton getMouseButton() const { return mouse_button; }
  /// The pointer in view cells (the view's corner is (0,0)); viewToWorld()
  /// turns it into a world position.
  void setMousePosition(Vector new_xy) { mouse_xy = new_xy; }
  Vector getMousePosition() const { return mouse_xy; }

 private:
  MouseAction mouse_action;
  MouseButton mouse_button;
  Vector mouse_xy;
};

}  // namespace mo

#endif
