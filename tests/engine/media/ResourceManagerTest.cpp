#include "engine/media/ResourceManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/LogManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::EngineTest;
using Lines = std::vector<std::string>;

const std::string LOAD = "ResourceManager::loadSprite(): ";

/// A sprite file with the given section contents, every line ended by a
/// line feed.
std::string spriteText(const std::string& header, const std::string& body,
                       const std::string& footer = "version 1\n") {
  return "<HEADER>\n" + header + "</HEADER>\n<BODY>\n" + body + "</BODY>\n<FOOTER>\n" + footer +
         "</FOOTER>\n";
}

/// One frame of 3 x 2 characters in lines 7 and 8, "end" in line 9.
const std::string ONE_FRAME_HEADER = "frames 1\nwidth 3\nheight 2\n";
const std::string ONE_FRAME_BODY = "abc\ndef\nend\n";

std::string withCrLf(const std::string& text) {
  std::string result;
  for (char ch : text) {
    if (ch == '\n') result += '\r';
    result += ch;
  }
  return result;
}

class ResourceManagerTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(log.startUp(), 0);
    ASSERT_EQ(manager.startUp(), 0);
  }
  /// Every message so far; closes the log.
  Lines messages() const {
    log.setLogLevel(0);  // keeps the log's own closing line out
    log.shutDown();
    return logMessages();
  }
  /// The messages of a load that failed for the given reasons.
  static Lines failedLoad(const std::string& path, const std::string& label, const Lines& errors) {
    Lines lines = {LOAD + "Loading sprite '" + path + "'."};
    lines.insert(lines.end(), errors.begin(), errors.end());
    lines.push_back(LOAD + "Sprite '" + label + "' not loaded.");
    return lines;
  }

  LogManager& log = LogManager::getInstance();
  ResourceManager& manager = ResourceManager::getInstance();
};

// --- life cycle --------------------------------------------------------

TEST_F(ResourceManagerTest, StartUpAndShutDownAreLogged) {
  manager.reset();
  log.setLogLevel(5);
  EXPECT_EQ(manager.getType(), "ResourceManager");
  EXPECT_FALSE(manager.isStarted());
  EXPECT_EQ(manager.startUp(), 0);
  EXPECT_TRUE(manager.isStarted());
  log.setLogLevel(0);
  EXPECT_EQ(manager.startUp(), 0);
  log.setLogLevel(5);
  manager.shutDown();
  EXPECT_FALSE(manager.isStarted());
  const Lines expected = {
      "ResourceManager::startUp(): successfully started.",
      "ResourceManager::startUp(): Already started.",
      "ResourceManager::shutDown(): successfully stopped.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(ResourceManagerTest, LoadingNeedsStartedManager) {
  const std::string path = writeTempFile("a.txt", spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY));
  manager.shutDown();
  EXPECT_EQ(manager.loadSprite(path, "a"), -1);
  EXPECT_EQ(manager.loadSound(path, "a"), -1);
  EXPECT_EQ(manager.loadMusic(path, "a"), -1);
  const Lines expected(3, "ResourceManager not started!");
  EXPECT_EQ(messages(), expected);
}

TEST_F(ResourceManagerTest, ShutDownDeletesSprites) {
  const std::string path = writeTempFile("a.txt", spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY));
  ASSERT_EQ(manager.loadSprite(path, "a"), 0);
  ASSERT_NE(manager.getSprite("a"), nullptr);
  manager.shutDown();
  EXPECT_EQ(manager.getSprite("a"), nullptr);
}

TEST_F(ResourceManagerTest, ResetReturnsToNewState) {
  const std::string path = writeTempFile("a.txt", spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY));
  ASSERT_EQ(manager.loadSprite(path, "a"), 0);
  manager.reset();
  EXPECT_FALSE(manager.isStarted());
  EXPECT_EQ(manager.getSprite("a"), nullptr);
  ASSERT_EQ(manager.startUp(), 0);
  EXPECT_EQ(manager.loadSprite(path, "b"), 0);
  EXPECT_NE(manager.getSprite("b"), nullptr);
}

// --- well-formed files ---------------------------------------------------

