#ifndef GH_ICE_FREEZE_VISUALS_H
#define GH_ICE_FREEZE_VISUALS_H

#include "engine/core/Vector.h"
#include "engine/world/Object.h"

namespace gh {

/// The circle that shows where a freeze landed, for 15 steps.
class IceFreezeVisuals : public mo::Object {
 public:
  /// An "IceFreezeCircle" showing "ice-freeze-circle" at position (world
  /// cells), altitude 0, solidness left HARD, registered for steps.
  explicit IceFreezeVisuals(mo::Vector position);
  /// A step ages the circle by one and marks it for deletion once its
  /// age reaches its lifetime: 1. Anything else: 0.
  int eventHandler(const mo::Event* p_e) override;

 private:
  int lifetime;
  int age;
};

}  // namespace gh

#endif
