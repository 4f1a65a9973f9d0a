#include "engine/media/ResourceManager.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <list>
#include <memory>
#include <new>
#include <utility>

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"

namespace mo {

namespace {

// A number of a sprite file's header: its value (saturated at the ends of
// long long) and the number as the file wrote it, which messages show.
struct HeaderNumber {
  long long value = -1;
  std::string text;
};

// Reads the sections of one sprite file. The line counter is shared by
// every step of one load; it follows the file's line numbers for the tag
// lines, frame rows and "end" lines, which the error messages name.
class SpriteFileReader {
 public:
  explicit SpriteFileReader(std::istream& in) : in(in) {}

  int line_number = 0;

  // One line without its line feed and one trailing carriage return; an
  // empty string when the file ends before a line feed.
  std::string getLine() {
    std::string line;
    std::getline(in, line);
    // A last line without a line feed sets eof as well: such a file is
    // treated as cut short.
    if (in.eof() || in.fail()) {
      LogManager::getInstance().writeLog("getLine(): Error! Unexpected end of file.");
      return std::string();
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }

  // The lines between "<section>" and "</section>"; empty on any error.
  std::list<std::string> readData(const std::string& section) {
    const LogManager& log = LogManager::getInstance();
    const std::string begin = "<" + section + ">";
    const std::string end = "</" + section + ">";
    std::string line = getLine();
    line_number++;
    if (line != begin) {
      log.writeLog("readData(): Error line %d! Expected '%s', have '%s'.", line_number,
                   begin.c_str(), printable(line).c_str());
      return {};
    }
    std::list<std::string> data;
    line = getLine();
    while (line != end) {
      // getLine() also gives a blank line at the end of the file, so this
      // ends the loop for a missing closing tag.
      if (line.empty()) {
        log.writeLog("readData(): Error! Never encountered '%s'.", end.c_str());
        return {};
      }
      data.push_back(line);
      line = getLine();
    }
    line_number++;
    if (data.empty()) {
      log.writeLog("readData(): Error! Nothing between '%s' and '%s'.", begin.c_str(), end.c_str());
    }
    return data;
  }

  // Takes every line starting with key out of data; number becomes the
  // integer after the key and its separator of the last one, -1 when
  // there is none. False when a line holds the key alone.
  bool matchLineInt(std::list<std::string>& data, const std::string& key, HeaderNumber& number) {
    number = HeaderNumber();
    auto it = data.begin();
    while (it != data.end()) {
      if (it->compare(0, key.size(), key) != 0) {
        ++it;
        continue;
      }
      line_number++;
      if (it->size() == key.size()) {
        LogManager::getInstance().writeLog("matchLineInt(): Error! '%s' has no value.",
                                           key.c_str());
        return false;
      }
      if (number.value != -1) {
        LogManager::getInstance().writeLog(
            1, "matchLineInt(): Warning! '%s' matches multiple lines.", printable(*it).c_str());
      }
      // Read as strtoll reads: blanks, a sign, digits.
      const char* p_value = it->c_str() + key.size() + 1;
      char* p_end = nullptr;
      number.value = std::strtoll(p_value, &p_end, 10);
      const std::string read(p_value, static_cast<const char*>(p_end));
      const std::size_t first = read.find_first_not_of(" \t\n\v\f\r");
      number.text = first == std::string::npos ? "0" : read.substr(first);
      it = data.erase(it);
    }
    return true;
  }

  // As matchLineInt(), for the text after the key and its separator; an
  // empty value means absent.
  bool matchLineStr(std::list<std::string>& data, const std::string& key, std::string& value) {
    value.clear();
    auto it = data.begin();
    while (it != data.end()) {
      if (it->compare(0, key.size(), key) != 0) {
        ++it;
        continue;
      }
      line_number++;
      if (it->size() == key.size()) {
        LogManager::getInstance().writeLog("matchLineStr(): Error! '%s' has no value.",
                                           key.c_str());
        return false;
      }
      if (!value.empty()) {
        LogManager::getInstance().writeLog(
            1, "matchLineStr(): Warning! '%s' matches multiple lines.", printable(*it).c_str());
      }
      value = it->substr(key.size() + 1);
      it = data.erase(it);
    }
    return true;
  }

  // Takes the next frame (height rows of width characters, then "end")
  // off the front of data; an empty frame, logged, when it is malformed.
  // Rows are UTF-8, or bytes of code page 437 when cp437 is set.
  Frame readFrame(std::list<std::string>& data, const HeaderNumber& width,
                  const HeaderNumber& height, bool cp437) {
    const LogManager& log = LogManager::getInstance();
    if (data.empty()) {
      log.writeLog("\tError! Line %d: No more frame data.", line_number + 1);
      return Frame();
    }
    std::string frame_str;
    for (long long row = 0; row < height.value; row++) {
      // The body ran out before the frame's last row.
      if (data.empty()) {
        log.writeLog("\tError! Line %d: Frame ends after %lld of %s rows.", line_number + 1, row,
                     height.text.c_str());
        return Frame();
      }
      const std::string& line = data.front();
      line_number++;
      const std::size_t bad = cp437 ? std::string::npos : firstBadUtf8(line);
      if (bad != std::string::npos) {
        log.writeLog("\tError! Line %d: Not valid UTF-8 (byte %zu); save the file as UTF-8 or "
                     "set 'charset:cp437'.",
                     line_number, bad + 1);
        log.writeLog("\tLine %d: '%s'", line_number, printable(line).c_str());
        return Frame();
      }
      std::string decoded;
      if (cp437) {
        for (const char ch : line) appendUtf8(decoded, codePointOfCp437(static_cast<unsigned char>(ch)));
      }
      const std::size_t length = cp437 ? line.size() : utf8ToCodePoints(line).size();
      if (static_cast<long long>(length) != width.value) {
        log.writeLog("\tError! Line %d: Line length is %zu (frame width is %s).", line_number,
                     length, width.text.c_str());
        log.writeLog("\tLine %d: '%s'", line_number, printable(line).c_str());
        return Frame();
      }
      frame_str += cp437 ? decoded : line;
      data.pop_front();
    }
    if (data.empty()) {
      log.writeLog("\tError! Line %d: Expected '%s' before the end of the body.", line_number + 1,
                   "end");
      return Frame();
    }
    line_number++;
    if (data.front() != "end") {
      log.writeLog("\tError! Line %d: Expected '%s'.", line_number, "end");
      log.writeLog("\tLine %d: '%s'", line_number, printable(data.front()).c_str());
      return Frame();
    }
    data.pop_front();
    return Frame(static_cast<int>(width.value), static_cast<int>(height.value), frame_str);
  }

 private:
  std::istream& in;
};

}  // namespace

namespace {

// The first of the count loaded items (sounds or music) labelled label.
template <typename T>
T* firstLabelled(T* p_items, int count, const std::string& label) {
  for (int i = 0; i < count; i++) {
    if (p_items[i].getLabel() == label) return &p_items[i];
  }
  return nullptr;
}

}  // namespace

ResourceManager::ResourceManager() : p_sprite(), sprite_count(0), sound_count(0), music_count(0) {
  setType("ResourceManager");
}

ResourceManager::~ResourceManager() { deleteSprites(); }

ResourceManager& ResourceManager::getInstance() {
  static ResourceManager resource_manager;
  return resource_manager;
}

void ResourceManager::deleteSprites() {
  for (int i = 0; i < sprite_count; i++) {
    delete p_sprite[i];
    p_sprite[i] = nullptr;
  }
  sprite_count = 0;
}

int ResourceManager::startUp() {
  const LogManager& log = LogManager::getInstance();
  if (isStarted()) {
    log.writeLog("ResourceManager::startUp(): Already started.");
    return 0;
  }
  sprite_count = 0;
  sound_count = 0;
  music_count = 0;
  Manager::startUp();
  log.writeLog(5, "ResourceManager::startUp(): successfully started.");
  return 0;
}

void ResourceManager::shutDown() {
  deleteSprites();
  for (int i = 0; i < sound_count; i++) sound[i].stop();
  for (int i = 0; i < music_count; i++) music[i].stop();
  Manager::shutDown();
  LogManager::getInstance().writeLog(5, "ResourceManager::shutDown(): successfully stopped.");
}

void ResourceManager::reset() {
  if (isStarted()) shutDown();
  deleteSprites();
  // Only loaded sounds can be playing; stopping the others would just
  // make noise on machines without an audio device.
  for (int i = 0; i < sound_count; i++) sound[i].stop();
  for (Sound& s : sound) s.setLabel("[Undefined]");
  for (Music& m : music) m.setLabel("[Undefined]");
  sound_count = 0;
  music_count = 0;
  resetManager();
}

int ResourceManager::loadSprite(std::string filename, std::string label) {
  const LogManager& log = LogManager::getInstance();
  if (!isStarted()) {
    log.writeLog("%s not started!", getType().c_str());
    return -1;
  }
  // Every failure from here on names the sprite; the file closes and a
  // half-built sprite is freed when they go out of scope.
  const auto fail = [&log, &label]() {
    log.writeLog("ResourceManager::loadSprite(): Sprite '%s' not loaded.", label.c_str());
    return -1;
  };
  if (sprite_count == MAX_SPRITES) {
    log.writeLog("ResourceManager::loadSprite(): Error! Cannot add more Sprites (max is %d).",
                 MAX_SPRITES);
    return fail();
  }

  log.writeLog("ResourceManager::loadSprite(): Loading sprite '%s'.", filename.c_str());
  // Binary, so that carriage returns reach getLine() on every platform.
  std::ifstream file(filename, std::ios::binary);
  if (!file.is_open()) {
    log.writeLog("ResourceManager::loadSprite(): Error! Cannot open file '%s'.", filename.c_str());
    return fail();
  }
  log.writeLog(1, "ResourceManager::loadSprite(): Opened file '%s'.", filename.c_str());
  SpriteFileReader reader(file);

  std::list<std::string> header = reader.readData("HEADER");
  if (header.empty()) return fail();

  // Sizes are whatever the file says: memory follows the lines it holds,
  // never this claim. A frame's sizes must fit an int, as frames keep them.
  struct Size {
    const char* key;
    long long max;
    HeaderNumber number;
  };
  Size sizes[] = {{"frames", LLONG_MAX, {}}, {"width", INT_MAX, {}}, {"height", INT_MAX, {}}};
  for (Size& size : sizes) {
    if (!reader.matchLineInt(header, size.key, size.number)) return fail();
    if (size.number.value == -1) {
      log.writeLog("ResourceManager::loadSprite(): Error! Missing '%s' in header.", size.key);
      return fail();
    }
    if (size.number.value < 1 || size.number.value > size.max) {
      const std::string bound =
          size.number.value < 1 ? "at least 1" : "at most " + std::to_string(size.max);
      log.writeLog("ResourceManager::loadSprite(): Error! '%s' is %s in header (must be %s).",
                   size.key, size.number.text.c_str(), bound.c_str());
      return fail();
    }
  }
  const HeaderNumber& frames = sizes[0].number;
  const HeaderNumber& width = sizes[1].number;
  const HeaderNumber& height = sizes[2].number;

  std::string color_name;
  if (!reader.matchLineStr(header, "color", color_name)) return fail();
  if (color_name.empty()) {
    log.writeLog(5, "ResourceManager::loadSprite(): Warning! No '%s' in header.", "color");
    color_name = "default";
  }

  // Rows and the transparent character are UTF-8 unless the file says
  // they are code page 437.
  std::string charset;
  if (!reader.matchLineStr(header, "charset", charset)) return fail();
  if (!charset.empty() && charset != "utf-8" && charset != "cp437") {
    log.writeLog("ResourceManager::loadSprite(): Error! Unrecognized charset '%s' (utf-8 or cp437).",
                 printable(charset).c_str());
    return fail();
  }
  const bool cp437 = charset == "cp437";

  std::string transparency_str;
  if (!reader.matchLineStr(header, "transparency", transparency_str)) return fail();
  char32_t transparency = 0;
  if (transparency_str.empty()) {
    log.writeLog(5, "ResourceManager::loadSprite(): Warning! No '%s' in header.", "transparency");
  } else if (cp437) {
    transparency = codePointOfCp437(static_cast<unsigned char>(transparency_str[0]));
  } else {
    std::size_t pos = 0;
    if (!decodeUtf8(transparency_str, pos, transparency)) {
      log.writeLog("ResourceManager::loadSprite(): Error! Transparency '%s' is not valid UTF-8.",
                   printable(transparency_str).c_str());
      return fail();
    }
  }

  HeaderNumber slowdown_number;
  if (!reader.matchLineInt(header, "slowdown", slowdown_number)) return fail();
  if (slowdown_number.value == -1) {
    log.writeLog(5, "ResourceManager::loadSprite(): Warning! No '%s' in header.", "slowdown");
    slowdown_number.text = "0";
  }
  const int slowdown = leadingInt(slowdown_number.text);

  if (!header.empty()) {
    log.writeLog(1, "ResourceManager::loadSprite(): Warning! Unused HEADER lines:");
    for (const std::string& line : header) {
      log.writeLog(1, "\t'%s'", printable(line).c_str());
      reader.line_number++;
    }
  }

  log.writeLog(5, "\t      Frames: %s", frames.text.c_str());
  log.writeLog(5, "\t       Width: %s", width.text.c_str());
  log.writeLog(5, "\t      Height: %s", height.text.c_str());
  log.writeLog(5, "\t    Slowdown: %s", slowdown_number.text.c_str());
  if (transparency != 0) {
    std::string shown;
    appendUtf8(shown, transparency);
    log.writeLog(5, "\tTransparency: %s", printable(shown).c_str());
  } else {
    log.writeLog(5, "\tTransparency: (none)");
  }
  log.writeLog(5, "\t       Color: %s", printable(color_name).c_str());

  std::list<std::string> body = reader.readData("BODY");
  if (body.empty()) return fail();

  // The sprite grows frame by frame, so a claim the body cannot back
  // costs nothing; more than an int can count cannot be held anyway.
  std::unique_ptr<Sprite> p_new(
      new (std::nothrow) Sprite(static_cast<int>(std::min<long long>(frames.value, INT_MAX))));
  if (!p_new) {
    log.writeLog("ResourceManager::loadSprite(): Error! Unable to create Sprite.");
    return fail();
  }
  p_new->setWidth(static_cast<int>(width.value));
  p_new->setHeight(static_cast<int>(height.value));
  p_new->setSlowdown(slowdown);
  p_new->setTransparency(transparency);

  Color color = COLOR_DEFAULT;
  if (color_name != "default" && !colorFromName(color_name, color)) {
    log.writeLog("ResourceManager::loadSprite(): Error! Unrecognized color '%s'.",
                 printable(color_name).c_str());
    log.writeLog("  Valid colors are: black, red, green, yellow,");
    log.writeLog("                    blue, magenta, cyan and white.");
    return fail();
  }
  p_new->setColor(color);

  // Back to the "<BODY>" line, so that each frame row counts as its own
  // line number.
  reader.line_number--;
  for (long long i = 0; i < frames.value; i++) {
    Frame frame = reader.readFrame(body, width, height, cp437);
    if (frame.getString().empty()) {
      log.writeLog("ResourceManager::loadSprite(): Error! No frame data to add.");
      return fail();
    }
    if (p_new->addFrame(frame) != 0) {
      log.writeLog("ResourceManager::loadSprite(): Error! Cannot add Frame.");
      log.writeLog("\tFramecount is %d, max is %s", p_new->getFrameCount() + 1,
                   frames.text.c_str());
      return fail();
    }
  }
  reader.line_number++;
  if (!body.empty()) {
    log.writeLog(1, "ResourceManager::loadSprite(): Error! Extra BODY:");
    for (const std::string& line : body) {
      log.writeLog(1, "\tline %d: %s", reader.line_number, printable(line).c_str());
      reader.line_number++;
    }
    return fail();
  }

  std::list<std::string> footer = reader.readData("FOOTER");
  if (footer.empty()) return fail();
  std::string version;
  if (!reader.matchLineStr(footer, "version", version)) return fail();
  if (version.empty()) {
    log.writeLog("ResourceManager::loadSprite(): Error! Missing '%s' in FOOTER (line %d).",
                 "version", reader.line_number);
    return fail();
  }
  if (!footer.empty()) {
    log.writeLog(1, "ResourceManager::loadSprite(): Warning! Unused FOOTER lines:");
    for (const std::string& line : footer) log.writeLog(1, "\t'%s'", printable(line).c_str());
  }

  p_new->setLabel(label);
  Sprite* p_loaded = p_new.release();
  p_sprite[sprite_count] = p_loaded;
  sprite_count++;

  log.writeLog(15, "Sprite '%s' frames:", label.c_str());
  for (int i = 0; i < p_loaded->getFrameCount(); i++) {
    log.writeLog(15, "Frame %d:", i + 1);
    const std::u32string codes = p_loaded->getFrame(i).getCodePoints();
    for (long long row = 0; row < height.value; row++) {
      const std::string text = codePointsToUtf8(
          codes.substr(static_cast<std::size_t>(row) * static_cast<std::size_t>(width.value),
                       static_cast<std::size_t>(width.value)));
      log.writeLog(15, "\t%s", printable(text).c_str());
    }
  }

  log.writeLog("ResourceManager::loadSprite(): Sprite '%s' loaded.", label.c_str());
  return 0;
}

Sprite* ResourceManager::getSprite(std::string label) const {
  const LogManager& log = LogManager::getInstance();
  log.writeLog(5, "ResourceManager::getSprite(): Looking for sprite '%s'.", label.c_str());
  for (int i = 0; i < sprite_count; i++) {
    if (p_sprite[i]->getLabel() == label) return p_sprite[i];
  }
  log.writeLog("ResourceManager::getSprite(): Warning! Sprite '%s' not found.", label.c_str());
  return nullptr;
}

int ResourceManager::loadSound(std::string filename, std::string label) {
  const LogManager& log = LogManager::getInstance();
  if (!isStarted()) {
    log.writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (sound_count == MAX_SOUNDS) {
    log.writeLog("ResourceManager::loadSound(): Error! Unable to add more sounds (max is %d).",
                 MAX_SOUNDS);
    return -1;
  }
  if (sound[sound_count].loadSound(filename) != 0) {
    log.writeLog("ResourceManager::loadSound(): Error! Cannot load sound from file '%s'.",
                 filename.c_str());
    return -1;
  }
  sound[sound_count].setLabel(label);
  log.writeLog(1, "ResourceManager::loadSound(): Sound '%s' successfully loaded.", label.c_str());
  sound_count++;
  return 0;
}

Sound* ResourceManager::getSound(std::string label) {
  const LogManager& log = LogManager::getInstance();
  log.writeLog(5, "ResourceManager::getSound(): Looking for sound '%s'.", label.c_str());
  if (Sound* p_found = firstLabelled(sound, sound_count, label)) return p_found;
  log.writeLog("ResourceManager::getSound(): Warning! Sound '%s' not found.", label.c_str());
  return nullptr;
}

int ResourceManager::loadMusic(std::string filename, std::string label) {
  const LogManager& log = LogManager::getInstance();
  if (!isStarted()) {
    log.writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (music_count == MAX_MUSICS) {
    log.writeLog("ResourceManager::loadMusic(): Error! Unable to add more musics (max is %d).",
                 MAX_MUSICS);
    return -1;
  }
  if (label.empty()) {
    log.writeLog("ResourceManager::loadMusic(): Error! Must provide label for music.");
    return -1;
  }
  if (music[music_count].loadMusic(filename) != 0) {
    log.writeLog("ResourceManager::loadmusic(): Error! Cannot load music from file '%s'.",
                 filename.c_str());
    return -1;
  }
  music[music_count].setLabel(label);
  log.writeLog(1, "ResourceManager::loadMusic(): Music '%s' successfully loaded.", label.c_str());
  music_count++;
  return 0;
}

Music* ResourceManager::getMusic(std::string label) {
  const LogManager& log = LogManager::getInstance();
  log.writeLog(5, "ResourceManager::getMusic(): Looking for music '%s'.", label.c_str());
  if (Music* p_found = firstLabelled(music, music_count, label)) return p_found;
  log.writeLog("ResourceManager::getMusic(): Warning! Music '%s' not found.", label.c_str());
  return nullptr;
}

}  // namespace mo
