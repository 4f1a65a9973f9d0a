#include "engine/world/WorldManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/EventCollision.h"
#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectListIterator.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::WorldTest;
using Lines = std::vector<std::string>;
using Ids = std::vector<int>;

/// One collision event as received.
struct Hit {
  Object* p_obj1;
  Object* p_obj2;
  Vector pos;
};

/// Records the events it receives. The reaction, when set, runs after
/// the recording and may delete this very object.
class Probe : public Object {
 public:
  explicit Probe(Vector where, Solidness solidness = HARD) {
    setType("Probe");
    setPosition(where);
    setSolidness(solidness);
  }
  int eventHandler(const Event* p_e) override {
    const std::string type = p_e->getType();
    if (type == COLLISION_EVENT) {
      const auto* p_c = dynamic_cast<const EventCollision*>(p_e);
      hits.push_back({p_c->getObject1(), p_c->getObject2(), p_c->getPosition()});
    } else if (type == OUT_EVENT) {
      outs++;
    } else {
      others.push_back(type);
    }
    // A copy: the reaction may destroy this object and its members.
    const std::function<void(Probe*, const Event*)> react = reaction;
    if (react) react(this, p_e);
    return 1;
  }
  std::vector<Hit> hits;
  int outs = 0;
  Lines others;
  std::function<void(Probe*, const Event*)> reaction;
};

/// The ids of the tracked objects destroyed, in order of destruction.
Ids& destroyed() {
  static Ids ids;
  return ids;
}

/// A probe whose destruction is recorded; the farewell, when set, runs
/// in its destructor while it is still in the world.
class Tracked : public Probe {
 public:
  using Probe::Probe;
  ~Tracked() override {
    destroyed().push_back(getId());
    const std::function<void()> run = farewell;
    if (run) run();
  }
  std::function<void()> farewell;
};

/// Marks every object of the world for deletion, the list walked
/// backwards or forwards.
void markEverything(bool backwards) {
  WorldManager& world = WorldManager::getInstance();
  const ObjectList all = world.getAllObjects(true);
  std::vector<Object*> objects;
  for (ObjectListIterator li(&all); !li.isDone(); li.next()) objects.push_back(li.currentObject());
  if (backwards) std::reverse(objects.begin(), objects.end());
  for (Object* p_o : objects) world.markForDelete(p_o);
}

/// A tracked object whose constructor marks the whole world, itself
/// included, newest first.
class Doomsayer : public Tracked {
 public:
  Doomsayer() : Tracked(Vector(50, 50)) { markEverything(true); }
};

class WorldManagerTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    destroyed().clear();
    world.setBoundary(Box(Vector(0, 0), 100, 100));
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  /// The log's messages; the level goes back to 0 first so that the
  /// log's own closing line stays out.
  Lines closedLog() {
    LogManager::getInstance().setLogLevel(0);
    LogManager::getInstance().shutDown();
    return logMessages();
  }
  /// A probe at where moving by velocity each step.
  Tracked* mover(Vector where, Vector velocity, Solidness solidness = HARD) {
    auto* p_o = new Tracked(where, solidness);
    p_o->setVelocity(velocity);
    return p_o;
  }
  int count(const ObjectList& list) const { return list.getCount(); }
  bool contains(const ObjectList& list, const Object* p_o) const {
    for (ObjectListIterator li(&list); !li.isDone(); li.next()) {
      if (li.currentObject() == p_o) return true;
    }
    return false;
  }

  WorldManager& world = WorldManager::getInstance();
};

// --- event types -----------------------------------------------------

TEST_F(WorldManagerTest, RefusesTypesOtherManagersDeliverOrThatNeedNoRegistration) {
  EXPECT_FALSE(world.isValid(KEYBOARD_EVENT));
  EXPECT_FALSE(world.isValid(MOUSE_EVENT));
  EXPECT_FALSE(world.isValid(STEP_EVENT));
  EXPECT_FALSE(world.isValid(OUT_EVENT));
  EXPECT_FALSE(world.isValid(COLLISION_EVENT));
  EXPECT_TRUE(world.isValid("freeze"));
  EXPECT_TRUE(world.isValid(VIEW_EVENT));
  EXPECT_EQ(closedLog(),
            (Lines{"WorldManager::isValid(): WorldManager does not handle mo-keyboard",
                   "WorldManager::isValid(): WorldManager does not handle mo-mouse",
                   "WorldManager::isValid(): WorldManager does not handle mo-step",
                   "WorldManager::isValid(): Event mo-out handled automatically.",
                   "WorldManager::isValid(): Event mo-collision handled automatically."}));
}

