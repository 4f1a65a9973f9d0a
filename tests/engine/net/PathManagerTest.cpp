#include "engine/net/PathManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/net/EventPath.h"
#include "engine/net/PathFind.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"
#include "support/FakeTimeSource.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;

/// Records each path event as "<result>:<path>", then reacts (by default
/// with Object's own handling).
class Seeker : public Object {
 public:
  int eventHandler(const Event* p_e) override {
    const auto* p_path = dynamic_cast<const EventPath*>(p_e);
    if (!p_path) return 0;
    received.push_back(std::to_string(p_path->getResult()) + ":" + toString(p_path->getPath()));
    return react ? react(p_e) : Object::eventHandler(p_e);
  }
  Lines received;
  std::function<int(const Event*)> react;
};

/// A 20 x 10 world; the clock moves only when a test makes it.
class PathManagerTest : public test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
    ASSERT_EQ(paths.startUp(), 0);
    WorldManager::getInstance().setBoundary(Box(Vector(), 20, 10));
    p_seeker = new Seeker;
    p_seeker->setPosition(Vector(0, 0));
  }
  /// HARD cells down column x from row 0 to row last.
  static void column(float x, int last) {
    for (int y = 0; y <= last; y++) (new Object)->setPosition(Vector(x, static_cast<float>(y)));
  }
  test::FakeTimeSource clock;
  PathManager& paths = PathManager::getInstance();
  Seeker* p_seeker = nullptr;
};

TEST_F(PathManagerTest, BadRequestsAreRefusedAndKeepTheRunningSearch) {
  EXPECT_EQ(paths.getMinCycleTime(), 3);  // a tenth of the frame time
  EXPECT_EQ(paths.startUp(), 0);
  ASSERT_EQ(paths.findPath(p_seeker, Vector(5, 5)), 0);
  PathFind* p_running = p_seeker->getPathSearch();
  auto* p_outside = new Object;
  p_outside->setPosition(Vector(-0.5f, 3));
  EXPECT_EQ(paths.findPath(nullptr, Vector(5, 5)) + paths.findPath(p_seeker, Vector(20, 5)) +
                paths.findPath(p_seeker, Vector(3, -0.1f)) + paths.findPath(p_outside, Vector(5, 5)),
            -4);
  paths.shutDown();
  EXPECT_EQ(paths.findPath(p_seeker, Vector(5, 5)), -1);
  EXPECT_EQ(p_seeker->getPathSearch(), p_running);
  EXPECT_EQ(paths.getSearchCount(), 1);
  EXPECT_EQ(closedLog(),
            (Lines{"PathManager::startup(): already started.",
                   "PathManager::findPath(): Error! No object to move.",
                   "PathManager::findPath(): Error! Destination (20,5) outside the world.",
                   "PathManager::findPath(): Error! Destination (3,-0.1) outside the world.",
                   "PathManager::findPath(): Error! Object 2 at (-0.5,3) is outside the world.",
                   "PathManager::findPath(): Error! PathManager not started."}));
}

TEST_F(PathManagerTest, EndOfTheLatestRequestIsSentToItsObjectWhichEndsTheSearch) {
  column(10, 9);
  ASSERT_EQ(paths.findPath(p_seeker, Vector(15, 0)), 0);
  paths.cycle(0);
  ASSERT_EQ(paths.findPath(p_seeker, Vector(19, 9)), 0);
  ASSERT_EQ(paths.findPath(p_seeker, Vector(3, 3)), 0);  // replaces the one before
  EXPECT_EQ(paths.getSearchCount(), 1);
  paths.cycle(0);
  EXPECT_EQ(p_seeker->received, (Lines{"0:", "2:0 0|1 1|2 2|3 3|"}));
  EXPECT_EQ(paths.getSearchCount(), 0);
  EXPECT_EQ(p_seeker->getPathSearch(), nullptr);
  EXPECT_TRUE(p_seeker->getFollowPath());
  EXPECT_EQ(toString(p_seeker->getPath()), "0 0|1 1|2 2|3 3|");
}

