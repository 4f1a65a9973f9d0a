#ifndef GH_ICE_PLATFORM_H
#define GH_ICE_PLATFORM_H

#include "engine/core/Vector.h"
#include "game/IceBlock.h"

namespace gh {

/// A slab of ice to stand on. It melts twice as fast while the player
/// touches it, since every contact with the "Player" adds a step of age.
class IcePlatform : public IceBlock {
 public:
  /// An "IcePlatform" showing "ice-platform" at position (world cells),
  /// lasting lifetime_units x 30 steps.
  IcePlatform(int lifetime_units, mo::Vector position);
};

}  // namespace gh

#endif
