#include "engine/world/SceneGraph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/core/EventCollision.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"
#include "worldHelpers.h"

namespace mo {
namespace {

using test::entries;
using test::Lines;
using test::Objects;

/// A new object of the given type at the given place, in the world.
Object* make(const std::string& type, Vector where = Vector(5, 5)) {
  auto* p_o = new Object;
  p_o->setType(type);
  p_o->setPosition(where);
  return p_o;
}

class SceneGraphTest : public test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
    // An unlisted probe covering the whole plane: the collision query
    // around it returns the whole solid list.
    p_probe = new Object;
    p_probe->setSolidness(SPECTRAL);
    p_probe->setVisible(false);
    p_probe->setBox(Box(Vector(-1e6f, -1e6f), 2e6f, 2e6f));
  }
  ObjectList solidObjects() const { return graph.solidObjectsAt(p_probe, Vector(0, 0)); }
  /// The lists that hold p_o, e.g. "objects type solid visible2"; a list
  /// that holds it twice is named twice.
  std::string filing(const Object* p_o) const {
    std::string text;
    auto add = [&](const ObjectList& list, const std::string& name) {
      for (const Object* p_entry : entries(list)) {
        if (p_entry == p_o) text += (text.empty() ? "" : " ") + name;
      }
    };
    add(graph.activeObjects(), "objects");
    add(graph.objectsOfType(p_o->getType()), "type");
    add(solidObjects(), "solid");
    for (int a = 0; a <= MAX_ALTITUDE; a++) add(graph.visibleObjects(a), "visible" + toString(a));
    add(graph.inactiveObjects(), "inactive");
    return text;
  }

  SceneGraph& graph = WorldManager::getInstance().getSceneGraph();
  Object* p_probe = nullptr;
};

TEST_F(SceneGraphTest, ActivityMovesAnObjectBetweenItsListsAndTheInactiveList) {
  Object* p_o = make("Crate");
  EXPECT_EQ(filing(p_o), "objects type solid visible2");
  ASSERT_EQ(p_o->setActive(false), 0);
  EXPECT_EQ(filing(p_o), "inactive");
  // Changes made while inactive are filed on reactivation.
  EXPECT_EQ(p_o->setAltitude(4) + p_o->setSolidness(SPECTRAL) + p_o->setVisible(false), 0);
  EXPECT_EQ(filing(p_o), "inactive");
  ASSERT_EQ(p_o->setActive(true), 0);
  EXPECT_EQ(filing(p_o), "objects type");
  ASSERT_EQ(p_o->setActive(false), 0);
  EXPECT_EQ(p_o->setVisible(true) + p_o->setSolidness(SOFT), 0);
  ASSERT_EQ(p_o->setActive(true), 0);
  EXPECT_EQ(filing(p_o), "objects type solid visible4");
  EXPECT_EQ(closedLog(), Lines{});
}

TEST_F(SceneGraphTest, TypeChangeRefilesTheObjectEvenWhileInactive) {
  Object* p_a = make("Enemy");
  Object* p_b = make("Enemy");
  p_a->setType("Player");
  EXPECT_EQ(entries(graph.objectsOfType("Enemy")), Objects{p_b});
  EXPECT_EQ(entries(graph.objectsOfType("Player")), Objects{p_a});
  EXPECT_TRUE(graph.objectsOfType("Nobody").isEmpty());
  // Inactive, it is in no type entry: reported, yet filed on reactivation.
  ASSERT_EQ(p_b->setActive(false), 0);
  p_b->setType("Barrel");
  ASSERT_EQ(p_b->setActive(true), 0);
  EXPECT_EQ(filing(p_b), "objects type solid visible2");
  EXPECT_TRUE(graph.objectsOfType("Enemy").isEmpty());
  EXPECT_EQ(closedLog(), Lines{"SceneGraph::updateType(): Error! Unable to remove Object (" +
                               toString(p_b->getId()) + ") type Enemy"});
}

TEST_F(SceneGraphTest, SolidnessAndAltitudeMoveObjectsToTheEndOfTheirNewList) {
  Object* p_a = make("A");
  Object* p_b = make("B");
  ASSERT_EQ(entries(solidObjects()), (Objects{p_a, p_b}));
  for (const auto& [solidness, solid] :
       {std::pair(SOFT, Objects{p_a, p_b}), {SPECTRAL, Objects{p_b}}, {HARD, Objects{p_b, p_a}}}) {
    EXPECT_EQ(p_a->setSolidness(solidness), 0);
    EXPECT_EQ(entries(solidObjects()), solid) << "solidness " << solidness;
  }
  for (const auto& [altitude, at_0, at_2] :
       {std::tuple(0, Objects{p_a}, Objects{p_b}), {2, Objects{}, Objects{p_b, p_a}}}) {
    EXPECT_EQ(p_a->setAltitude(altitude), 0);
    EXPECT_EQ(entries(graph.visibleObjects(0)), at_0) << "altitude " << altitude;
    EXPECT_EQ(entries(graph.visibleObjects(2)), at_2) << "altitude " << altitude;
  }
  // Invisible, an object given an altitude is filed there when shown.
  ASSERT_EQ(p_b->setVisible(false), 0);
  EXPECT_EQ(p_b->setAltitude(3), 0);
  EXPECT_EQ(filing(p_b), "objects type solid");
  EXPECT_EQ(p_b->setVisible(true), 0);
  EXPECT_EQ(filing(p_b), "objects type solid visible3");
}

