#include "engine/core/EventMouse.h"

namespace mo {

EventMouse::EventMouse()
    : mouse_action(UNDEFINED_MOUSE_ACTION), mouse_button(UNDEFINED_MOUSE_BUTTON), mouse_xy() {
  setType(MOUSE_EVENT);
}

}  // namespace mo
