#ifndef MO_GAME_MANAGER_H
#define MO_GAME_MANAGER_H

#include <string>

#include "engine/core/Manager.h"

namespace mo {

class Clock;

/// The engine's version, printed in the start-up banner.
const float MORVANE_VERSION = 4.15f;

/// The top-level manager: starts and stops every other manager in a
/// fixed order and runs the fixed-rate game loop. Objects that want a
/// step event ("mo-step") every frame register with it.
///
///   mo::GameManager& game = mo::GameManager::getInstance();
///   if (game.startUp() == 0) {
///     new Ship;      // the first objects
///     game.run();    // until setGameOver()
///   }
///   game.shutDown(); // also after a failed start
class GameManager : public Manager {
 public:
  /// The single instance.
  static GameManager& getInstance();

  /// True only for "mo-step".
  bool isValid(std::string event_type) const override;

  ~GameManager() override;

  /// Loads the configuration, starts the log and then every other
  /// manager, seeds the random numbers and asks for a 1 ms timer. 0; -1
  /// when a manager fails (its error line is logged; nothing is undone).
  /// A second call while started logs and returns 0.
  int startUp() override;

  /// Stops the managers in the reverse order and closes the log last.
  void shutDown() override;

  /// Runs the loop, one frame every frame time, until the frame in which
  /// the game-over flag is set. Always runs at least one frame.
  void run();

  /// Ends the loop after the current frame (run() clears it on entry).
  void setGameOver(bool new_game_over = true);
  /// Whether the loop ends after the current frame.
  bool getGameOver() const;
  /// The target length of a frame, in milliseconds.
  int getFrameTime() const;
  /// Frames completed since run() began (0 during the first).
  int getStepCount() const;

  /// Back to the just-constructed state, without touching any other
  /// manager; for test fixtures.
  void reset();

 private:
  GameManager();
  void seedRandom() const;
  /// Sleeps out what is left of the frame; carries any oversleep, in
  /// microseconds, to the next frame through adjust.
  void sleepRestOfFrame(const Clock& clock, int& adjust) const;

  bool game_over;
  int frame_time;
  int step_count;
};

}  // namespace mo

#endif