TEST_F(ResourceManagerTest, LoadsEveryHeaderKeyAndLogsFrames) {
  const std::string path = writeTempFile(
      "ship.txt", spriteText("frames 2\nwidth 3\nheight 2\ncolor red\ntransparency #\nslowdown 4\n",
                             "a#b\n#c#\nend\nd#e\n#f#\nend\n"));
  log.setLogLevel(15);
  ASSERT_EQ(manager.loadSprite(path, "ship"), 0);
  log.setLogLevel(0);

  const Sprite* p_sprite = manager.getSprite("ship");
  ASSERT_NE(p_sprite, nullptr);
  EXPECT_EQ(p_sprite->getLabel(), "ship");
  EXPECT_EQ(p_sprite->getWidth(), 3);
  EXPECT_EQ(p_sprite->getHeight(), 2);
  EXPECT_EQ(p_sprite->getFrameCount(), 2);
  EXPECT_EQ(p_sprite->getColor(), RED);
  EXPECT_EQ(p_sprite->getTransparency(), '#');
  EXPECT_EQ(p_sprite->getSlowdown(), 4);
  EXPECT_EQ(p_sprite->getFrame(0).getString(), "a#b#c#");
  EXPECT_EQ(p_sprite->getFrame(1).getString(), "d#e#f#");
  EXPECT_EQ(p_sprite->getFrame(1).getWidth(), 3);
  EXPECT_EQ(p_sprite->getFrame(1).getHeight(), 2);

  const Lines expected = {
      LOAD + "Loading sprite '" + path + "'.",
      LOAD + "Opened file '" + path + "'.",
      "\t      Frames: 2",
      "\t       Width: 3",
      "\t      Height: 2",
      "\t    Slowdown: 4",
      "\tTransparency: #",
      "\t       Color: red",
      "Sprite 'ship' frames:",
      "Frame 1:",
      "\ta#b",
      "\t#c#",
      "Frame 2:",
      "\td#e",
      "\t#f#",
      LOAD + "Sprite 'ship' loaded.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(ResourceManagerTest, CrLfFileLoadsLikeLfFile) {
  const std::string text =
      spriteText("frames 2\nwidth 2\nheight 1\ncolor cyan\ntransparency .\nslowdown 3\n",
                 "a.\nend\n.b\nend\n");
  ASSERT_EQ(manager.loadSprite(writeTempFile("lf.txt", text), "lf"), 0);
  ASSERT_EQ(manager.loadSprite(writeTempFile("crlf.txt", withCrLf(text)), "crlf"), 0);
  const Sprite* p_lf = manager.getSprite("lf");
  const Sprite* p_crlf = manager.getSprite("crlf");
  ASSERT_NE(p_lf, nullptr);
  ASSERT_NE(p_crlf, nullptr);
  EXPECT_EQ(p_crlf->getWidth(), p_lf->getWidth());
  EXPECT_EQ(p_crlf->getHeight(), p_lf->getHeight());
  EXPECT_EQ(p_crlf->getFrameCount(), 2);
  EXPECT_EQ(p_crlf->getColor(), CYAN);
  EXPECT_EQ(p_crlf->getTransparency(), '.');
  EXPECT_EQ(p_crlf->getSlowdown(), 3);
  EXPECT_EQ(p_crlf->getFrame(0).getString(), "a.");
  EXPECT_EQ(p_crlf->getFrame(1).getString(), ".b");
}

TEST_F(ResourceManagerTest, OnlyOneCarriageReturnIsDropped) {
  const std::string path =
      writeTempFile("cr.txt", withCrLf(spriteText("frames 1\nwidth 2\nheight 1\n", "a\r\nend\n")));
  ASSERT_EQ(manager.loadSprite(path, "cr"), 0);
  const Sprite* p_sprite = manager.getSprite("cr");
  ASSERT_NE(p_sprite, nullptr);
  EXPECT_EQ(p_sprite->getFrame(0).getString(), "a\r");
}

TEST_F(ResourceManagerTest, OptionalHeaderKeysHaveDefaults) {
  const std::string path = writeTempFile("plain.txt", spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY));
  log.setLogLevel(5);
  ASSERT_EQ(manager.loadSprite(path, "plain"), 0);
  log.setLogLevel(0);
  const Sprite* p_sprite = manager.getSprite("plain");
  ASSERT_NE(p_sprite, nullptr);
  EXPECT_EQ(p_sprite->getColor(), WHITE);
  EXPECT_EQ(p_sprite->getTransparency(), 0);
  EXPECT_EQ(p_sprite->getSlowdown(), 0);

  const Lines expected = {
      LOAD + "Loading sprite '" + path + "'.",
      LOAD + "Opened file '" + path + "'.",
      LOAD + "Warning! No 'color' in header.",
      LOAD + "Warning! No 'transparency' in header.",
      LOAD + "Warning! No 'slowdown' in header.",
      "\t      Frames: 1",
      "\t       Width: 3",
      "\t      Height: 2",
      "\t    Slowdown: 0",
      "\tTransparency: (none)",
      "\t       Color: default",
      LOAD + "Sprite 'plain' loaded.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(ResourceManagerTest, EveryColourNameMapsToItsColour) {
  const std::vector<std::pair<std::string, Color>> names = {
      {"black", BLACK},     {"red", RED},   {"green", GREEN}, {"yellow", YELLOW}, {"blue", BLUE},
      {"magenta", MAGENTA}, {"cyan", CYAN}, {"white", WHITE}, {"default", WHITE},
  };
  for (const auto& [name, color] : names) {
    const std::string path = writeTempFile(
        name + ".txt", spriteText(ONE_FRAME_HEADER + "color " + name + "\n", ONE_FRAME_BODY));
    ASSERT_EQ(manager.loadSprite(path, name), 0) << name;
    const Sprite* p_sprite = manager.getSprite(name);
    ASSERT_NE(p_sprite, nullptr) << name;
    EXPECT_EQ(p_sprite->getColor(), color) << name;
  }
}

TEST_F(ResourceManagerTest, RepeatedKeyWarnsAndLastValueWins) {
  const std::string path = writeTempFile(
      "twice.txt",
      spriteText("frames 1\nwidth 2\nheight 1\nwidth 3\ncolor blue\ncolor green\n", "abc\nend\n"));
  log.setLogLevel(1);
  ASSERT_EQ(manager.loadSprite(path, "twice"), 0);
  log.setLogLevel(0);
  const Sprite* p_sprite = manager.getSprite("twice");
  ASSERT_NE(p_sprite, nullptr);
  EXPECT_EQ(p_sprite->getWidth(), 3);
  EXPECT_EQ(p_sprite->getColor(), GREEN);
  const Lines expected = {
      LOAD + "Loading sprite '" + path + "'.",
      LOAD + "Opened file '" + path + "'.",
      "matchLineInt(): Warning! 'width 3' matches multiple lines.",
      "matchLineStr(): Warning! 'color green' matches multiple lines.",
      LOAD + "Sprite 'twice' loaded.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(ResourceManagerTest, UnusedHeaderAndFooterLinesAreReported) {
  const std::string path = writeTempFile(
      "extra.txt",
      spriteText(ONE_FRAME_HEADER + "author me\n", ONE_FRAME_BODY, "version 2\nnote hello\n"));
  log.setLogLevel(1);
  ASSERT_EQ(manager.loadSprite(path, "extra"), 0);
  const Lines expected = {
      LOAD + "Loading sprite '" + path + "'.", LOAD + "Opened file '" + path + "'.",
      LOAD + "Warning! Unused HEADER lines:",  "\t'author me'",
      LOAD + "Warning! Unused FOOTER lines:",  "\t'note hello'",
      LOAD + "Sprite 'extra' loaded.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(ResourceManagerTest, LinesAfterFooterAreNeverRead) {
  // Trailing text without a line feed would fail the load if it were read.
  const std::string path = writeTempFile(
      "tail.txt", spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY) + "\n\x01 junk\nno line feed");
  EXPECT_EQ(manager.loadSprite(path, "tail"), 0);
  const Lines expected = {LOAD + "Loading sprite '" + path + "'.", LOAD + "Sprite 'tail' loaded."};
  EXPECT_EQ(messages(), expected);
}

// --- lookups ---------------------------------------------------------------

TEST_F(ResourceManagerTest, GetSpriteFindsFirstWithLabel) {
  const std::string first = writeTempFile("1.txt", spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY));
  const std::string second =
      writeTempFile("2.txt", spriteText(ONE_FRAME_HEADER, "xyz\nuvw\nend\n"));
  ASSERT_EQ(manager.loadSprite(first, "same"), 0);
  ASSERT_EQ(manager.loadSprite(second, "same"), 0);
  const Sprite* p_sprite = manager.getSprite("same");
  ASSERT_NE(p_sprite, nullptr);
  EXPECT_EQ(p_sprite->getFrame(0).getString(), "abcdef");
  EXPECT_EQ(manager.getSprite("Same"), nullptr);
}

TEST_F(ResourceManagerTest, LookupsLogSearchAndMissingLabel) {
  log.setLogLevel(5);
  EXPECT_EQ(manager.getSprite("ghost"), nullptr);
  log.setLogLevel(0);
  EXPECT_EQ(manager.getSprite("ghost"), nullptr);
  const Lines expected = {
      "ResourceManager::getSprite(): Looking for sprite 'ghost'.",
      "ResourceManager::getSprite(): Warning! Sprite 'ghost' not found.",
      "ResourceManager::getSprite(): Warning! Sprite 'ghost' not found.",
  };
  EXPECT_EQ(messages(), expected);
}

// --- limits and failures ------------------------------------------------------

TEST_F(ResourceManagerTest, ThousandthSpriteIsTheLast) {
  const std::string path = writeTempFile("a.txt", spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY));
  for (int i = 0; i < MAX_SPRITES; i++) {
    ASSERT_EQ(manager.loadSprite(path, "s" + std::to_string(i)), 0) << i;
  }
  // A missing file shows that the full table is checked before opening.
  const std::string missing = tempDir() + "/missing.txt";
  EXPECT_EQ(manager.loadSprite(missing, "extra"), -1);
  EXPECT_NE(manager.getSprite("s999"), nullptr);
  const Lines all = messages();
  ASSERT_GE(all.size(), 2u);
  const Lines expected = {
      LOAD + "Error! Cannot add more Sprites (max is 1000).",
      LOAD + "Sprite 'extra' not loaded.",
  };
  EXPECT_EQ(Lines(all.end() - 2, all.end()), expected);
}

