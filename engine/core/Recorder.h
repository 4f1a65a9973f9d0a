#ifndef MO_RECORDER_H
#define MO_RECORDER_H

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "engine/core/ReplayEvent.h"

namespace mo {

/// Writes a replay file (the format ReplayReader reads): the header,
/// then per frame the input events sent in it, what is held when that
/// changes, the path search steps run and the world checks. A frame in
/// which nothing happened writes nothing. Every frame that wrote is
/// flushed, so the file survives a crash up to the frame before it.
class Recorder {
 public:
  Recorder();
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;

  /// Creates (or truncates) the file at path. 0; -1 (logged) when it
  /// cannot be created.
  int open(const std::string& path);

  /// Writes the header: the engine version text, the random seed and
  /// the configuration text that affects play.
  void writeHeader(const std::string& engine_version, int seed, const std::string& config);

  /// Whether a file is open for writing.
  bool isOpen() const { return file.is_open(); }
  /// The path given to open().
  std::string getPath() const { return path; }

  /// Notes an event sent in the current frame, in the order sent; a
  /// close request is the frame's last.
  void noteEvent(const ReplayEvent& event);

  /// Writes the current frame's lines under frame number frame: its
  /// events, what is held (when that changed), steps path search steps
  /// (when above 0) and, with check, the world's checksum.
  void endFrame(int frame, int steps, bool check, std::uint32_t checksum);

  /// Writes the end line, end_frame being the number of frames
  /// recorded, and closes the file. Nothing when no file is open.
  void close(int end_frame);

 private:
  void writeLine(int frame, const std::string& text);
  /// Closes the file with an error line when a write failed.
  void checkWritten();

  std::ofstream file;
  std::string path;
  std::vector<ReplayEvent> frame_events;
  std::vector<ReplayEvent> held;
  bool wrote;
};

}  // namespace mo

#endif
