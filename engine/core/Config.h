#ifndef MO_CONFIG_H
#define MO_CONFIG_H

#include <string>

#include "engine/core/Color.h"

namespace mo {

/// Window style flags: title bar (1) plus close button (4).
const int WINDOW_STYLE_DEFAULT = 5;
/// Window style flag: full screen.
const int WINDOW_STYLE_FULLSCREEN = 8;

/// The engine's settings: built-in defaults, overridden by the key:value
/// items of the configuration file ("mo-config.txt", or the file named
/// by MORVANE_CONFIG), read once at start-up.
class Config {
 public:
  /// The single instance.
  static Config& getInstance();
  Config(const Config&) = delete;
  Config& operator=(const Config&) = delete;

  /// Applies the settings of text, or of the configuration file when
  /// text is empty. Absent keys and empty values keep their values;
  /// unsupported colour and style names are logged and ignored.
  void loadConfig(std::string text = "");

  /// The configuration file's lines, without comment lines ("#..."),
  /// empty lines and carriage returns, joined without separator; empty
  /// (with a line at level 1) when the file cannot be opened.
  std::string readConfig() const;

  /// Writes the configuration block to the log, every line at level 1.
  void printConfig() const;

  /// The settings that change how the game plays (window and cell sizes,
  /// frame time, collision grid, networking) as key:value text, each
  /// item ended by a comma; a replay file keeps them.
  std::string getPlayConfig() const;

  /// Applies the items of text that getPlayConfig() writes and no other
  /// (a replay file cannot name the log, say); the whole configuration
  /// text (getConfig()) stays as loaded.
  void applyPlayConfig(const std::string& text);

  /// Every setting back to its default, as just constructed.
  void reset();

  std::string getConfig() const { return config; }
  int getWindowHorizontalPixels() const { return window_horizontal_pixels; }
  int getWindowVerticalPixels() const { return window_vertical_pixels; }
  int getWindowHorizontalChars() const { return window_horizontal_chars; }
  int getWindowVerticalChars() const { return window_vertical_chars; }
  int getWindowStyle() const { return window_style; }
  Color getWindowBackgroundColor() const { return window_background_color; }
  /// Milliseconds per frame.
  int getFrameTime() const { return frame_time; }
  float getFontScale() const { return font_scale; }
  std::string getWindowTitle() const { return window_title; }
  bool getShowMouse() const { return show_mouse; }
  bool getHeadless() const { return headless; }
  std::string getFontFile() const { return font_file; }
  std::string getLogfile() const { return logfile; }
  int getRandomSeed() const { return random_seed; }
  bool getNetworking() const { return networking; }
  int getQuadtreeThreshold() const { return quadtree_threshold; }
  int getQuadtreeDepth() const { return quadtree_depth; }
  int getGridWidth() const { return grid_width; }
  int getGridHeight() const { return grid_height; }
  /// The replay file to record to ("" for none); MORVANE_RECORD wins.
  std::string getRecordFile() const;
  /// The replay file to play back ("" for none); MORVANE_REPLAY wins.
  std::string getReplayFile() const;
  /// Whether the player takes over when a replay ends.
  bool getReplayThenPlay() const { return replay_then_play; }

 private:
  Config();

  std::string config;
  int window_horizontal_pixels;
  int window_vertical_pixels;
  int window_horizontal_chars;
  int window_vertical_chars;
  int window_style;
  Color window_background_color;
  int frame_time;
  float font_scale;
  std::string window_title;
  bool show_mouse;
  bool headless;
  std::string font_file;
  std::string logfile;
  int random_seed;
  bool networking;
  int quadtree_threshold;
  int quadtree_depth;
  int grid_width;
  int grid_height;
  std::string record_file;
  std::string replay_file;
  bool replay_then_play;
};

}  // namespace mo

#endif
