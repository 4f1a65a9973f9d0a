#include "engine/world/ViewObject.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "engine/core/EventStep.h"
#include "engine/core/LogManager.h"
#include "engine/media/CharGrid.h"
#include "engine/media/DisplayManager.h"
#include "engine/world/EventView.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"
#include "worldHelpers.h"

namespace mo {
namespace {

using test::Lines;

/// A ViewObject whose modified flags can be cleared and read as text:
/// "P" for position, "S" for the label, "L" for location and so on.
class ClearableView : public ViewObject {
 public:
  void clearFlags() {
    for (int i = 0; i < ATTRIBUTE_COUNT; i++) setModified(static_cast<ObjectAttribute>(i), false);
    for (int i = 0; i < VIEW_ATTRIBUTE_COUNT; i++) {
      setModified(static_cast<ViewObjectAttribute>(i), false);
    }
  }
  std::string setFlags() const {
    std::string flags = isModified(POSITION) ? "P" : "";
    const char* letters = "SVBCLD";  // in ViewObjectAttribute order
    for (int i = 0; i < VIEW_ATTRIBUTE_COUNT; i++) {
      if (isModified(static_cast<ViewObjectAttribute>(i))) flags += letters[i];
    }
    return flags;
  }
};

void expectAt(const ViewObject* p_v, float x, float y) {
  EXPECT_FLOAT_EQ(p_v->getPosition().getX(), x);
  EXPECT_FLOAT_EQ(p_v->getPosition().getY(), y);
}

/// An 80 x 24 view shown by a headless DisplayManager that copies every
/// character into grid.
class ViewObjectTest : public test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
    WorldManager::getInstance().setView(Box(Vector(0, 0), 80, 24));
    startHeadlessDisplay();
    DisplayManager::getInstance().setCharGrid(&grid);
  }
  /// A magazine counter: label "Magazine", value 12.
  static ViewObject* newMagazine() {
    auto* p_v = new ViewObject;
    p_v->setViewString("Magazine");
    p_v->setValue(12);
    return p_v;
  }

  CharGrid grid{80, 24};
};

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
std::string dashes(int n) { return std::string(static_cast<std::size_t>(n), '-'); }

TEST_F(ViewObjectTest, EveryLocationFollowsTheViewsExtentsAndTheBorder) {
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
    expectAt(p_v, place.x, place.y_border);
    // A border change places the item again, one row further out.
    p_v->setBorder(false);
    EXPECT_EQ(p_v->getLocation(), place.location);
    expectAt(p_v, place.x, place.y_plain);
  }
}

TEST_F(ViewObjectTest, NewItemIsASpectralOverlayAtTopCentreUntilPlacedElsewhere) {
  auto* p_v = new ClearableView;
  EXPECT_EQ(p_v->getSolidness(), SPECTRAL);
  EXPECT_EQ(p_v->getAltitude(), MAX_ALTITUDE);
  p_v->clearFlags();
  // Setting the position it has keeps the location.
  EXPECT_EQ(p_v->setPosition(Vector(40, 1)), 0);
  EXPECT_EQ(p_v->getLocation(), TOP_CENTER);
  EXPECT_EQ(p_v->setFlags(), "");
  EXPECT_EQ(p_v->setPosition(Vector(3, 4)), 0);
  EXPECT_EQ(p_v->getLocation(), NO_LOCATION);
  EXPECT_EQ(p_v->setFlags(), "PL");
  // Without a location, a border change keeps the position.
  p_v->setBorder(false);
  expectAt(p_v, 3, 4);
  // The location is computed from the view when set.
  WorldManager::getInstance().setView(Box(Vector(5, 7), 40, 10));
  p_v->clearFlags();
  EXPECT_EQ(p_v->setLocation(BOTTOM_CENTER), 0);
  expectAt(p_v, 20, 9);
  EXPECT_EQ(p_v->setFlags(), "PL");
  WorldManager::getInstance().setView(Box());
  expectAt(p_v, 20, 9);
  p_v->clearFlags();
  EXPECT_EQ(p_v->setLocation(static_cast<ViewObjectLocation>(9)), -1);
  EXPECT_EQ(p_v->setLocation(static_cast<ViewObjectLocation>(-1)), -1);
  EXPECT_EQ(p_v->getLocation(), BOTTOM_CENTER);
  expectAt(p_v, 20, 9);
  EXPECT_EQ(p_v->setFlags(), "");
  EXPECT_EQ(closedLog(),
            (Lines{"ViewObject::setLocation(): Warning! Location out of range (9). Ignored.",
                   "ViewObject::setLocation(): Warning! Location out of range (-1). Ignored."}));
}

