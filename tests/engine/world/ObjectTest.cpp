#include "engine/world/Object.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/net/EventPath.h"
#include "engine/net/PathFind.h"
#include "engine/net/PathManager.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"
#include "worldHelpers.h"

namespace mo {
namespace {

using test::Lines;
using test::str;

/// Counts the step events it receives.
class StepCounter : public Object {
 public:
  int eventHandler(const Event* p_e) override {
    if (p_e->getType() != STEP_EVENT) return 0;
    received++;
    return 1;
  }
  int received = 0;
};

/// The event types an object is registered for, in order.
Lines interests(const Object& o) {
  Lines names;
  for (int i = 0; i < o.getEventCount(); i++) names.push_back(o.getEventName(i));
  return names;
}

/// Objects outside a started world; the log is open.
class ObjectTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  /// Sends one step event through the GameManager; returns its count.
  static int step() {
    const EventStep event(0);
    return GameManager::getInstance().onEvent(&event);
  }
};

TEST_F(ObjectTest, IdsCountFromOneAndTheCounterStaysAheadOfSetIds) {
  Object first, second, third;
  EXPECT_EQ(first.getId(), 1);
  EXPECT_EQ(second.getId(), 2);
  EXPECT_EQ(Object::getIdCounter(), 4);
  third.setId(1);
  EXPECT_EQ(Object::getIdCounter(), 4);
  second.setId(10);
  EXPECT_EQ(Object().getId(), 11);
}

TEST_F(ObjectTest, StepInterestsGoToTheGameManagerUpToTheMaximum) {
  StepCounter counter;
  for (int i = 0; i < MAX_INTERESTS; i++) ASSERT_EQ(counter.registerInterest(STEP_EVENT), 0);
  EXPECT_EQ(counter.registerInterest(STEP_EVENT), -1);
  EXPECT_EQ(counter.getEventCount(), 100);
  EXPECT_EQ(step(), 100);
  EXPECT_EQ(counter.received, 100);
  EXPECT_EQ(closedLog(), Lines{"Object::registerInterest(): maximum (100) reached, cannot "
                               "register for event 'mo-step'"});
}

TEST_F(ObjectTest, UnregisteringRemovesOneRegistrationInOrderAndTheDestructorRemovesAll) {
  StepCounter counter;
  EXPECT_EQ(counter.unregisterInterest(STEP_EVENT), -1);
  for (const char* type : {"mo-step", "game-a", "game-b", "game-c", "mo-step"}) {
    ASSERT_EQ(counter.registerInterest(type), 0);
  }
  EXPECT_EQ(counter.unregisterInterest("game-a"), 0);
  EXPECT_EQ(interests(counter), (Lines{"mo-step", "game-b", "game-c", "mo-step"}));
  EXPECT_EQ(counter.unregisterInterest(STEP_EVENT), 0);
  EXPECT_EQ(interests(counter), (Lines{"game-b", "game-c", "mo-step"}));
  {
    StepCounter leaving;
    ASSERT_EQ(leaving.registerInterest(STEP_EVENT) + leaving.registerInterest(STEP_EVENT), 0);
    EXPECT_EQ(step(), 3);
  }
  EXPECT_EQ(step(), 1);
  EXPECT_EQ(counter.received, 2);
  EXPECT_EQ(counter.unregisterInterest(MOUSE_EVENT), -1);
  // Refused by the manager, the registration is kept.
  ASSERT_EQ(GameManager::getInstance().unregisterInterest(&counter, STEP_EVENT), 0);
  EXPECT_EQ(counter.unregisterInterest(STEP_EVENT), -1);
  EXPECT_EQ(counter.getEventCount(), 3);
  EXPECT_EQ(closedLog(),
            (Lines{"Object::unregisterInterest(): event 'mo-step' not previously registered",
                   "Object::unregisterInterest(): event 'mo-mouse' not previously registered"}));
}

TEST_F(ObjectTest, SettersWorkOutsideTheWorldWithoutFilingTheObject) {
  Object o;
  EXPECT_FALSE(o.isInWorld());
  EXPECT_EQ(o.setActive(false) + o.setAltitude(3) + o.setSolidness(SPECTRAL) + o.setVisible(false),
            0);
  o.setType("Loner");
  EXPECT_EQ(o.getAltitude(), 3);
  ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
  EXPECT_EQ(o.setActive(true), 0);
  EXPECT_TRUE(WorldManager::getInstance().getAllObjects(true).isEmpty());
  EXPECT_TRUE(WorldManager::getInstance().objectsOfType("Loner").isEmpty());
}

/// An object whose modified flags a test can clear and read as a whole.
class Flagged : public Object {
 public:
  void clearFlags() {
    for (int i = 0; i < ATTRIBUTE_COUNT; i++) setModified(static_cast<ObjectAttribute>(i), false);
  }
  /// The indices of the set flags, e.g. "11 12".
  std::string flags() const {
    std::string text;
    for (int i = 0; i < ATTRIBUTE_COUNT; i++) {
      if (isModified(static_cast<ObjectAttribute>(i))) text += " " + toString(i);
    }
    return text.empty() ? text : text.substr(1);
  }
};

class ObjectWorldTest : public ObjectTest {
 protected:
  void SetUp() override {
    ObjectTest::SetUp();
    ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
    p_o = new Flagged;
    p_o->clearFlags();
  }
  Flagged* p_o = nullptr;
};

TEST_F(ObjectWorldTest, EachSetterFlagsItsOwnAttributesAndOnlyOnAChange) {
  struct Case {
    const char* what;
    std::function<void(Flagged*)> set;
    std::string flags;
  };
  const Case cases[] = {
      {"id", [](Flagged* p) { p->setId(50); }, "0"},
      {"active", [](Flagged* p) { p->setActive(false); }, "1"},
      {"visible", [](Flagged* p) { p->setVisible(false); }, "2"},
      {"box", [](Flagged* p) { p->setBox(Box(Vector(0, 0), 2, 2)); }, "4"},
      {"position", [](Flagged* p) { p->setPosition(Vector(3, 3)); }, "5"},
      {"type", [](Flagged* p) { p->setType("Hero"); }, "6"},
      {"altitude", [](Flagged* p) { p->setAltitude(4); }, "8"},
      {"solidness", [](Flagged* p) { p->setSolidness(SOFT); }, "9"},
      {"no soft", [](Flagged* p) { p->setNoSoft(true); }, "10"},
      {"speed", [](Flagged* p) { p->setSpeed(2); }, "11"},
      {"velocity", [](Flagged* p) { p->setVelocity(Vector(1, 0)); }, "11 12"},
      {"direction", [](Flagged* p) { p->setDirection(Vector(0, 1)); }, "12"},
      {"acceleration", [](Flagged* p) { p->setAcceleration(Vector(0, 1)); }, "13"},
      {"path", [](Flagged* p) { p->setPath(Path({Vector(9, 9)})); }, "15"},
      {"follow path", [](Flagged* p) { p->setFollowPath(false); }, "16"},
      {"avoid collisions", [](Flagged* p) { p->setAvoidCollisions(true); }, "17"},
      {"same id", [](Flagged* p) { p->setId(p->getId()); }, ""},
      {"same activity, visibility, altitude, solidness, position",
       [](Flagged* p) {
         EXPECT_EQ(p->setActive(true) + p->setVisible(true) + p->setAltitude(DEFAULT_ALTITUDE) +
                       p->setSolidness(HARD) + p->setPosition(Vector(1, 1)),
                   0);
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto* p_fresh = new Flagged;
    p_fresh->clearFlags();
    c.set(p_fresh);
    EXPECT_EQ(p_fresh->flags(), c.flags);
  }
}

TEST_F(ObjectWorldTest, OutOfRangeAltitudeOrSolidnessLeavesTheAttributeAndItsFlag) {
  EXPECT_EQ(p_o->setAltitude(5), -1);
  EXPECT_EQ(p_o->setAltitude(-1), -1);
  EXPECT_EQ(p_o->setSolidness(static_cast<Solidness>(3)), -1);
  EXPECT_EQ(p_o->getAltitude(), 2);
  EXPECT_EQ(p_o->getSolidness(), HARD);
  EXPECT_EQ(p_o->flags(), "");
  EXPECT_EQ(closedLog(),
            (Lines{"Object::setAltitude(): Altitude 5 not in range [0,4].  Ignored.",
                   "Object::setAltitude(): Altitude -1 not in range [0,4].  Ignored.",
                   "Object::setSolidness(): Solidness 3 not one of HARD, SOFT or SPECTRAL."}));
}

TEST_F(ObjectWorldTest, VelocitySplitsIntoSpeedAndDirectionAndAccelerationChangesBoth) {
  p_o->setVelocity(Vector(3, 4));
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 5);
  EXPECT_EQ(str(p_o->getDirection()), "(0.6,0.8)");
  EXPECT_EQ(str(p_o->predictPosition()), "(4,5)");
  p_o->clearFlags();
  p_o->applyAcceleration();  // none: nothing changes
  EXPECT_EQ(p_o->flags(), "");
  EXPECT_EQ(str(p_o->getVelocity()), "(3,4)");
  p_o->setVelocity(Vector(1, 0));
  p_o->setAcceleration(Vector(0, 1));
  p_o->applyAcceleration();
  EXPECT_FLOAT_EQ(p_o->getSpeed(), std::sqrt(2.0f));
  EXPECT_EQ(str(p_o->getDirection()), "(0.707107,0.707107)");
  // Opposed to the velocity it brings the object to rest.
  p_o->setVelocity(Vector(0, -1));
  p_o->applyAcceleration();
  EXPECT_EQ(p_o->getSpeed(), 0);
  EXPECT_EQ(p_o->getDirection(), Vector(0, 0));
  EXPECT_EQ(p_o->predictPosition(), Vector(1, 1));
}

TEST_F(ObjectWorldTest, PathStepReachesNodesWithinThreeQuartersOfAStepAndSteersToTheNext) {
  struct Case {
    const char* what;
    std::vector<Vector> nodes;
    bool follow;
    Vector position;
    int index;
    Vector direction;
    std::string flags;
  };
  const Case cases[] = {
      {"0.7 away: reached", {Vector(1.7f, 1), Vector(9, 1)}, true, Vector(1.7f, 1), 1,
       Vector(1, 0), "5 15"},
      {"0.8 away: steered", {Vector(1.8f, 1)}, true, Vector(1, 1), 0, Vector(1, 0), ""},
      {"all within reach: consumed", {Vector(1.5f, 1), Vector(2, 1), Vector(2, 1.5f)}, true,
       Vector(2, 1.5f), 3, Vector(0, 0), "5 15 16"},
      {"stops at the first out of reach", {Vector(1.5f, 1), Vector(3, 1), Vector(3.2f, 1)}, true,
       Vector(1.5f, 1), 1, Vector(1, 0), "5 15"},
      {"not following", {Vector(1.5f, 1)}, false, Vector(1, 1), 0, Vector(0, 1), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto* p = new Flagged;
    p->setSpeed(1);
    p->setPath(Path(c.nodes));
    p->setFollowPath(c.follow);
    p->setDirection(Vector(0, 1));
    p->clearFlags();
    p->stepPath();
    EXPECT_EQ(p->getPosition(), c.position);
    EXPECT_EQ(p->getPath().getIndex(), c.index);
    EXPECT_EQ(p->getDirection(), c.direction);
    EXPECT_EQ(p->getFollowPath(), c.follow && c.index < p->getPath().getCount());
    EXPECT_EQ(p->getSpeed(), 1);
    EXPECT_EQ(p->flags(), c.flags);
  }
}

TEST_F(ObjectWorldTest, FollowsAFoundPathAroundAWallToItsEnd) {
  WorldManager& world = WorldManager::getInstance();
  PathManager& paths = PathManager::getInstance();
  world.setBoundary(Box(Vector(), 10, 6));
  ASSERT_EQ(paths.startUp(), 0);
  for (int y = 0; y < 5; y++) (new Object)->setPosition(Vector(4, static_cast<float>(y)));
  p_o->setSolidness(SPECTRAL);  // cutting past the wall's corner is not blocked
  p_o->setSpeed(0.5f);
  ASSERT_EQ(paths.findPath(p_o, Vector(7, 1)), 0);
  paths.cycle(0);
  ASSERT_TRUE(p_o->getFollowPath());
  EXPECT_EQ(toString(p_o->getPath()), "1 1|2 2|3 3|3 4|4 5|5 4|6 3|7 2|7 1|");
  int steps = 0;
  for (; p_o->getFollowPath() && steps < 100; steps++) world.update();
  EXPECT_EQ(p_o->getPosition(), Vector(7, 1));
  EXPECT_EQ(p_o->getDirection(), Vector(0, 0));
  EXPECT_GT(steps, 20);  // half a cell a step over more than ten cells
}

TEST_F(ObjectWorldTest, PathEventIsCheckedAndEndsOnlyASearchThatHasEnded) {
  ASSERT_EQ(PathManager::getInstance().startUp(), 0);
  WorldManager::getInstance().setBoundary(Box(Vector(), 10, 10));
  Event impostor;
  impostor.setType(PATH_EVENT);
  EXPECT_EQ(p_o->eventHandler(&impostor), 0);
  ASSERT_EQ(PathManager::getInstance().findPath(p_o, Vector(3, 3)), 0);
  const EventPath not_yet(PATH_NONE, Path());  // the search has not run a step
  EXPECT_EQ(p_o->eventHandler(&not_yet), 1);
  EXPECT_EQ(PathManager::getInstance().getSearchCount(), 1);
  EXPECT_EQ(closedLog(), Lines{"Object::eventHandler(): Error! Dynamic cast to EventPath failed."});
}

}  // namespace
}  // namespace mo
