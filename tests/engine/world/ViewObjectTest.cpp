#include "engine/world/ViewObject.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/core/Box.h"
#include "engine/core/Config.h"
#include "engine/core/EventStep.h"
#include "engine/core/LogManager.h"
#include "engine/media/CharGrid.h"
#include "engine/media/DisplayManager.h"
#include "engine/world/EventView.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::WorldTest;
using Lines = std::vector<std::string>;

/// A ViewObject whose modified flags can be cleared, as writing its
/// attributes does.
class ClearableView : public ViewObject {
 public:
  void clearFlags() {
    for (int i = 0; i < ATTRIBUTE_COUNT; i++) setModified(static_cast<ObjectAttribute>(i), false);
    for (int i = 0; i < VIEW_ATTRIBUTE_COUNT; i++) {
      setModified(static_cast<ViewObjectAttribute>(i), false);
    }
  }
  /// The set flags as text: "P" for position, "L" for location and so on.
  std::string setFlags() const {
    std::string flags;
    if (isModified(POSITION)) flags += "P";
    if (isModified(VIEW_STRING)) flags += "S";
    if (isModified(VALUE)) flags += "V";
    if (isModified(BORDER)) flags += "B";
    if (isModified(COLOR)) flags += "C";
    if (isModified(LOCATION)) flags += "L";
    if (isModified(DRAW_VALUE)) flags += "D";
    return flags;
  }
};

/// An 80 x 24 view shown by a headless DisplayManager that copies every
/// character into grid.
class ViewObjectTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
    const std::string config = writeTempFile("config.txt", "headless:true,\n");
    {
      const test::ScopedEnv env("MORVANE_CONFIG", config);
      Config::getInstance().loadConfig();
    }
    WorldManager::getInstance().setView(Box(Vector(0, 0), 80, 24));
    ASSERT_EQ(DisplayManager::getInstance().startUp(), 0);
    DisplayManager::getInstance().setCharGrid(&grid);
  }

  Lines closedLog() {
    LogManager::getInstance().shutDown();
    return logMessages();
  }

  /// A magazine counter: label "Magazine", value 12.
  static ViewObject* newMagazine() {
    auto* p_v = new ViewObject;
    p_v->setViewString("Magazine");
    p_v->setValue(12);
    return p_v;
  }

  static std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
  static std::string dashes(int n) { return std::string(static_cast<std::size_t>(n), '-'); }

  CharGrid grid{80, 24};
};

void expectAt(const ViewObject* p_v, float x, float y) {
  EXPECT_FLOAT_EQ(p_v->getPosition().getX(), x);
  EXPECT_FLOAT_EQ(p_v->getPosition().getY(), y);
}

// --- construction ------------------------------------------------------

TEST_F(ViewObjectTest, NewItemIsASpectralTopCentreItemWithEveryFlagSet) {
  const ViewObject* p_v = new ViewObject;
  EXPECT_EQ(p_v->getType(), "ViewObject");
  EXPECT_EQ(p_v->getSolidness(), SPECTRAL);
  EXPECT_EQ(p_v->getAltitude(), MAX_ALTITUDE);
  EXPECT_EQ(p_v->getViewString(), "");
  EXPECT_EQ(p_v->getValue(), 0);
  EXPECT_TRUE(p_v->getDrawValue());
  EXPECT_TRUE(p_v->getBorder());
  EXPECT_EQ(p_v->getColor(), WHITE);
  EXPECT_EQ(p_v->getLocation(), TOP_CENTER);
  expectAt(p_v, 40, 1);
  ASSERT_EQ(p_v->getEventCount(), 1);
  EXPECT_EQ(p_v->getEventName(0), "mo-view");
  for (int i = 0; i < VIEW_ATTRIBUTE_COUNT; i++) {
    EXPECT_TRUE(p_v->isModified(static_cast<ViewObjectAttribute>(i))) << i;
  }
  EXPECT_FALSE(p_v->isModified(static_cast<ViewObjectAttribute>(VIEW_ATTRIBUTE_COUNT)));
  EXPECT_FALSE(p_v->isModified(static_cast<ViewObjectAttribute>(-1)));
}

// --- placing -----------------------------------------------------------