TEST_F(WorldManagerTest, StepRegisteredDirectlyFailsButObjectsGetItFromTheGameManager) {
  auto* p_o = new Probe(Vector(5, 5));
  EXPECT_EQ(world.registerInterest(p_o, STEP_EVENT), -1);
  EXPECT_EQ(p_o->registerInterest(STEP_EVENT), 0);
  const EventStep step(1);
  EXPECT_EQ(world.onEvent(&step), 0);
  EXPECT_EQ(GameManager::getInstance().onEvent(&step), 1);
  EXPECT_EQ(p_o->others, Lines{STEP_EVENT});
  EXPECT_EQ(closedLog(),
            (Lines{"WorldManager::isValid(): WorldManager does not handle mo-step",
                   "Manager(WorldManager)::registerInterest(): Event 'mo-step' not valid for "
                   "this Manager",
                   "WorldManager::isValid(): WorldManager does not handle mo-step"}));
}

TEST_F(WorldManagerTest, DeliversGameDefinedEventsToTheirRegisteredObjects) {
  auto* p_a = new Probe(Vector(5, 5));
  auto* p_b = new Probe(Vector(5, 5));
  auto* p_deaf = new Probe(Vector(5, 5));
  ASSERT_EQ(p_a->registerInterest("freeze"), 0);
  ASSERT_EQ(p_b->registerInterest("freeze"), 0);
  Event freeze;
  freeze.setType("freeze");
  EXPECT_EQ(world.onEvent(&freeze), 2);
  EXPECT_EQ(p_a->others, Lines{"freeze"});
  EXPECT_EQ(p_b->others, Lines{"freeze"});
  EXPECT_TRUE(p_deaf->others.empty());
}

TEST_F(WorldManagerTest, CollisionAndOutCannotBeRegisteredButArriveAnyway) {
  Probe* p_o = mover(Vector(5, 5), Vector(1, 0));
  new Probe(Vector(6, 5));
  EXPECT_EQ(p_o->registerInterest(COLLISION_EVENT), -1);
  EXPECT_EQ(p_o->registerInterest(OUT_EVENT), -1);
  EXPECT_EQ(p_o->getEventCount(), 0);
  world.update();
  EXPECT_EQ(p_o->hits.size(), 1u);
}

// --- lifecycle -------------------------------------------------------

TEST_F(WorldManagerTest, ObjectsMadeWhileStoppedAreNotInTheWorld) {
  world.shutDown();
  LogManager::getInstance().setLogLevel(2);
  auto* p_outsider = new Object;
  const int outsider_id = p_outsider->getId();
  EXPECT_FALSE(p_outsider->isInWorld());
  ASSERT_EQ(world.startUp(), 0);
  EXPECT_EQ(count(world.getAllObjects(true)), 0);
  EXPECT_EQ(world.setViewFollowing(p_outsider), -1);
  delete p_outsider;
  EXPECT_EQ(closedLog(),
            (Lines{"WorldManager::insertObject(): Warning! Not adding Object " +
                       toString(outsider_id),
                   "                              because WorldManager not started.",
                   "Scenegraph configuration: SIMPLE"}));
}

TEST_F(WorldManagerTest, StartingTwiceIsReportedAndResetsNothing) {
  auto* p_o = new Probe(Vector(5, 5));
  EXPECT_EQ(world.startUp(), 0);
  EXPECT_TRUE(contains(world.getAllObjects(), p_o));
  EXPECT_EQ(world.getBoundary(), Box(Vector(0, 0), 100, 100));
  EXPECT_EQ(closedLog(), Lines{"WorldManager::startup(): already started."});
}

TEST_F(WorldManagerTest, StartUpResetsTheViewAndShutDownReports) {
  world.setView(Box(Vector(3, 3), 80, 24));
  world.setViewSlack(Vector(0.5f, 0.5f));
  LogManager::getInstance().setLogLevel(5);
  world.shutDown();
  ASSERT_EQ(world.startUp(), 0);
  EXPECT_EQ(world.getView(), Box());
  EXPECT_EQ(world.getBoundary(), Box());
  EXPECT_EQ(world.getViewSlack(), Vector());
  EXPECT_EQ(closedLog(), (Lines{"WorldManager::shutDown(): Successfully stopped.",
                                "Scenegraph configuration: SIMPLE",
                                "WorldManager::startUp(): successfully started."}));
}

