#ifndef GH_ICE_WALL_H
#define GH_ICE_WALL_H

#include "engine/core/Vector.h"
#include "game/IceBlock.h"

namespace gh {

/// An upright block of ice that stops what runs into it. The player's
/// touch does not melt it.
class IceWall : public IceBlock {
 public:
  /// An "IceWall" showing "ice-wall" at position (world cells), lasting
  /// lifetime_units x 30 steps.
  IceWall(int lifetime_units, mo::Vector position);
};

}  // namespace gh

#endif
