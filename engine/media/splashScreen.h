#ifndef MO_SPLASH_SCREEN_H
#define MO_SPLASH_SCREEN_H

namespace mo {

/// Plays the engine's splash screen: creates the banner (Splash) and
/// runs the game loop until the splash ends, about 90 frames later, or
/// at once on any key. Then it runs frames until no key is held (at
/// least one, at most 60), so the keyboard events of a key that skipped
/// the splash, its release included, never reach the game. Both splash
/// objects are gone when it returns. 0; -1 (logged, nothing run) when
/// the GameManager is not started.
int splash();

}  // namespace mo

#endif
