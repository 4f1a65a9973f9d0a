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
///
///   mo::Config::getInstance().loadConfig("headless:true,frame_time:10,");
///   mo::GameManager::getInstance().startUp();  // the file overrides what it names
class Config {
 public:
  /// The single instance.
  static Config& getInstance();
  Config(const Config&) = delete;
  Config& operator=(const Config&) = delete;

  /// Applies the settings of text, or of the configuration file when
  /// text is empty. Absent keys and empty values keep their values;
  /// unsupported colour and style names are logged and ignored. Each
  /// number is kept in its range (below); a value outside it, or one
  /// that is no number, is logged ("Config::loadConfig(): Warning! ...")
  /// and replaced:
  ///   frame_time                 0 to 1000 ms (0: as fast as possible);
  ///                              under 0 or no number: 33, over: 1000
  ///   font_scale                 0.1 to 10; under or no number: 2, over: 10
  ///   window_horizontal_pixels   1 to 7680; under or no number: 1024, over: 7680
  ///   window_vertical_pixels     1 to 4320; under or no number: 768, over: 4320
  ///   window_horizontal_chars    1 to 500; under or no number: 80, over: 500
  ///   window_vertical_chars      1 to 200; under or no number: 24, over: 200
  ///   random_seed                any int; no number: 0, beyond an int: the
  ///                              nearest int
  ///   grid_width, grid_height    1 to 10000; under or no number: 20 and 8,
  ///                              over: 10000
  ///   quadtree_depth             1 to 64; under or no number: 10, over: 64
  ///   quadtree_threshold         1 to 10000; under or no number: 1, over: 10000
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

  /// One getter per key, returning the value in force: the default, or
  /// the value the last loadConfig() gave it. Sizes in pixels or
  /// character cells as the key says; the values are not checked here
  /// (DisplayManager replaces sizes below 1 and an unusable font scale).
  /// The text the last loadConfig() applied.
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
  /// Whether the display queues a frame's drawing and draws it at once
  /// (true) or draws every character by itself.
  bool getBatchedDrawing() const { return batched_drawing; }
  /// The replay file to record to ("" for none); MORVANE_RECORD wins.
  std::string getRecordFile() const;
  /// The replay file to play back ("" for none); MORVANE_REPLAY wins.
  std::string getReplayFile() const;
  /// Whether the player takes over when a replay ends.
  bool getReplayThenPlay() const { return replay_then_play; }
  /// Whether a resized window shows the picture in its own proportions
  /// (true) or stretched to fill the window.
  bool getWindowKeepAspect() const { return window_keep_aspect; }
  /// Whether a resized window scales the picture by whole numbers only.
  bool getWindowIntegerScaling() const { return window_integer_scaling; }

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
  bool batched_drawing;
  std::string record_file;
  std::string replay_file;
  bool replay_then_play;
  bool window_keep_aspect;
  bool window_integer_scaling;
};

}  // namespace mo

#endif
