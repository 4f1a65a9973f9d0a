#ifndef GH_ANIMATE_WALK_H
#define GH_ANIMATE_WALK_H

#include "engine/world/Object.h"

namespace gh {

/// A walker's animation: standing still (moved false) shows the first
/// frame, stopped; moving starts a stopped animation running again. The
/// walker's box is left as it is.
void animateWalk(mo::Object* p_walker, bool moved);

}  // namespace gh

#endif