TEST_F(SceneGraphTest, CollisionQueryFindsOtherActiveSolidObjectsMeetingTheMoversBox) {
  Object* p_mover = make("Mover");
  Object* p_hard = make("Hard");
  Object* p_soft = make("Soft");
  Object* p_sleeping = make("Sleeping");
  Object* p_ghost = make("Ghost");
  Object* p_right = make("Right", Vector(6, 15));
  p_soft->setSolidness(SOFT);
  p_sleeping->setActive(false);
  p_ghost->setSolidness(SPECTRAL);
  EXPECT_EQ(entries(graph.solidObjectsAt(p_mover, Vector(5, 5))), (Objects{p_hard, p_soft}));
  // The mover itself is never found, not even when it is spectral.
  EXPECT_EQ(entries(graph.solidObjectsAt(p_hard, Vector(5, 5))), (Objects{p_mover, p_soft}));
  EXPECT_EQ(entries(graph.solidObjectsAt(p_ghost, Vector(5, 5))),
            (Objects{p_mover, p_hard, p_soft}));
  // Default boxes are 0.99 wide: touching edges count, a gap does not.
  EXPECT_EQ(entries(graph.solidObjectsAt(p_mover, Vector(5.01f, 15))), Objects{p_right});
  EXPECT_TRUE(graph.solidObjectsAt(p_mover, Vector(4.99f, 15)).isEmpty());
  p_mover->setBox(Box(Vector(0, 0), 3, 1));
  EXPECT_EQ(entries(graph.solidObjectsAt(p_mover, Vector(3, 15))), Objects{p_right});
}

TEST_F(SceneGraphTest, UpdatesOutsideTheAltitudesOrForAnUnfiledObjectFailWhileTheGameRuns) {
  Object* p_o = make("A");
  EXPECT_TRUE(graph.visibleObjects(7).isEmpty());
  EXPECT_TRUE(graph.visibleObjects(-1).isEmpty());
  EXPECT_EQ(graph.updateAltitude(p_o, 5), -1);
  EXPECT_EQ(filing(p_o), "objects type solid visible2");
  ASSERT_EQ(graph.removeObject(p_o), 0);
  EXPECT_EQ(filing(p_o), "");
  EXPECT_EQ(graph.removeObject(p_o), -1);
  EXPECT_EQ(p_o->setVisible(false), -1);
  EXPECT_TRUE(p_o->isVisible());
  EXPECT_EQ(p_o->setAltitude(3), -1);
  EXPECT_EQ(p_o->getAltitude(), 2);
  // A solid object missing from the solid list is reported, not refused.
  EXPECT_EQ(p_o->setSolidness(SPECTRAL), 0);
  EXPECT_EQ(p_o->getSolidness(), SPECTRAL);
  // Once the game is over, failures pass.
  GameManager::getInstance().setGameOver(true);
  EXPECT_EQ(p_o->setVisible(false), 0);
  EXPECT_FALSE(p_o->isVisible());
  GameManager::getInstance().setGameOver(false);
  // Filed again, by its present attributes, so that its deletion finds it.
  ASSERT_EQ(graph.insertObject(p_o), 0);
  EXPECT_EQ(filing(p_o), "objects type");
  Lines log = closedLog();
  ASSERT_EQ(log.size(), 7u);
  const std::string removal = "SceneGraph::removeObject(): Error removing Object (id " +
                              toString(p_o->getId()) + ")! Pointer is ";
  EXPECT_EQ(log[3].substr(0, removal.size()), removal);
  log.erase(log.begin() + 3);
  EXPECT_EQ(log,
            (Lines{"SceneGraph::visibleObjects(): Warning! altitude 7 not in [0,4].",
                   "SceneGraph::visibleObjects(): Warning! altitude -1 not in [0,4].",
                   "SceneGraph::updateAltitude(): New altitude 5 not in [0,4]!  No update.",
                   "SceneGraph::updateVisible(): unable to remove visible object (A)",
                   "SceneGraph::updateAltitude(): remove from old altitude (2) failed!",
                   "SceneGraph::updateSolidness(): unable to remove solid object (A)"}));
}

/// A random world driven step by step: objects of many sizes move,
/// change solidness, activity, visibility, altitude and box, leave the
/// world and come back, and are made and deleted, some by their own
/// collision handlers. Everything they hear and every query asked on
/// the way is written down, so that two runs can be compared.
class RandomWorld {
 public:
  RandomWorld(unsigned seed, bool grid) : random(seed) {
    WorldManager& world = WorldManager::getInstance();
    world.getSceneGraph().setSpatialIndex(grid);
    world.setBoundary(Box(Vector(0, 0), 60, 40));
    for (int i = 0; i < 30; i++) spawn();
  }
  ~RandomWorld() { for (Walker* p_w : std::vector<Walker*>(live)) delete p_w; }

