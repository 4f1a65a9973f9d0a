#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/world/Object.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::EngineTest;
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
  EXPECT_EQ(counter.registerInterest(KEYBOARD_EVENT), -1);
  EXPECT_EQ(counter.getEventCount(), 0);
  EXPECT_EQ(step(), 0);
  EXPECT_EQ(closedLog(),
            Lines{"Object::registerInterest(): no manager delivers event 'mo-keyboard'"});
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

}  // namespace
}  // namespace mo
