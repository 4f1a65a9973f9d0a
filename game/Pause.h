#ifndef GH_PAUSE_H
#define GH_PAUSE_H

#include "game/Hud.h"

namespace gh {

/// The game's pause: stops and restarts the engine's game time and the
/// music, and while paused shows "PAUSED" in the middle of the view. The
/// player makes one with its HUD and pauses with P.
class Pause : public Hud {
 public:
  /// A hidden "Pause" item reading "PAUSED" (no value) in YELLOW at
  /// CENTER_CENTER.
  Pause();
  /// A game whose pause goes away while paused runs again, and so does
  /// its music unless the program is ending.
  ~Pause() override;
  /// Pauses a running game or resumes a paused one.
  void toggle();
  /// Stops (true) or restarts the game's time (GameManager::setPaused),
  /// pauses or resumes the music "music", and shows or hides "PAUSED".
  /// Nothing when the game already is in that state.
  void setPaused(bool paused);
};

}  // namespace gh

#endif
