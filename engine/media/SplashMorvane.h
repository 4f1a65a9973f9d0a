#ifndef MO_SPLASH_MORVANE_H
#define MO_SPLASH_MORVANE_H

#include <memory>

#include "engine/core/Vector.h"
#include "engine/world/Object.h"

namespace mo {

class Event;
class Sprite;

/// The emblem of the engine's splash screen: it rises from below the
/// view to a target beside the banner, changes its picture and then
/// ends the splash by setting game over. Its sprites are its own, built
/// in code and never registered with the ResourceManager.
class SplashMorvane : public Object {
 public:
  /// A SPECTRAL "SplashMorvane" showing the 11 x 7 blue sprite
  /// "splash-morvane" (two poses, each shown for 2 game frames), placed
  /// at the target's x, 6 cells below the bottom of the view, and rising
  /// to new_target (world cells) in 30 steps. Registered for steps and
  /// keyboard events.
  explicit SplashMorvane(Vector new_target);
  /// Deletes the emblem's current sprite.
  ~SplashMorvane() override;

  /// Once game over is set: marks the emblem for deletion, 0. A key (any
  /// action): sets game over and marks it, 1. A step: counts down; below
  /// 1, stops once at or above the target; at -15 shows the 9 x 6 green
  /// second picture one cell further left; at -45 sets game over and
  /// marks the emblem; 1. Any other event: 0.
  int eventHandler(const Event* p_e) override;

 private:
  Vector target;
  int countdown;
  std::unique_ptr<Sprite> p_sprite;
};

}  // namespace mo

#endif