  /// One frame: random changes, queries at random places, an update.
  void step() {
    const SceneGraph& graph = WorldManager::getInstance().getSceneGraph();
    for (int i = 0; i < 12 && !live.empty(); i++) change(pick());
    for (int i = 0; i < 20 && !live.empty(); i++) {
      const Walker* p_w = pick();
      const Vector where(number(-10, 70), number(-10, 50));
      const ObjectList found = graph.solidObjectsAt(p_w, where);
      if (graph.hasSpatialIndex()) {
        EXPECT_EQ(entries(found), entries(graph.scanSolidObjectsAt(p_w, where)))
            << "object " << p_w->getId() << " at " << test::str(where);
      }
      record("query " + toString(p_w->getId()) + " " + test::str(where) + ":" + ids(found));
    }
    WorldManager::getInstance().update();
  }
  Lines log;

 private:
  class Walker : public Object {
   public:
    explicit Walker(RandomWorld* p_init_world) : p_world(p_init_world) {
      p_world->live.push_back(this);
    }
    ~Walker() override {
      auto& live = p_world->live;
      live.erase(std::find(live.begin(), live.end(), this));
    }
    int eventHandler(const Event* p_e) override {
      std::string text = toString(getId()) + " hears " + p_e->getType();
      if (p_e->getType() == COLLISION_EVENT) {
        const auto* p_c = static_cast<const EventCollision*>(p_e);
        text += " " + toString(p_c->getObject1()->getId()) + "/" +
                toString(p_c->getObject2()->getId()) + " " + test::str(p_c->getPosition());
        // Some collisions change the world from inside the update.
        const int roll = p_world->whole(0, 9);
        if (roll == 0) WorldManager::getInstance().markForDelete(this);
        if (roll == 1) setSolidness(SPECTRAL);
        if (roll == 2 && p_world->live.size() < 60) p_world->spawn();
      }
      p_world->record(text);
      return 1;
    }

   private:
    RandomWorld* p_world;
  };

  float number(float low, float high) {
    return std::uniform_real_distribution<float>(low, high)(random);
  }
  int whole(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
  Walker* pick() { return live[static_cast<std::size_t>(whole(0, static_cast<int>(live.size()) - 1))]; }
  void record(const std::string& text) { log.push_back(text); }
  std::string ids(const ObjectList& list) {
    std::string text;
    for (const Object* p_o : entries(list)) text += " " + toString(p_o->getId());
    return text;
  }

  Box randomBox() {
    switch (whole(0, 4)) {
      case 0: return Box(Vector(-0.5f, -0.5f), 0.99f, 0.99f);
      case 1: return Box(Vector(0, 0), 0, 0);
      case 2: return Box(Vector(-number(0, 3), -number(0, 3)), number(0, 8), number(0, 8));
      case 3: return Box(Vector(-40, 0), number(60, 400), 1);  // a long floor
      default: return Box(Vector(0, 0), -number(0, 3), 2);     // inside out
    }
  }
  Vector randomPlace() {
    switch (whole(0, 5)) {
      case 0: return Vector(number(-5e7f, 5e7f), number(-1e3f, 1e3f));  // far out
      case 1: return Vector(number(-20, 0), number(-20, 60));            // just outside
      default: return Vector(number(0, 60), number(0, 40));
    }
  }
  void spawn() {
    auto* p_w = new Walker(this);
    p_w->setBox(randomBox());
    p_w->setPosition(randomPlace());
    p_w->setVelocity(Vector(number(-2, 2), number(-2, 2)));
    p_w->setSolidness(static_cast<Solidness>(whole(0, 2)));
    p_w->setNoSoft(whole(0, 3) == 0);
    p_w->setAvoidCollisions(whole(0, 3) == 0);
    record("spawn " + toString(p_w->getId()));
  }
  void change(Walker* p_w) {
    switch (whole(0, 9)) {
      case 0: p_w->setPosition(randomPlace()); break;
      case 1: p_w->setBox(randomBox()); break;
      case 2: p_w->setSolidness(static_cast<Solidness>(whole(0, 2))); break;
      case 3: p_w->setActive(!p_w->isActive()); break;
      case 4: p_w->setVisible(!p_w->isVisible()); break;
      case 5: p_w->setAltitude(whole(0, MAX_ALTITUDE)); break;
      case 6: WorldManager::getInstance().markForDelete(p_w); break;
      case 7: spawn(); break;
      default: p_w->setVelocity(Vector(number(-3, 3), number(-3, 3))); break;
    }
  }

  std::mt19937 random;
  std::vector<Walker*> live;
};

TEST_F(SceneGraphTest, TheGridAnswersEveryQueryAsTheScanDoesInRandomWorlds) {
  for (unsigned seed = 1; seed <= 24; seed++) {
    Lines logs[2];
    for (const bool grid : {false, true}) {
      Object::resetIdCounter();
      RandomWorld world(seed, grid);
      for (int i = 0; i < 40; i++) world.step();
      logs[grid] = world.log;
    }
    ASSERT_EQ(logs[0], logs[1]) << "seed " << seed;
  }
}

}  // namespace
}  // namespace mo