TEST_F(ResourceManagerTest, FailedLoadKeepsNothing) {
  const std::string bad = writeTempFile("bad.txt", spriteText(ONE_FRAME_HEADER, "abc\nend\n"));
  const std::string good = writeTempFile("good.txt", spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY));
  EXPECT_EQ(manager.loadSprite(bad, "x"), -1);
  EXPECT_EQ(manager.getSprite("x"), nullptr);
  ASSERT_EQ(manager.loadSprite(good, "x"), 0);
  const Sprite* p_sprite = manager.getSprite("x");
  ASSERT_NE(p_sprite, nullptr);
  EXPECT_EQ(p_sprite->getFrame(0).getString(), "abcdef");
}

TEST_F(ResourceManagerTest, MissingFileCannotBeOpened) {
  const std::string path = tempDir() + "/nothing.txt";
  EXPECT_EQ(manager.loadSprite(path, "n"), -1);
  EXPECT_EQ(messages(), failedLoad(path, "n", {LOAD + "Error! Cannot open file '" + path + "'."}));
}

TEST_F(ResourceManagerTest, ExtraBodyLinesAreListedWithLineNumbers) {
  const std::string path =
      writeTempFile("extra.txt", spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY + "xyz\nuvw\n"));
  log.setLogLevel(1);
  EXPECT_EQ(manager.loadSprite(path, "bad"), -1);
  EXPECT_EQ(manager.getSprite("bad"), nullptr);
  const Lines expected = {
      LOAD + "Loading sprite '" + path + "'.",
      LOAD + "Opened file '" + path + "'.",
      LOAD + "Error! Extra BODY:",
      "\tline 10: xyz",
      "\tline 11: uvw",
      LOAD + "Sprite 'bad' not loaded.",
      "ResourceManager::getSprite(): Warning! Sprite 'bad' not found.",
  };
  EXPECT_EQ(messages(), expected);
}