TEST_F(WorldManagerTest, ShutDownDeletesActiveObjectsThenInactiveOnes) {
  auto* p_sleeping = new Tracked(Vector(5, 5));
  auto* p_awake = new Tracked(Vector(5, 5));
  const Ids expected = {p_awake->getId(), p_sleeping->getId()};
  ASSERT_EQ(p_sleeping->setActive(false), 0);
  world.shutDown();
  EXPECT_EQ(destroyed(), expected);
  EXPECT_EQ(count(world.getAllObjects(true)), 0);
}

TEST_F(WorldManagerTest, AllObjectsListActiveOnesThenInactiveOnesOnRequest) {
  auto* p_a = new Probe(Vector(5, 5));
  auto* p_b = new Probe(Vector(5, 5));
  auto* p_c = new Probe(Vector(5, 5));
  ASSERT_EQ(p_a->setActive(false), 0);
  const ObjectList active = world.getAllObjects();
  const ObjectList all = world.getAllObjects(true);
  ASSERT_EQ(count(active), 2);
  ObjectListIterator li(&all);
  EXPECT_EQ(li.currentObject(), p_b);
  li.next();
  EXPECT_EQ(li.currentObject(), p_c);
  li.next();
  EXPECT_EQ(li.currentObject(), p_a);
  li.next();
  EXPECT_TRUE(li.isDone());
  EXPECT_FALSE(contains(active, p_a));
}


// --- movement and collisions -----------------------------------------

TEST_F(WorldManagerTest, ObjectWithoutSpeedIsNotMovedAndGetsNoEvents) {
  auto* p_still = new Probe(Vector(5, 5));
  auto* p_overlapping = new Probe(Vector(5.2f, 5));
  world.update();
  EXPECT_EQ(p_still->getPosition(), Vector(5, 5));
  EXPECT_TRUE(p_still->hits.empty());
  EXPECT_TRUE(p_overlapping->hits.empty());
}

TEST_F(WorldManagerTest, InactiveObjectIsNotMoved) {
  Probe* p_o = mover(Vector(5, 5), Vector(1, 0));
  ASSERT_EQ(p_o->setActive(false), 0);
  world.update();
  EXPECT_EQ(p_o->getPosition(), Vector(5, 5));
}

TEST_F(WorldManagerTest, SpectralObjectPassesHardWallsWithoutEvents) {
  Probe* p_ghost = mover(Vector(5, 5), Vector(1, 0), SPECTRAL);
  auto* p_wall = new Probe(Vector(6, 5));
  auto* p_wall2 = new Probe(Vector(7, 5));
  for (int i = 0; i < 3; i++) world.update();
  EXPECT_EQ(p_ghost->getPosition(), Vector(8, 5));
  EXPECT_TRUE(p_ghost->hits.empty());
  EXPECT_TRUE(p_wall->hits.empty());
  EXPECT_TRUE(p_wall2->hits.empty());
}

TEST_F(WorldManagerTest, HardIntoHardSendsOneEventToEachSideAndStays) {
  Probe* p_o = mover(Vector(5, 5), Vector(1, 0));
  auto* p_wall = new Probe(Vector(6, 5));
  EXPECT_EQ(world.moveObject(p_o, Vector(6, 5)), -1);
  EXPECT_EQ(p_o->getPosition(), Vector(5, 5));
  ASSERT_EQ(p_o->hits.size(), 1u);
  ASSERT_EQ(p_wall->hits.size(), 1u);
  for (const Hit& hit : {p_o->hits[0], p_wall->hits[0]}) {
    EXPECT_EQ(hit.p_obj1, p_o);
    EXPECT_EQ(hit.p_obj2, p_wall);
    EXPECT_EQ(hit.pos, Vector(6, 5));
  }
  // Blocked, it keeps its velocity and tries again on every step.
  world.update();
  world.update();
  EXPECT_EQ(p_o->getPosition(), Vector(5, 5));
  EXPECT_EQ(p_o->getVelocity(), Vector(1, 0));
  EXPECT_EQ(p_o->hits.size(), 3u);
  EXPECT_EQ(p_wall->hits.size(), 3u);
}

