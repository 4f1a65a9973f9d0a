#include "engine/core/Config.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"

namespace mo {

namespace {

// The leading number of text, read as atoi (whole) or atof read it but
// without overflowing; false when text does not begin with a number.
bool leadingNumber(const std::string& text, bool whole, double& number) {
  const char* p_start = text.c_str();
  char* p_end = nullptr;
  number =
      whole ? static_cast<double>(std::strtoll(p_start, &p_end, 10)) : std::strtod(p_start, &p_end);
  return p_end != p_start && !std::isnan(number);
}

}  // namespace

Config::Config() { reset(); }

Config& Config::getInstance() {
  static Config config_instance;
  return config_instance;
}

void Config::reset() {
  config.clear();
  window_horizontal_pixels = 1024;
  window_vertical_pixels = 768;
  window_horizontal_chars = 80;
  window_vertical_chars = 24;
  window_style = WINDOW_STYLE_DEFAULT;
  window_background_color = BLACK;
  frame_time = 33;
  font_scale = 2.0f;
  window_title = "Morvane";
  show_mouse = false;
  headless = false;
  font_file = "mo-font.ttf";
  logfile = "morvane.log";
  random_seed = 0;
  networking = false;
  quadtree_threshold = 1;
  quadtree_depth = 10;
  grid_width = 20;
  grid_height = 8;
  batched_drawing = true;
  record_file.clear();
  replay_file.clear();
  replay_then_play = false;
  window_keep_aspect = true;
  window_integer_scaling = false;
}

std::string Config::readConfig() const {
  const char* p_env = std::getenv("MORVANE_CONFIG");
  const std::string name = p_env ? std::string(p_env) : std::string("mo-config.txt");
  std::ifstream file(name);
  if (!file) {
    LogManager::getInstance().writeLog(
        1, "Config::readConfig(): Cannot open Morvane configuration file '%s'.", name.c_str());
    return std::string();
  }
  std::string result;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    result += line;
  }
  return result;
}

void Config::loadConfig(std::string text) {
  if (text.empty()) text = readConfig();
  config = text;
  // Nothing to apply. Asking the matcher with an empty text would read
  // whatever it parsed last instead.
  if (text.empty()) return;
  match(text, "");

  // Every number has a range that the engine can live with. A value that
  // is no number takes the default; one outside the range takes what its
  // row says, mostly the default under the range (a slip of sign, a zero)
  // and the largest accepted value over it.
  struct NumberSetting {
    const char* key;
    int Config::*p_int;      // the field of a whole number...
    float Config::*p_float;  // ...or of a fraction
    double min;
    double max;
    double fallback;  // the default
    double below;     // what a value under the range becomes
    double above;     // what a value over the range becomes
  };
  static const NumberSetting NUMBERS[] = {
      {"frame_time", &Config::frame_time, nullptr, 0, 1000, 33, 33, 1000},
      {"font_scale", nullptr, &Config::font_scale, 0.1, 10, 2, 2, 10},
      {"window_horizontal_pixels", &Config::window_horizontal_pixels, nullptr, 1, 7680, 1024, 1024,
       7680},
      {"window_vertical_pixels", &Config::window_vertical_pixels, nullptr, 1, 4320, 768, 768, 4320},
      {"window_horizontal_chars", &Config::window_horizontal_chars, nullptr, 1, 500, 80, 80, 500},
      {"window_vertical_chars", &Config::window_vertical_chars, nullptr, 1, 200, 24, 24, 200},
      {"random_seed", &Config::random_seed, nullptr, INT_MIN, INT_MAX, 0, INT_MIN, INT_MAX},
      {"grid_width", &Config::grid_width, nullptr, 1, 10000, 20, 20, 10000},
      {"grid_height", &Config::grid_height, nullptr, 1, 10000, 8, 8, 10000},
      {"quadtree_depth", &Config::quadtree_depth, nullptr, 1, 64, 10, 10, 64},
      {"quadtree_threshold", &Config::quadtree_threshold, nullptr, 1, 10000, 1, 1, 10000},
  };
  const LogManager& log = LogManager::getInstance();
  for (const NumberSetting& setting : NUMBERS) {
    const std::string value = match("", setting.key);
    if (value.empty()) continue;
    double number = 0;
    if (!leadingNumber(value, setting.p_int != nullptr, number)) {
      log.writeLog("Config::loadConfig(): Warning! %s '%s' is no number, using %.10g.", setting.key,
                   value.c_str(), setting.fallback);
      number = setting.fallback;
    } else if (number < setting.min || number > setting.max) {
      const double replacement = number < setting.min ? setting.below : setting.above;
      log.writeLog(
          "Config::loadConfig(): Warning! %s '%s' out of range %.10g to %.10g, using %.10g.",
          setting.key, value.c_str(), setting.min, setting.max, replacement);
      number = replacement;
    }
    if (setting.p_int) {
      this->*setting.p_int = static_cast<int>(number);
    } else {
      this->*setting.p_float = static_cast<float>(number);
    }
  }

  auto set_bool = [](const char* key, bool& field) {
    const std::string value = match("", key);
    if (!value.empty()) field = (value == "true");
  };
  auto set_string = [](const char* key, std::string& field) {
    const std::string value = match("", key);
    if (!value.empty()) field = value;
  };

  const std::string color = match("", "window_background_color");
  if (!color.empty() && !colorFromName(color, window_background_color)) {
    log.writeLog("loadConfig(): Unsupported window color '%s'", color.c_str());
  }
  const std::string style = match("", "window_style");
  if (style == "fullscreen") {
    window_style = WINDOW_STYLE_FULLSCREEN;
  } else if (style == "default") {
    window_style = WINDOW_STYLE_DEFAULT;
  } else if (!style.empty()) {
    log.writeLog("loadConfig(): Unsupported window style '%s'", style.c_str());
  }
  set_string("window_title", window_title);
  set_bool("show_mouse", show_mouse);
  set_bool("headless", headless);
  set_string("font_file", font_file);
  set_string("logfile", logfile);
  set_bool("networking", networking);
  set_bool("batched_drawing", batched_drawing);
  set_string("record_file", record_file);
  set_string("replay_file", replay_file);
  set_bool("replay_then_play", replay_then_play);
  set_bool("window_keep_aspect", window_keep_aspect);
  set_bool("window_integer_scaling", window_integer_scaling);
}