TEST_F(ViewObjectTest, DrawsLabelValueAndBorderCentredInTheView) {
  struct Look {
    bool border, value;
    std::string text;
  };
  // " Magazine 12 " is 13 cells from 34 to 46; the bars stand at 33 and 47.
  const Look looks[] = {
      {false, false, blanks(36) + "Magazine\n"},
      {false, true, blanks(35) + "Magazine 12\n"},
      {true, false, blanks(35) + dashes(10) + "\n" + blanks(34) + "| Magazine |\n" + blanks(35) +
                        dashes(10) + "\n"},
      {true, true, blanks(34) + dashes(13) + "\n" + blanks(33) + "| Magazine 12 |\n" + blanks(34) +
                       dashes(13) + "\n"},
  };
  // Wherever the view is in the world, the item stays on the screen.
  WorldManager::getInstance().setView(Box(Vector(100, 50), 80, 24));
  ViewObject* p_v = newMagazine();
  p_v->setColor(YELLOW);
  for (const Look& look : looks) {
    SCOPED_TRACE(look.text);
    grid.clear();
    p_v->setBorder(look.border);
    p_v->setDrawValue(look.value);
    EXPECT_EQ(p_v->draw(), 0);
    EXPECT_EQ(grid.toString(), look.text);
  }
  for (int x = 33; x <= 47; x++) EXPECT_EQ(grid.colorAt(x, 1), YELLOW) << x;
  EXPECT_EQ(grid.colorAt(34, 0), YELLOW);
  EXPECT_EQ(grid.colorAt(46, 2), YELLOW);
  // Headless without a grid nothing can be drawn: the failures add up.
  DisplayManager::getInstance().setCharGrid(nullptr);
  EXPECT_EQ(p_v->draw(), -5);  // three texts, two bars
  p_v->setBorder(false);
  EXPECT_EQ(p_v->draw(), -1);
}

TEST_F(ViewObjectTest, ViewEventForTheExactLabelAddsWithDeltaAndReplacesWithout) {
  ViewObject* p_v = newMagazine();
  ViewObject* p_second = newMagazine();
  p_second->setValue(5);
  auto* p_score = new ViewObject;
  p_score->setViewString("Score");
  // The world delivers it to every item, which takes it only for its label.
  const EventView spend("Magazine", -1, true);
  EXPECT_EQ(WorldManager::getInstance().onEvent(&spend), 3);
  EXPECT_EQ(p_v->getValue(), 11);
  EXPECT_EQ(p_second->getValue(), 4);
  EXPECT_EQ(p_score->getValue(), 0);
  const EventView set("Magazine", -1, false);
  EXPECT_EQ(p_v->eventHandler(&set), 1);
  EXPECT_EQ(p_v->getValue(), -1);
  for (const char* other : {"magazine", "Magazine ", "Score"}) {
    const EventView event(other, 5, false);
    EXPECT_EQ(p_v->eventHandler(&event), 0) << other;
  }
  const EventStep step(3);
  EXPECT_EQ(p_v->eventHandler(&step), 0);
  EXPECT_EQ(p_v->getValue(), -1);
  // The sum is held to the range of int.
  p_v->setValue(INT_MAX - 1);
  const EventView up("Magazine", 5, true);
  p_v->eventHandler(&up);
  EXPECT_EQ(p_v->getValue(), INT_MAX);
  p_v->setValue(INT_MIN + 1);
  const EventView down("Magazine", -5, true);
  p_v->eventHandler(&down);
  EXPECT_EQ(p_v->getValue(), INT_MIN);
  // A "mo-view" event that is no EventView is refused.
  Event fake;
  fake.setType(VIEW_EVENT);
  EXPECT_EQ(p_v->eventHandler(&fake), 0);
  EXPECT_EQ(p_v->getValue(), INT_MIN);
  EXPECT_EQ(closedLog(),
            Lines{"ViewObject::eventHandler(): Error! Dynamic cast to EventView failed."});
}

