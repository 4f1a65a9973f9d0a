#include "engine/core/utility.h"

#include <SFML/Graphics/Color.hpp>

#include <cctype>
#include <cerrno>
#include <cfloat>
#include <climits>
#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <new>
#include <sstream>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/core/platform.h"

namespace mo {

bool boxContainsPosition(Box b, Vector p) {
  const Vector corner = b.getCorner();
  return valueInRange(p.getX(), corner.getX(), corner.getX() + b.getHorizontal()) &&
         valueInRange(p.getY(), corner.getY(), corner.getY() + b.getVertical());
}

float distance(Vector p1, Vector p2) {
  const float dx = p1.getX() - p2.getX();
  const float dy = p1.getY() - p2.getY();
  return std::sqrt(dx * dx + dy * dy);
}

namespace {

struct ColorEntry {
  const char* name;
  unsigned char r, g, b;
};

// Indexed by Color, BLACK to WHITE.
const ColorEntry COLOR_TABLE[] = {
    {"black", 0, 0, 0},     {"red", 255, 0, 0},     {"green", 0, 255, 0},
    {"yellow", 255, 255, 0}, {"blue", 0, 0, 255},   {"magenta", 255, 0, 255},
    {"cyan", 0, 255, 255},  {"white", 255, 255, 255},
};

bool isPlainColor(Color c) { return c >= BLACK && c <= WHITE; }

}  // namespace

sf::Color colorToSFML(Color c) {
  if (isPlainColor(c)) {
    const ColorEntry& entry = COLOR_TABLE[c];
    return sf::Color(entry.r, entry.g, entry.b);
  }
  if (c == CUSTOM) {
    LogManager::getInstance().writeLog(5, "colorToSFML(): Color is CUSTOM.");
  } else {
    LogManager::getInstance().writeLog(5, "colorToSFML(): Color %d not supported.",
                                       static_cast<int>(c));
  }
  return sf::Color::White;
}

void colorToRGB(Color c, unsigned char& r, unsigned char& g, unsigned char& b) {
  if (isPlainColor(c)) {
    r = COLOR_TABLE[c].r;
    g = COLOR_TABLE[c].g;
    b = COLOR_TABLE[c].b;
    return;
  }
  if (c != CUSTOM) {
    LogManager::getInstance().writeLog(5, "colorToRGB(): Color %d not supported.",
                                       static_cast<int>(c));
  }
}

bool colorFromName(const std::string& name, Color& c) {
  for (int i = BLACK; i <= WHITE; i++) {
    if (name == COLOR_TABLE[i].name) {
      c = static_cast<Color>(i);
      return true;
    }
  }
  return false;
}

const char* getTimeString() {
  static char time_str[32];
  std::tm now{};
  if (!platform::timeSource().localTime(now)) {
    std::snprintf(time_str, sizeof(time_str), "(time error)");
    return time_str;
  }
  std::snprintf(time_str, sizeof(time_str), "%02d:%02d:%02d", now.tm_hour, now.tm_min,
                now.tm_sec);
  return time_str;
}

std::string toString(int i) {
  std::ostringstream ss;
  ss << i;
  return ss.str();
}

std::string toString(float f) {
  std::ostringstream ss;
  ss << f;
  return ss.str();
}

int leadingInt(const std::string& text) {
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

std::string printable(const std::string& text) {
  static const char HEX[] = "0123456789ABCDEF";
  std::string result;
  result.reserve(text.size());
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x20 && byte < 0x7f) {
      result += ch;
    } else {
      result += "\\x";
      result += HEX[byte >> 4];
      result += HEX[byte & 0x0f];
    }
  }
  return result;
}

float leadingFloat(const std::string& text) {
  return static_cast<float>(std::strtod(text.c_str(), nullptr));
}

std::string toString(bool b) { return b ? "true" : "false"; }

