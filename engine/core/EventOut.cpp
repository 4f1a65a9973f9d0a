#include "engine/core/EventOut.h"

namespace mo {

EventOut::EventOut() { setType(OUT_EVENT); }

}  // namespace mo
