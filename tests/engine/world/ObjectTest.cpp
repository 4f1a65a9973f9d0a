#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::EngineTest;
using test::WorldTest;
using Lines = std::vector<std::string>;

/// Counts step events; optionally deletes another object on the first.
class StepCounter : public Object {
 public:
  int eventHandler(const Event* p_e) override {
    if (p_e->getType() != STEP_EVENT) return 0;
    received++;
    // The victim may be this object itself: touch no member after this.
    Object* p_doomed = p_victim;
    p_victim = nullptr;
    delete p_doomed;
    return 1;
  }
  int received = 0;
  Object* p_victim = nullptr;
};

class ObjectTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  /// Sends one step event through the GameManager; returns its count.
  int step() {
    const EventStep event(0);
    return GameManager::getInstance().onEvent(&event);
  }
  Lines closedLog() {
    LogManager::getInstance().shutDown();
    return logMessages();
  }
};

// --- identity --------------------------------------------------------

TEST_F(ObjectTest, NewObjectsAreNumberedFromOne) {
  Object first;
  Object second;
  EXPECT_EQ(first.getId(), 1);
  EXPECT_EQ(second.getId(), 2);
  EXPECT_EQ(Object::getIdCounter(), 3);
  EXPECT_EQ(first.getType(), "(Undefined)");
  EXPECT_TRUE(first.isActive());
  EXPECT_EQ(first.getEventCount(), 0);
}

TEST_F(ObjectTest, SetIdKeepsTheCounterAheadOfIt) {
  Object first;
  first.setId(10);
  EXPECT_EQ(first.getId(), 10);
  Object next;
  EXPECT_EQ(next.getId(), 11);
}

TEST_F(ObjectTest, SetIdBelowTheCounterLeavesTheCounter) {
  Object first;
  Object second;
  Object third;
  third.setId(1);
  EXPECT_EQ(third.getId(), 1);
  Object next;
  EXPECT_EQ(next.getId(), 4);
}

TEST_F(ObjectTest, TypeAndActivityCanBeChanged) {
  Object o;
  o.setType("Hero");
  EXPECT_EQ(o.getType(), "Hero");
  EXPECT_EQ(o.setActive(false), 0);
  EXPECT_FALSE(o.isActive());
  EXPECT_EQ(o.setActive(), 0);
  EXPECT_TRUE(o.isActive());
}

// --- interests -------------------------------------------------------

TEST_F(ObjectTest, StepInterestGoesToTheGameManager) {
  StepCounter counter;
  ASSERT_EQ(counter.registerInterest(STEP_EVENT), 0);
  EXPECT_EQ(counter.getEventCount(), 1);
  EXPECT_EQ(step(), 1);
  EXPECT_EQ(counter.received, 1);
}

TEST_F(ObjectTest, TypesWithoutAManagerAreRefusedWithALine) {
  StepCounter counter;
  EXPECT_EQ(counter.registerInterest(NETWORK_EVENT), -1);
  EXPECT_EQ(counter.getEventCount(), 0);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(closedLog(),
            Lines{"Object::registerInterest(): no manager delivers event 'mo-network'"});
}

TEST_F(ObjectTest, HundredAndFirstInterestFailsWithTheMaximumMessage) {
  StepCounter counter;
  for (int i = 0; i < MAX_INTERESTS; i++) ASSERT_EQ(counter.registerInterest(STEP_EVENT), 0);
  EXPECT_EQ(counter.registerInterest(STEP_EVENT), -1);
  EXPECT_EQ(counter.getEventCount(), 100);
  EXPECT_EQ(step(), 100);
  EXPECT_EQ(closedLog(), Lines{"Object::registerInterest(): maximum (100) reached, cannot "
                               "register for event 'mo-step'"});
}

/// The event types an object is registered for, in order.
Lines interests(const Object& o) {
  Lines names;
  for (int i = 0; i < o.getEventCount(); i++) names.push_back(o.getEventName(i));
  return names;
}

TEST_F(ObjectTest, UnregisteringTheSecondKeepsTheOthersInOrder) {
  StepCounter counter;
  ASSERT_EQ(counter.registerInterest(STEP_EVENT), 0);
  ASSERT_EQ(counter.registerInterest("game-a"), 0);
  ASSERT_EQ(counter.registerInterest("game-b"), 0);
  EXPECT_EQ(counter.unregisterInterest("game-a"), 0);
  EXPECT_EQ(interests(counter), (Lines{"mo-step", "game-b"}));
  // With more behind it, the later ones close the gap in their order.
  ASSERT_EQ(counter.registerInterest("game-c"), 0);
  ASSERT_EQ(counter.registerInterest("game-d"), 0);
  EXPECT_EQ(counter.unregisterInterest("game-b"), 0);
  EXPECT_EQ(interests(counter), (Lines{"mo-step", "game-c", "game-d"}));
  EXPECT_EQ(step(), 1);
}