TEST_F(WorldManagerTest, HardAndSoftPassThroughEachOtherWithEventsOnBothSides) {
  Probe* p_hard = mover(Vector(5, 5), Vector(1, 0));
  auto* p_soft = new Probe(Vector(6, 5), SOFT);
  EXPECT_EQ(world.moveObject(p_hard, Vector(6, 5)), 0);
  EXPECT_EQ(p_hard->getPosition(), Vector(6, 5));
  EXPECT_EQ(p_hard->hits.size(), 1u);
  EXPECT_EQ(p_soft->hits.size(), 1u);

  Probe* p_soft_mover = mover(Vector(10, 5), Vector(1, 0), SOFT);
  auto* p_wall = new Probe(Vector(11, 5));
  EXPECT_EQ(world.moveObject(p_soft_mover, Vector(11, 5)), 0);
  EXPECT_EQ(p_soft_mover->getPosition(), Vector(11, 5));
  EXPECT_EQ(p_wall->hits.size(), 1u);
}

TEST_F(WorldManagerTest, NoSoftMakesSoftObstaclesBlock) {
  Probe* p_o = mover(Vector(5, 5), Vector(1, 0));
  auto* p_soft = new Probe(Vector(6, 5), SOFT);
  p_o->setNoSoft(true);
  EXPECT_EQ(world.moveObject(p_o, Vector(6, 5)), -1);
  EXPECT_EQ(p_o->getPosition(), Vector(5, 5));
  EXPECT_EQ(p_o->hits.size(), 1u);
  EXPECT_EQ(p_soft->hits.size(), 1u);
  // It blocks only the object that has it, not the other way round.
  p_o->setNoSoft(false);
  p_soft->setNoSoft(true);
  EXPECT_EQ(world.moveObject(p_o, Vector(6, 5)), 0);
}

TEST_F(WorldManagerTest, EveryObstacleAtTheTargetGetsItsEventInSolidOrder) {
  Probe* p_o = mover(Vector(5, 5), Vector(1, 0));
  auto* p_soft = new Probe(Vector(6, 5.2f), SOFT);
  auto* p_hard = new Probe(Vector(6, 4.8f));
  new Probe(Vector(6, 5), SPECTRAL);
  EXPECT_EQ(world.moveObject(p_o, Vector(6, 5)), -1);
  ASSERT_EQ(p_o->hits.size(), 2u);
  EXPECT_EQ(p_o->hits[0].p_obj2, p_soft);
  EXPECT_EQ(p_o->hits[1].p_obj2, p_hard);
  EXPECT_EQ(p_hard->hits.size(), 1u);
}

TEST_F(WorldManagerTest, ObstacleTurnedSpectralByItsHandlerLetsTheMoverThrough) {
  Probe* p_o = mover(Vector(5, 5), Vector(1, 0));
  auto* p_door = new Probe(Vector(6, 5));
  p_door->reaction = [](Probe* p_self, const Event*) { p_self->setSolidness(SPECTRAL); };
  EXPECT_EQ(world.moveObject(p_o, Vector(6, 5)), 0);
  EXPECT_EQ(p_o->getPosition(), Vector(6, 5));
}

/// A floor of HARD cells along y = 10 (x from 0 to 20) and an avoiding
/// mover above it heading down-right at (0.5, 0.5) per step.
class WorldAvoidCollisionsTest : public WorldManagerTest {
 protected:
  void SetUp() override {
    WorldManagerTest::SetUp();
    p_floor = new Probe(Vector(0, 10));
    p_floor->setBox(Box(Vector(0, -0.5f), 20, 1));
    p_mover = mover(Vector(5, 8.9f), Vector(0.5f, 0.5f));
    p_mover->setAvoidCollisions(true);
  }
  Probe* p_floor = nullptr;
  Probe* p_mover = nullptr;
};

TEST_F(WorldAvoidCollisionsTest, WithoutAvoidingTheMoverStopsOnTheFloor) {
  p_mover->setAvoidCollisions(false);
  world.update();
  EXPECT_EQ(p_mover->getPosition(), Vector(5, 8.9f));
  EXPECT_EQ(p_floor->hits.size(), 1u);
}

TEST_F(WorldAvoidCollisionsTest, MoverSlidesAlongTheFloorKeepingItsDirection) {
  // A soft object where it would have landed, and one on its slide.
  auto* p_missed = new Probe(Vector(5.2f, 9.9f), SOFT);
  auto* p_met = new Probe(Vector(6.2f, 8.9f), SOFT);
  world.update();
  const float step = std::sqrt(0.5f);
  EXPECT_FLOAT_EQ(p_mover->getPosition().getX(), 5 + step);
  EXPECT_FLOAT_EQ(p_mover->getPosition().getY(), 8.9f);
  EXPECT_FLOAT_EQ(p_mover->getDirection().getX(), step);
  EXPECT_FLOAT_EQ(p_mover->getDirection().getY(), step);
  EXPECT_TRUE(p_floor->hits.empty());
  EXPECT_TRUE(p_missed->hits.empty());
  ASSERT_EQ(p_met->hits.size(), 1u);
  ASSERT_EQ(p_mover->hits.size(), 1u);
  EXPECT_EQ(p_mover->hits[0].p_obj2, p_met);
  EXPECT_EQ(p_mover->hits[0].pos, p_mover->getPosition());
}

