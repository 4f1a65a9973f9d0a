#ifndef GH_APPEAR_BESIDE_H
#define GH_APPEAR_BESIDE_H

#include "engine/core/Vector.h"
#include "engine/world/Object.h"
#include "game/Player.h"

namespace gh {

/// Puts a new shot where its shooter holds the weapon: 2 cells to the
/// side the shooter (at shooter_position) faces and 1 cell up, showing
/// right_sprite or left_sprite by that facing, whichever way it flies.
void appearBeside(mo::Object* p_shot, mo::Vector shooter_position, Facing shooter_facing,
                  const char* right_sprite, const char* left_sprite);

}  // namespace gh

#endif