TEST_F(ObjectTest, UnregisteringOneOfRepeatedRegistrationsKeepsTheOthers) {
  StepCounter counter;
  for (int i = 0; i < 3; i++) ASSERT_EQ(counter.registerInterest(STEP_EVENT), 0);
  EXPECT_EQ(counter.unregisterInterest(STEP_EVENT), 0);
  EXPECT_EQ(interests(counter), (Lines{"mo-step", "mo-step"}));
  EXPECT_EQ(step(), 2);
}

TEST_F(ObjectTest, UnregisteringAnUnregisteredTypeFailsWithALine) {
  StepCounter counter;
  EXPECT_EQ(counter.unregisterInterest(STEP_EVENT), -1);
  ASSERT_EQ(counter.registerInterest(STEP_EVENT), 0);
  EXPECT_EQ(counter.unregisterInterest(MOUSE_EVENT), -1);
  EXPECT_EQ(counter.getEventCount(), 1);
  EXPECT_EQ(step(), 1);
  EXPECT_EQ(closedLog(),
            (Lines{"Object::unregisterInterest(): event 'mo-step' not previously registered",
                   "Object::unregisterInterest(): event 'mo-mouse' not previously registered"}));
}

TEST_F(ObjectTest, InterestRefusedByTheManagerOnUnregisterIsKept) {
  StepCounter counter;
  ASSERT_EQ(counter.registerInterest(STEP_EVENT), 0);
  ASSERT_EQ(GameManager::getInstance().unregisterInterest(&counter, STEP_EVENT), 0);
  EXPECT_EQ(counter.unregisterInterest(STEP_EVENT), -1);
  EXPECT_EQ(counter.getEventCount(), 1);
}

TEST_F(ObjectTest, InactiveObjectGetsNoStep) {
  StepCounter counter;
  ASSERT_EQ(counter.registerInterest(STEP_EVENT), 0);
  counter.setActive(false);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(counter.received, 0);
}

// --- destruction -----------------------------------------------------

TEST_F(ObjectTest, DestructorUnregistersEveryInterest) {
  StepCounter staying;
  ASSERT_EQ(staying.registerInterest(STEP_EVENT), 0);
  {
    StepCounter leaving;
    ASSERT_EQ(leaving.registerInterest(STEP_EVENT), 0);
    ASSERT_EQ(leaving.registerInterest(STEP_EVENT), 0);
    EXPECT_EQ(step(), 3);
  }
  EXPECT_EQ(step(), 1);
  EXPECT_EQ(staying.received, 2);
  // The last registration gone, the slot is free and usable again.
  ASSERT_EQ(staying.unregisterInterest(STEP_EVENT), 0);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(staying.registerInterest(STEP_EVENT), 0);
  EXPECT_EQ(step(), 1);
}

TEST_F(ObjectTest, ObjectDeletedByAnotherHandlerDuringAStepIsNotCalled) {
  StepCounter killer;
  auto* p_victim = new StepCounter;
  StepCounter witness;
  ASSERT_EQ(killer.registerInterest(STEP_EVENT), 0);
  ASSERT_EQ(p_victim->registerInterest(STEP_EVENT), 0);
  ASSERT_EQ(witness.registerInterest(STEP_EVENT), 0);
  killer.p_victim = p_victim;
  EXPECT_EQ(step(), 2);
  EXPECT_EQ(killer.p_victim, nullptr);
  EXPECT_EQ(witness.received, 1);
  EXPECT_EQ(step(), 2);
}

TEST_F(ObjectTest, ObjectDeletingItselfDuringAStepIsNotCalledAgain) {
  // Registered twice: the second delivery of the same event must not
  // reach the deleted object.
  auto* p_self = new StepCounter;
  StepCounter witness;
  ASSERT_EQ(p_self->registerInterest(STEP_EVENT), 0);
  ASSERT_EQ(witness.registerInterest(STEP_EVENT), 0);
  ASSERT_EQ(p_self->registerInterest(STEP_EVENT), 0);
  p_self->p_victim = p_self;
  EXPECT_EQ(step(), 2);
  EXPECT_EQ(witness.received, 1);
  EXPECT_EQ(step(), 1);
}

