#ifndef GH_SET_UP_GAME_H
#define GH_SET_UP_GAME_H

namespace gh {

/// What the game does between the engine's start-up and its loop: makes
/// the world five windows wide and three and a half high with the view
/// one window, plays the engine's splash screen, loads the game's
/// resources from the working directory and shows the title screen.
void setUpGame();

}  // namespace gh

#endif
