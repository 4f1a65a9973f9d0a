#include "engine/core/Manager.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/Event.h"
#include "engine/core/LogManager.h"
#include "engine/world/Object.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using Journal = std::vector<std::string>;
const std::string TYPE_A = "test-a";
const std::string TYPE_B = "test-b";

/// Delivers every type but the engine's ("mo-..."), and undefined events
/// when asked.
class TestManager : public Manager {
 public:
  TestManager() { setType("TestManager"); }
  bool isValid(std::string event_type) const override {
    return event_type.rfind("mo-", 0) != 0 || (accept_undefined && event_type == UNDEFINED_EVENT);
  }
  bool accept_undefined = false;
};

/// Records each delivery as "<name>:<type>" and runs an optional action.
class Probe : public Object {
 public:
  Probe(std::string probe_name, Journal& journal) : name(std::move(probe_name)), journal(journal) {}
  int eventHandler(const Event* p_e) override {
    journal.push_back(name + ":" + p_e->getType());
    const std::function<void()> current = action;  // may replace itself
    if (current) current();
    return 1;
  }
  std::string name;
  Journal& journal;
  std::function<void()> action;
};

class ManagerTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  void registerAll(const std::string& type, std::initializer_list<Object*> objects) {
    for (Object* p_o : objects) ASSERT_EQ(manager.registerInterest(p_o, type), 0) << type;
  }
  /// Sends an event of type; returns the deliveries, having checked that
  /// onEvent() counted those of this type.
  Journal send(const std::string& type) {
    journal.clear();
    Event event;
    event.setType(type);
    const int count = manager.onEvent(&event);
    int received = 0;
    for (const std::string& entry : journal) received += entry.substr(entry.find(':') + 1) == type;
    EXPECT_EQ(count, received) << type;
    return journal;
  }

  TestManager manager;
  Journal journal;
  Probe a{"a", journal}, b{"b", journal}, c{"c", journal};
};

TEST_F(ManagerTest, RepeatedStartsAndStopsAndRefusedTypesAndEventsAreLogged) {
  LogManager::getInstance().setLogLevel(1);
  EXPECT_EQ(manager.startUp(), 0);
  EXPECT_EQ(manager.startUp(), 0);
  EXPECT_TRUE(manager.isStarted());
  manager.shutDown();
  manager.shutDown();
  EXPECT_FALSE(manager.isStarted());
  EXPECT_EQ(manager.registerInterest(&a, "mo-bogus"), -1);
  manager.accept_undefined = true;
  registerAll(UNDEFINED_EVENT, {&a});
  EXPECT_EQ(send(UNDEFINED_EVENT), Journal{});
  EXPECT_EQ(send("mo-bogus"), Journal{});
  Manager base;  // delivers nothing
  EXPECT_EQ(base.registerInterest(&a, TYPE_A), -1);
  EXPECT_EQ(closedLog(),
            (Journal{"Manager::startUp(): Warning! TestManager already started.",
                     "Manager::shutDown(): Warning! TestManager not started.",
                     "Manager(TestManager)::registerInterest(): Event 'mo-bogus' not valid for "
                     "this Manager",
                     "Manager(TestManager)::onEvent(): Warning! Event type mo-undefined is "
                     "undefined.",
                     "Manager(TestManager)::onEvent(): Error! Event type mo-bogus not valid.",
                     "Manager(Manager)::registerInterest(): Event 'test-a' not valid for this "
                     "Manager"}));
}

TEST_F(ManagerTest, DeliversToActiveObjectsInOrderOncePerRegistrationAndUnregistersOne) {
  registerAll(TYPE_A, {&b, &a, &c, &a});
  registerAll(TYPE_B, {&c});
  c.setActive(false);
  EXPECT_EQ(send(TYPE_A), (Journal{"b:test-a", "a:test-a", "a:test-a"}));
  c.setActive(true);
  EXPECT_EQ(send(TYPE_B), (Journal{"c:test-b"}));
  EXPECT_EQ(send("slot-0"), Journal{});
  EXPECT_EQ(manager.unregisterInterest(&a, TYPE_A), 0);
  EXPECT_EQ(send(TYPE_A), (Journal{"b:test-a", "c:test-a", "a:test-a"}));
  EXPECT_EQ(manager.unregisterInterest(&a, TYPE_A), 0);
  EXPECT_EQ(manager.unregisterInterest(&a, TYPE_A), -1);
  EXPECT_EQ(manager.unregisterInterest(&c, "slot-0"), -1);
  EXPECT_EQ(send(TYPE_A), (Journal{"b:test-a", "c:test-a"}));
}

