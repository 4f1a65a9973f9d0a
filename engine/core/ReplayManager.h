#ifndef MO_REPLAY_MANAGER_H
#define MO_REPLAY_MANAGER_H

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/core/Manager.h"
#include "engine/core/Recorder.h"
#include "engine/core/ReplayReader.h"

namespace mo {

class Event;

/// Records a session of play to a replay file and plays one back. The
/// GameManager starts it right after the log, before the managers that
/// read the configuration. Recording (MORVANE_RECORD or "record_file")
/// writes the random seed, the settings that affect play, every input
/// event the InputManager sends, the path search steps of every frame
/// and a checksum of the world every CHECK_FRAMES frames. Replaying
/// (MORVANE_REPLAY or "replay_file") applies the recorded settings and
/// seed, feeds the InputManager from the file instead of the window, runs
/// exactly the recorded path search steps and compares the checksums.
/// At the end of the file the game is over, unless "replay_then_play"
/// hands the controls to the player. Frames are counted from start-up
/// across every run of the loop (the splash screen runs its own).
class ReplayManager : public Manager {
 public:
  /// Frames between two world checks.
  static const int CHECK_FRAMES = 30;

  /// The single instance.
  static ReplayManager& getInstance();
  ~ReplayManager() override;

  /// Opens the replay and the recording named by the configuration. A
  /// replay that cannot be used is logged and ends at once (or hands
  /// over to the player); a recording that cannot be created is logged
  /// and not made. Always 0; a second call logs and returns 0.
  int startUp() override;

  /// Ends the recording with its end line and logs how the replay's
  /// world checks went.
  void shutDown() override;

  /// The random seed to use, given the one the configuration asks for
  /// (already resolved): the replay's when replaying. The recording
  /// notes it in its header.
  int takeSeed(int seed);

  /// Whether input and path search steps come from a replay file: from
  /// start-up until the player takes over (past the file's end no steps
  /// run and the game is over).
  bool isReplaying() const;
  /// Whether a replay runs as fast as it can: the configuration asked
  /// for a frame time of 0; the world still sees the recorded one.
  bool isFastReplay() const;
  /// Whether a recording is being written.
  bool isRecording() const { return recorder.isOpen(); }

  /// The frame running, counted from start-up.
  int getFrame() const { return frame; }

  /// Notes an input event the InputManager sends (a close request too).
  void noteInput(const ReplayEvent& event);

  /// The path search steps the replay runs in this frame (0 when not
  /// replaying).
  int getPathSteps() const;

  /// Ends the frame, in which the path searches ran steps steps: records
  /// them, checks or records the world every CHECK_FRAMES frames, tells
  /// the frame listener and counts the frame.
  void endFrame(int steps);

  /// Called with the number of every frame that ends, after the world
  /// was updated and drawn; for tests and tools (nullptr for none).
  void setFrameListener(std::function<void(int)> listener);

  /// A checksum of the world: every object's id, type, place, motion,
  /// solidness and altitude, and the view.
  static std::uint32_t worldChecksum();

  /// The checks compared so far and those that differed.
  int getChecksCompared() const { return checks_compared; }
  int getChecksDiffered() const { return checks_differed; }

  /// Back to the just-constructed state, closing any file; for test
  /// fixtures.
  void reset();

 private:
  ReplayManager();
  class Source;
  /// The replay is over: the game ends, or the player takes over.
  void endReplay();

  Recorder recorder;
  ReplayReader reader;
  std::unique_ptr<Source> p_source;
  std::string replay_file;
  bool replaying;
  bool ended;
  bool fast;
  bool then_play;
  int frame;
  int checks_compared;
  int checks_differed;
  std::function<void(int)> frame_listener;
};

}  // namespace mo

#endif
