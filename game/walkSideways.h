#ifndef GH_WALK_SIDEWAYS_H
#define GH_WALK_SIDEWAYS_H

#include "engine/world/Object.h"

namespace gh {

/// Moves p_o dx cells sideways through the world (so HARD obstacles stop
/// it), but only when the new place lies strictly inside the world's
/// boundary; otherwise nothing happens.
void walkSideways(mo::Object* p_o, float dx);

}  // namespace gh

#endif
