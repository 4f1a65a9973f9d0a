#include "engine/media/ResourceManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;

const std::string LOAD = "ResourceManager::loadSprite(): ";
const std::string END_OF_FILE = "getLine(): Error! Unexpected end of file.";
const std::string NO_FRAME_DATA = LOAD + "Error! No frame data to add.";
// Two sprites as describe() shows them (colours: 1 red, 2 green, 7 white).
const std::string WALKER = "3x2 colour 1 '#' slowdown 4: #M# #M|#W#W# |#V# V#";
const std::string PLAIN = "3x2 colour 7 '' slowdown 0: abcdef";
const std::string BOX = "4x3 colour 6 '\u00B7' slowdown 0: \u2554\u2550\u2550\u2557\u2551\u00B7\u2592"
                        "\u2551\u255A\u2550\u2550\u255D";

/// A file of the folder of sprite files, found from this file's path.
std::string spriteFile(const std::string& name) {
  const std::string file = __FILE__;
  return file.substr(0, file.rfind("/tests/")) + "/tests/data/sprites/" + name;
}

/// A sprite in one line, as WALKER above; empty for none.
std::string describe(const Sprite* p_sprite) {
  if (!p_sprite) return "";
  std::string t;
  if (p_sprite->getTransparency()) appendUtf8(t, p_sprite->getTransparency());
  std::string text = std::to_string(p_sprite->getWidth()) + "x" +
                     std::to_string(p_sprite->getHeight()) + " colour " +
                     std::to_string(p_sprite->getColor()) + " '" + t +
                     "' slowdown " + std::to_string(p_sprite->getSlowdown()) + ":";
  for (int i = 0; i < p_sprite->getFrameCount(); i++) {
    text += (i ? "|" : " ") + p_sprite->getFrame(i).getString();
  }
  return text;
}

class ResourceManagerTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(log.startUp(), 0);
    ASSERT_EQ(manager.startUp(), 0);
  }

  LogManager& log = LogManager::getInstance();
  ResourceManager& manager = ResourceManager::getInstance();
};

TEST_F(ResourceManagerTest, LookupFindsTheFirstExactLabelLoadsOnlyWhenStartedShutDownDrops) {
  const std::string plain = spriteFile("plain.txt"), walker = spriteFile("walker.txt");
  ASSERT_EQ(manager.loadSprite(plain, "a"), 0);
  ASSERT_EQ(manager.loadSprite(walker, "a"), 0);  // the same label: hidden by the first
  log.setLogLevel(5);
  EXPECT_EQ(describe(manager.getSprite("a")), PLAIN);
  EXPECT_EQ(manager.getSprite("A"), nullptr);
  EXPECT_EQ(manager.startUp(), 0);
  manager.shutDown();
  EXPECT_EQ(manager.loadSprite(plain, "b"), -1);
  EXPECT_EQ(manager.loadSound(plain, "b"), -1);
  EXPECT_EQ(manager.loadMusic(plain, "b"), -1);
  EXPECT_EQ(manager.startUp(), 0);
  log.setLogLevel(0);
  EXPECT_EQ(manager.getSprite("a"), nullptr);  // warned whatever the level
  const Lines expected = {
      LOAD + "Loading sprite '" + plain + "'.",
      LOAD + "Sprite 'a' loaded.",
      LOAD + "Loading sprite '" + walker + "'.",
      LOAD + "Sprite 'a' loaded.",
      "ResourceManager::getSprite(): Looking for sprite 'a'.",
      "ResourceManager::getSprite(): Looking for sprite 'A'.",
      "ResourceManager::getSprite(): Warning! Sprite 'A' not found.",
      "ResourceManager::startUp(): Already started.",
      "ResourceManager::shutDown(): successfully stopped.",
      "ResourceManager not started!",
      "ResourceManager not started!",
      "ResourceManager not started!",
      "ResourceManager::startUp(): successfully started.",
      "ResourceManager::getSprite(): Warning! Sprite 'a' not found.",
  };
  EXPECT_EQ(closedLog(), expected);
}