TEST_F(ManagerTest, HundredTypesFitAndAnEmptiedTypeFreesItsSlot) {
  LogManager::getInstance().setLogLevel(30);
  registerAll(TYPE_A, {&a, &a});  // one slot however many registrations
  registerAll(TYPE_B, {&b});
  int taken = 0;
  for (int i = 0; i < MAX_EVENTS; i++) {
    taken += manager.registerInterest(&c, "slot-" + std::to_string(i)) == 0;
  }
  EXPECT_EQ(taken, MAX_EVENTS - 2);
  EXPECT_EQ(manager.registerInterest(&a, "slot-98"), -1);  // refused without a message
  registerAll("slot-0", {&a});  // types in the table still take objects
  // Freeing a slot in the middle makes room for one type; the types behind
  // it keep their objects.
  ASSERT_EQ(manager.unregisterInterest(&b, TYPE_B), 0);
  EXPECT_EQ(manager.registerInterest(&b, "slot-98"), 0);
  EXPECT_EQ(manager.registerInterest(&b, "slot-99"), -1);
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a", "a:test-a"}));
  EXPECT_EQ(send(TYPE_B), Journal{});
  EXPECT_EQ(send("slot-0"), (Journal{"c:slot-0", "a:slot-0"}));
  EXPECT_EQ(send("slot-97"), (Journal{"c:slot-97"}));
  EXPECT_EQ(send("slot-98"), (Journal{"b:slot-98"}));
  EXPECT_EQ(closedLog(), Journal{});
}

// Handlers that change the registrations while an event is dispatched.

TEST_F(ManagerTest, ObjectsRegisteringOrUnregisteringDuringDispatchDoNotChangeItsReceivers) {
  registerAll(TYPE_B, {&b});
  registerAll(TYPE_A, {&a, &b, &c});
  a.action = [&] {
    manager.registerInterest(&a, TYPE_A);  // waits for the next event
    a.action = nullptr;
  };
  b.action = [&] { manager.unregisterInterest(&b, TYPE_A); };
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a", "b:test-a", "c:test-a"}));
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a", "c:test-a", "a:test-a"}));
  // The sole receiver of test-b frees its slot, ahead of test-a's.
  b.action = [&] { manager.unregisterInterest(&b, TYPE_B); };
  EXPECT_EQ(send(TYPE_B), (Journal{"b:test-b"}));
  EXPECT_EQ(send(TYPE_B), Journal{});
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a", "c:test-a", "a:test-a"}));
}

TEST_F(ManagerTest, TypeEmptiedAndRefilledDuringDispatchIsNotDeliveredAgain) {
  // Emptying the type moves it behind test-b in the table, where the
  // dispatch under way must not reach it a second time.
  registerAll(TYPE_A, {&a});
  registerAll(TYPE_B, {&c});
  a.action = [&] {
    manager.unregisterInterest(&a, TYPE_A);
    registerAll(TYPE_A, {&b, &a});
    a.action = nullptr;
  };
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a"}));
  EXPECT_EQ(send(TYPE_A), (Journal{"b:test-a", "a:test-a"}));
  EXPECT_EQ(send(TYPE_B), (Journal{"c:test-b"}));
}

TEST_F(ManagerTest, ObjectDeletedByAHandlerIsNeverCalledEvenFromANestedDispatch) {
  // a deletes the receiver after it; b, reached through a dispatch that c
  // starts, deletes the last one.
  Probe* p_first = new Probe("first", journal);
  Probe* p_second = new Probe("second", journal);
  registerAll(TYPE_A, {&a, p_first, &c, p_second});
  registerAll(TYPE_B, {&b});
  auto doom = [&](Probe* p_o) {
    manager.unregisterInterest(p_o, TYPE_A);
    delete p_o;
  };
  a.action = [&] { doom(p_first); };
  b.action = [&] { doom(p_second); };
  c.action = [&] {
    Event nested;
    nested.setType(TYPE_B);
    manager.onEvent(&nested);
  };
  EXPECT_EQ(send(TYPE_A), (Journal{"a:test-a", "c:test-a", "b:test-b"}));
}

}  // namespace
}  // namespace mo
