#include "engine/core/ReplayReader.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"

namespace mo {

const char* const ReplayReader::FIRST_LINE = "morvane-replay 1";

namespace {

// A file's text as a log line may show it: short, printable.
std::string shown(const std::string& text) {
  const std::size_t SHOWN = 60;
  std::string result;
  for (std::size_t i = 0; i < text.size() && i < SHOWN; i++) {
    const unsigned char ch = static_cast<unsigned char>(text[i]);
    result += std::isprint(ch) ? static_cast<char>(ch) : '?';
  }
  if (text.size() > SHOWN) result += "...";
  return result;
}

// The first word of text and the rest after the blanks that follow it.
void splitWord(const std::string& text, std::string& word, std::string& rest) {
  const std::size_t blank = text.find(' ');
  word = text.substr(0, blank);
  rest.clear();
  if (blank == std::string::npos) return;
  const std::size_t next = text.find_first_not_of(' ', blank);
  if (next != std::string::npos) rest = text.substr(next);
}

}  // namespace

ReplayReader::ReplayReader()
    : usable(false),
      has_seed(false),
      seed(0),
      has_end(false),
      end_frame(0),
      last_frame(-1),
      last_closed(false),
      problems(0) {}

bool ReplayReader::load(const std::string& path) {
  *this = ReplayReader();
  const LogManager& log = LogManager::getInstance();
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  if (!file) {
    log.writeLog("ReplayReader::load(): Error! Cannot open replay file '%s'.", path.c_str());
    return false;
  }
  const std::streamoff size = file.tellg();
  if (size < 0 || size > MAX_FILE_BYTES) {
    log.writeLog("ReplayReader::load(): Error! Replay file '%s' is larger than %lld bytes.",
                 path.c_str(), MAX_FILE_BYTES);
    return false;
  }
  file.seekg(0);
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!file.read(&text[0], size)) {
    log.writeLog("ReplayReader::load(): Error! Cannot read replay file '%s'.", path.c_str());
    return false;
  }
  return parse(text);
}

bool ReplayReader::parse(const std::string& text) {
  *this = ReplayReader();
  const LogManager& log = LogManager::getInstance();
  bool first = true;
  bool header = true;
  int line_number = 0;
  for (std::size_t start = 0; start < text.size();) {
    line_number++;
    const std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? end : end - start);
    start = end == std::string::npos ? text.size() : end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // Every line a recording writes ends with a line feed; one without
    // was cut off, and what is left of it may read as something else.
    if (end == std::string::npos) {
      problem(line_number, "cut short ('" + shown(line) + "'); ignored");
      break;
    }
    if (line.empty() || line[0] == '#') continue;
    if (first) {
      first = false;
      if (line == FIRST_LINE) continue;
      if (line.rfind("morvane-replay ", 0) == 0) {
        log.writeLog("ReplayReader::parse(): Error! Replay format '%s' is not supported; this "
                     "engine reads '%s'.", shown(line).c_str(), FIRST_LINE);
      } else {
        log.writeLog("ReplayReader::parse(): Error! Not a replay: the first line is '%s', not "
                     "'%s'.", shown(line).c_str(), FIRST_LINE);
      }
      return false;
    }
    if (header && std::isdigit(static_cast<unsigned char>(line[0]))) header = false;
    if (header) {
      parseHeaderLine(line_number, line);
    } else {
      parseFrameLine(line_number, line);
    }
  }
  if (first) {
    log.writeLog("ReplayReader::parse(): Error! Not a replay: the file is empty.");
    return false;
  }
  if (!has_end) {
    end_frame = last_frame + 1;
    log.writeLog("ReplayReader::parse(): Warning! The replay has no end line, so it was cut "
                 "short; it ends after frame %d.", last_frame);
  }
  if (problems > MAX_WARNINGS) {
    log.writeLog("ReplayReader::parse(): Warning! %d more bad lines not shown.",
                 problems - MAX_WARNINGS);
  }
  usable = true;
  return true;
}