namespace {

// The matcher's remembered parse, replaced by each text it is given.
struct MatchMemory {
  std::vector<std::string> keys;
  std::vector<std::string> values;
};

MatchMemory& matchMemory() {
  static MatchMemory memory;
  return memory;
}

// Splits text at sep, skipping empty pieces, as strtok does.
std::vector<std::string> splitSkippingEmpty(const std::string& text, char sep) {
  std::vector<std::string> pieces;
  std::string::size_type start = 0;
  while (start <= text.size()) {
    std::string::size_type end = text.find(sep, start);
    if (end == std::string::npos) end = text.size();
    if (end > start) pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return pieces;
}

void parseMatchText(const std::string& raw) {
  LogManager& log = LogManager::getInstance();
  MatchMemory& memory = matchMemory();
  memory.keys.clear();
  memory.values.clear();

  std::string text;
  text.reserve(raw.size());
  for (char ch : raw) {
    if (!std::isspace(static_cast<unsigned char>(ch))) text += ch;
  }

  std::size_t slots = 1;
  for (char ch : text) {
    if (ch == ',') slots++;
  }
  log.writeLog(25, "match(): number of elements allocated is %d", static_cast<int>(slots));

  try {
    memory.keys.reserve(slots);
  } catch (const std::bad_alloc&) {
    log.writeLog("match(): unable to allocate key array!");
    return;
  }
  try {
    memory.values.reserve(slots);
  } catch (const std::bad_alloc&) {
    log.writeLog("match(): unable to allocate val array!");
    memory.keys.clear();
    return;
  }

  int item = 0;
  for (const std::string& piece : splitSkippingEmpty(text, ',')) {
    log.writeLog(25, "\titem number %d", item);
    log.writeLog(28, "\tp_element is '%s' (%p)", piece.c_str(),
                 static_cast<const void*>(piece.c_str()));
    const std::vector<std::string> tokens = splitSkippingEmpty(piece, ':');
    if (tokens.empty()) break;
    log.writeLog(28, "\ttoken is '%s' (%p)", tokens[0].c_str(),
                 static_cast<const void*>(tokens[0].c_str()));
    const std::string value = tokens.size() > 1 ? tokens[1] : std::string();
    memory.keys.push_back(tokens[0]);
    memory.values.push_back(value);
    log.writeLog(25, "\tkey %s", tokens[0].c_str());
    log.writeLog(25, "\tval %s", value.c_str());
    item++;
  }

  log.writeLog(25, "match(): parsed.");
  for (std::size_t i = 0; i < memory.keys.size(); i++) {
    log.writeLog(28, "\t%d  %s : %s", static_cast<int>(i), memory.keys[i].c_str(),
                 memory.values[i].c_str());
  }
}

}  // namespace

std::string match(std::string text, std::string key) {
  LogManager& log = LogManager::getInstance();
  log.writeLog(25, "match(\"%s\", \"%s\")", text.c_str(), key.c_str());
  if (!text.empty()) parseMatchText(text);

  const MatchMemory& memory = matchMemory();
  log.writeLog(25, "match(): Looking for match '%s' among %d items.", key.c_str(),
               static_cast<int>(memory.keys.size()));
  for (std::size_t i = 0; i < memory.keys.size(); i++) {
    log.writeLog(28, "match(): %d: %s == %s?", static_cast<int>(i), memory.keys[i].c_str(),
                 key.c_str());
    if (memory.keys[i] == key) return memory.values[i];
  }
  return std::string();
}

void resetMatch() {
  matchMemory().keys.clear();
  matchMemory().values.clear();
}

std::map<std::string, std::string> matchKeys(const std::string& text,
                                             std::initializer_list<const char*> keys) {
  std::map<std::string, std::string> values;
  if (!text.empty()) match(text, "");
  for (const char* key : keys) values[key] = text.empty() ? std::string() : match("", key);
  return values;
}

std::string attributeItem(const std::string& key, const std::string& value) {
  return key + ":" + value + ",";
}

bool attributeSelected(const std::string& selection, const std::string& name, bool modified) {
  if (selection == "ALL") return true;
  if (selection.empty()) return modified;
  return selection.find(name + ",") != std::string::npos;
}

namespace {

// Whether text starts with a number that strtod can read (blanks before
// it allowed, as the C conversions allow them).
bool startsWithNumber(const std::string& text, double& value) {
  char* p_end = nullptr;
  value = std::strtod(text.c_str(), &p_end);
  return p_end != text.c_str();
}

bool isFiniteFloat(double value) { return std::isfinite(value) && std::fabs(value) <= FLT_MAX; }

void logNotANumber(const char* caller, const char* key, const std::string& value) {
  LogManager::getInstance().writeLog("%s: Warning! %s '%s' is not a number, read as 0.", caller,
                                     key, value.c_str());
}

}  // namespace

int attributeInt(const char* caller, const char* key, const std::string& value) {
  char* p_end = nullptr;
  std::strtoll(value.c_str(), &p_end, 10);
  if (p_end == value.c_str()) logNotANumber(caller, key, value);
  return leadingInt(value);
}

std::optional<float> attributeFloat(const char* caller, const char* key, const std::string& value) {
  double number = 0.0;
  if (!startsWithNumber(value, number)) {
    logNotANumber(caller, key, value);
    return 0.0f;
  }
  if (!isFiniteFloat(number)) {
    LogManager::getInstance().writeLog("%s: Warning! %s '%s' is not a finite number. Ignored.",
                                       caller, key, value.c_str());
    return std::nullopt;
  }
  return static_cast<float>(number);
}

std::optional<float> wholeFloat(const std::string& text) {
  char* p_end = nullptr;
  const double number = std::strtod(text.c_str(), &p_end);
  if (text.empty() || *p_end != '\0' || std::isspace(static_cast<unsigned char>(text[0])) ||
      !isFiniteFloat(number)) {
    return std::nullopt;
  }
  return static_cast<float>(number);
}

std::optional<int> wholeInt(const std::string& text) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return std::nullopt;
  char* p_end = nullptr;
  errno = 0;
  const long long number = std::strtoll(text.c_str(), &p_end, 10);
  if (*p_end != '\0' || errno != 0 || number < INT_MIN || number > INT_MAX) return std::nullopt;
  return static_cast<int>(number);
}

}  // namespace mo
