#include "engine/core/Config.h"

#include <cstdlib>
#include <fstream>

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"

namespace mo {

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
  record_file.clear();
  replay_file.clear();
  replay_then_play = false;
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

  auto set_int = [](const char* key, int& field) {
    const std::string value = match("", key);
    if (!value.empty()) field = leadingInt(value);
  };
  auto set_bool = [](const char* key, bool& field) {
    const std::string value = match("", key);
    if (!value.empty()) field = (value == "true");
  };
  auto set_string = [](const char* key, std::string& field) {
    const std::string value = match("", key);
    if (!value.empty()) field = value;
  };

  set_int("frame_time", frame_time);
  const std::string scale = match("", "font_scale");
  if (!scale.empty()) font_scale = leadingFloat(scale);
  set_int("window_horizontal_pixels", window_horizontal_pixels);
  set_int("window_vertical_pixels", window_vertical_pixels);
  set_int("window_horizontal_chars", window_horizontal_chars);
  set_int("window_vertical_chars", window_vertical_chars);
  const std::string color = match("", "window_background_color");
  if (!color.empty() && !colorFromName(color, window_background_color)) {
    LogManager::getInstance().writeLog("loadConfig(): Unsupported window color '%s'",
                                       color.c_str());
  }
  const std::string style = match("", "window_style");
  if (style == "fullscreen") {
    window_style = WINDOW_STYLE_FULLSCREEN;
  } else if (style == "default") {
    window_style = WINDOW_STYLE_DEFAULT;
  } else if (!style.empty()) {
    LogManager::getInstance().writeLog("loadConfig(): Unsupported window style '%s'",
                                       style.c_str());
  }
  set_string("window_title", window_title);
  set_bool("show_mouse", show_mouse);
  set_bool("headless", headless);
  set_string("font_file", font_file);
  set_string("logfile", logfile);
  set_int("random_seed", random_seed);
  set_bool("networking", networking);
  set_int("grid_width", grid_width);
  set_int("grid_height", grid_height);
  set_int("quadtree_depth", quadtree_depth);
  set_int("quadtree_threshold", quadtree_threshold);
  set_string("record_file", record_file);
  set_string("replay_file", replay_file);
  set_bool("replay_then_play", replay_then_play);
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
  log.writeLog(1, "-----------------------------------");
}

}  // namespace mo