TEST_F(ResourceManagerTest, BinaryGarbageFailsCleanly) {
  // Deterministic bytes of every value, line feeds and NULs included, both
  // as a whole file and as the body after a valid header.
  std::string garbage;
  unsigned int state = 12345;
  for (int i = 0; i < 4096; i++) {
    state = state * 1103515245u + 12345u;
    garbage += static_cast<char>((state >> 16) & 0xff);
  }
  const std::string whole = writeTempFile("garbage.bin", garbage);
  const std::string body =
      writeTempFile("body.bin", "<HEADER>\n" + ONE_FRAME_HEADER + "</HEADER>\n<BODY>\n" + garbage);
  EXPECT_EQ(manager.loadSprite(whole, "g1"), -1);
  EXPECT_EQ(manager.loadSprite(body, "g2"), -1);
  const Lines all = messages();
  EXPECT_EQ(std::count(all.begin(), all.end(), LOAD + "Sprite 'g1' not loaded."), 1);
  EXPECT_EQ(all.back(), LOAD + "Sprite 'g2' not loaded.");
}

/// A sprite file that fails to load and the error lines (log level 0)
/// between "Loading sprite" and "not loaded".
struct BadFile {
  const char* name;
  std::string text;
  Lines errors;
};

// Failures name the case instead of dumping its bytes.
void PrintTo(const BadFile& bad_file, std::ostream* p_os) { *p_os << bad_file.name; }