TEST_F(WorldAvoidCollisionsTest, HardObjectOnTheSlideTooIsADoubleCollision) {
  auto* p_wall = new Probe(Vector(6.5f, 8.9f));
  auto* p_soft = new Probe(Vector(5.5f, 9.4f), SOFT);
  LogManager::getInstance().setLogLevel(5);
  EXPECT_EQ(world.moveObject(p_mover, p_mover->predictPosition()), -1);
  EXPECT_EQ(p_mover->getPosition(), Vector(5, 8.9f));
  EXPECT_TRUE(p_mover->hits.empty());
  EXPECT_TRUE(p_floor->hits.empty());
  EXPECT_TRUE(p_wall->hits.empty());
  EXPECT_TRUE(p_soft->hits.empty());
  EXPECT_EQ(closedLog(), Lines{"WorldManager::moveObject(): Double collision. Object (avoid "
                               "obstacles) cannot move."});
}

TEST_F(WorldAvoidCollisionsTest, SoftObstaclesAloneAreNotAvoided) {
  p_floor->setSolidness(SOFT);
  world.update();
  EXPECT_FLOAT_EQ(p_mover->getPosition().getX(), 5.5f);
  EXPECT_FLOAT_EQ(p_mover->getPosition().getY(), 9.4f);
  EXPECT_EQ(p_floor->hits.size(), 1u);
}

// --- leaving the world -----------------------------------------------

TEST_F(WorldManagerTest, OutEventComesOnceOnTheStepTheBoxStopsTouchingTheBoundary) {
  world.setBoundary(Box(Vector(0, 0), 10, 10));
  Probe* p_o = mover(Vector(9, 5), Vector(0.5f, 0));
  std::vector<int> outs;
  for (int i = 0; i < 6; i++) {
    world.update();
    outs.push_back(p_o->outs);
  }
  // At x = 10.5 the box's left edge lies on the boundary's right edge:
  // still touching. At 11 it is out.
  EXPECT_EQ(outs, (std::vector<int>{0, 0, 0, 1, 1, 1}));
}

TEST_F(WorldManagerTest, ObjectStartingOutsideGetsNoOutEvent) {
  world.setBoundary(Box(Vector(0, 0), 10, 10));
  Probe* p_o = mover(Vector(20, 5), Vector(1, 0));
  Probe* p_back = mover(Vector(20, 5), Vector(-1, 0));
  for (int i = 0; i < 25; i++) world.update();
  EXPECT_EQ(p_o->outs, 0);
  // Coming in and leaving again on the left counts.
  EXPECT_EQ(p_back->outs, 1);
}

// --- update order ----------------------------------------------------

TEST_F(WorldManagerTest, PathStepRunsAfterTheMove) {
  Probe* p_o = mover(Vector(0, 5), Vector(1, 0), SPECTRAL);
  p_o->setPath(Path({Vector(2, 5)}));
  p_o->setFollowPath(true);
  world.update();
  EXPECT_EQ(p_o->getPosition(), Vector(1, 5));
  EXPECT_TRUE(p_o->getFollowPath());
  // Moved onto the node, the path step of the same update ends the path.
  world.update();
  EXPECT_EQ(p_o->getPosition(), Vector(2, 5));
  EXPECT_FALSE(p_o->getFollowPath());
  EXPECT_EQ(p_o->getDirection(), Vector(0, 0));
}

TEST_F(WorldManagerTest, AccelerationTakesEffectOnTheNextMove) {
  Probe* p_o = mover(Vector(10, 10), Vector(1, 0), SPECTRAL);
  p_o->setAcceleration(Vector(1, 0));
  world.update();
  EXPECT_EQ(p_o->getPosition(), Vector(11, 10));
  EXPECT_EQ(p_o->getSpeed(), 2);
  world.update();
  EXPECT_EQ(p_o->getPosition(), Vector(13, 10));
  EXPECT_EQ(p_o->getSpeed(), 3);
}

