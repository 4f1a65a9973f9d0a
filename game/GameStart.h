#ifndef GH_GAME_START_H
#define GH_GAME_START_H

#include "engine/world/ViewObject.h"

namespace gh {

/// The title screen: plays the music and starts a game on any key;
/// Escape ends the program.
class GameStart : public mo::ViewObject {
 public:
  /// A "GameStart" showing "game-start" at the view's centre, registered
  /// for keyboard events; starts the music "music", looping.
  GameStart();
  ~GameStart() override;
  /// Escape (any action) ends the game; any other key event starts a
  /// game. 1 for keyboard events, 0 for the rest.
  int eventHandler(const mo::Event* p_e) override;
  /// Draws the sprite, not a label and value.
  int draw() override;
  /// Makes the title inactive and builds the level from "map-layout.txt".
  void startGame();
};

}  // namespace gh

#endif