// --- the world side: setters, motion, paths, flags -------------------

std::string str(Vector v) { return "(" + toString(v.getX()) + "," + toString(v.getY()) + ")"; }

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
      if (isModified(static_cast<ObjectAttribute>(i))) {
        text += (text.empty() ? "" : " ") + toString(i);
      }
    }
    return text;
  }
};

bool listed(const ObjectList& list, const Object* p_o) {
  for (ObjectListIterator li(&list); !li.isDone(); li.next()) {
    if (li.currentObject() == p_o) return true;
  }
  return false;
}

class ObjectWorldTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
    p_o = new Flagged;
    p_o->clearFlags();
  }
  /// The log's messages; the level goes back to 0 first so that the
  /// log's own closing line stays out.
  Lines closedLog() {
    LogManager::getInstance().setLogLevel(0);
    LogManager::getInstance().shutDown();
    return logMessages();
  }
  SceneGraph& graph() { return WorldManager::getInstance().getSceneGraph(); }

  Flagged* p_o = nullptr;
};

// --- setters and their flags -----------------------------------------

TEST_F(ObjectWorldTest, EachSetterFlagsItsOwnAttributes) {
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
  };
  for (const Case& c : cases) {
    auto* p_fresh = new Flagged;
    p_fresh->clearFlags();
    c.set(p_fresh);
    EXPECT_EQ(p_fresh->flags(), c.flags) << c.what;
  }
}

TEST_F(ObjectWorldTest, UnchangedValuesReturnZeroWithoutFlagging) {
  EXPECT_EQ(p_o->setActive(true), 0);
  EXPECT_EQ(p_o->setVisible(true), 0);
  EXPECT_EQ(p_o->setAltitude(DEFAULT_ALTITUDE), 0);
  EXPECT_EQ(p_o->setSolidness(HARD), 0);
  EXPECT_EQ(p_o->setPosition(Vector(1, 1)), 0);
  p_o->setId(p_o->getId());
  EXPECT_EQ(p_o->flags(), "");
  EXPECT_FALSE(p_o->isModified());
}

TEST_F(ObjectWorldTest, IndexedSettersKeepTheWorldListsInStep) {
  ASSERT_EQ(p_o->setAltitude(0), 0);
  EXPECT_TRUE(listed(graph().visibleObjects(0), p_o));
  ASSERT_EQ(p_o->setVisible(false), 0);
  EXPECT_FALSE(listed(graph().visibleObjects(0), p_o));
  ASSERT_EQ(p_o->setActive(false), 0);
  EXPECT_TRUE(listed(graph().inactiveObjects(), p_o));
  EXPECT_FALSE(listed(graph().activeObjects(), p_o));
  ASSERT_EQ(p_o->setActive(true), 0);
  EXPECT_TRUE(listed(graph().activeObjects(), p_o));
  EXPECT_FALSE(listed(graph().visibleObjects(0), p_o));
}

TEST_F(ObjectWorldTest, AltitudeOutOfRangeIsRefusedWithAMessage) {
  EXPECT_EQ(p_o->setAltitude(5), -1);
  EXPECT_EQ(p_o->setAltitude(-1), -1);
  EXPECT_EQ(p_o->getAltitude(), 2);
  EXPECT_TRUE(listed(graph().visibleObjects(2), p_o));
  EXPECT_EQ(p_o->setAltitude(0), 0);
  EXPECT_EQ(p_o->setAltitude(4), 0);
  EXPECT_EQ(closedLog(),
            (Lines{"Object::setAltitude(): Altitude 5 not in range [0,4].  Ignored.",
                   "Object::setAltitude(): Altitude -1 not in range [0,4].  Ignored."}));
}

TEST_F(ObjectWorldTest, SolidnessOutsideTheThreeIsRefusedWithAMessage) {
  EXPECT_EQ(p_o->setSolidness(static_cast<Solidness>(3)), -1);
  EXPECT_EQ(p_o->getSolidness(), HARD);
  EXPECT_FALSE(p_o->isModified(SOLIDNESS));
  EXPECT_EQ(closedLog(),
            Lines{"Object::setSolidness(): Solidness 3 not one of HARD, SOFT or SPECTRAL."});
}

