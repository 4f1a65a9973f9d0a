#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/Event.h"
#include "engine/core/LogManager.h"
#include "engine/core/Manager.h"
#include "engine/world/Object.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::EngineTest;

const std::string TYPE_A = "test-a";
const std::string TYPE_B = "test-b";
const std::string TYPE_C = "test-c";

/// A manager that delivers the three test types and any type whose name
/// starts with "slot-" (for filling the event table).
class TestManager : public Manager {
 public:
  TestManager() { setType("TestManager"); }
  bool isValid(std::string event_type) const override {
    return event_type == TYPE_A || event_type == TYPE_B || event_type == TYPE_C ||
           event_type.rfind("slot-", 0) == 0 || (accept_undefined && event_type == UNDEFINED_EVENT);
  }
  bool accept_undefined = false;
};

/// Records every delivery as "<name>:<event type>" in a shared journal
/// and runs an optional action from its handler.
class Probe : public Object {
 public:
  Probe(std::string probe_name, std::vector<std::string>& journal)
      : name(std::move(probe_name)), journal(journal) {}
  int eventHandler(const Event* p_e) override {
    journal.push_back(name + ":" + p_e->getType());
    // A copy, so that an action may replace itself while it runs.
    const std::function<void()> current = action;
    if (current) current();
    return 1;
  }
  std::string name;
  std::vector<std::string>& journal;
  std::function<void()> action;
};

Event eventOf(const std::string& type) {
  Event event;
  event.setType(type);
  return event;
}

class ManagerTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // The probes live between the engine resets of SetUp and TearDown.
    a = makeProbe("a");
    b = makeProbe("b");
    c = makeProbe("c");
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  void TearDown() override {
    probes.clear();
    EngineTest::TearDown();
  }
  Probe* makeProbe(const std::string& name) {
    probes.push_back(std::make_unique<Probe>(name, journal));
    return probes.back().get();
  }
  /// Sends an event of the given type and returns the deliveries it made.
  std::vector<std::string> send(const std::string& type, int* p_count = nullptr) {
    journal.clear();
    const Event event = eventOf(type);
    const int count = manager.onEvent(&event);
    if (p_count) *p_count = count;
    return journal;
  }
  /// The log's messages, read after closing the log.
  std::vector<std::string> closedLog() {
    LogManager::getInstance().shutDown();
    return logMessages();
  }
  /// Registers a for n distinct "slot-<i>" types; returns how many took.
  int fillSlots(Object* p_o, int n) {
    int taken = 0;
    for (int i = 0; i < n; i++) {
      if (manager.registerInterest(p_o, "slot-" + std::to_string(i)) == 0) taken++;
    }
    return taken;
  }

  TestManager manager;
  std::vector<std::string> journal;
  std::vector<std::unique_ptr<Probe>> probes;
  Probe* a = nullptr;
  Probe* b = nullptr;
  Probe* c = nullptr;
};

using Journal = std::vector<std::string>;

// --- lifecycle -------------------------------------------------------

TEST_F(ManagerTest, StartUpAndShutDownToggleStartedAndWarnOnRepeats) {
  LogManager::getInstance().setLogLevel(1);
  EXPECT_EQ(manager.getType(), "TestManager");
  EXPECT_FALSE(manager.isStarted());
  EXPECT_EQ(manager.startUp(), 0);
  EXPECT_TRUE(manager.isStarted());
  EXPECT_EQ(manager.startUp(), 0);
  EXPECT_TRUE(manager.isStarted());
  manager.shutDown();
  EXPECT_FALSE(manager.isStarted());
  manager.shutDown();
  EXPECT_FALSE(manager.isStarted());
  const Journal expected = {"Manager::startUp(): Warning! TestManager already started.",
                            "Manager::shutDown(): Warning! TestManager not started."};
  EXPECT_EQ(closedLog(), expected);
}

TEST_F(ManagerTest, BaseManagerIsNamedManagerAndDeliversNothing) {
  Manager base;
  EXPECT_EQ(base.getType(), "Manager");
  EXPECT_FALSE(base.isValid(TYPE_A));
  EXPECT_EQ(base.registerInterest(a, TYPE_A), -1);
}

// --- registration and delivery ---------------------------------------