TEST_F(ViewObjectTest, EveryLocationFollowsTheViewsExtents) {
  struct Place {
    ViewObjectLocation location;
    float x, y_border, y_plain;
  };
  const Place places[] = {
      {TOP_LEFT, 13.333333f, 1, 0},       {TOP_CENTER, 40, 1, 0},
      {TOP_RIGHT, 66.666667f, 1, 0},      {CENTER_LEFT, 13.333333f, 12, 11},
      {CENTER_CENTER, 40, 12, 11},        {CENTER_RIGHT, 66.666667f, 12, 11},
      {BOTTOM_LEFT, 13.333333f, 22, 23},  {BOTTOM_CENTER, 40, 22, 23},
      {BOTTOM_RIGHT, 66.666667f, 22, 23},
  };
  auto* p_v = new ViewObject;
  for (const Place& place : places) {
    SCOPED_TRACE(place.location);
    p_v->setBorder(true);
    EXPECT_EQ(p_v->setLocation(place.location), 0);
    EXPECT_EQ(p_v->getLocation(), place.location);
    expectAt(p_v, place.x, place.y_border);
    p_v->setBorder(false);
    EXPECT_EQ(p_v->getLocation(), place.location);
    expectAt(p_v, place.x, place.y_plain);
  }
}

TEST_F(ViewObjectTest, BorderChangeMovesAnItemAtAStandardPlace) {
  auto* p_v = new ViewObject;
  expectAt(p_v, 40, 1);
  p_v->setBorder(false);
  expectAt(p_v, 40, 0);
  EXPECT_EQ(p_v->getLocation(), TOP_CENTER);
  EXPECT_EQ(p_v->setLocation(BOTTOM_RIGHT), 0);
  expectAt(p_v, 66.666667f, 23);
  p_v->setBorder(true);
  expectAt(p_v, 66.666667f, 22);
  EXPECT_EQ(p_v->getLocation(), BOTTOM_RIGHT);
}

TEST_F(ViewObjectTest, BorderChangeKeepsADirectlySetPosition) {
  auto* p_v = new ViewObject;
  EXPECT_EQ(p_v->setPosition(Vector(10, 5)), 0);
  p_v->setBorder(false);
  expectAt(p_v, 10, 5);
  EXPECT_EQ(p_v->getLocation(), NO_LOCATION);
}

TEST_F(ViewObjectTest, LocationOutOfRangeWarnsAndChangesNothing) {
  auto* p_v = new ClearableView;
  p_v->setLocation(CENTER_LEFT);
  p_v->clearFlags();
  EXPECT_EQ(p_v->setLocation(static_cast<ViewObjectLocation>(9)), -1);
  EXPECT_EQ(p_v->setLocation(static_cast<ViewObjectLocation>(-1)), -1);
  EXPECT_EQ(p_v->getLocation(), CENTER_LEFT);
  expectAt(p_v, 13.333333f, 12);
  EXPECT_EQ(p_v->setFlags(), "");
  EXPECT_EQ(closedLog(),
            (Lines{"ViewObject::setLocation(): Warning! Location out of range (9). Ignored.",
                   "ViewObject::setLocation(): Warning! Location out of range (-1). Ignored."}));
}

TEST_F(ViewObjectTest, LocationReadsTheViewSizeWhenSet) {
  // Placed before the view is sized: the position computed then stays.
  WorldManager::getInstance().setView(Box());
  auto* p_v = new ViewObject;
  expectAt(p_v, 0, 1);
  WorldManager::getInstance().setView(Box(Vector(5, 7), 40, 10));
  expectAt(p_v, 0, 1);
  p_v->setLocation(BOTTOM_CENTER);
  expectAt(p_v, 20, 8);
}

TEST_F(ViewObjectTest, SetPositionCancelsTheLocation) {
  auto* p_v = new ClearableView;
  p_v->clearFlags();
  EXPECT_EQ(p_v->setPosition(Vector(40, 1)), 0);
  EXPECT_EQ(p_v->getLocation(), TOP_CENTER);
  EXPECT_EQ(p_v->setFlags(), "");

  EXPECT_EQ(p_v->setPosition(Vector(3, 4)), 0);
  expectAt(p_v, 3, 4);
  EXPECT_EQ(p_v->getLocation(), NO_LOCATION);
  EXPECT_EQ(p_v->setFlags(), "PL");

  p_v->clearFlags();
  EXPECT_EQ(p_v->setLocation(TOP_LEFT), 0);
  EXPECT_EQ(p_v->getLocation(), TOP_LEFT);
  EXPECT_EQ(p_v->setFlags(), "PL");
}

// --- drawing -----------------------------------------------------------