const ReplayReader::Frame* ReplayReader::frame(int n) const {
  const auto found = frames.find(n);
  return found == frames.end() ? nullptr : &found->second;
}

void ReplayReader::problem(int line_number, const std::string& what) {
  problems++;
  if (problems > MAX_WARNINGS) return;
  LogManager::getInstance().writeLog("ReplayReader::parse(): Warning! Line %d: %s.", line_number,
                                     what.c_str());
}

void ReplayReader::parseHeaderLine(int line_number, const std::string& line) {
  std::string key;
  std::string value;
  splitWord(line, key, value);
  if (key == "engine") {
    engine_version = value;
  } else if (key == "config") {
    config = value;
  } else if (key == "seed") {
    const std::optional<int> number = wholeInt(value);
    if (!number) {
      problem(line_number, "seed '" + shown(value) + "' is not a whole number; ignored");
      return;
    }
    seed = *number;
    has_seed = true;
  } else {
    problem(line_number, "unknown header item '" + shown(line) + "'; ignored");
  }
}

void ReplayReader::parseFrameLine(int line_number, const std::string& line) {
  std::string word;
  std::string rest;
  splitWord(line, word, rest);
  const std::optional<int> number = wholeInt(word);
  if (!number || *number < 0 || *number == INT_MAX) {
    problem(line_number, "'" + shown(line) + "' has no frame number; ignored");
    return;
  }
  const int n = *number;
  if (has_end) {
    problem(line_number, "'" + shown(line) + "' comes after the end line; ignored");
    return;
  }
  if (n < last_frame) {
    problem(line_number, "frame " + std::to_string(n) + " comes after frame " +
                             std::to_string(last_frame) + ", out of order; ignored");
    return;
  }
  std::string item;
  std::string value;
  splitWord(rest, item, value);
  if (item == "end" && value.empty()) {
    has_end = true;
    end_frame = n;
    return;
  }
  if (n > last_frame) last_closed = false;
  Frame& entry = frames[n];
  last_frame = n;
  const std::optional<int> count = item == "path" ? wholeInt(value) : std::nullopt;
  if (item == "path") {
    if (!count || *count < 0 || *count > MAX_PATH_STEPS) {
      problem(line_number, "path steps '" + shown(value) + "' are not a count up to " +
                               std::to_string(MAX_PATH_STEPS) + "; ignored");
      return;
    }
    entry.path_steps = *count;
  } else if (item == "check") {
    char* p_end = nullptr;
    const unsigned long sum = std::strtoul(value.c_str(), &p_end, 16);
    if (value.size() != 8 || *p_end != '\0' || !std::isxdigit(static_cast<unsigned char>(value[0]))) {
      problem(line_number, "check '" + shown(value) + "' is not 8 hexadecimal digits; ignored");
      return;
    }
    entry.has_check = true;
    entry.check = static_cast<std::uint32_t>(sum);
  } else if (item == "held") {
    std::vector<ReplayEvent> held;
    std::istringstream items(value);
    for (std::string text; std::getline(items, text, ';');) {
      ReplayEvent event;
      if (!ReplayEvent::fromText(text, event) || !event.isHeld()) {
        problem(line_number, "'" + shown(text) + "' is nothing that can be held; line ignored");
        return;
      }
      held.push_back(event);
    }
    entry.held_changed = true;
    entry.held = held;
  } else {
    ReplayEvent event;
    if (!ReplayEvent::fromText(rest, event)) {
      problem(line_number, "'" + shown(rest) + "' is no input event; ignored");
    } else if (last_closed) {
      problem(line_number, "'" + shown(rest) + "' follows the close request of its frame; ignored");
    } else {
      entry.events.push_back(event);
      last_closed = event.getKind() == ReplayEvent::CLOSE;
    }
  }
}

}  // namespace mo
