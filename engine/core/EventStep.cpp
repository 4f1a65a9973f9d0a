#include "engine/core/EventStep.h"

namespace mo {

EventStep::EventStep() : EventStep(0) {}

EventStep::EventStep(int init_step_count) : step_count(init_step_count) { setType(STEP_EVENT); }

}  // namespace mo