TEST_F(ViewObjectTest, EachSetterFlagsItsOwnAttributeAndOnlyOnAChange) {
  struct Case {
    std::function<void(ViewObject*)> set;
    std::string flags;
  };
  const Case cases[] = {
      {[](ViewObject* p) { p->setViewString("Ammo"); }, "S"},
      {[](ViewObject* p) { p->setValue(3); }, "V"},
      {[](ViewObject* p) { p->setBorder(false); }, "PBL"},  // placed again, one row up
      {[](ViewObject* p) { p->setColor(RED); }, "C"},
      {[](ViewObject* p) { p->setDrawValue(false); }, "D"},
      {[](ViewObject* p) {
         p->setViewString("");
         p->setValue(0);
         p->setBorder(true);
         p->setColor(WHITE);
         p->setDrawValue(true);
         const EventView same("", 0, false);
         EXPECT_EQ(p->eventHandler(&same), 1);
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    auto* p_v = new ClearableView;
    p_v->clearFlags();
    c.set(p_v);
    EXPECT_EQ(p_v->setFlags(), c.flags);
    EXPECT_EQ(p_v->isModified(), !c.flags.empty());
    // With clean view flags, it asks the object's flags.
    p_v->setId(99);
    EXPECT_TRUE(p_v->isModified());
  }
}

TEST_F(ViewObjectTest, AttributeTextAppendsTheViewItemsAndReadsBackToTheSameText) {
  ViewObject* p_magazine = newMagazine();
  const std::string all = p_magazine->serialize("ALL");
  EXPECT_EQ(all.substr(all.find("view_string")),
            "view_string:Magazine,view_value:12,view_border:true,view_color:7,view_location:1,"
            "view_draw_value:true,");
  EXPECT_FALSE(p_magazine->isModified());
  // DRAW_VALUE selects the value too.
  EXPECT_EQ(p_magazine->serialize("DRAW_VALUE,"), "view_value:12,view_draw_value:true,");
  p_magazine->setColor(RED);
  EXPECT_EQ(p_magazine->serialize(""), "view_color:1,");
  const std::function<void(ViewObject*)> setups[] = {
      [](ViewObject* p_v) {
        p_v->setBorder(false);
        p_v->setLocation(BOTTOM_RIGHT);
        p_v->setColor(RED);
        p_v->setDrawValue(false);
      },
      [](ViewObject* p_v) { p_v->setPosition(Vector(5, 6.5f)); },  // no standard place
  };
  for (const auto& setup : setups) {
    ViewObject* p_v = newMagazine();
    p_v->setBox(Box(Vector(-1, 0), 2, 1));  // read back in whole cells
    setup(p_v);
    const std::string text = p_v->serialize("ALL");
    SCOPED_TRACE(text);
    ViewObject* p_copy = new ViewObject;
    EXPECT_EQ(p_copy->deserialize(text), 0);
    EXPECT_EQ(p_copy->getLocation(), p_v->getLocation());
    EXPECT_EQ(p_copy->serialize("ALL"), text);
  }
  // -1 only forgets the place; other values off the nine are refused.
  ViewObject* p_v = new ViewObject;
  p_v->deserialize("view_location:9,");
  EXPECT_EQ(p_v->getLocation(), TOP_CENTER);
  p_v->deserialize("view_location:-1,");
  EXPECT_EQ(p_v->getLocation(), NO_LOCATION);
  expectAt(p_v, 40, 1);
  EXPECT_EQ(closedLog(),
            Lines{"ViewObject::setLocation(): Warning! Location out of range (9). Ignored."});
}

}  // namespace
}  // namespace mo