TEST_F(ViewObjectTest, BorderAndValueFrameTheWholeText) {
  ViewObject* p_v = newMagazine();
  p_v->setColor(YELLOW);
  EXPECT_EQ(p_v->draw(), 0);
  // " Magazine 12 " is 13 cells from 34 to 46; the bars stand at 33 and
  // 47, x - 7 and x + 7.
  EXPECT_EQ(grid.toString(), blanks(34) + dashes(13) + "\n" +     //
                                 blanks(33) + "| Magazine 12 |\n" +  //
                                 blanks(34) + dashes(13) + "\n");
  for (int x = 33; x <= 47; x++) EXPECT_EQ(grid.colorAt(x, 1), YELLOW) << x;
  EXPECT_EQ(grid.colorAt(34, 0), YELLOW);
  EXPECT_EQ(grid.colorAt(46, 2), YELLOW);
}

TEST_F(ViewObjectTest, EvenLengthTextIsFramedTooWithoutValue) {
  ViewObject* p_v = newMagazine();
  p_v->setDrawValue(false);
  EXPECT_EQ(p_v->draw(), 0);
  // " Magazine " is 10 cells from 35 to 44.
  EXPECT_EQ(grid.toString(), blanks(35) + dashes(10) + "\n" +  //
                                 blanks(34) + "| Magazine |\n" +  //
                                 blanks(35) + dashes(10) + "\n");
}

TEST_F(ViewObjectTest, WithoutBorderOnlyTheTextIsDrawn) {
  ViewObject* p_v = newMagazine();
  p_v->setBorder(false);
  EXPECT_EQ(p_v->draw(), 0);
  EXPECT_EQ(grid.toString(), blanks(35) + "Magazine 12\n");

  grid.clear();
  p_v->setDrawValue(false);
  EXPECT_EQ(p_v->draw(), 0);
  EXPECT_EQ(grid.toString(), blanks(36) + "Magazine\n");
}

TEST_F(ViewObjectTest, DrawnAtTheViewPositionWhereverTheViewIs) {
  WorldManager::getInstance().setView(Box(Vector(100, 50), 80, 24));
  ViewObject* p_v = newMagazine();
  EXPECT_EQ(p_v->draw(), 0);
  EXPECT_EQ(grid.trimmedRow(1), blanks(33) + "| Magazine 12 |");

  // The world scrolls; the item stays on the screen.
  grid.clear();
  WorldManager::getInstance().setView(Box(Vector(-30, 8.5f), 80, 24));
  EXPECT_EQ(p_v->draw(), 0);
  EXPECT_EQ(grid.trimmedRow(1), blanks(33) + "| Magazine 12 |");
}

TEST_F(ViewObjectTest, DrawingFailuresAreSummed) {
  DisplayManager::getInstance().setCharGrid(nullptr);  // headless: nothing can be drawn
  ViewObject* p_v = newMagazine();
  EXPECT_EQ(p_v->draw(), -5);  // three texts, two bars
  p_v->setBorder(false);
  EXPECT_EQ(p_v->draw(), -1);
}

// --- view events -------------------------------------------------------

TEST_F(ViewObjectTest, ViewEventAddsWithDeltaAndReplacesWithout) {
  ViewObject* p_v = newMagazine();
  const EventView spend("Magazine", -1, true);
  EXPECT_EQ(p_v->eventHandler(&spend), 1);
  EXPECT_EQ(p_v->getValue(), 11);

  const EventView set("Magazine", -1, false);
  EXPECT_EQ(p_v->eventHandler(&set), 1);
  EXPECT_EQ(p_v->getValue(), -1);
}

TEST_F(ViewObjectTest, ViewEventForAnotherLabelIsIgnored) {
  ViewObject* p_v = newMagazine();
  const EventView other_case("magazine", 5, false);
  EXPECT_EQ(p_v->eventHandler(&other_case), 0);
  const EventView padded("Magazine ", 5, false);
  EXPECT_EQ(p_v->eventHandler(&padded), 0);
  EXPECT_EQ(p_v->getValue(), 12);

  // Other event types are not view events at all.
  const EventStep step(3);
  EXPECT_EQ(p_v->eventHandler(&step), 0);
  EXPECT_EQ(p_v->getValue(), 12);
}

