#include "engine/world/SceneGraph.h"

#include <gtest/gtest.h>

#include <string>

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
  EXPECT_EQ(p_o->setAltitude(4), 0);
  EXPECT_EQ(p_o->setSolidness(SPECTRAL), 0);
  EXPECT_EQ(p_o->setVisible(false), 0);
  EXPECT_EQ(filing(p_o), "inactive");
  ASSERT_EQ(p_o->setActive(true), 0);
  EXPECT_EQ(filing(p_o), "objects type");
  ASSERT_EQ(p_o->setActive(false), 0);
  EXPECT_EQ(p_o->setVisible(true), 0);
  EXPECT_EQ(p_o->setSolidness(SOFT), 0);
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
  EXPECT_EQ(p_a->setSolidness(SOFT), 0);
  EXPECT_EQ(entries(solidObjects()), (Objects{p_a, p_b}));
  EXPECT_EQ(p_a->setSolidness(SPECTRAL), 0);
  EXPECT_EQ(entries(solidObjects()), Objects{p_b});
  EXPECT_EQ(p_a->setSolidness(HARD), 0);
  EXPECT_EQ(entries(solidObjects()), (Objects{p_b, p_a}));

  EXPECT_EQ(p_a->setAltitude(0), 0);
  EXPECT_EQ(entries(graph.visibleObjects(0)), Objects{p_a});
  EXPECT_EQ(entries(graph.visibleObjects(2)), Objects{p_b});
  EXPECT_EQ(p_a->setAltitude(2), 0);
  EXPECT_EQ(entries(graph.visibleObjects(2)), (Objects{p_b, p_a}));
  EXPECT_TRUE(graph.visibleObjects(0).isEmpty());
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

}  // namespace
}  // namespace mo
