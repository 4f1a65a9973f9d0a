#include "engine/world/WorldManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "engine/core/EventCollision.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/Object.h"
#include "support/EngineTest.h"
#include "worldHelpers.h"

namespace mo {
namespace {

using test::entries;
using test::Lines;
using test::Objects;
using Ids = std::vector<int>;

/// One collision event as received: the mover, the obstacle, the place.
using Hit = std::tuple<Object*, Object*, Vector>;
using Hits = std::vector<Hit>;

/// The ids of the probes destroyed, in order of destruction.
Ids destroyed;

/// Records the events it receives and its destruction. The reaction,
/// when set, runs after the recording and may delete this very object;
/// the farewell runs in the destructor, while it is still in the world.
class Probe : public Object {
 public:
  explicit Probe(Vector where, Solidness solidness = HARD) {
    setPosition(where);
    setSolidness(solidness);
  }
  ~Probe() override {
    destroyed.push_back(getId());
    const std::function<void()> run = farewell;
    if (run) run();
  }
  int eventHandler(const Event* p_e) override {
    if (p_e->getType() == COLLISION_EVENT) {
      const auto* p_c = dynamic_cast<const EventCollision*>(p_e);
      hits.emplace_back(p_c->getObject1(), p_c->getObject2(), p_c->getPosition());
    } else if (p_e->getType() == OUT_EVENT) {
      outs++;
    }
    // A copy: the reaction may destroy this object and its members.
    const std::function<void(Probe*, const Event*)> react = reaction;
    if (react) react(this, p_e);
    return 1;
  }
  Hits hits;
  int outs = 0;
  std::function<void(Probe*, const Event*)> reaction;
  std::function<void()> farewell;
};

/// Marks every object of the world for deletion, newest or oldest first.
void markEverything(bool backwards) {
  Objects objects = entries(WorldManager::getInstance().getAllObjects(true));
  if (backwards) std::reverse(objects.begin(), objects.end());
  for (Object* p_o : objects) WorldManager::getInstance().markForDelete(p_o);
}

/// A probe whose constructor marks the whole world, itself included.
class Doomsayer : public Probe {
 public:
  Doomsayer() : Probe(Vector(50, 50)) { markEverything(true); }
};

/// Deletes the receiver of the event.
void deleteSelf(Probe* p_self, const Event*) { delete p_self; }

class WorldManagerTest : public test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    destroyed.clear();
    world.setBoundary(Box(Vector(0, 0), 100, 100));
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  /// A probe at where moving by velocity each step.
  static Probe* mover(Vector where, Vector velocity, Solidness solidness = HARD) {
    auto* p_o = new Probe(where, solidness);
    p_o->setVelocity(velocity);
    return p_o;
  }