TEST_F(ManagerTest, DeliversInRegistrationOrderAndCountsReceivers) {
  ASSERT_EQ(manager.registerInterest(b, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(c, TYPE_B), 0);
  int count = 0;
  EXPECT_EQ(send(TYPE_A, &count), (Journal{"b:test-a", "a:test-a"}));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(send(TYPE_B, &count), (Journal{"c:test-b"}));
  EXPECT_EQ(count, 1);
  EXPECT_EQ(send(TYPE_C, &count), Journal{});
  EXPECT_EQ(count, 0);
}

TEST_F(ManagerTest, RegisteringTwiceDeliversTwiceInOneSlot) {
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  int count = 0;
  EXPECT_EQ(send(TYPE_A, &count), (Journal{"a:test-a", "a:test-a"}));
  EXPECT_EQ(count, 2);
  // The doubled type holds one slot: 99 more types fit, the 100th not.
  EXPECT_EQ(fillSlots(b, MAX_EVENTS), MAX_EVENTS - 1);
}

TEST_F(ManagerTest, UnregisteringRemovesOneOccurrence) {
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(b, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  EXPECT_EQ(manager.unregisterInterest(a, TYPE_A), 0);
  EXPECT_EQ(send(TYPE_A), (Journal{"b:test-a", "a:test-a"}));
  EXPECT_EQ(manager.unregisterInterest(a, TYPE_A), 0);
  EXPECT_EQ(send(TYPE_A), (Journal{"b:test-a"}));
  EXPECT_EQ(manager.unregisterInterest(a, TYPE_A), -1);
  EXPECT_EQ(send(TYPE_A), (Journal{"b:test-a"}));
}

TEST_F(ManagerTest, UnregisteringUnknownTypeOrObjectFails) {
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  EXPECT_EQ(manager.unregisterInterest(a, TYPE_B), -1);
  EXPECT_EQ(manager.unregisterInterest(b, TYPE_A), -1);
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a"}));
}

TEST_F(ManagerTest, EmptiedTypeFreesItsSlotAndOtherTypesKeepTheirObjects) {
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(b, TYPE_B), 0);
  ASSERT_EQ(manager.registerInterest(c, TYPE_C), 0);
  ASSERT_EQ(manager.registerInterest(a, TYPE_C), 0);
  ASSERT_EQ(manager.unregisterInterest(b, TYPE_B), 0);
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a"}));
  EXPECT_EQ(send(TYPE_B), Journal{});
  EXPECT_EQ(send(TYPE_C), (Journal{"c:test-c", "a:test-c"}));
  // Two slots are in use now.
  EXPECT_EQ(fillSlots(b, MAX_EVENTS), MAX_EVENTS - 2);
  // Freeing a slot in the middle of a full table makes room for one type.
  ASSERT_EQ(manager.unregisterInterest(a, TYPE_A), 0);
  EXPECT_EQ(manager.registerInterest(b, TYPE_B), 0);
  EXPECT_EQ(manager.registerInterest(b, "slot-extra"), -1);
  EXPECT_EQ(send(TYPE_B), (Journal{"b:test-b"}));
  EXPECT_EQ(send(TYPE_C), (Journal{"c:test-c", "a:test-c"}));
  EXPECT_EQ(send("slot-97"), (Journal{"b:slot-97"}));
}

TEST_F(ManagerTest, HundredAndFirstTypeIsRefusedWithoutMessage) {
  LogManager::getInstance().setLogLevel(30);
  EXPECT_EQ(fillSlots(a, MAX_EVENTS), MAX_EVENTS);
  EXPECT_EQ(manager.registerInterest(a, TYPE_A), -1);
  // Types already in the table still take more objects.
  EXPECT_EQ(manager.registerInterest(b, "slot-0"), 0);
  EXPECT_EQ(send("slot-0"), (Journal{"a:slot-0", "b:slot-0"}));
  EXPECT_EQ(send(TYPE_A), Journal{});
  // Even at the highest level only the log's own closing line appears.
  EXPECT_EQ(closedLog(), Journal{"LogManager::shutDown(): successfully stopped."});
}

TEST_F(ManagerTest, InvalidTypeIsRefusedWithMessage) {
  EXPECT_EQ(manager.registerInterest(a, "mo-bogus"), -1);
  EXPECT_EQ(closedLog(),
            Journal{"Manager(TestManager)::registerInterest(): Event 'mo-bogus' not valid for this "
                    "Manager"});
}

// --- dispatch --------------------------------------------------------

TEST_F(ManagerTest, UndefinedEventReachesNobody) {
  LogManager::getInstance().setLogLevel(1);
  manager.accept_undefined = true;
  ASSERT_EQ(manager.registerInterest(a, UNDEFINED_EVENT), 0);
  const Event undefined;
  EXPECT_EQ(manager.onEvent(&undefined), 0);
  EXPECT_EQ(journal, Journal{});
  EXPECT_EQ(
      closedLog(),
      Journal{"Manager(TestManager)::onEvent(): Warning! Event type mo-undefined is undefined."});
}

TEST_F(ManagerTest, InvalidEventReachesNobodyWithMessage) {
  LogManager::getInstance().setLogLevel(1);
  int count = -1;
  EXPECT_EQ(send("mo-bogus", &count), Journal{});
  EXPECT_EQ(count, 0);
  EXPECT_EQ(closedLog(),
            Journal{"Manager(TestManager)::onEvent(): Error! Event type mo-bogus not valid."});
}

TEST_F(ManagerTest, InactiveObjectsAreSkippedAndNotCounted) {
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(b, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(c, TYPE_A), 0);
  b->setActive(false);
  int count = 0;
  EXPECT_EQ(send(TYPE_A, &count), (Journal{"a:test-a", "c:test-a"}));
  EXPECT_EQ(count, 2);
  b->setActive(true);
  EXPECT_EQ(send(TYPE_A, &count), (Journal{"a:test-a", "b:test-a", "c:test-a"}));
  EXPECT_EQ(count, 3);
}

TEST_F(ManagerTest, ObjectUnregisteringItselfDuringDispatchDoesNotDisturbOthers) {
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(b, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(c, TYPE_A), 0);
  b->action = [&] { manager.unregisterInterest(b, TYPE_A); };
  int count = 0;
  EXPECT_EQ(send(TYPE_A, &count), (Journal{"a:test-a", "b:test-a", "c:test-a"}));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a", "c:test-a"}));
}

TEST_F(ManagerTest, SoleObjectUnregisteringDuringDispatchLeavesOtherTypesIntact) {
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(b, TYPE_B), 0);
  a->action = [&] { manager.unregisterInterest(a, TYPE_A); };
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a"}));
  EXPECT_EQ(send(TYPE_A), Journal{});
  EXPECT_EQ(send(TYPE_B), (Journal{"b:test-b"}));
}