TEST_F(PathManagerTest, EndedSearchIsEndedEvenWhenTheHandlerKeepsTheEvent) {
  auto* p_other = new Seeker;  // at (1,1)
  p_seeker->react = [](const Event*) { return 1; };
  // A new request made in the handler survives the event passed on.
  p_other->react = [&](const Event* p_e) {
    if (p_other->received.size() == 1) paths.findPath(p_other, Vector(0, 1));
    return p_other->Object::eventHandler(p_e);
  };
  ASSERT_EQ(paths.findPath(p_seeker, Vector(2, 0)), 0);
  ASSERT_EQ(paths.findPath(p_other, Vector(1, 2)), 0);
  paths.cycle(0);
  EXPECT_EQ(p_seeker->received, Lines{"2:0 0|1 0|2 0|"});
  EXPECT_EQ(p_seeker->getPathSearch(), nullptr);
  EXPECT_EQ(p_other->received, (Lines{"2:1 1|1 2|", "2:1 1|0 1|"}));
  EXPECT_EQ(paths.getSearchCount(), 0);
}

// Every clock reading takes 0.1 ms, so each step of a search is seen to
// take time.
TEST_F(PathManagerTest, BudgetSpreadsSearchesOverCallsAndAnOverrunIsLogged) {
  clock.tick_us = 100;
  LogManager::getInstance().setLogLevel(5);
  column(10, 8);
  ASSERT_EQ(paths.findPath(p_seeker, Vector(19, 0)), 0);
  paths.setMinCycleTime(0);
  paths.cycle(0);
  EXPECT_EQ(p_seeker->getPathSearch()->getClosedCount(), 0);
  paths.setMinCycleTime(3);
  paths.cycle(-5);  // runs for the minimum time all the same
  EXPECT_GT(p_seeker->getPathSearch()->getClosedCount(), 1);
  int calls = 0;
  for (paths.setMinCycleTime(0); p_seeker->received.empty() && calls < 1000; calls++) {
    paths.cycle(1);
  }
  EXPECT_GT(calls, 2);
  EXPECT_EQ(p_seeker->received.size(), 1u);

  // A pass over 30 searches outlasts a millisecond: the 19 first get a step.
  std::vector<Object*> seekers(30);
  for (int i = 0; i < 30; i++) {
    seekers[i] = new Object;
    seekers[i]->setPosition(Vector(i % 10 * 2.0f, i / 10 * 3.0f));  // apart: none walled in
    ASSERT_EQ(paths.findPath(seekers[i], Vector(19, 9)), 0);
  }
  paths.cycle(1);
  for (int i = 0; i < 30; i++) EXPECT_EQ(seekers[i]->getPathSearch()->getClosedCount(), i < 19);
  EXPECT_EQ(closedLog(), Lines{"PathManager::cycle(): cycle time 1 exceeded."});
}

TEST_F(PathManagerTest, DestroyedObjectOrTargetLeavesNothingBehind) {
  Object* p_target = new Object;
  p_target->setPosition(Vector(8, 0));
  p_target->setBox(Box(Vector(-2.5f, -0.5f), 4.99f, 0.99f));  // reaches into cell 6
  auto* p_doomed = new Seeker;
  for (int round = 0; round < 2; round++) {
    ASSERT_EQ(paths.findPath(p_seeker, Vector(8, 0), p_target), 0);
    ASSERT_EQ(paths.findPath(p_doomed, Vector(8, 5)), 0);
    if (round == 0) paths.cycle(0);
  }
  delete p_target;
  WorldManager::getInstance().markForDelete(p_doomed);
  WorldManager::getInstance().update();
  EXPECT_EQ(paths.getSearchCount(), 1);
  EXPECT_EQ(p_seeker->getPathSearch()->getTarget(), nullptr);
  paths.cycle(0);
  // Stopped where it touched the target; once that is gone, on to its cell.
  EXPECT_EQ(p_seeker->received,
            (Lines{"2:0 0|1 0|2 0|3 0|4 0|5 0|6 0|", "2:0 0|1 0|2 0|3 0|4 0|5 0|6 0|7 0|8 0|"}));
}

}  // namespace
}  // namespace mo
