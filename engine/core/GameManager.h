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
  /// manager, seeds the random numbers, asks for a 1 ms timer and makes
  /// SIGINT and SIGTERM end the game as the game-over flag does. 0; -1
  /// when a manager fails (its error line is logged, getFailure() says
  /// why; nothing is undone). A second call while started logs and
  /// returns 0.
  int startUp() override;

  /// Stops the managers in the reverse order, closes the log last and
  /// gives the signals back to the system.
  void shutDown() override;

  /// Runs the loop, one frame every frame time, until the frame in which
  /// the game-over flag is set or after which a SIGINT or SIGTERM has
  /// arrived (from then on every run() ends after one frame). The log's
  /// lines of a frame reach its file by the end of the frame. Always
  /// runs at least one frame.
  void run();

  /// What stopped the last startUp(), as one sentence for the player
  /// (what failed and what to do); empty when it started.
  std::string getFailure() const { return failure; }

  /// Ends the loop after the current frame (run() clears it on entry).
  void setGameOver(bool new_game_over = true);
  /// Whether the loop ends after the current frame.
  bool getGameOver() const;
  /// Stops or restarts the game's time. While paused the loop still reads
  /// input, handles network data and draws, but sends no step events,
  /// leaves the world as it is (no moves, collisions or deletions), gives
  /// path searches no time and holds every animation on its frame. The
  /// step count goes on counting frames. Takes effect from the point of
  /// the frame where it is called; reset() clears it.
  void setPaused(bool new_paused = true);
  bool isPaused() const;
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
  bool paused;
  int frame_time;
  int step_count;
  std::string failure;
  bool stop_logged;  ///< the stopping signal is in the log
};

}  // namespace mo

#endif
