#ifndef MO_EVENT_STEP_H
#define MO_EVENT_STEP_H

#include "engine/core/Event.h"

namespace mo {

/// "mo-step": sent once per frame by the GameManager to every active
/// object registered for it.
///
///   registerInterest(mo::STEP_EVENT);   // in the object's constructor
///   // in eventHandler(): p_e->getType() == mo::STEP_EVENT, then
///   // static_cast<const mo::EventStep*>(p_e)->getStepCount()
class EventStep : public Event {
 public:
  /// A step event of frame 0.
  EventStep();
  /// A step event carrying the GameManager's step count (frames).
  explicit EventStep(int init_step_count);

  /// The frame the event belongs to: 0 in the loop's first frame.
  int getStepCount() const { return step_count; }
  void setStepCount(int new_step_count) { step_count = new_step_count; }

 private:
  int step_count;
};

}  // namespace mo

#endif