TEST_F(ResourceManagerTest, MissingFileFailsAndTheThousandthSpriteIsTheLast) {
  const std::string missing = spriteFile("no-such-sprite.txt");
  EXPECT_EQ(manager.loadSprite(missing, "gone"), -1);
  for (int i = 0; i < MAX_SPRITES; i++) {
    ASSERT_EQ(manager.loadSprite(spriteFile("plain.txt"), "s" + std::to_string(i)), 0) << i;
  }
  // The missing file again: the full table is checked before opening.
  EXPECT_EQ(manager.loadSprite(missing, "extra"), -1);
  EXPECT_NE(manager.getSprite("s999"), nullptr);
  const Lines all = closedLog();
  ASSERT_EQ(all.size(), 3u + 2u * MAX_SPRITES + 2u);
  EXPECT_EQ(Lines(all.begin(), all.begin() + 3),
            (Lines{LOAD + "Loading sprite '" + missing + "'.",
                   LOAD + "Error! Cannot open file '" + missing + "'.",
                   LOAD + "Sprite 'gone' not loaded."}));
  EXPECT_EQ(Lines(all.end() - 2, all.end()),
            (Lines{LOAD + "Error! Cannot add more Sprites (max is 1000).",
                   LOAD + "Sprite 'extra' not loaded."}));
}

/// A file of the sprite folder; the lines that loading it as 's' at the
/// log level writes after "Loading sprite" and "Opened file" (shown from
/// level 1) and before "loaded" or "not loaded"; the sprite as describe()
/// shows it, empty when the load must fail.
struct SpriteFile {
  const char* file;
  Lines lines;
  std::string sprite = "";
  int log_level = 1;
};

void PrintTo(const SpriteFile& c, std::ostream* p_os) { *p_os << c.file; }

class SpriteFileTest : public ResourceManagerTest,
                       public ::testing::WithParamInterface<SpriteFile> {};

TEST_P(SpriteFileTest, LoadsOrFailsWithExactlyItsMessages) {
  const SpriteFile& c = GetParam();
  const std::string path = spriteFile(c.file);
  log.setLogLevel(c.log_level);
  EXPECT_EQ(manager.loadSprite(path, "s"), c.sprite.empty() ? -1 : 0);
  Lines expected = {LOAD + "Loading sprite '" + path + "'."};
  if (c.log_level >= 1) expected.push_back(LOAD + "Opened file '" + path + "'.");
  expected.insert(expected.end(), c.lines.begin(), c.lines.end());
  expected.push_back(LOAD + "Sprite 's' " + (c.sprite.empty() ? "not " : "") + "loaded.");
  EXPECT_EQ(closedLog(), expected);
  ASSERT_EQ(log.startUp(), 0);  // takes the lookup's lines
  EXPECT_EQ(describe(manager.getSprite("s")), c.sprite);
}

using F = SpriteFile;
const std::string EXPECTED = "readData(): Error line ";
const std::string NEVER = "readData(): Error! Never encountered '";
const std::string NOTHING = "readData(): Error! Nothing between '";
const std::string SIZE = LOAD + "Error! '";

