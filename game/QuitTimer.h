#ifndef GH_QUIT_TIMER_H
#define GH_QUIT_TIMER_H

#include "engine/world/Object.h"

namespace gh {

/// Ends the game after a number of frames. It stands in for the title
/// screen and the player's quit key until those exist.
class QuitTimer : public mo::Object {
 public:
  /// Sets the game over once frames step events have been received.
  explicit QuitTimer(int frames);

  int eventHandler(const mo::Event* p_e) override;

  /// Frames left before the game ends.
  int getFramesLeft() const { return frames_left; }

 private:
  int frames_left;
};

}  // namespace gh

#endif
