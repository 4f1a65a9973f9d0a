#include "engine/core/utility.h"

#include <gtest/gtest.h>

#include <SFML/Graphics/Color.hpp>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/LogManager.h"
#include "support/EngineTest.h"
#include "support/FakeTimeSource.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;

Box box(float x, float y, float horizontal, float vertical) {
  return Box(Vector(x, y), horizontal, vertical);
}

/// An engine whose log is open at a chosen level.
class LoggedTest : public test::EngineTest {
 protected:
  void startLog(int level) {
    LogManager::getInstance().setLogLevel(level);
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
};

TEST(UtilityGeometry, RangeAndBoxContainmentIncludeEveryEdgeAndUseEachExtentOnItsAxis) {
  EXPECT_TRUE(valueInRange(5, 5, 5) && valueInRange(1, 1, 2) && valueInRange(2, 1, 2));
  EXPECT_FALSE(valueInRange(0.99f, 1, 2) || valueInRange(2.01f, 1, 2));
  EXPECT_FALSE(valueInRange(1.5f, 2, 1));  // inverted range
  const Box b = box(1, 1, 3, 2);
  for (Vector p : {Vector(1, 1), Vector(4, 3), Vector(4, 1), Vector(1, 3), Vector(2.5f, 2)}) {
    EXPECT_TRUE(boxContainsPosition(b, p)) << p.getX() << "," << p.getY();
  }
  for (Vector p : {Vector(4.01f, 3), Vector(4, 3.01f), Vector(0.99f, 1), Vector(1, 0.99f),
                   Vector(1, 3.5f)}) {
    EXPECT_FALSE(boxContainsPosition(b, p)) << p.getX() << "," << p.getY();
  }
  EXPECT_TRUE(boxContainsPosition(box(2, 3, 0, 0), Vector(2, 3)));
}

TEST(UtilityGeometry, BoxesIntersectWhenTheyOverlapOrTouchAlongBothAxes) {
  const struct {
    const char* name;
    Box a, b;
    bool intersect;
  } cases[] = {
      {"sharing a vertical edge", box(0, 0, 2, 2), box(2, 0, 2, 2), true},
      {"sharing a horizontal edge", box(0, 0, 2, 2), box(0, 2, 2, 2), true},
      {"sharing only a corner", box(0, 0, 2, 2), box(2, 2, 2, 2), true},
      {"crossing, no corner inside", box(0, 1, 4, 1), box(1, 0, 1, 4), true},
      {"one inside the other", box(-10, -10, 20, 20), box(1, 1, 1, 1), true},
      {"empty box on a corner", box(2, 2, 0, 0), box(0, 0, 2, 2), true},
      {"gap of 0.01 along x", box(0, 0, 2, 2), box(2.01f, 0, 2, 2), false},
      {"gap of 0.01 along y", box(0, 0, 2, 2), box(0, 2.01f, 2, 2), false},
      {"same columns, rows apart", box(0, 0, 4, 1), box(1, 5, 1, 1), false},
      {"same rows, columns apart", box(0, 0, 1, 4), box(5, 1, 1, 1), false},
      {"empty box outside", box(3, 1, 0, 0), box(0, 0, 2, 2), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(boxIntersectsBox(c.a, c.b), c.intersect);
    EXPECT_EQ(boxIntersectsBox(c.b, c.a), c.intersect);
  }
}

TEST(UtilityGeometry, DistanceIsEuclidean) {
  EXPECT_FLOAT_EQ(distance(Vector(-1, -1), Vector(2, 3)), 5.0f);
  EXPECT_FLOAT_EQ(distance(Vector(1, 7), Vector(1, 2)), 5.0f);
}

using UtilityColor = LoggedTest;

TEST_F(UtilityColor, TheEightColorsConvertAndAreNamed) {
  const struct {
    Color color;
    const char* name;
    unsigned char r, g, b;
  } table[] = {{BLACK, "black", 0, 0, 0},          {RED, "red", 255, 0, 0},
               {GREEN, "green", 0, 255, 0},        {YELLOW, "yellow", 255, 255, 0},
               {BLUE, "blue", 0, 0, 255},          {MAGENTA, "magenta", 255, 0, 255},
               {CYAN, "cyan", 0, 255, 255},        {WHITE, "white", 255, 255, 255}};
  for (const auto& e : table) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(colorToSFML(e.color), sf::Color(e.r, e.g, e.b));
    unsigned char r = 7, g = 7, b = 7;
    colorToRGB(e.color, r, g, b);
    EXPECT_EQ(sf::Color(r, g, b), sf::Color(e.r, e.g, e.b));
    Color named = CUSTOM;
    EXPECT_TRUE(colorFromName(e.name, named));
    EXPECT_EQ(named, e.color);
  }
  for (const char* name : {"Red", "RED", "", "custom", "whites", " red", "gree"}) {
    Color c = MAGENTA;
    EXPECT_FALSE(colorFromName(name, c)) << "'" << name << "'";
    EXPECT_EQ(c, MAGENTA) << "'" << name << "'";
  }
}

TEST_F(UtilityColor, CustomAndUnsupportedColorsKeepTheBytesAndReportAtLevelFive) {
  unsigned char r = 10, g = 20, b = 30;
  startLog(4);  // below level 5 nothing is reported
  EXPECT_EQ(colorToSFML(static_cast<Color>(10)), sf::Color::White);
  colorToRGB(static_cast<Color>(10), r, g, b);
  LogManager::getInstance().setLogLevel(5);
  EXPECT_EQ(colorToSFML(CUSTOM), sf::Color::White);
  EXPECT_EQ(colorToSFML(static_cast<Color>(9)), sf::Color::White);
  colorToRGB(CUSTOM, r, g, b);
  colorToRGB(static_cast<Color>(12), r, g, b);
  EXPECT_EQ(sf::Color(r, g, b), sf::Color(10, 20, 30));
  EXPECT_EQ(closedLog(), (Lines{"colorToSFML(): Color is CUSTOM.",
                                "colorToSFML(): Color 9 not supported.",
                                "colorToRGB(): Color 12 not supported."}));
}

TEST(UtilityTime, TimeStringIsHoursMinutesSecondsInOneBufferOrTimeError) {
  test::FakeTimeSource clock;
  clock.local_time.tm_hour = 9;
  clock.local_time.tm_min = 5;
  clock.local_time.tm_sec = 7;
  const char* p_first = getTimeString();
  EXPECT_STREQ(p_first, "09:05:07");
  clock.local_time_ok = false;
  EXPECT_EQ(getTimeString(), p_first);  // every call overwrites the same buffer
  EXPECT_STREQ(p_first, "(time error)");
  clock.local_time_ok = true;
  clock.local_time.tm_hour = 23;
  EXPECT_STREQ(getTimeString(), "23:05:07");
}

TEST(UtilityToString, GivesWhatAStreamWrites) {
  const std::pair<std::string, const char*> cases[] = {
      {toString(-42), "-42"},     {toString(INT_MIN), "-2147483648"},
      {toString(2.5f), "2.5"},    {toString(3.14159265f), "3.14159"},
      {toString(100.0f), "100"},  {toString(1234567.0f), "1.23457e+06"},
      {toString(false), "false"}, {toString(true), "true"}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(text, expected);
}

TEST(UtilityLeadingNumber, ReadLikeAtoiAndAtofWithTheIntegerHeldToTheRangeOfInt) {
  const struct {
    const char* text;
    int i;
    float f;
  } cases[] = {
      {"12abc", 12, 12.0f},       {"\t\n -7 8", -7, -7.0f},  {"+5", 5, 5.0f},
      {"3.9", 3, 3.9f},           {"2.5.7", 2, 2.5f},        {"007", 7, 7.0f},
      {"1e2", 1, 100.0f},         {".5", 0, 0.5f},           {"abc", 0, 0.0f},
      {"", 0, 0.0f},              {"-", 0, 0.0f},            {".", 0, 0.0f},
      {"0x1A", 0, 26.0f},
      {"2147483647", INT_MAX, 2147483647.0f},   {"-2147483648", INT_MIN, -2147483648.0f},
      {"2147483648", INT_MAX, 2147483648.0f},   {"-2147483649", INT_MIN, -2147483649.0f},
      {"123456789012345678901234567890", INT_MAX, 1.2345679e29f},
      {"-123456789012345678901234567890xyz", INT_MIN, -1.2345679e29f},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(leadingInt(c.text), c.i) << "'" << c.text << "'";
    EXPECT_FLOAT_EQ(leadingFloat(c.text), c.f) << "'" << c.text << "'";
  }
}

using Match = LoggedTest;

TEST_F(Match, ParsesCommaSeparatedKeyValueItemsWithoutBlanks) {
  const struct {
    const char* text;
    const char* key;
    const char* expected;
  } cases[] = {
      {"a:1, b : 2,c", "b", "2"}, {"only:one", "only", "one"}, {"a:1,b:,", "b", ""},
      {"window title : My Game,", "windowtitle", "MyGame"},
      {"window title : My Game,", "window title", ""},
      {"ab:1,A:2,", "a", ""}, {"ab:1,A:2,", "A", "2"}, {"k:first,k:second,", "k", "first"},
      {"a:1:2:3,b:x:y,", "a", "1"},  // tokens after the second colon are ignored
      {",,a:1,,,b:2,,", "b", "2"},   // empty pieces are skipped
      {"a:1,::,b:2,", "a", "1"}, {"a:1,::,b:2,", "b", ""},  // only colons end the parse
  };
  for (const auto& c : cases) {
    EXPECT_EQ(match(c.text, c.key), c.expected) << c.text << " / " << c.key;
  }
}

TEST_F(Match, EmptyTextLooksUpTheRememberedParseUntilNewTextOrReset) {
  EXPECT_EQ(match("", "a"), "");  // nothing parsed yet
  EXPECT_EQ(match("a:1, b : 2,c", ""), "");
  EXPECT_EQ(match("", "a"), "1");
  EXPECT_EQ(match("", "b"), "2");
  EXPECT_EQ(match("", "c"), "");
  EXPECT_EQ(match("", "a"), "1");  // looking up does not disturb the parse
  EXPECT_EQ(match("c:3,", "c"), "3");
  EXPECT_EQ(match("", "a"), "");  // new text replaces the whole parse
  EXPECT_EQ(match(" \t\n", "c"), "");  // blank text is a new, empty parse
  EXPECT_EQ(match("a:1,", "a"), "1");
  resetMatch();
  EXPECT_EQ(match("", "a"), "");
}

TEST_F(Match, TracesTheParseAtLevel25AndTheDetailsAtLevel28) {
  startLog(0);
  match("a:1,", "a");  // silent at the default level
  LogManager::getInstance().setLogLevel(25);
  EXPECT_EQ(match("a:1, b:2,", "b"), "2");
  LogManager::getInstance().setLogLevel(28);
  EXPECT_EQ(match("a:1,b:,", "b"), "");
  const Lines expected = {
      "match(\"a:1, b:2,\", \"b\")", "match(): number of elements allocated is 3",
      "\titem number 0", "\tkey a", "\tval 1", "\titem number 1", "\tkey b", "\tval 2",
      "match(): parsed.", "match(): Looking for match 'b' among 2 items.",
      // Level 28 adds the pieces, the listing and the comparisons.
      "match(\"a:1,b:,\", \"b\")", "match(): number of elements allocated is 3",
      "\titem number 0", "\tp_element is 'a:1' (", "\ttoken is 'a' (", "\tkey a", "\tval 1",
      "\titem number 1", "\tp_element is 'b:' (", "\ttoken is 'b' (", "\tkey b", "\tval ",
      "match(): parsed.", "\t0  a : 1", "\t1  b : ",
      "match(): Looking for match 'b' among 2 items.", "match(): 0: a == b?",
      "match(): 1: b == b?"};
  Lines trace = closedLog();
  for (std::string& line : trace) {
    const std::size_t pointer = line.find("' (");
    if (pointer != std::string::npos) line.erase(pointer + 3);  // addresses vary
  }
  EXPECT_EQ(trace, expected);
}

TEST(Utf8, DecodesWellFormedTextAndReplacesEachBadByteAlone) {
  const struct {
    std::string bytes;
    std::u32string codes;
    std::size_t first_bad;
  } cases[] = {
      {"ab", U"ab", std::string::npos},
      {"\xC3\xA9\xE2\x95\x94\xF0\x9F\x99\x82", U"\u00E9\u2554\U0001F642", std::string::npos},
      {"a\xFF", U"a\uFFFD", 1},                   // no lead byte
      {"\x95x", U"\uFFFDx", 0},                   // a stray continuation
      {"\xE2\x95", U"\uFFFD\uFFFD", 0},            // cut short
      {"\xC0\xAF", U"\uFFFD\uFFFD", 0},            // overlong '/'
      {"\xED\xA0\x80", U"\uFFFD\uFFFD\uFFFD", 0},  // a surrogate
      {"\xF4\x90\x80\x80", U"\uFFFD\uFFFD\uFFFD\uFFFD", 0},  // beyond U+10FFFF
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(printable(c.bytes));
    EXPECT_EQ(utf8ToCodePoints(c.bytes), c.codes);
    EXPECT_EQ(firstBadUtf8(c.bytes), c.first_bad);
    if (c.first_bad != std::string::npos) continue;
    std::string again;
    for (const char32_t code : c.codes) appendUtf8(again, code);
    EXPECT_EQ(again, c.bytes);
  }
  // Text for the log and attribute text: only the bad bytes escaped.
  EXPECT_EQ(validUtf8("a\xFF\xC3\xA9\xE2\x95"), "a\\xFF\xC3\xA9\\xE2\\x95");
  EXPECT_EQ(attributeItem("view_string", "HP \xE2\x96\x88\x80"), "view_string:HP \xE2\x96\x88\\x80,");
  std::string invalid;
  appendUtf8(invalid, 0xD800);
  appendUtf8(invalid, 0x110000);
  EXPECT_EQ(invalid, "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8, CodePage437KeepsAsciiAndMapsItsSymbolsAndBoxes) {
  const std::pair<unsigned char, char32_t> cases[] = {{'A', U'A'},       {1, U'\u263A'},
                                                      {127, U'\u2302'},  {0xC9, U'\u2554'},
                                                      {0xB0, U'\u2591'}, {0xFF, U'\u00A0'}};
  for (const auto& [byte, code] : cases) EXPECT_EQ(codePointOfCp437(byte), code) << int(byte);
}

}  // namespace
}  // namespace mo