namespace {

// The keys of getPlayConfig(), in the order it writes them.
const std::initializer_list<const char*> PLAY_KEYS = {
    "window_horizontal_pixels", "window_vertical_pixels", "window_horizontal_chars",
    "window_vertical_chars",    "frame_time",             "font_scale",
    "networking",               "grid_width",             "grid_height",
    "quadtree_threshold",       "quadtree_depth",
};

std::string fromEnvironment(const char* name, const std::string& configured) {
  const char* p_value = std::getenv(name);
  return p_value && *p_value ? std::string(p_value) : configured;
}

}  // namespace

std::string Config::getRecordFile() const { return fromEnvironment("MORVANE_RECORD", record_file); }

std::string Config::getReplayFile() const { return fromEnvironment("MORVANE_REPLAY", replay_file); }

std::string Config::getPlayConfig() const {
  const std::string values[] = {
      toString(window_horizontal_pixels), toString(window_vertical_pixels),
      toString(window_horizontal_chars),  toString(window_vertical_chars),
      toString(frame_time),               toString(font_scale),
      toString(networking),               toString(grid_width),
      toString(grid_height),              toString(quadtree_threshold),
      toString(quadtree_depth),
  };
  std::string text;
  int i = 0;
  for (const char* key : PLAY_KEYS) text += attributeItem(key, values[i++]);
  return text;
}

void Config::applyPlayConfig(const std::string& text) {
  std::string items;
  for (const auto& entry : matchKeys(text, PLAY_KEYS)) {
    if (!entry.second.empty()) items += attributeItem(entry.first, entry.second);
  }
  // An empty text would make loadConfig() read the file instead.
  if (items.empty()) return;
  const std::string loaded = config;
  loadConfig(items);
  config = loaded;
}

void Config::printConfig() const {
  const LogManager& log = LogManager::getInstance();
  log.writeLog(1, "-----------------------------------");
  log.writeLog(1, "Morvane configuration:");
  log.writeLog(1, "  Window horizontal pixels: %d", window_horizontal_pixels);
  log.writeLog(1, "  Window vertical pixels: %d", window_vertical_pixels);
  log.writeLog(1, "  Window horizontal characters: %d", window_horizontal_chars);
  log.writeLog(1, "  Window vertical characters: %d", window_vertical_chars);
  log.writeLog(1, "  Window background color: %d", static_cast<int>(window_background_color));
  log.writeLog(1, "  Frame time: %d", frame_time);
  log.writeLog(1, "  Window style: %s",
               window_style == WINDOW_STYLE_DEFAULT ? "default" : "fullscreen");
  log.writeLog(1, "  Window title: %s", window_title.c_str());
  log.writeLog(1, "  Show mouse: %s", show_mouse ? "true" : "false");
  log.writeLog(1, "  Headless: %s", headless ? "true" : "false");
  log.writeLog(1, "  Font file: %s", font_file.c_str());
  log.writeLog(1, "  Log file: %s", logfile.c_str());
  log.writeLog(1, "  Random seed: %d", random_seed);
  log.writeLog(1, "  Networking: %s", networking ? "true" : "false");
  log.writeLog(1, "  Grid width: %d", grid_width);
  log.writeLog(1, "  Grid height: %d", grid_height);
  log.writeLog(1, "  Quadtree threshold: %d", quadtree_threshold);
  log.writeLog(1, "  Quadtree depth: %d", quadtree_depth);
  log.writeLog(1, "  Batched drawing: %s", batched_drawing ? "true" : "false");
  log.writeLog(1, "  Window keep aspect: %s", window_keep_aspect ? "true" : "false");
  log.writeLog(1, "  Window integer scaling: %s", window_integer_scaling ? "true" : "false");
  log.writeLog(1, "  Record file: %s", record_file.c_str());
  log.writeLog(1, "  Replay file: %s", replay_file.c_str());
  log.writeLog(1, "  Replay then play: %s", replay_then_play ? "true" : "false");
  log.writeLog(1, "-----------------------------------");
}

}  // namespace mo