TEST_F(ManagerTest, ObjectRegisteredDuringDispatchWaitsForTheNextEvent) {
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  a->action = [&] {
    manager.registerInterest(b, TYPE_A);
    a->action = nullptr;
  };
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a"}));
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a", "b:test-a"}));
}

TEST_F(ManagerTest, TypeEmptiedAndRefilledDuringDispatchIsNotDeliveredAgain) {
  // Emptying the type moves it behind the other types in the table; the
  // dispatch under way must not reach it a second time there.
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(c, TYPE_B), 0);
  a->action = [&] {
    manager.unregisterInterest(a, TYPE_A);
    manager.registerInterest(b, TYPE_A);
    manager.registerInterest(a, TYPE_A);
    a->action = nullptr;
  };
  int count = 0;
  EXPECT_EQ(send(TYPE_A, &count), (Journal{"a:test-a"}));
  EXPECT_EQ(count, 1);
  EXPECT_EQ(send(TYPE_A), (Journal{"b:test-a", "a:test-a"}));
  EXPECT_EQ(send(TYPE_B), (Journal{"c:test-b"}));
}

TEST_F(ManagerTest, ObjectDeletedByAnotherHandlerIsNeverCalled) {
  auto* p_doomed = new Probe("doomed", journal);
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(p_doomed, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(c, TYPE_A), 0);
  a->action = [&] {
    manager.unregisterInterest(p_doomed, TYPE_A);
    delete p_doomed;
    p_doomed = nullptr;
    a->action = nullptr;
  };
  int count = 0;
  EXPECT_EQ(send(TYPE_A, &count), (Journal{"a:test-a", "c:test-a"}));
  EXPECT_EQ(count, 2);
  EXPECT_EQ(p_doomed, nullptr);
}

TEST_F(ManagerTest, ObjectDeletedInNestedDispatchIsSkippedByTheOuterOne) {
  auto* p_doomed = new Probe("doomed", journal);
  ASSERT_EQ(manager.registerInterest(a, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(p_doomed, TYPE_A), 0);
  ASSERT_EQ(manager.registerInterest(b, TYPE_B), 0);
  // a sends a second event; its receiver b deletes the doomed object.
  a->action = [&] {
    const Event nested = eventOf(TYPE_B);
    manager.onEvent(&nested);
  };
  b->action = [&] {
    manager.unregisterInterest(p_doomed, TYPE_A);
    delete p_doomed;
    p_doomed = nullptr;
    b->action = nullptr;
  };
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a", "b:test-b"}));
  EXPECT_EQ(p_doomed, nullptr);
}

}  // namespace
}  // namespace mo