TEST_F(ObjectWorldTest, RefusedListUpdateLeavesTheAttributeAndItsFlag) {
  ASSERT_EQ(graph().removeObject(p_o), 0);
  EXPECT_EQ(p_o->setVisible(false), -1);
  EXPECT_TRUE(p_o->isVisible());
  EXPECT_FALSE(p_o->isModified(VISIBLE));
  ASSERT_EQ(graph().insertObject(p_o), 0);
}

TEST_F(ObjectWorldTest, TypeChangesEvenWhenTheListsCannotFollow) {
  ASSERT_EQ(p_o->setActive(false), 0);
  p_o->setType("Hero");
  EXPECT_EQ(p_o->getType(), "Hero");
  EXPECT_TRUE(p_o->isModified(TYPE));
  ASSERT_EQ(p_o->setActive(true), 0);
  EXPECT_TRUE(listed(graph().objectsOfType("Hero"), p_o));
}

// --- objects outside the world ---------------------------------------

TEST_F(ObjectTest, SettersWorkOutsideTheWorld) {
  Object o;
  EXPECT_FALSE(o.isInWorld());
  EXPECT_EQ(o.setActive(false), 0);
  EXPECT_EQ(o.setAltitude(3), 0);
  EXPECT_EQ(o.setSolidness(SPECTRAL), 0);
  EXPECT_EQ(o.setVisible(false), 0);
  o.setType("Loner");
  EXPECT_FALSE(o.isActive());
  EXPECT_EQ(o.getAltitude(), 3);
  ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
  EXPECT_EQ(o.setActive(true), 0);
  EXPECT_TRUE(WorldManager::getInstance().getAllObjects(true).isEmpty());
  EXPECT_TRUE(WorldManager::getInstance().objectsOfType("Loner").isEmpty());
}

// --- motion ----------------------------------------------------------

TEST_F(ObjectWorldTest, VelocityIsSplitIntoSpeedAndDirection) {
  p_o->setVelocity(Vector(3, 4));
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 5);
  EXPECT_EQ(str(p_o->getDirection()), "(0.6,0.8)");
  EXPECT_EQ(str(p_o->getVelocity()), "(3,4)");
  EXPECT_EQ(str(p_o->predictPosition()), "(4,5)");
  p_o->setVelocity(Vector(0, 0));
  EXPECT_EQ(p_o->getSpeed(), 0);
  EXPECT_EQ(p_o->getDirection(), Vector(0, 0));
  EXPECT_EQ(p_o->predictPosition(), Vector(1, 1));
}

TEST_F(ObjectWorldTest, AccelerationChangesSpeedAndDirection) {
  p_o->setVelocity(Vector(1, 0));
  p_o->setAcceleration(Vector(0, 1));
  p_o->clearFlags();
  p_o->applyAcceleration();
  EXPECT_FLOAT_EQ(p_o->getSpeed(), std::sqrt(2.0f));
  EXPECT_FLOAT_EQ(p_o->getDirection().getX(), std::sqrt(0.5f));
  EXPECT_FLOAT_EQ(p_o->getDirection().getY(), std::sqrt(0.5f));
  EXPECT_EQ(p_o->flags(), "11 12");
  // Opposed to the velocity it brings the object to rest.
  p_o->setVelocity(Vector(0, -1));
  p_o->applyAcceleration();
  EXPECT_EQ(p_o->getSpeed(), 0);
  EXPECT_EQ(p_o->getDirection(), Vector(0, 0));
}

TEST_F(ObjectWorldTest, ZeroAccelerationLeavesTheObjectUntouched) {
  p_o->setVelocity(Vector(3, 4));
  p_o->clearFlags();
  p_o->applyAcceleration();
  EXPECT_FLOAT_EQ(p_o->getSpeed(), 5);
  EXPECT_EQ(p_o->flags(), "");
}

// --- following a path ------------------------------------------------

class ObjectPathFollowingTest : public ObjectWorldTest {
 protected:
  /// Follows a path through nodes at speed 1 from (1,1).
  void follow(std::vector<Vector> nodes) {
    p_o->setSpeed(1);
    p_o->setPath(Path(std::move(nodes)));
    p_o->setFollowPath(true);
    p_o->clearFlags();
  }
};

TEST_F(ObjectPathFollowingTest, StartingPointsTheDirectionAtTheFirstNode) {
  p_o->setPath(Path({Vector(1, 5), Vector(9, 9)}));
  p_o->clearFlags();
  p_o->setFollowPath(true);
  EXPECT_TRUE(p_o->getFollowPath());
  EXPECT_EQ(p_o->getDirection(), Vector(0, 1));
  EXPECT_EQ(p_o->flags(), "16");
}

