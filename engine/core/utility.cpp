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

namespace {

void appendHex(std::string& text, char ch) {
  static const char HEX[] = "0123456789ABCDEF";
  const auto byte = static_cast<unsigned char>(ch);
  text += "\\x";
  text += HEX[byte >> 4];
  text += HEX[byte & 0x0f];
}

}  // namespace

std::string printable(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x20 && byte < 0x7f) {
      result += ch;
    } else {
      appendHex(result, ch);
    }
  }
  return result;
}

std::string validUtf8(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  char32_t code = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t at = pos;
    if (decodeUtf8(text, pos, code)) {
      result.append(text, at, pos - at);
    } else {
      appendHex(result, text[at]);
    }
  }
  return result;
}

bool decodeUtf8(const std::string& text, std::size_t& pos, char32_t& code) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  // The sequence's length, the lead byte's payload and the least code
  // point it may spell (smaller ones are overlong forms).
  std::size_t length = 1;
  char32_t value = lead;
  char32_t least = 0;
  if (lead >= 0xC0 && lead < 0xE0) {
    length = 2, value = lead & 0x1Fu, least = 0x80;
  } else if (lead >= 0xE0 && lead < 0xF0) {
    length = 3, value = lead & 0x0Fu, least = 0x800;
  } else if (lead >= 0xF0 && lead < 0xF8) {
    length = 4, value = lead & 0x07u, least = 0x10000;
  } else if (lead >= 0x80) {
    length = 0;
  }
  for (std::size_t i = 1; i < length; i++) {
    if (pos + i >= text.size() || (byte(pos + i) & 0xC0) != 0x80) {
      length = 0;
      break;
    }
    value = (value << 6) | (byte(pos + i) & 0x3Fu);
  }
  if (length == 0 || value < least || value > 0x10FFFF || (value >= 0xD800 && value < 0xE000)) {
    code = REPLACEMENT_CHARACTER;
    pos++;
    return false;
  }
  code = value;
  pos += length;
  return true;
}

void appendUtf8(std::string& text, char32_t code) {
  if (code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) code = REPLACEMENT_CHARACTER;
  const auto put = [&text](char32_t bits) { text += static_cast<char>(bits); };
  if (code < 0x80) {
    put(code);
  } else if (code < 0x800) {
    put(0xC0 | (code >> 6));
    put(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    put(0xE0 | (code >> 12));
    put(0x80 | ((code >> 6) & 0x3F));
    put(0x80 | (code & 0x3F));
  } else {
    put(0xF0 | (code >> 18));
    put(0x80 | ((code >> 12) & 0x3F));
    put(0x80 | ((code >> 6) & 0x3F));
    put(0x80 | (code & 0x3F));
  }
}

std::u32string utf8ToCodePoints(const std::string& text) {
  std::u32string codes;
  codes.reserve(text.size());
  char32_t code = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    decodeUtf8(text, pos, code);
    codes += code;
  }
  return codes;
}

std::string codePointsToUtf8(std::u32string_view codes) {
  std::string text;
  text.reserve(codes.size());
  for (const char32_t code : codes) appendUtf8(text, code);
  return text;
}

char32_t codePointOfCp437(unsigned char byte) {
  static const char16_t LOW[32] = {
      0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
      0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
      0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC};
  static const char16_t HIGH[128] = {
      0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8,
      0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2,
      0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1,
      0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD,
      0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562,
      0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534,
      0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560,
      0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
      0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393,
      0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6,
      0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, 0x00B0,
      0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};
  if (byte < 32) return LOW[byte];
  if (byte == 127) return 0x2302;
  return byte < 128 ? byte : HIGH[byte - 128];
}

std::size_t firstBadUtf8(const std::string& text) {
  char32_t code = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t at = pos;
    if (!decodeUtf8(text, pos, code)) return at;
  }
  return std::string::npos;
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
  return key + ":" + validUtf8(value) + ",";
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
