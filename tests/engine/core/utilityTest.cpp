#include "engine/core/utility.h"

#include <gtest/gtest.h>

#include <SFML/Graphics/Color.hpp>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "support/EngineTest.h"
#include "support/FakeTimeSource.h"

namespace mo {
namespace {

using test::EngineTest;
using test::FakeTimeSource;

Box box(float x, float y, float horizontal, float vertical) {
  return Box(Vector(x, y), horizontal, vertical);
}

// A fixture whose log is open at a chosen level, with a look at the
// messages that start with a given prefix.
class LoggedTest : public EngineTest {
 protected:
  void startLog(int level) {
    LogManager::getInstance().setLogLevel(level);
    LogManager::getInstance().setFlush(true);
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  std::vector<std::string> messagesStartingWith(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const std::string& message : logMessages()) {
      if (message.rfind(prefix, 0) == 0) found.push_back(message);
    }
    return found;
  }
};

// --- Geometry -------------------------------------------------------------

TEST(UtilityGeometry, ValueInRangeIncludesBothEnds) {
  EXPECT_TRUE(valueInRange(5.0f, 5.0f, 5.0f));
  EXPECT_TRUE(valueInRange(1.0f, 1.0f, 2.0f));
  EXPECT_TRUE(valueInRange(2.0f, 1.0f, 2.0f));
  EXPECT_TRUE(valueInRange(1.5f, 1.0f, 2.0f));
  EXPECT_FALSE(valueInRange(0.99f, 1.0f, 2.0f));
  EXPECT_FALSE(valueInRange(2.01f, 1.0f, 2.0f));
  EXPECT_TRUE(valueInRange(-3.0f, -4.0f, -2.0f));
}

TEST(UtilityGeometry, ValueInRangeIsFalseForAnInvertedRange) {
  EXPECT_FALSE(valueInRange(1.5f, 2.0f, 1.0f));
  EXPECT_FALSE(valueInRange(2.0f, 2.0f, 1.0f));
}

TEST(UtilityGeometry, BoxContainsPositionIncludesAllEdges) {
  const Box b = box(1.0f, 1.0f, 3.0f, 2.0f);
  EXPECT_TRUE(boxContainsPosition(b, Vector(1.0f, 1.0f)));
  EXPECT_TRUE(boxContainsPosition(b, Vector(4.0f, 3.0f)));
  EXPECT_TRUE(boxContainsPosition(b, Vector(4.0f, 1.0f)));
  EXPECT_TRUE(boxContainsPosition(b, Vector(1.0f, 3.0f)));
  EXPECT_TRUE(boxContainsPosition(b, Vector(2.5f, 2.0f)));
  EXPECT_FALSE(boxContainsPosition(b, Vector(4.01f, 3.0f)));
  EXPECT_FALSE(boxContainsPosition(b, Vector(4.0f, 3.01f)));
  EXPECT_FALSE(boxContainsPosition(b, Vector(0.99f, 1.0f)));
  EXPECT_FALSE(boxContainsPosition(b, Vector(1.0f, 0.99f)));
}

TEST(UtilityGeometry, BoxContainsPositionUsesEachExtentOnItsOwnAxis) {
  // Wide and flat: a point inside along x but beyond the vertical extent
  // is outside, and the other way round.
  const Box b = box(0.0f, 0.0f, 10.0f, 1.0f);
  EXPECT_TRUE(boxContainsPosition(b, Vector(9.0f, 1.0f)));
  EXPECT_FALSE(boxContainsPosition(b, Vector(1.0f, 9.0f)));
}

TEST(UtilityGeometry, EmptyBoxContainsOnlyItsCorner) {
  const Box b = box(2.0f, 3.0f, 0.0f, 0.0f);
  EXPECT_TRUE(boxContainsPosition(b, Vector(2.0f, 3.0f)));
  EXPECT_FALSE(boxContainsPosition(b, Vector(2.0f, 3.01f)));
}

TEST(UtilityGeometry, BoxesSharingAnEdgeIntersect) {
  EXPECT_TRUE(boxIntersectsBox(box(0, 0, 2, 2), box(2, 0, 2, 2)));
  EXPECT_TRUE(boxIntersectsBox(box(2, 0, 2, 2), box(0, 0, 2, 2)));
  EXPECT_TRUE(boxIntersectsBox(box(0, 0, 2, 2), box(0, 2, 2, 2)));
  EXPECT_TRUE(boxIntersectsBox(box(0, 2, 2, 2), box(0, 0, 2, 2)));
}

TEST(UtilityGeometry, BoxesSharingOnlyACornerIntersect) {
  EXPECT_TRUE(boxIntersectsBox(box(0, 0, 2, 2), box(2, 2, 2, 2)));
  EXPECT_TRUE(boxIntersectsBox(box(2, 2, 2, 2), box(0, 0, 2, 2)));
}

TEST(UtilityGeometry, BoxesWithAGapDoNotIntersect) {
  EXPECT_FALSE(boxIntersectsBox(box(0, 0, 2, 2), box(2.01f, 0, 2, 2)));
  EXPECT_FALSE(boxIntersectsBox(box(2.01f, 0, 2, 2), box(0, 0, 2, 2)));
  EXPECT_FALSE(boxIntersectsBox(box(0, 0, 2, 2), box(0, 2.01f, 2, 2)));
  EXPECT_FALSE(boxIntersectsBox(box(0, 2.01f, 2, 2), box(0, 0, 2, 2)));
  EXPECT_FALSE(boxIntersectsBox(box(-5, -5, 2, 2), box(0, 0, 2, 2)));
}

TEST(UtilityGeometry, BoxesOverlappingOnOneAxisOnlyDoNotIntersect) {
  // Same columns, rows apart.
  EXPECT_FALSE(boxIntersectsBox(box(0, 0, 4, 1), box(1, 5, 1, 1)));
  // Same rows, columns apart.
  EXPECT_FALSE(boxIntersectsBox(box(0, 0, 1, 4), box(5, 1, 1, 1)));
}

TEST(UtilityGeometry, CrossingBoxesIntersectThoughNoCornerIsInside) {
  const Box bar = box(0, 1, 4, 1);
  const Box post = box(1, 0, 1, 4);
  EXPECT_TRUE(boxIntersectsBox(bar, post));
  EXPECT_TRUE(boxIntersectsBox(post, bar));
}

TEST(UtilityGeometry, BoxInsideAnotherIntersectsIt) {
  const Box outer = box(-10, -10, 20, 20);
  const Box inner = box(1, 1, 1, 1);
  EXPECT_TRUE(boxIntersectsBox(outer, inner));
  EXPECT_TRUE(boxIntersectsBox(inner, outer));
  EXPECT_TRUE(boxIntersectsBox(inner, inner));
}

TEST(UtilityGeometry, EmptyBoxIntersectsABoxContainingItsCorner) {
  EXPECT_TRUE(boxIntersectsBox(box(1, 1, 0, 0), box(0, 0, 2, 2)));
  EXPECT_TRUE(boxIntersectsBox(box(0, 0, 2, 2), box(2, 2, 0, 0)));
  EXPECT_FALSE(boxIntersectsBox(box(3, 1, 0, 0), box(0, 0, 2, 2)));
}

TEST(UtilityGeometry, DistanceIsEuclideanAndSymmetric) {
  EXPECT_FLOAT_EQ(distance(Vector(0, 0), Vector(3, 4)), 5.0f);
  EXPECT_FLOAT_EQ(distance(Vector(3, 4), Vector(0, 0)), 5.0f);
  EXPECT_FLOAT_EQ(distance(Vector(-1, -1), Vector(2, 3)), 5.0f);
  EXPECT_FLOAT_EQ(distance(Vector(1, 7), Vector(1, 2)), 5.0f);
  EXPECT_EQ(distance(Vector(2.5f, -1.0f), Vector(2.5f, -1.0f)), 0.0f);
}

// --- Colours --------------------------------------------------------------

using UtilityColor = LoggedTest;

TEST_F(UtilityColor, ColorToSFMLMapsTheEightColors) {
  EXPECT_EQ(colorToSFML(BLACK), sf::Color::Black);
  EXPECT_EQ(colorToSFML(RED), sf::Color::Red);
  EXPECT_EQ(colorToSFML(GREEN), sf::Color::Green);
  EXPECT_EQ(colorToSFML(YELLOW), sf::Color::Yellow);
  EXPECT_EQ(colorToSFML(BLUE), sf::Color::Blue);
  EXPECT_EQ(colorToSFML(MAGENTA), sf::Color::Magenta);
  EXPECT_EQ(colorToSFML(CYAN), sf::Color::Cyan);
  EXPECT_EQ(colorToSFML(WHITE), sf::Color::White);
}

TEST_F(UtilityColor, ColorToSFMLOfCustomIsWhiteWithALevelFiveMessage) {
  startLog(5);
  EXPECT_EQ(colorToSFML(CUSTOM), sf::Color::White);
  EXPECT_EQ(messagesStartingWith("color"),
            std::vector<std::string>{"colorToSFML(): Color is CUSTOM."});
}

TEST_F(UtilityColor, ColorToSFMLOfAnUnsupportedValueIsWhiteWithItsNumber) {
  startLog(5);
  EXPECT_EQ(colorToSFML(static_cast<Color>(9)), sf::Color::White);
  EXPECT_EQ(colorToSFML(static_cast<Color>(15)), sf::Color::White);
  EXPECT_EQ(messagesStartingWith("color"),
            (std::vector<std::string>{"colorToSFML(): Color 9 not supported.",
                                      "colorToSFML(): Color 15 not supported."}));
}

TEST_F(UtilityColor, ColorMessagesStayHiddenBelowLevelFive) {
  startLog(4);
  EXPECT_EQ(colorToSFML(CUSTOM), sf::Color::White);
  EXPECT_EQ(colorToSFML(static_cast<Color>(9)), sf::Color::White);
  unsigned char r = 1, g = 2, b = 3;
  colorToRGB(static_cast<Color>(9), r, g, b);
  EXPECT_TRUE(messagesStartingWith("color").empty());
}

TEST_F(UtilityColor, ColorToRGBMapsTheEightColors) {
  struct Expected {
    Color color;
    unsigned char r, g, b;
  };
  const Expected table[] = {
      {BLACK, 0, 0, 0},       {RED, 255, 0, 0},       {GREEN, 0, 255, 0},
      {YELLOW, 255, 255, 0},  {BLUE, 0, 0, 255},      {MAGENTA, 255, 0, 255},
      {CYAN, 0, 255, 255},    {WHITE, 255, 255, 255},
  };
  for (const Expected& e : table) {
    unsigned char r = 7, g = 7, b = 7;
    colorToRGB(e.color, r, g, b);
    EXPECT_EQ(r, e.r) << "colour " << e.color;
    EXPECT_EQ(g, e.g) << "colour " << e.color;
    EXPECT_EQ(b, e.b) << "colour " << e.color;
  }
}

TEST_F(UtilityColor, ColorToRGBOfCustomLeavesTheBytesAndSaysNothing) {
  startLog(5);
  unsigned char r = 10, g = 20, b = 30;
  colorToRGB(CUSTOM, r, g, b);
  EXPECT_EQ(r, 10);
  EXPECT_EQ(g, 20);
  EXPECT_EQ(b, 30);
  EXPECT_TRUE(messagesStartingWith("color").empty());
}

TEST_F(UtilityColor, ColorToRGBOfAnUnsupportedValueLeavesTheBytesWithAMessage) {
  startLog(5);
  unsigned char r = 10, g = 20, b = 30;
  colorToRGB(static_cast<Color>(12), r, g, b);
  EXPECT_EQ(r, 10);
  EXPECT_EQ(g, 20);
  EXPECT_EQ(b, 30);
  EXPECT_EQ(messagesStartingWith("color"),
            std::vector<std::string>{"colorToRGB(): Color 12 not supported."});
}

TEST(UtilityColorName, ReadsTheEightLowerCaseNames) {
  const char* names[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
  for (int i = 0; i < 8; i++) {
    Color c = CUSTOM;
    EXPECT_TRUE(colorFromName(names[i], c)) << names[i];
    EXPECT_EQ(c, static_cast<Color>(i)) << names[i];
  }
}

TEST(UtilityColorName, RejectsOtherTextAndLeavesTheColor) {
  for (const char* name : {"Red", "RED", "", "custom", "whites", " red", "gree"}) {
    Color c = MAGENTA;
    EXPECT_FALSE(colorFromName(name, c)) << "'" << name << "'";
    EXPECT_EQ(c, MAGENTA) << "'" << name << "'";
  }
}

// --- Time string ----------------------------------------------------------

TEST(UtilityTime, TimeStringIsTwoDigitHoursMinutesSeconds) {
  FakeTimeSource clock;
  clock.local_time.tm_hour = 9;
  clock.local_time.tm_min = 5;
  clock.local_time.tm_sec = 7;
  EXPECT_STREQ(getTimeString(), "09:05:07");
  clock.local_time.tm_hour = 23;
  clock.local_time.tm_min = 59;
  clock.local_time.tm_sec = 59;
  EXPECT_STREQ(getTimeString(), "23:59:59");
  clock.local_time.tm_hour = 0;
  clock.local_time.tm_min = 0;
  clock.local_time.tm_sec = 0;
  EXPECT_STREQ(getTimeString(), "00:00:00");
}

TEST(UtilityTime, UnavailableTimeGivesTimeError) {
  FakeTimeSource clock;
  clock.local_time_ok = false;
  EXPECT_STREQ(getTimeString(), "(time error)");
  // The error does not stick once the time is back.
  clock.local_time_ok = true;
  clock.local_time.tm_hour = 12;
  clock.local_time.tm_min = 34;
  clock.local_time.tm_sec = 56;
  EXPECT_STREQ(getTimeString(), "12:34:56");
}

TEST(UtilityTime, EveryCallOverwritesTheSameBuffer) {
  FakeTimeSource clock;
  clock.local_time.tm_hour = 1;
  const char* p_first = getTimeString();
  clock.local_time.tm_hour = 2;
  const char* p_second = getTimeString();
  EXPECT_EQ(p_first, p_second);
  EXPECT_STREQ(p_first, "02:00:00");
}

TEST(UtilityTime, SystemTimeHasTheClockFormat) {
  const std::string now = getTimeString();
  if (now == "(time error)") GTEST_SKIP() << "no local time on this system";
  ASSERT_EQ(now.size(), 8u);
  EXPECT_EQ(now[2], ':');
  EXPECT_EQ(now[5], ':');
  for (std::size_t i : {0u, 1u, 3u, 4u, 6u, 7u}) {
    EXPECT_TRUE(now[i] >= '0' && now[i] <= '9') << now;
  }
}

// --- Text conversions -----------------------------------------------------

TEST(UtilityToString, IntIsPlainDecimal) {
  EXPECT_EQ(toString(3), "3");
  EXPECT_EQ(toString(0), "0");
  EXPECT_EQ(toString(-42), "-42");
  EXPECT_EQ(toString(INT_MAX), "2147483647");
  EXPECT_EQ(toString(INT_MIN), "-2147483648");
}

TEST(UtilityToString, FloatHasSixSignificantDigitsWithoutTrailingZeros) {
  EXPECT_EQ(toString(0.1f), "0.1");
  EXPECT_EQ(toString(2.5f), "2.5");
  EXPECT_EQ(toString(100.0f), "100");
  EXPECT_EQ(toString(-0.25f), "-0.25");
  EXPECT_EQ(toString(0.0f), "0");
  EXPECT_EQ(toString(3.14159265f), "3.14159");
  EXPECT_EQ(toString(1234567.0f), "1.23457e+06");
}

TEST(UtilityToString, BoolIsTrueOrFalse) {
  EXPECT_EQ(toString(false), "false");
  EXPECT_EQ(toString(true), "true");
}

TEST(UtilityLeadingNumber, IntReadsTheLeadingDecimalInteger) {
  EXPECT_EQ(leadingInt("12abc"), 12);
  EXPECT_EQ(leadingInt("  -7"), -7);
  EXPECT_EQ(leadingInt("+5"), 5);
  EXPECT_EQ(leadingInt("\t\n 42 43"), 42);
  EXPECT_EQ(leadingInt("3.9"), 3);
  EXPECT_EQ(leadingInt("007"), 7);
}

TEST(UtilityLeadingNumber, IntIsZeroWithoutDigits) {
  EXPECT_EQ(leadingInt("abc"), 0);
  EXPECT_EQ(leadingInt(""), 0);
  EXPECT_EQ(leadingInt("-"), 0);
  EXPECT_EQ(leadingInt("x12"), 0);
  EXPECT_EQ(leadingInt("0x1A"), 0);
}

TEST(UtilityLeadingNumber, IntIsHeldToTheRangeOfInt) {
  EXPECT_EQ(leadingInt("2147483647"), INT_MAX);
  EXPECT_EQ(leadingInt("-2147483648"), INT_MIN);
  EXPECT_EQ(leadingInt("2147483648"), INT_MAX);
  EXPECT_EQ(leadingInt("-2147483649"), INT_MIN);
  EXPECT_EQ(leadingInt("99999999999"), INT_MAX);
  // Beyond even a 64-bit integer.
  EXPECT_EQ(leadingInt("123456789012345678901234567890"), INT_MAX);
  EXPECT_EQ(leadingInt("-123456789012345678901234567890xyz"), INT_MIN);
}

TEST(UtilityLeadingNumber, FloatReadsTheLeadingDecimalNumber) {
  EXPECT_FLOAT_EQ(leadingFloat("1.5"), 1.5f);
  EXPECT_FLOAT_EQ(leadingFloat("3x"), 3.0f);
  EXPECT_FLOAT_EQ(leadingFloat("  -2.25abc"), -2.25f);
  EXPECT_FLOAT_EQ(leadingFloat(".5"), 0.5f);
  EXPECT_FLOAT_EQ(leadingFloat("1e2"), 100.0f);
  EXPECT_FLOAT_EQ(leadingFloat("2.5.7"), 2.5f);
}

TEST(UtilityLeadingNumber, FloatIsZeroWithoutANumber) {
  EXPECT_EQ(leadingFloat("abc"), 0.0f);
  EXPECT_EQ(leadingFloat(""), 0.0f);
  EXPECT_EQ(leadingFloat("-"), 0.0f);
  EXPECT_EQ(leadingFloat("."), 0.0f);
}

// --- Key:value matcher ----------------------------------------------------

using Match = LoggedTest;

TEST_F(Match, BlanksAreRemovedBeforeTheLookup) {
  EXPECT_EQ(match("a:1, b : 2,c", "b"), "2");
}

TEST_F(Match, LaterLookupsUseTheRememberedParse) {
  EXPECT_EQ(match("a:1, b : 2,c", ""), "");
  EXPECT_EQ(match("", "a"), "1");
  EXPECT_EQ(match("", "b"), "2");
  EXPECT_EQ(match("", "c"), "");
  EXPECT_EQ(match("", "d"), "");
  // Looking up does not disturb the parse.
  EXPECT_EQ(match("", "a"), "1");
}

TEST_F(Match, LastItemWithoutATrailingCommaIsRead) {
  EXPECT_EQ(match("a:1,b:2", "b"), "2");
  EXPECT_EQ(match("only:one", "only"), "one");
}

TEST_F(Match, FirstOfTwoEqualKeysWins) {
  EXPECT_EQ(match("k:first,k:second,", "k"), "first");
}

TEST_F(Match, LookupBeforeAnyParseIsEmpty) {
  EXPECT_EQ(match("", "a"), "");
  EXPECT_EQ(match("", ""), "");
}

TEST_F(Match, ResetForgetsTheParse) {
  EXPECT_EQ(match("a:1,", "a"), "1");
  resetMatch();
  EXPECT_EQ(match("", "a"), "");
}

TEST_F(Match, NewTextReplacesTheWholePreviousParse) {
  EXPECT_EQ(match("a:1,b:2,", "a"), "1");
  EXPECT_EQ(match("c:3,", "c"), "3");
  EXPECT_EQ(match("", "a"), "");
  EXPECT_EQ(match("", "b"), "");
}

TEST_F(Match, BlankOnlyTextIsANewEmptyParse) {
  EXPECT_EQ(match("a:1,", "a"), "1");
  EXPECT_EQ(match(" \t\n", "a"), "");
  EXPECT_EQ(match("", "a"), "");
}

TEST_F(Match, TokensAfterTheSecondColonAreIgnored) {
  EXPECT_EQ(match("a:1:2:3,b:x:y,", "a"), "1");
  EXPECT_EQ(match("", "b"), "x");
}

TEST_F(Match, EmptyPiecesBetweenCommasAreSkipped) {
  EXPECT_EQ(match(",,a:1,,,b:2,,", "b"), "2");
  EXPECT_EQ(match("", "a"), "1");
  EXPECT_EQ(match("", ""), "");
}

TEST_F(Match, PieceOfOnlyColonsEndsTheParse) {
  EXPECT_EQ(match("a:1,::,b:2,", "a"), "1");
  EXPECT_EQ(match("", "b"), "");
}

TEST_F(Match, KeysMustMatchExactly) {
  EXPECT_EQ(match("ab:1,A:2,", "a"), "");
  EXPECT_EQ(match("", "abc"), "");
  EXPECT_EQ(match("", "A"), "2");
}

TEST_F(Match, BlanksInsideKeysAndValuesAreRemovedToo) {
  EXPECT_EQ(match("window title : My Game,", "windowtitle"), "MyGame");
  EXPECT_EQ(match("", "window title"), "");
}

TEST_F(Match, TraceAtLevelTwentyFiveShowsTheParseAndTheLookup) {
  startLog(25);
  EXPECT_EQ(match("a:1, b:2,", "b"), "2");
  std::vector<std::string> trace = messagesStartingWith("");
  ASSERT_FALSE(trace.empty());
  trace.erase(trace.begin());  // the log's own start-up line
  const std::vector<std::string> expected = {
      "match(\"a:1, b:2,\", \"b\")",
      "match(): number of elements allocated is 3",
      "\titem number 0",
      "\tkey a",
      "\tval 1",
      "\titem number 1",
      "\tkey b",
      "\tval 2",
      "match(): parsed.",
      "match(): Looking for match 'b' among 2 items.",
  };
  EXPECT_EQ(trace, expected);
}

TEST_F(Match, TraceAtLevelTwentyEightListsItemsAndComparisons) {
  startLog(28);
  EXPECT_EQ(match("a:1,b:,", "b"), "");
  const std::vector<std::string> listed = messagesStartingWith("\t");
  auto has = [&](const std::string& line) {
    for (const std::string& message : listed) {
      if (message == line) return true;
    }
    return false;
  };
  EXPECT_TRUE(has("\t0  a : 1"));
  EXPECT_TRUE(has("\t1  b : "));
  const std::vector<std::string> compared = messagesStartingWith("match(): ");
  EXPECT_NE(std::find(compared.begin(), compared.end(), "match(): 0: a == b?"), compared.end());
  EXPECT_NE(std::find(compared.begin(), compared.end(), "match(): 1: b == b?"), compared.end());
}

TEST_F(Match, TracingIsSilentAtTheDefaultLevel) {
  startLog(0);
  EXPECT_EQ(match("a:1,", "a"), "1");
  EXPECT_TRUE(messagesStartingWith("").empty());
}

}  // namespace
}  // namespace mo