  WorldManager& world = WorldManager::getInstance();
};

TEST_F(WorldManagerTest, RefusesTypesOtherManagersDeliverOrThatNeedNoRegistration) {
  for (const std::string& type :
       {KEYBOARD_EVENT, MOUSE_EVENT, STEP_EVENT, OUT_EVENT, COLLISION_EVENT}) {
    EXPECT_FALSE(world.isValid(type)) << type;
  }
  EXPECT_TRUE(world.isValid("freeze"));
  EXPECT_TRUE(world.isValid(VIEW_EVENT));
  EXPECT_EQ(closedLog(),
            (Lines{"WorldManager::isValid(): WorldManager does not handle mo-keyboard",
                   "WorldManager::isValid(): WorldManager does not handle mo-mouse",
                   "WorldManager::isValid(): WorldManager does not handle mo-step",
                   "WorldManager::isValid(): Event mo-out handled automatically.",
                   "WorldManager::isValid(): Event mo-collision handled automatically."}));
}

TEST_F(WorldManagerTest, StartsOnceShutsDownActiveObjectsFirstAndRestartsEmpty) {
  auto *p_a = new Probe(Vector(5, 5)), *p_b = new Probe(Vector(5, 5)),
       *p_c = new Probe(Vector(5, 5));
  ASSERT_EQ(p_a->setActive(false), 0);
  LogManager::getInstance().setLogLevel(5);
  EXPECT_EQ(world.startUp(), 0);
  EXPECT_EQ(entries(world.getAllObjects()), (Objects{p_b, p_c}));
  EXPECT_EQ(entries(world.getAllObjects(true)), (Objects{p_b, p_c, p_a}));
  EXPECT_EQ(world.getBoundary(), Box(Vector(0, 0), 100, 100));
  const Ids expected = {p_b->getId(), p_c->getId(), p_a->getId()};
  world.shutDown();
  EXPECT_EQ(destroyed, expected);
  // Made while the world is stopped, an object stays outside it.
  auto* p_outsider = new Object;
  EXPECT_FALSE(p_outsider->isInWorld());
  ASSERT_EQ(world.startUp(), 0);
  EXPECT_TRUE(world.getAllObjects(true).isEmpty());
  EXPECT_EQ(world.setViewFollowing(p_outsider), -1);
  EXPECT_EQ(world.getBoundary(), Box());
  const std::string id = toString(p_outsider->getId());
  delete p_outsider;
  EXPECT_EQ(closedLog(), (Lines{"WorldManager::startup(): already started.",
                                "WorldManager::shutDown(): Successfully stopped.",
                                "WorldManager::insertObject(): Warning! Not adding Object " + id,
                                "                              because WorldManager not started.",
                                "Scenegraph configuration: GRID",
                                "WorldManager::startUp(): successfully started."}));
}

TEST_F(WorldManagerTest, SolidnessDecidesWhetherAMoveIsBlockedAndWhoHearsOfIt) {
  struct Case {
    const char* what;
    Solidness mover, obstacle;
    bool mover_no_soft, obstacle_no_soft;
    int result;  // of moveObject
  };
  const Case cases[] = {
      {"hard into hard", HARD, HARD, false, false, -1},
      {"hard through soft", HARD, SOFT, false, false, 0},
      {"soft through hard", SOFT, HARD, false, false, 0},
      {"soft through soft", SOFT, SOFT, false, false, 0},
      {"no_soft mover into soft", HARD, SOFT, true, false, -1},
      {"mover through no_soft soft", HARD, SOFT, false, true, 0},
      {"spectral through hard", SPECTRAL, HARD, false, false, 0},
      {"hard through spectral", HARD, SPECTRAL, false, false, 0},
  };
  float y = 5;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Probe* p_o = mover(Vector(5, y), Vector(1, 0), c.mover);
    auto* p_obstacle = new Probe(Vector(6, y), c.obstacle);
    p_o->setNoSoft(c.mover_no_soft);
    p_obstacle->setNoSoft(c.obstacle_no_soft);
    EXPECT_EQ(world.moveObject(p_o, Vector(6, y)), c.result);
    EXPECT_EQ(p_o->getPosition(), Vector(c.result == 0 ? 6 : 5, y));
    // One event, the same, on each side; none with a spectral object.
    const bool solid = c.mover != SPECTRAL && c.obstacle != SPECTRAL;
    const Hits hits = solid ? Hits{Hit(p_o, p_obstacle, Vector(6, y))} : Hits{};
    EXPECT_EQ(p_o->hits, hits);
    EXPECT_EQ(p_obstacle->hits, hits);
    y += 5;
  }
}

