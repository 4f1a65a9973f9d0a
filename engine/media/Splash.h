#ifndef MO_SPLASH_H
#define MO_SPLASH_H

#include <memory>

#include "engine/world/Object.h"

namespace mo {

class Event;
class Sprite;

/// The banner of the engine's splash screen: the name MORVANE in block
/// letters slides in from the right edge of the view, stops, and calls
/// up the emblem (SplashMorvane) beside it. It draws a sprite of its
/// own, built in code and never registered with the ResourceManager.
class Splash : public Object {
 public:
  /// A SPECTRAL "Splash" showing the 47 x 8 green sprite "splash",
  /// stopped on frame 0 (slanted letters), just beyond the right edge of
  /// the view and centred vertically. It moves left at (view width / 2 +
  /// 34.5) / (frame time / 2) cells per step, the frame time in whole
  /// milliseconds and halved with integer division (at least 1), and
  /// stops after 15 steps. Registered for steps and keyboard events.
  Splash();
  /// Deletes the banner's sprite.
  ~Splash() override;

  /// Once game over is set: marks the banner for deletion, 0. A key
  /// (any action): sets game over and marks it, 1. A step: counts down;
  /// at 0 stops, shows frame 1 (upright letters) and creates the emblem
  /// with its target 24 cells right of and 1 below the banner; at -75
  /// marks the banner for deletion; 1. Any other event: 0.
  int eventHandler(const Event* p_e) override;

  /// The endings every splash object shares, tried before its own
  /// handling: once game over is set, marks p_o for deletion and gives
  /// 0; a keyboard event sets game over, marks p_o and gives 1; any
  /// other event gives -1 and is left to p_o.
  static int handleEnding(Object* p_o, const Event* p_e);

 private:
  int countdown;
  std::unique_ptr<Sprite> p_sprite;
};

}  // namespace mo

#endif