TEST_F(WorldManagerTest, AccelerationStartsAnObjectAtRest) {
  Probe* p_o = mover(Vector(10, 10), Vector(0, 0), SPECTRAL);
  p_o->setAcceleration(Vector(0, 0.5f));
  world.update();
  EXPECT_EQ(p_o->getPosition(), Vector(10, 10));
  world.update();
  EXPECT_EQ(p_o->getPosition(), Vector(10, 10.5f));
}

// --- the view --------------------------------------------------------

class WorldViewTest : public WorldManagerTest {
 protected:
  void SetUp() override {
    WorldManagerTest::SetUp();
    world.setBoundary(Box(Vector(0, 0), 100, 40));
    world.setView(Box(Vector(0, 0), 80, 24));
  }
  Vector corner() const { return world.getView().getCorner(); }
};

TEST_F(WorldViewTest, FollowingCentresTheViewKeptInsideTheWorld) {
  auto* p_far = new Probe(Vector(95, 20));
  auto* p_near = new Probe(Vector(3, 3));
  EXPECT_EQ(world.setViewFollowing(p_far), 0);
  EXPECT_EQ(corner(), Vector(20, 8));
  EXPECT_EQ(world.setViewFollowing(p_near), 0);
  EXPECT_EQ(corner(), Vector(0, 0));
  EXPECT_EQ(world.getViewFollowing(), p_near);
  EXPECT_EQ(world.getView().getHorizontal(), 80);
  EXPECT_EQ(world.getView().getVertical(), 24);
}

TEST_F(WorldViewTest, PositionInTheMiddleCentresTheView) {
  world.setViewPosition(Vector(50, 20));
  EXPECT_EQ(corner(), Vector(10, 8));
  // Wider than the world, the view starts at the left edge.
  world.setView(Box(Vector(0, 0), 120, 24));
  world.setViewPosition(Vector(50, 20));
  EXPECT_EQ(corner(), Vector(0, 8));
}

TEST_F(WorldViewTest, WithoutSlackTheViewMovesWithTheFollowedObject) {
  Probe* p_o = mover(Vector(50, 20), Vector(1, 0));
  ASSERT_EQ(world.setViewFollowing(p_o), 0);
  world.update();
  EXPECT_EQ(corner(), Vector(11, 8));
  world.update();
  EXPECT_EQ(corner(), Vector(12, 8));
}

TEST_F(WorldViewTest, MovesWithinTheSlackLeaveTheViewAlone) {
  auto* p_o = new Probe(Vector(40, 12));
  world.setViewSlack(Vector(0.5f, 0.5f));
  ASSERT_EQ(world.setViewFollowing(p_o), 0);
  ASSERT_EQ(corner(), Vector(0, 0));
  // The slack box spans x 20..60 and y 6..18 around the centre (40,12).
  EXPECT_EQ(world.moveObject(p_o, Vector(59, 17)), 0);
  EXPECT_EQ(corner(), Vector(0, 0));
  EXPECT_EQ(world.moveObject(p_o, Vector(65, 20)), 0);
  EXPECT_EQ(corner(), Vector(5, 2));
  EXPECT_EQ(world.moveObject(p_o, Vector(30, 10)), 0);
  EXPECT_EQ(corner(), Vector(5, 2));
}

TEST_F(WorldViewTest, BlockedOrUnfollowedMovesLeaveTheViewAlone) {
  Probe* p_o = mover(Vector(50, 20), Vector(1, 0));
  Probe* p_other = mover(Vector(50, 30), Vector(1, 0));
  new Probe(Vector(51, 20));
  ASSERT_EQ(world.setViewFollowing(p_o), 0);
  world.update();
  EXPECT_EQ(p_other->getPosition(), Vector(51, 30));
  EXPECT_EQ(corner(), Vector(10, 8));
}

TEST_F(WorldViewTest, SlackOutOfRangeIsReportedAndStored) {
  world.setViewSlack(Vector(1.5f, 0.5f));
  EXPECT_EQ(world.getViewSlack(), Vector(1.5f, 0.5f));
  world.setViewSlack(Vector(0.5f, -0.1f));
  world.setViewSlack(Vector(1, 0));
  EXPECT_EQ(closedLog(),
            (Lines{"WorldManager::setViewSlack(): Warning! view slack units out of range [0-1]",
                   "WorldManager::setViewSlack(): Warning! view slack units out of range [0-1]"}));
}