TEST_F(WorldManagerTest, UpdateMovesActiveObjectsThenStepsTheirPathsAndAccelerations) {
  auto* p_still = new Probe(Vector(5, 5));
  auto* p_overlapping = new Probe(Vector(5.2f, 5));
  Probe* p_sleeping = mover(Vector(5, 20), Vector(1, 0));
  ASSERT_EQ(p_sleeping->setActive(false), 0);
  Probe* p_blocked = mover(Vector(5, 30), Vector(1, 0));
  auto* p_wall = new Probe(Vector(6, 30));
  // Starting to follow turns the walker towards the node.
  Probe* p_walker = mover(Vector(0, 40), Vector(0, 1), SPECTRAL);
  p_walker->setPath(Path({Vector(2, 40)}));
  p_walker->setFollowPath(true);
  Probe* p_resting = mover(Vector(10, 50), Vector(0, 0), SPECTRAL);
  p_resting->setAcceleration(Vector(1, 0));
  world.update();
  EXPECT_EQ(p_walker->getPosition(), Vector(1, 40));
  EXPECT_TRUE(p_walker->getFollowPath());
  EXPECT_EQ(p_resting->getPosition(), Vector(10, 50));
  world.update();
  EXPECT_TRUE(p_still->hits.empty());
  EXPECT_TRUE(p_overlapping->hits.empty());
  EXPECT_EQ(p_sleeping->getPosition(), Vector(5, 20));
  // Blocked, it keeps its velocity and collides again on every step.
  EXPECT_EQ(p_blocked->getPosition(), Vector(5, 30));
  EXPECT_EQ(p_blocked->getVelocity(), Vector(1, 0));
  EXPECT_EQ(p_blocked->hits.size(), 2u);
  EXPECT_EQ(p_wall->hits.size(), 2u);
  // Moved onto the node, the path step of the same update ends the path.
  EXPECT_EQ(p_walker->getPosition(), Vector(2, 40));
  EXPECT_FALSE(p_walker->getFollowPath());
  EXPECT_EQ(p_walker->getDirection(), Vector(0, 0));
  EXPECT_EQ(p_resting->getPosition(), Vector(11, 50));
  EXPECT_EQ(p_resting->getSpeed(), 2);
}

TEST_F(WorldManagerTest, EveryObstacleAtTheTargetGetsItsEventInSolidOrder) {
  Probe* p_o = mover(Vector(5, 5), Vector(1, 0));
  auto* p_soft = new Probe(Vector(6, 5.2f), SOFT);
  auto* p_hard = new Probe(Vector(6, 4.8f));
  new Probe(Vector(6, 5), SPECTRAL);
  EXPECT_EQ(world.moveObject(p_o, Vector(6, 5)), -1);
  ASSERT_EQ(p_o->hits.size(), 2u);
  EXPECT_EQ(std::get<1>(p_o->hits[0]), p_soft);
  EXPECT_EQ(std::get<1>(p_o->hits[1]), p_hard);
  EXPECT_EQ(p_hard->hits.size(), 1u);
  // An obstacle turned spectral by its handler lets the mover through.
  p_hard->reaction = [](Probe* p_self, const Event*) { p_self->setSolidness(SPECTRAL); };
  EXPECT_EQ(world.moveObject(p_o, Vector(6, 5)), 0);
  EXPECT_EQ(p_o->getPosition(), Vector(6, 5));
}

