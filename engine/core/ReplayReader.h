#ifndef MO_REPLAY_READER_H
#define MO_REPLAY_READER_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/core/ReplayEvent.h"

namespace mo {

/// Reads a replay file: the header (format, engine version, random seed,
/// the configuration that affects play) and, per frame, the input sent,
/// the keys and buttons held, the path search steps run and the world
/// checks. A file that cannot be a replay is refused; a bad line is
/// skipped. Every problem is logged with its line number (at most
/// MAX_WARNINGS lines, then a count), and nothing the file holds can
/// make the reader fail otherwise.
///
/// The file, one item a line, "#" lines and blank lines ignored:
///   morvane-replay 1
///   engine 4.15          (the engine version that recorded it)
///   seed 1733532000      (the random seed the recording used)
///   config KEY:VALUE,... (the settings that affect play)
///   12 key pressed A     (frame, then an input event sent in it)
///   12 held key down A ; mouse pressed left 10.5 3
///                        (what is held from this frame on, sent after
///                         the frame's other events; "12 held" for nothing)
///   12 path 340          (path search steps run in the frame)
///   30 check 8c7f0a12    (a checksum of the world at the frame's end)
///   812 end              (the number of frames recorded)
class ReplayReader {
 public:
  /// The input and checks of one frame.
  struct Frame {
    std::vector<ReplayEvent> events;  ///< in the order sent; a close request only last
    bool held_changed = false;        ///< whether held replaces what was held before
    std::vector<ReplayEvent> held;    ///< sent every frame from this one on
    int path_steps = 0;               ///< path search steps (PathFind::cycleOnce calls)
    bool has_check = false;
    std::uint32_t check = 0;          ///< the world's checksum after the frame
  };

  /// The first line of every replay file.
  static const char* const FIRST_LINE;
  /// Larger files are refused, in bytes.
  static const long long MAX_FILE_BYTES = 64LL * 1024 * 1024;
  /// More path steps in one frame are refused as a bad line.
  static const int MAX_PATH_STEPS = 1000000;
  /// Problems logged one by one; further ones are only counted.
  static const int MAX_WARNINGS = 20;

  /// An empty, unusable reader.
  ReplayReader();

  /// Reads the file at path and parses it. True when it is a replay
  /// (bad lines skipped, logged); false (logged) when it cannot be read,
  /// is larger than MAX_FILE_BYTES or is no replay.
  bool load(const std::string& path);

  /// Parses text as a replay file, forgetting what was parsed before.
  /// True when it is a replay; false (logged) when not. Never fails
  /// otherwise, whatever the text holds.
  bool parse(const std::string& text);

  /// Whether the last load() or parse() found a replay.
  bool isUsable() const { return usable; }
  /// Whether the header gives a seed, and the seed.
  bool hasSeed() const { return has_seed; }
  int getSeed() const { return seed; }
  /// The engine version text of the header ("" when absent).
  std::string getEngineVersion() const { return engine_version; }
  /// The configuration text of the header ("" when absent).
  std::string getConfig() const { return config; }
  /// Whether the file ends with its "end" line, as a finished recording
  /// does; a file cut short does not.
  bool hasEnd() const { return has_end; }
  /// The number of frames the replay lasts: the "end" line's, else one
  /// past the last frame that has a line.
  int getEndFrame() const { return end_frame; }
  /// What frame n holds, or nullptr when it has no line.
  const Frame* frame(int n) const;
  /// The problems found by the last load() or parse().
  int getProblemCount() const { return problems; }

 private:
  void problem(int line_number, const std::string& what);
  void parseHeaderLine(int line_number, const std::string& line);
  void parseFrameLine(int line_number, const std::string& line);

  bool usable;
  bool has_seed;
  int seed;
  std::string engine_version;
  std::string config;
  bool has_end;
  int end_frame;
  int last_frame;
  bool last_closed;
  std::map<int, Frame> frames;
  int problems;
};

}  // namespace mo

#endif