TEST_F(ObjectPathFollowingTest, FinishedPathLeavesTheDirectionAlone) {
  p_o->setDirection(Vector(1, 0));
  Path walked({Vector(1, 5)});
  walked.next();
  p_o->setPath(walked);
  p_o->setFollowPath(true);
  EXPECT_EQ(p_o->getDirection(), Vector(1, 0));
}

TEST_F(ObjectPathFollowingTest, NodeWithinThreeQuartersOfAStepIsReached) {
  follow({Vector(1.7f, 1), Vector(9, 9)});
  p_o->stepPath();
  EXPECT_EQ(p_o->getPosition(), Vector(1.7f, 1));
  EXPECT_EQ(p_o->getPath().getIndex(), 1);
  EXPECT_TRUE(p_o->getFollowPath());
  EXPECT_EQ(p_o->flags(), "5 15");
}

TEST_F(ObjectPathFollowingTest, FartherNodeIsSteeredTowardWithoutMoving) {
  follow({Vector(1.8f, 1)});
  p_o->setDirection(Vector(0, 1));
  p_o->clearFlags();
  p_o->stepPath();
  EXPECT_EQ(p_o->getPosition(), Vector(1, 1));
  EXPECT_EQ(p_o->getDirection(), Vector(1, 0));
  EXPECT_EQ(p_o->getPath().getIndex(), 0);
  EXPECT_EQ(p_o->flags(), "");
}

TEST_F(ObjectPathFollowingTest, NodesAllWithinReachAreConsumedInOneStep) {
  follow({Vector(1.5f, 1), Vector(2, 1), Vector(2, 1.5f)});
  p_o->stepPath();
  EXPECT_EQ(p_o->getPosition(), Vector(2, 1.5f));
  EXPECT_TRUE(p_o->getPath().isDone());
  EXPECT_EQ(p_o->getDirection(), Vector(0, 0));
  EXPECT_FALSE(p_o->getFollowPath());
  // The speed is left to the game.
  EXPECT_EQ(p_o->getSpeed(), 1);
  EXPECT_EQ(p_o->flags(), "5 15 16");
}

TEST_F(ObjectPathFollowingTest, ReachingANodeStopsAtTheFirstOneOutOfReach) {
  follow({Vector(1.5f, 1), Vector(3, 1), Vector(3.2f, 1)});
  p_o->stepPath();
  EXPECT_EQ(p_o->getPosition(), Vector(1.5f, 1));
  EXPECT_EQ(p_o->getPath().getIndex(), 1);
  EXPECT_EQ(p_o->getDirection(), Vector(1, 0));
}

TEST_F(ObjectPathFollowingTest, NothingHappensWhenNotFollowing) {
  follow({Vector(1.5f, 1)});
  p_o->setFollowPath(false);
  p_o->clearFlags();
  p_o->stepPath();
  EXPECT_EQ(p_o->getPosition(), Vector(1, 1));
  EXPECT_EQ(p_o->getPath().getIndex(), 0);
  EXPECT_EQ(p_o->flags(), "");
}

// --- modified flags --------------------------------------------------

TEST_F(ObjectWorldTest, NewObjectHasEveryAttributeModified) {
  Flagged fresh;
  EXPECT_TRUE(fresh.isModified());
  EXPECT_EQ(fresh.flags(), "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17");
  fresh.clearFlags();
  EXPECT_FALSE(fresh.isModified());
}

TEST_F(ObjectWorldTest, IsModifiedLogsEachFlagUpToTheFirstSetOne) {
  LogManager::getInstance().setLogLevel(20);
  EXPECT_FALSE(p_o->isModified());
  ASSERT_EQ(p_o->registerInterest("freeze"), 0);
  EXPECT_TRUE(p_o->isModified());
  EXPECT_FALSE(p_o->isModified(ID));
  const Lines log = closedLog();
  ASSERT_EQ(log.size(), 18u + 4u);
  EXPECT_EQ(log[0], "Object::isModified(): 0 is false");
  EXPECT_EQ(log[17], "Object::isModified(): 17 is false");
  EXPECT_EQ(std::vector<std::string>(log.begin() + 18, log.end()),
            (Lines{"Object::isModified(): 0 is false", "Object::isModified(): 1 is false",
                   "Object::isModified(): 2 is false", "Object::isModified(): 3 is true"}));
}

}  // namespace
}  // namespace mo