TEST_F(WorldManagerTest, AvoidingHardMoverSlidesAlongAHardFloorUnlessBlockedThereToo) {
  // A HARD floor along y = 10 (x from 0 to 20) and a mover above it
  // heading down-right at (0.5, 0.5) per step.
  auto* p_floor = new Probe(Vector(0, 10));
  p_floor->setBox(Box(Vector(0, -0.5f), 20, 1));
  Probe* p_mover = mover(Vector(5, 8.9f), Vector(0.5f, 0.5f));
  world.update();  // not avoiding: stopped
  EXPECT_EQ(p_mover->getPosition(), Vector(5, 8.9f));
  EXPECT_EQ(p_floor->hits.size(), 1u);
  p_mover->setAvoidCollisions(true);
  // A soft object where it would land, and a HARD one on the slide too:
  // a double collision, without events.
  auto* p_soft = new Probe(Vector(5.2f, 9.9f), SOFT);
  auto* p_wall = new Probe(Vector(6.5f, 8.9f));
  LogManager::getInstance().setLogLevel(5);
  EXPECT_EQ(world.moveObject(p_mover, p_mover->predictPosition()), -1);
  EXPECT_EQ(p_mover->getPosition(), Vector(5, 8.9f));
  EXPECT_EQ(p_mover->hits.size(), 1u);
  EXPECT_EQ(p_floor->hits.size(), 1u);
  EXPECT_TRUE(p_soft->hits.empty());
  EXPECT_TRUE(p_wall->hits.empty());
  EXPECT_EQ(closedLog(), Lines{"WorldManager::moveObject(): Double collision. Object (avoid "
                               "obstacles) cannot move."});
  delete p_wall;
  // Sliding, it misses the soft object and meets one on its slide.
  auto* p_met = new Probe(Vector(6.2f, 8.9f), SOFT);
  world.update();
  const float step = std::sqrt(0.5f);
  EXPECT_FLOAT_EQ(p_mover->getPosition().getX(), 5 + step);
  EXPECT_FLOAT_EQ(p_mover->getPosition().getY(), 8.9f);
  EXPECT_FLOAT_EQ(p_mover->getDirection().getX(), step);
  EXPECT_FLOAT_EQ(p_mover->getDirection().getY(), step);
  EXPECT_EQ(p_floor->hits.size(), 1u);
  EXPECT_TRUE(p_soft->hits.empty());
  const Hits hits = {Hit(p_mover, p_met, p_mover->getPosition())};
  EXPECT_EQ(p_met->hits, hits);
  ASSERT_EQ(p_mover->hits.size(), 2u);
  EXPECT_EQ(p_mover->hits[1], hits[0]);
  // Soft obstacles alone are not avoided.
  p_floor->setSolidness(SOFT);
  world.update();
  EXPECT_FLOAT_EQ(p_mover->getPosition().getX(), 5.5f + step);
  EXPECT_FLOAT_EQ(p_mover->getPosition().getY(), 9.4f);
  EXPECT_EQ(p_floor->hits.size(), 2u);
}

TEST_F(WorldManagerTest, OutEventComesOnceOnTheStepTheBoxStopsTouchingTheBoundary) {
  world.setBoundary(Box(Vector(0, 0), 10, 10));
  Probe* p_o = mover(Vector(9, 5), Vector(0.5f, 0));
  Probe* p_outside = mover(Vector(20, 3), Vector(1, 0));
  Probe* p_back = mover(Vector(20, 7), Vector(-1, 0));
  std::vector<int> outs;
  for (int i = 0; i < 25; i++) {
    world.update();
    if (i < 6) outs.push_back(p_o->outs);
  }
  // At x = 10.5 the box's left edge lies on the boundary's right edge:
  // still touching. At 11 it is out.
  EXPECT_EQ(outs, (std::vector<int>{0, 0, 0, 1, 1, 1}));
  EXPECT_EQ(p_outside->outs, 0);
  // Coming in and leaving again on the left counts.
  EXPECT_EQ(p_back->outs, 1);
}

/// A 100 x 40 world shown through an 80 x 24 view.
class WorldViewTest : public WorldManagerTest {
 protected:
  void SetUp() override {
    WorldManagerTest::SetUp();
    world.setBoundary(Box(Vector(0, 0), 100, 40));
    world.setView(Box(Vector(0, 0), 80, 24));
  }
  Vector corner() const { return world.getView().getCorner(); }
};

TEST_F(WorldViewTest, FollowingCentresTheViewInsideTheWorldOnObjectsOfTheWorldOnly) {
  auto* p_far = new Probe(Vector(95, 20));
  auto* p_near = new Probe(Vector(3, 3));
  auto* p_gone = new Probe(Vector(3, 3));
  EXPECT_EQ(world.setViewFollowing(p_far), 0);
  EXPECT_EQ(corner(), Vector(20, 8));
  delete p_gone;
  EXPECT_EQ(world.setViewFollowing(p_gone), -1);
  EXPECT_EQ(world.getViewFollowing(), p_far);
  // Inactive objects can be followed.
  ASSERT_EQ(p_near->setActive(false), 0);
  EXPECT_EQ(world.setViewFollowing(p_near), 0);
  EXPECT_EQ(corner(), Vector(0, 0));
  EXPECT_EQ(world.setViewFollowing(nullptr), 0);
  EXPECT_EQ(world.getViewFollowing(), nullptr);
  world.setViewPosition(Vector(50, 20));
  EXPECT_EQ(corner(), Vector(10, 8));
  // Wider than the world, the view starts at the left edge.
  world.setView(Box(Vector(0, 0), 120, 24));
  world.setViewPosition(Vector(50, 20));
  EXPECT_EQ(corner(), Vector(0, 8));
  // Deleting the followed object stops the following.
  ASSERT_EQ(world.setViewFollowing(p_far), 0);
  world.markForDelete(p_far);
  world.update();
  EXPECT_EQ(world.getViewFollowing(), nullptr);
  EXPECT_EQ(corner(), Vector(0, 8));
}

