#ifndef MO_EVENT_OUT_H
#define MO_EVENT_OUT_H

#include "engine/core/Event.h"

namespace mo {

/// "mo-out": the receiving object has just left the world's boundary.
class EventOut : public Event {
 public:
  EventOut();
};

}  // namespace mo

#endif