TEST_F(ViewObjectTest, WorldDeliversAViewEventToEveryItemWithThatLabel) {
  ViewObject* p_first = newMagazine();
  ViewObject* p_second = newMagazine();
  p_second->setValue(5);
  auto* p_score = new ViewObject;
  p_score->setViewString("Score");
  p_score->setValue(7);

  const EventView spend("Magazine", -1, true);
  EXPECT_EQ(WorldManager::getInstance().onEvent(&spend), 3);
  EXPECT_EQ(p_first->getValue(), 11);
  EXPECT_EQ(p_second->getValue(), 4);
  EXPECT_EQ(p_score->getValue(), 7);

  const EventView score("Score", 250, false);
  WorldManager::getInstance().onEvent(&score);
  EXPECT_EQ(p_first->getValue(), 11);
  EXPECT_EQ(p_score->getValue(), 250);
}

TEST_F(ViewObjectTest, DeltaIsHeldToTheRangeOfInt) {
  ViewObject* p_v = newMagazine();
  p_v->setValue(INT_MAX - 1);
  const EventView up("Magazine", 5, true);
  p_v->eventHandler(&up);
  EXPECT_EQ(p_v->getValue(), INT_MAX);

  p_v->setValue(INT_MIN + 1);
  const EventView down("Magazine", -5, true);
  p_v->eventHandler(&down);
  EXPECT_EQ(p_v->getValue(), INT_MIN);
}

TEST_F(ViewObjectTest, ViewTypedEventThatIsNoEventViewIsRefused) {
  ViewObject* p_v = newMagazine();
  Event fake;
  fake.setType(VIEW_EVENT);
  EXPECT_EQ(p_v->eventHandler(&fake), 0);
  EXPECT_EQ(p_v->getValue(), 12);
  EXPECT_EQ(closedLog(),
            Lines{"ViewObject::eventHandler(): Error! Dynamic cast to EventView failed."});
}

// --- modified flags ----------------------------------------------------

TEST_F(ViewObjectTest, SettersFlagOnlyRealChanges) {
  auto* p_v = new ClearableView;
  p_v->clearFlags();
  p_v->setViewString("");
  p_v->setValue(0);
  p_v->setBorder(true);
  p_v->setColor(WHITE);
  p_v->setDrawValue(true);
  EXPECT_EQ(p_v->setFlags(), "");
  EXPECT_FALSE(p_v->isModified());

  p_v->setViewString("Ammo");
  EXPECT_EQ(p_v->setFlags(), "S");
  p_v->setValue(3);
  EXPECT_EQ(p_v->setFlags(), "SV");
  p_v->setColor(RED);
  EXPECT_EQ(p_v->setFlags(), "SVC");
  p_v->setDrawValue(false);
  EXPECT_EQ(p_v->setFlags(), "SVCD");
  p_v->clearFlags();
  p_v->setBorder(false);  // re-placed at TOP_CENTER one row up
  EXPECT_EQ(p_v->setFlags(), "PBL");

  p_v->clearFlags();
  const EventView same("Ammo", 3, false);
  EXPECT_EQ(p_v->eventHandler(&same), 1);
  EXPECT_EQ(p_v->setFlags(), "");
  const EventView more("Ammo", 1, true);
  p_v->eventHandler(&more);
  EXPECT_EQ(p_v->setFlags(), "V");
}

TEST_F(ViewObjectTest, IsModifiedLogsItsFlagsThenAsksTheObject) {
  LogManager::getInstance().setLogLevel(10);
  auto* p_v = new ClearableView;
  p_v->clearFlags();
  p_v->setColor(GREEN);
  EXPECT_TRUE(p_v->isModified());

  p_v->clearFlags();
  EXPECT_FALSE(p_v->isModified());
  p_v->setId(99);
  EXPECT_TRUE(p_v->isModified());

  // The first call stops at the set flag; the others look at all six
  // before the object's flags, which log above level 10.
  Lines expected;
  for (int i = 0; i < 4; i++) {
    expected.push_back("ViewObject::isModified(): " + std::to_string(i) +
                       (i == 3 ? " is true" : " is false"));
  }
  for (int call = 0; call < 2; call++) {
    for (int i = 0; i < VIEW_ATTRIBUTE_COUNT; i++) {
      expected.push_back("ViewObject::isModified(): " + std::to_string(i) + " is false");
    }
  }
  Lines view_lines;
  for (const std::string& line : closedLog()) {
    if (line.rfind("ViewObject::isModified()", 0) == 0) view_lines.push_back(line);
  }
  EXPECT_EQ(view_lines, expected);
}

}  // namespace
}  // namespace mo