INSTANTIATE_TEST_SUITE_P(
    ResourceManagerTest, SpriteFileTest,
    ::testing::Values(
        F{"walker.txt",
          {"\t      Frames: 3", "\t       Width: 3", "\t      Height: 2", "\t    Slowdown: 4",
           "\tTransparency: #", "\t       Color: red", "Sprite 's' frames:", "Frame 1:", "\t#M#",
           "\t #M", "Frame 2:", "\t#W#", "\tW# ", "Frame 3:", "\t#V#", "\t V#"},
          WALKER,
          15},
        F{"walker-crlf.txt", {}, WALKER},
        F{"plain.txt",
          {LOAD + "Warning! No 'color' in header.", LOAD + "Warning! No 'transparency' in header.",
           LOAD + "Warning! No 'slowdown' in header.", "\t      Frames: 1", "\t       Width: 3",
           "\t      Height: 2", "\t    Slowdown: 0", "\tTransparency: (none)",
           "\t       Color: default"},
          PLAIN,
          5},
        // Unused lines are reported; what follows the footer is never read.
        F{"extras.txt",
          {LOAD + "Warning! Unused HEADER lines:", "\t'author me'",
           LOAD + "Warning! Unused FOOTER lines:", "\t'note hello'"},
          PLAIN},
        F{"cr-in-row.txt", {}, "2x1 colour 7 '' slowdown 0: a\r", 0},  // one CR dropped
        F{"bad/duplicate-key.txt",
          {"matchLineInt(): Warning! 'width 3' matches multiple lines.",
           "matchLineStr(): Warning! 'color green' matches multiple lines."},
          "3x1 colour 2 '' slowdown 0: abc"},
        F{"bad/empty.txt", {END_OF_FILE, EXPECTED + "1! Expected '<HEADER>', have ''."}},
        F{"bad/binary-garbage.txt", {EXPECTED + "1! Expected '<HEADER>', have '\\x89PNG'."}},
        F{"bad/garbage-row.txt",
          {"\tError! Line 7: Not valid UTF-8 (byte 3); save the file as UTF-8 or set "
           "'charset:cp437'.",
           "\tLine 7: 'a\\x01\\xFF'", NO_FRAME_DATA}},
        // Rows of code points: UTF-8, or code page 437 bytes, to the same cells.
        F{"box-utf8.txt", {}, BOX},
        F{"box-cp437.txt", {}, BOX},
        F{"bad/charset-unknown.txt", {LOAD + "Error! Unrecognized charset 'latin1' (utf-8 or cp437)."}},
        F{"bad/line-before-header.txt", {EXPECTED + "1! Expected '<HEADER>', have 'junk'."}},
        F{"bad/no-final-newline.txt", {END_OF_FILE, NEVER + "</FOOTER>'."}},
        F{"bad/blank-in-header.txt", {NEVER + "</HEADER>'."}},
        F{"bad/body-never-closed.txt", {END_OF_FILE, NEVER + "</BODY>'."}},
        F{"bad/body-missing.txt", {EXPECTED + "6! Expected '<BODY>', have '<FOOTER>'."}},
        F{"bad/empty-header.txt", {NOTHING + "<HEADER>' and '</HEADER>'."}},
        F{"bad/empty-body.txt", {NOTHING + "<BODY>' and '</BODY>'."}},
        F{"bad/missing-width.txt", {LOAD + "Error! Missing 'width' in header."}},
        F{"bad/height-minus-one.txt", {LOAD + "Error! Missing 'height' in header."}},
        F{"bad/negative-height.txt", {SIZE + "height' is -2 in header (must be at least 1)."}},
        F{"bad/frames-zero.txt", {SIZE + "frames' is 0 in header (must be at least 1)."}},
        // Sizes are what the body holds: a claim costs nothing and is
        // reported as written.
        F{"wide-1001.txt",
          {},
          "1001x1 colour 7 '' slowdown 0: " +
              [] {
                std::string row;
                for (int i = 0; i < 500; i++) row += "ab";
                return row + "c";
              }()},
        F{"bad/frames-2-to-the-31.txt",
          {"\t      Frames: 2147483648", "\t       Width: 3", "\t      Height: 2",
           "\t    Slowdown: 99999999999", "\tTransparency: #", "\t       Color: red",
           "\tError! Line 13: No more frame data.", NO_FRAME_DATA},
          "",
          5},
        F{"bad/absurd-width.txt",
          {SIZE + "width' is 99999999999999999999 in header (must be at most 2147483647)."}},
        F{"bad/key-without-separator.txt", {"matchLineInt(): Error! 'frames' has no value."}},
        F{"bad/color-without-separator.txt", {"matchLineStr(): Error! 'color' has no value."}},
        F{"bad/version-without-separator.txt", {"matchLineStr(): Error! 'version' has no value."}},
        F{"bad/Red-colour.txt",
          {LOAD + "Error! Unrecognized color 'Red'.",
           "  Valid colors are: black, red, green, yellow,",
           "                    blue, magenta, cyan and white."}},
        // Line numbers are the file's; unused header lines count too.
        F{"bad/short-row.txt",
          {"\tError! Line 11: Line length is 2 (frame width is 3).", "\tLine 11: 'jk'",
           NO_FRAME_DATA}},
        F{"bad/unused-header-line-then-short-row.txt",
          {LOAD + "Warning! Unused HEADER lines:", "\t'author me'",
           "\tError! Line 9: Line length is 2 (frame width is 3).", "\tLine 9: 'de'",
           NO_FRAME_DATA}},
        F{"bad/End-capital.txt",
          {"\tError! Line 9: Expected 'end'.", "\tLine 9: 'End'", NO_FRAME_DATA}},
        F{"bad/frame-missing.txt", {"\tError! Line 10: No more frame data.", NO_FRAME_DATA}},
        F{"bad/mid-frame-end.txt",
          {"\tError! Line 9: Frame ends after 2 of 3 rows.", NO_FRAME_DATA}},
        F{"bad/no-end-line.txt",
          {"\tError! Line 9: Expected 'end' before the end of the body.", NO_FRAME_DATA}},
        F{"bad/extra-body.txt", {LOAD + "Error! Extra BODY:", "\tline 10: xyz", "\tline 11: uvw"}},
        F{"bad/no-version.txt", {LOAD + "Error! Missing 'version' in FOOTER (line 12)."}}),
    [](const ::testing::TestParamInfo<SpriteFile>& info) {
      std::string name = info.param.file;
      std::replace_if(name.begin(), name.end(), [](char ch) { return !std::isalnum(ch); }, '_');
      return name;
    });

}  // namespace
}  // namespace mo