class MalformedSpriteFileTest : public ResourceManagerTest,
                                public ::testing::WithParamInterface<BadFile> {};

TEST_P(MalformedSpriteFileTest, FailsWithItsMessages) {
  const std::string path = writeTempFile("bad.txt", GetParam().text);
  EXPECT_EQ(manager.loadSprite(path, "bad"), -1);
  EXPECT_EQ(messages(), failedLoad(path, "bad", GetParam().errors));
}

const std::string END_OF_FILE = "getLine(): Error! Unexpected end of file.";
const std::string NO_FRAME_DATA = LOAD + "Error! No frame data to add.";

std::string withoutLastLineFeed(const std::string& text) { return text.substr(0, text.size() - 1); }

INSTANTIATE_TEST_SUITE_P(
    ResourceManagerTest, MalformedSpriteFileTest,
    ::testing::Values(
        BadFile{"EmptyFile",
                "",
                {END_OF_FILE, "readData(): Error line 1! Expected '<HEADER>', have ''."}},
        BadFile{"LineBeforeHeader",
                "junk\n" + spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY),
                {"readData(): Error line 1! Expected '<HEADER>', have 'junk'."}},
        BadFile{"LastLineWithoutLineFeed",
                withoutLastLineFeed(spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY)),
                {END_OF_FILE, "readData(): Error! Never encountered '</FOOTER>'."}},
        BadFile{"BlankLineInHeader",
                spriteText("frames 1\n\nwidth 3\nheight 2\n", ONE_FRAME_BODY),
                {"readData(): Error! Never encountered '</HEADER>'."}},
        BadFile{"BodyNeverClosed",
                "<HEADER>\n" + ONE_FRAME_HEADER + "</HEADER>\n<BODY>\n" + ONE_FRAME_BODY,
                {END_OF_FILE, "readData(): Error! Never encountered '</BODY>'."}},
        BadFile{"BodyMissing",
                "<HEADER>\n" + ONE_FRAME_HEADER + "</HEADER>\n<FOOTER>\nversion 1\n</FOOTER>\n",
                {"readData(): Error line 6! Expected '<BODY>', have '<FOOTER>'."}},
        BadFile{"EmptyHeader",
                spriteText("", ONE_FRAME_BODY),
                {"readData(): Error! Nothing between '<HEADER>' and '</HEADER>'."}},
        BadFile{"EmptyBody",
                spriteText(ONE_FRAME_HEADER, ""),
                {"readData(): Error! Nothing between '<BODY>' and '</BODY>'."}},
        BadFile{"MissingFrames",
                spriteText("width 3\nheight 2\n", ONE_FRAME_BODY),
                {LOAD + "Error! Missing 'frames' in header."}},
        BadFile{"MissingWidth",
                spriteText("frames 1\nheight 2\n", ONE_FRAME_BODY),
                {LOAD + "Error! Missing 'width' in header."}},
        BadFile{"MissingHeight",
                spriteText("frames 1\nwidth 3\n", ONE_FRAME_BODY),
                {LOAD + "Error! Missing 'height' in header."}},
        BadFile{"MinusOneReadsAsMissing",
                spriteText("frames 1\nwidth 3\nheight -1\n", ONE_FRAME_BODY),
                {LOAD + "Error! Missing 'height' in header."}},
        BadFile{"ZeroFrames",
                spriteText("frames 0\nwidth 3\nheight 2\n", ONE_FRAME_BODY),
                {LOAD + "Error! 'frames' is 0 in header (must be 1 to 10000)."}},
        BadFile{"NegativeFrames",
                spriteText("frames -5\nwidth 3\nheight 2\n", ONE_FRAME_BODY),
                {LOAD + "Error! 'frames' is -5 in header (must be 1 to 10000)."}},
        BadFile{"TooManyFrames",
                spriteText("frames 10001\nwidth 3\nheight 2\n", ONE_FRAME_BODY),
                {LOAD + "Error! 'frames' is 10001 in header (must be 1 to 10000)."}},
        BadFile{"OverflowingFrames",
                spriteText("frames 99999999999999999999\nwidth 3\nheight 2\n", ONE_FRAME_BODY),
                {LOAD + "Error! 'frames' is 2147483647 in header (must be 1 to 10000)."}},
        BadFile{"ZeroWidth",
                spriteText("frames 1\nwidth 0\nheight 2\n", ONE_FRAME_BODY),
                {LOAD + "Error! 'width' is 0 in header (must be 1 to 1000)."}},
        BadFile{"TooWide",
                spriteText("frames 1\nwidth 1001\nheight 2\n", ONE_FRAME_BODY),
                {LOAD + "Error! 'width' is 1001 in header (must be 1 to 1000)."}},
        BadFile{"NegativeHeight",
                spriteText("frames 1\nwidth 3\nheight -2\n", ONE_FRAME_BODY),
                {LOAD + "Error! 'height' is -2 in header (must be 1 to 1000)."}},
        BadFile{"IntegerKeyWithoutValue",
                spriteText("frames\nwidth 3\nheight 2\n", ONE_FRAME_BODY),
                {"matchLineInt(): Error! 'frames' has no value."}},
        BadFile{"TextKeyWithoutValue",
                spriteText(ONE_FRAME_HEADER + "color\n", ONE_FRAME_BODY),
                {"matchLineStr(): Error! 'color' has no value."}},
        BadFile{"VersionWithoutValue",
                spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY, "version\n"),
                {"matchLineStr(): Error! 'version' has no value."}},
        BadFile{"CapitalisedColour",
                spriteText(ONE_FRAME_HEADER + "color Red\n", ONE_FRAME_BODY),
                {LOAD + "Error! Unrecognized color 'Red'.",
                 "  Valid colors are: black, red, green, yellow,",
                 "                    blue, magenta, cyan and white."}},
        BadFile{"ShortRowInSecondFrame",
                spriteText("frames 2\nwidth 3\nheight 2\n", "abc\ndef\nend\nghi\njk\nend\n"),
                {"\tError! Line 11: Line length is 2 (frame width is 3).", "\tLine 11: 'jk'",
                 NO_FRAME_DATA}},
        BadFile{"UnusedHeaderLinesAreCounted",
                spriteText(ONE_FRAME_HEADER + "author me\n", "abc\nde\nend\n"),
                {"\tError! Line 9: Line length is 2 (frame width is 3).", "\tLine 9: 'de'",
                 NO_FRAME_DATA}},
        BadFile{"CapitalisedEnd",
                spriteText(ONE_FRAME_HEADER, "abc\ndef\nEnd\n"),
                {"\tError! Line 9: Expected 'end'.", "\tLine 9: 'End'", NO_FRAME_DATA}},
        BadFile{"FrameMissing",
                spriteText("frames 2\nwidth 3\nheight 2\n", ONE_FRAME_BODY),
                {"\tError! Line 10: No more frame data.", NO_FRAME_DATA}},
        BadFile{"BodyEndsMidFrame",
                spriteText("frames 1\nwidth 3\nheight 3\n", "abc\ndef\n"),
                {"\tError! Line 9: Frame ends after 2 of 3 rows.", NO_FRAME_DATA}},
        BadFile{"BodyEndsBeforeEnd",
                spriteText(ONE_FRAME_HEADER, "abc\ndef\n"),
                {"\tError! Line 9: Expected 'end' before the end of the body.", NO_FRAME_DATA}},
        BadFile{"ExtraBodyLine",
                spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY + "xyz\n"),
                {}},  // listed at level 1
        BadFile{"FooterWithoutVersion",
                spriteText(ONE_FRAME_HEADER, ONE_FRAME_BODY, "author me\n"),
                {LOAD + "Error! Missing 'version' in FOOTER (line 12)."}}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace mo
