#ifndef GH_GAME_OVER_H
#define GH_GAME_OVER_H

#include "engine/world/ViewObject.h"

namespace gh {

/// The game-over screen: clears the level, shows the victory or defeat
/// picture for one pass of its animation, then brings the title back.
class GameOver : public mo::ViewObject {
 public:
  /// Shows "game-over-victory" or "game-over" for frame count x slowdown
  /// steps (0 when the sprite is missing), marks every object but the
  /// screens for deletion, stops the view following and moves the view
  /// to the world's corner.
  explicit GameOver(bool victory);
  /// Reactivates the title screen and marks every other object.
  ~GameOver() override;
  /// Step events count the lifetime down; at 0 the screen removes
  /// itself. 1 for steps, 0 otherwise.
  int eventHandler(const mo::Event* p_e) override;
  /// Draws the sprite, not a label and value.
  int draw() override;

  /// Steps left before the screen removes itself.
  int getTimeToLive() const { return time_to_live; }

 private:
  int time_to_live;
};

}  // namespace gh

#endif