TEST_F(WorldViewTest, FollowingAnObjectOutsideTheWorldFailsAndKeepsTheFormerOne) {
  auto* p_o = new Probe(Vector(95, 20));
  auto* p_gone = new Probe(Vector(3, 3));
  auto* p_sleeping = new Probe(Vector(3, 3));
  ASSERT_EQ(world.setViewFollowing(p_o), 0);
  delete p_gone;
  EXPECT_EQ(world.setViewFollowing(p_gone), -1);
  EXPECT_EQ(world.getViewFollowing(), p_o);
  EXPECT_EQ(corner(), Vector(20, 8));
  // Inactive objects can be followed.
  ASSERT_EQ(p_sleeping->setActive(false), 0);
  EXPECT_EQ(world.setViewFollowing(p_sleeping), 0);
  EXPECT_EQ(world.setViewFollowing(nullptr), 0);
  EXPECT_EQ(world.getViewFollowing(), nullptr);
}

TEST_F(WorldViewTest, DeletingTheFollowedObjectStopsTheFollowing) {
  auto* p_o = new Probe(Vector(95, 20));
  ASSERT_EQ(world.setViewFollowing(p_o), 0);
  world.markForDelete(p_o);
  world.update();
  EXPECT_EQ(world.getViewFollowing(), nullptr);
  EXPECT_EQ(corner(), Vector(20, 8));
}

// --- deletion --------------------------------------------------------

TEST_F(WorldManagerTest, MarkedObjectsAreDeletedAtTheEndOfTheUpdateOnce) {
  auto* p_a = new Tracked(Vector(5, 5));
  auto* p_b = new Tracked(Vector(5, 5));
  const Ids expected = {p_b->getId(), p_a->getId()};
  EXPECT_EQ(world.markForDelete(p_b), 0);
  EXPECT_EQ(world.markForDelete(p_a), 0);
  EXPECT_EQ(world.markForDelete(p_b), 0);
  EXPECT_TRUE(destroyed().empty());
  world.update();
  EXPECT_EQ(destroyed(), expected);
  EXPECT_EQ(count(world.getAllObjects(true)), 0);
  world.update();
  EXPECT_EQ(destroyed(), expected);
}

TEST_F(WorldManagerTest, ObjectMarkedDuringTheUpdateStillTakesItsTurn) {
  Probe* p_o = mover(Vector(5, 5), Vector(1, 0));
  auto* p_wall = new Probe(Vector(6, 5));
  Tracked* p_later = mover(Vector(20, 5), Vector(1, 0));
  Vector last_position;
  p_later->farewell = [&last_position, p_later] { last_position = p_later->getPosition(); };
  p_wall->reaction = [p_later](Probe*, const Event*) {
    WorldManager::getInstance().markForDelete(p_later);
  };
  world.update();
  EXPECT_EQ(last_position, Vector(21, 5));
  EXPECT_EQ(destroyed().size(), 1u);
  EXPECT_EQ(p_o->getPosition(), Vector(5, 5));
}

TEST_F(WorldManagerTest, MarksMadeByDestructorsAreDeletedInTheSamePassInMarkOrder) {
  auto* p_a = new Tracked(Vector(5, 5));
  auto* p_b = new Tracked(Vector(5, 5));
  auto* p_c = new Tracked(Vector(5, 5));
  auto* p_d = new Tracked(Vector(5, 5));
  ASSERT_EQ(p_d->setActive(false), 0);
  const int a = p_a->getId();
  const int b = p_b->getId();
  const int c = p_c->getId();
  const int d = p_d->getId();
  const int doomsayer = Object::getIdCounter();
  // A's destructor creates an object whose constructor marks the whole
  // world backwards: D (inactive, so listed last), itself, C, B and A
  // (already being deleted).
  p_a->farewell = [] { new Doomsayer; };
  // C's destructor marks everything left once more.
  p_c->farewell = [] { markEverything(false); };
  world.markForDelete(p_a);
  world.update();
  EXPECT_EQ(destroyed(), (Ids{a, d, doomsayer, c, b}));
  EXPECT_EQ(count(world.getAllObjects(true)), 0);
  world.update();
  EXPECT_EQ(destroyed().size(), 5u);
}

TEST_F(WorldManagerTest, DestructorMarkingItselfIsIgnored) {
  auto* p_a = new Tracked(Vector(5, 5));
  auto* p_b = new Tracked(Vector(5, 5));
  const Ids expected = {p_a->getId(), p_b->getId()};
  p_a->farewell = [p_a] { EXPECT_EQ(WorldManager::getInstance().markForDelete(p_a), 0); };
  p_b->farewell = [p_b] { EXPECT_EQ(WorldManager::getInstance().markForDelete(p_b), 0); };
  world.markForDelete(p_a);
  world.update();
  // Deleted directly, an object marking itself in its destructor leaves
  // nothing queued either.
  delete p_b;
  world.update();
  EXPECT_EQ(destroyed(), expected);
}