TEST_F(WorldViewTest, OnlyMovesOfTheFollowedObjectBeyondTheSlackDragTheView) {
  auto* p_o = new Probe(Vector(50, 20));
  auto* p_other = new Probe(Vector(50, 30));
  ASSERT_EQ(world.setViewFollowing(p_o), 0);
  EXPECT_EQ(world.moveObject(p_other, Vector(60, 30)), 0);
  EXPECT_EQ(corner(), Vector(10, 8));
  EXPECT_EQ(world.moveObject(p_o, Vector(51, 20)), 0);
  EXPECT_EQ(corner(), Vector(11, 8));
  new Probe(Vector(52, 20));
  EXPECT_EQ(world.moveObject(p_o, Vector(52, 20)), -1);
  EXPECT_EQ(corner(), Vector(11, 8));
  // The slack box spans x 31..71 and y 14..26 around the centre (51,20).
  world.setViewSlack(Vector(0.5f, 0.5f));
  EXPECT_EQ(world.moveObject(p_o, Vector(70, 25)), 0);
  EXPECT_EQ(corner(), Vector(11, 8));
  EXPECT_EQ(world.moveObject(p_o, Vector(75, 30)), 0);
  EXPECT_EQ(corner(), Vector(15, 12));
  EXPECT_EQ(world.moveObject(p_o, Vector(40, 18)), 0);
  EXPECT_EQ(corner(), Vector(15, 12));
  world.setViewSlack(Vector(1.5f, 0.5f));
  EXPECT_EQ(world.getViewSlack(), Vector(1.5f, 0.5f));
  world.setViewSlack(Vector(0.5f, -0.1f));
  world.setViewSlack(Vector(1, 0));
  const std::string warning =
      "WorldManager::setViewSlack(): Warning! view slack units out of range [0-1]";
  EXPECT_EQ(closedLog(), (Lines{warning, warning}));
}

TEST_F(WorldManagerTest, MarkedObjectsAreDeletedOnceAtTheEndOfTheUpdateInMarkOrder) {
  auto *p_a = new Probe(Vector(5, 5)), *p_b = new Probe(Vector(5, 5));
  auto *p_c = new Probe(Vector(5, 5)), *p_d = new Probe(Vector(5, 5));
  mover(Vector(4, 5), Vector(1, 0));
  // Marked during the update, an object is still moved before it goes.
  Probe* p_later = mover(Vector(20, 5), Vector(1, 0));
  Vector last_position;
  p_later->farewell = [&last_position, p_later] { last_position = p_later->getPosition(); };
  p_a->reaction = [p_later](Probe*, const Event*) {
    WorldManager::getInstance().markForDelete(p_later);
  };
  // Marking itself in its destructor is ignored, also when deleted directly.
  for (Probe* p_self : {p_a, p_d}) {
    p_self->farewell = [p_self] {
      EXPECT_EQ(WorldManager::getInstance().markForDelete(p_self), 0);
    };
  }
  const Ids expected = {p_c->getId(), p_d->getId(), p_b->getId(), p_a->getId(), p_later->getId()};
  for (Probe* p_o : {p_b, p_c, p_a, p_b, p_c}) EXPECT_EQ(world.markForDelete(p_o), 0);
  // Deleted directly, an object leaves nothing queued.
  delete p_c;
  delete p_d;
  world.update();
  EXPECT_EQ(destroyed, expected);
  EXPECT_EQ(last_position, Vector(21, 5));
  EXPECT_EQ(world.getAllObjects(true).getCount(), 1);
  world.update();
  EXPECT_EQ(destroyed, expected);
}

