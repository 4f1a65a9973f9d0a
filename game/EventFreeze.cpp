#include "game/EventFreeze.h"

namespace gh {

EventFreeze::EventFreeze(mo::Vector init_position) : position(init_position) {
  setType(FREEZE_EVENT);
}

EventFreeze::~EventFreeze() = default;

}  // namespace gh