TEST_F(WorldManagerTest, ObjectDeletedDirectlyLeavesNothingQueued) {
  auto* p_a = new Tracked(Vector(5, 5));
  auto* p_b = new Tracked(Vector(5, 5));
  const Ids expected = {p_a->getId(), p_b->getId()};
  world.markForDelete(p_a);
  world.markForDelete(p_b);
  world.markForDelete(p_a);
  delete p_a;
  world.update();
  EXPECT_EQ(destroyed(), expected);
}

TEST_F(WorldManagerTest, MoverDeletingTheObstacleInItsHandlerIsSafe) {
  Tracked* p_o = mover(Vector(5, 5), Vector(1, 0));
  auto* p_first = new Tracked(Vector(6, 5));
  auto* p_second = new Tracked(Vector(6, 5.2f));
  const int first = p_first->getId();
  p_o->reaction = [](Probe* p_self, const Event* p_e) {
    const auto* p_c = static_cast<const EventCollision*>(p_e);
    if (p_self->hits.size() == 1) delete p_c->getObject2();
  };
  world.update();
  EXPECT_EQ(destroyed(), Ids{first});
  EXPECT_EQ(p_o->hits.size(), 2u);
  EXPECT_EQ(p_second->hits.size(), 1u);
  // The second obstacle is HARD as well: still blocked.
  EXPECT_EQ(p_o->getPosition(), Vector(5, 5));
}

TEST_F(WorldManagerTest, ObstacleDeletingTheMoverInItsHandlerIsSafe) {
  Tracked* p_o = mover(Vector(5, 5), Vector(1, 0));
  p_o->setAcceleration(Vector(0, 1));
  p_o->setPath(Path({Vector(9, 9)}));
  p_o->setFollowPath(true);
  auto* p_first = new Tracked(Vector(6, 5));
  auto* p_second = new Tracked(Vector(6, 5.2f));
  Tracked* p_later = mover(Vector(20, 5), Vector(1, 0));
  const int id = p_o->getId();
  p_first->reaction = [](Probe*, const Event* p_e) {
    delete static_cast<const EventCollision*>(p_e)->getObject1();
  };
  world.update();
  EXPECT_EQ(destroyed(), Ids{id});
  // No event naming the deleted mover goes out afterwards.
  EXPECT_TRUE(p_second->hits.empty());
  EXPECT_EQ(p_later->getPosition(), Vector(21, 5));
  EXPECT_EQ(count(world.getAllObjects(true)), 3);
}

TEST_F(WorldManagerTest, MoverDeletingItselfInItsHandlerIsSafe) {
  Tracked* p_o = mover(Vector(5, 5), Vector(1, 0));
  p_o->setAcceleration(Vector(0, 1));
  auto* p_wall = new Tracked(Vector(6, 5));
  const int id = p_o->getId();
  p_o->reaction = [](Probe* p_self, const Event*) { delete p_self; };
  world.update();
  EXPECT_EQ(destroyed(), Ids{id});
  EXPECT_TRUE(p_wall->hits.empty());
}

TEST_F(WorldManagerTest, ObjectLeavingTheWorldMayDeleteItself) {
  world.setBoundary(Box(Vector(0, 0), 10, 10));
  Tracked* p_o = mover(Vector(10, 5), Vector(1, 0));
  const int id = p_o->getId();
  ASSERT_EQ(world.setViewFollowing(p_o), 0);
  p_o->reaction = [](Probe* p_self, const Event*) { delete p_self; };
  world.update();
  EXPECT_EQ(destroyed(), Ids{id});
  EXPECT_EQ(world.getViewFollowing(), nullptr);
}

TEST_F(WorldManagerTest, HandlerDeletingAnObjectLaterInTheUpdateSkipsIt) {
  Tracked* p_o = mover(Vector(5, 5), Vector(1, 0));
  new Tracked(Vector(6, 5));
  Tracked* p_later = mover(Vector(20, 5), Vector(1, 0));
  Tracked* p_last = mover(Vector(30, 5), Vector(1, 0));
  const int later = p_later->getId();
  p_o->reaction = [p_later](Probe* p_self, const Event*) {
    if (p_self->hits.size() == 1) delete p_later;
  };
  world.update();
  EXPECT_EQ(destroyed(), Ids{later});
  EXPECT_EQ(p_last->getPosition(), Vector(31, 5));
}

}  // namespace
}  // namespace mo