TEST_F(WorldManagerTest, MarksMadeByDestructorsAreDeletedInTheSamePassInMarkOrder) {
  auto *p_a = new Probe(Vector(5, 5)), *p_b = new Probe(Vector(5, 5));
  auto *p_c = new Probe(Vector(5, 5)), *p_d = new Probe(Vector(5, 5));
  ASSERT_EQ(p_d->setActive(false), 0);
  const Ids expected = {p_a->getId(), p_d->getId(), Object::getIdCounter(), p_c->getId(),
                        p_b->getId()};
  // A's destructor creates an object whose constructor marks the whole
  // world backwards: D (inactive, so listed last), itself, C, B and A
  // (already being deleted). C's destructor marks everything left again.
  p_a->farewell = [] { new Doomsayer; };
  p_c->farewell = [] { markEverything(false); };
  world.markForDelete(p_a);
  world.update();
  EXPECT_EQ(destroyed, expected);
  EXPECT_TRUE(world.getAllObjects(true).isEmpty());
  world.update();
  EXPECT_EQ(destroyed, expected);
}

TEST_F(WorldManagerTest, HandlersMayDeleteMoversObstaclesAndLaterMoversDuringTheUpdate) {
  // The mover's handler deletes its first obstacle and a later mover.
  Probe* p_o = mover(Vector(5, 5), Vector(1, 0));
  auto* p_first = new Probe(Vector(6, 5));
  auto* p_second = new Probe(Vector(6, 5.2f));
  Probe* p_later = mover(Vector(20, 5), Vector(1, 0));
  p_o->reaction = [p_later](Probe* p_self, const Event* p_e) {
    if (p_self->hits.size() > 1) return;
    delete static_cast<const EventCollision*>(p_e)->getObject2();
    delete p_later;
  };
  // Deleted by its obstacle, with a path and an acceleration still to run.
  Probe* p_victim = mover(Vector(5, 10), Vector(1, 0));
  p_victim->setAcceleration(Vector(0, 1));
  p_victim->setPath(Path({Vector(9, 9)}));
  p_victim->setFollowPath(true);
  auto* p_killer = new Probe(Vector(6, 10));
  auto* p_bystander = new Probe(Vector(6, 10.2f));
  p_killer->reaction = [](Probe*, const Event* p_e) {
    delete static_cast<const EventCollision*>(p_e)->getObject1();
  };
  // Deleting itself on a collision, and on leaving the world while followed.
  Probe* p_suicidal = mover(Vector(5, 20), Vector(1, 0));
  p_suicidal->setAcceleration(Vector(0, 1));
  p_suicidal->reaction = deleteSelf;
  auto* p_wall = new Probe(Vector(6, 20));
  Probe* p_leaving = mover(Vector(100, 50), Vector(1, 0));
  p_leaving->reaction = deleteSelf;
  ASSERT_EQ(world.setViewFollowing(p_leaving), 0);
  Probe* p_last = mover(Vector(30, 30), Vector(1, 0));
  const Ids expected = {p_first->getId(), p_later->getId(), p_victim->getId(), p_suicidal->getId(),
                        p_leaving->getId()};
  world.update();
  EXPECT_EQ(destroyed, expected);
  // The second obstacle is HARD as well: still blocked.
  EXPECT_EQ(p_o->hits.size(), 2u);
  EXPECT_EQ(p_second->hits.size(), 1u);
  EXPECT_EQ(p_o->getPosition(), Vector(5, 5));
  // No event naming a deleted mover goes out afterwards.
  EXPECT_TRUE(p_bystander->hits.empty());
  EXPECT_TRUE(p_wall->hits.empty());
  EXPECT_EQ(world.getViewFollowing(), nullptr);
  EXPECT_EQ(p_last->getPosition(), Vector(31, 30));
  EXPECT_EQ(world.getAllObjects(true).getCount(), 6);
}

}  // namespace
}  // namespace mo
