#include "engine/world/SceneGraph.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
using Lines = std::vector<std::string>;
using Objects = std::vector<Object*>;

Objects entries(const ObjectList& list) {
  Objects result;
  for (ObjectListIterator li(&list); !li.isDone(); li.next()) result.push_back(li.currentObject());
  return result;
}

int occurrences(const ObjectList& list, const Object* p_o) {
  int n = 0;
  for (ObjectListIterator li(&list); !li.isDone(); li.next()) {
    if (li.currentObject() == p_o) n++;
  }
  return n;
}

/// A new object of the given type at the given place, in the world.
Object* make(const std::string& type, Vector where = Vector(5, 5)) {
  auto* p_o = new Object;
  p_o->setType(type);
  p_o->setPosition(where);
  return p_o;
}

class SceneGraphTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    // Made before the world starts, the probe is in no list; its box
    // covers the whole plane, so the collision query around it returns
    // the whole solid list.
    p_probe = new Object;
    p_probe->setBox(Box(Vector(-1e6f, -1e6f), 2e6f, 2e6f));
    ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  void TearDown() override {
    delete p_probe;
    EngineTest::TearDown();
  }
  /// The log's messages; the level goes back to 0 first so that the
  /// log's own closing line stays out.
  Lines closedLog() {
    LogManager::getInstance().setLogLevel(0);
    LogManager::getInstance().shutDown();
    return logMessages();
  }
  ObjectList solidObjects() const { return graph.solidObjectsAt(p_probe, Vector(0, 0)); }
  /// The lists that hold p_o, e.g. "objects type solid visible2"; a list
  /// that holds it twice is named twice.
  std::string filing(const Object* p_o, const std::string& type) const {
    std::string text;
    auto add = [&](const ObjectList& list, const std::string& name) {
      for (int n = occurrences(list, p_o); n > 0; n--) text += (text.empty() ? "" : " ") + name;
    };
    add(graph.activeObjects(), "objects");
    add(graph.objectsOfType(type), "type");
    add(solidObjects(), "solid");
    for (int a = 0; a <= MAX_ALTITUDE; a++) add(graph.visibleObjects(a), "visible" + toString(a));
    add(graph.inactiveObjects(), "inactive");
    return text;
  }

  SceneGraph& graph = WorldManager::getInstance().getSceneGraph();
  Object* p_probe = nullptr;
};

// --- filing by attributes --------------------------------------------

TEST_F(SceneGraphTest, NewObjectIsFiledAsActiveSolidVisibleAtAltitudeTwo) {
  Object* p_o = new Object;
  EXPECT_EQ(filing(p_o, "(Undefined)"), "objects type solid visible2");
}

TEST_F(SceneGraphTest, DeactivatingLeavesOnlyTheInactiveListAndReactivatingRestoresAll) {
  Object* p_floor = make("Floor");
  ASSERT_EQ(filing(p_floor, "Floor"), "objects type solid visible2");
  EXPECT_EQ(filing(p_floor, "(Undefined)"), "objects solid visible2");

  EXPECT_EQ(p_floor->setActive(false), 0);
  EXPECT_EQ(filing(p_floor, "Floor"), "inactive");
  EXPECT_EQ(p_floor->setActive(true), 0);
  EXPECT_EQ(filing(p_floor, "Floor"), "objects type solid visible2");
  EXPECT_EQ(closedLog(), Lines{});
}

TEST_F(SceneGraphTest, InvisibleOrSpectralObjectsStayOutOfThoseListsThroughActivity) {
  Object* p_ghost = make("Ghost");
  ASSERT_EQ(p_ghost->setVisible(false), 0);
  ASSERT_EQ(p_ghost->setSolidness(SPECTRAL), 0);
  EXPECT_EQ(filing(p_ghost, "Ghost"), "objects type");
  ASSERT_EQ(p_ghost->setActive(false), 0);
  EXPECT_EQ(filing(p_ghost, "Ghost"), "inactive");
  ASSERT_EQ(p_ghost->setActive(true), 0);
  EXPECT_EQ(filing(p_ghost, "Ghost"), "objects type");
}

TEST_F(SceneGraphTest, ChangesMadeWhileInactiveAreFiledOnReactivation) {
  Object* p_o = make("Crate");
  ASSERT_EQ(p_o->setActive(false), 0);
  EXPECT_EQ(p_o->setAltitude(4), 0);
  EXPECT_EQ(p_o->setSolidness(SPECTRAL), 0);
  EXPECT_EQ(p_o->setVisible(false), 0);
  EXPECT_EQ(p_o->setVisible(true), 0);
  EXPECT_EQ(filing(p_o, "Crate"), "inactive");
  ASSERT_EQ(p_o->setActive(true), 0);
  EXPECT_EQ(filing(p_o, "Crate"), "objects type visible4");
}

TEST_F(SceneGraphTest, TypeChangeOfInactiveObjectIsReportedYetFiledOnReactivation) {
  Object* p_o = make("Crate");
  ASSERT_EQ(p_o->setActive(false), 0);
  p_o->setType("Barrel");
  EXPECT_EQ(p_o->getType(), "Barrel");
  ASSERT_EQ(p_o->setActive(true), 0);
  EXPECT_EQ(filing(p_o, "Barrel"), "objects type solid visible2");
  EXPECT_TRUE(graph.objectsOfType("Crate").isEmpty());
  EXPECT_EQ(closedLog(), Lines{"SceneGraph::updateType(): Error! Unable to remove Object (" +
                               toString(p_o->getId()) + ") type Crate"});
}

TEST_F(SceneGraphTest, TypeChangeMovesBetweenTypeEntriesKeepingTheOthers) {
  Object* p_a = make("Enemy");
  Object* p_b = make("Enemy");
  p_a->setType("Player");
  EXPECT_EQ(entries(graph.objectsOfType("Enemy")), Objects{p_b});
  EXPECT_EQ(entries(graph.objectsOfType("Player")), Objects{p_a});
  EXPECT_TRUE(graph.objectsOfType("Nobody").isEmpty());
}

// --- solidness -------------------------------------------------------

TEST_F(SceneGraphTest, SpectralLeavesTheSolidListAndSoftReturnsToItsEnd) {
  Object* p_a = make("A");
  Object* p_b = make("B");
  ASSERT_EQ(entries(solidObjects()), (Objects{p_a, p_b}));
  EXPECT_EQ(p_a->setSolidness(SPECTRAL), 0);
  EXPECT_EQ(entries(solidObjects()), Objects{p_b});
  EXPECT_EQ(p_a->setSolidness(SOFT), 0);
  EXPECT_EQ(entries(solidObjects()), (Objects{p_b, p_a}));
  EXPECT_EQ(filing(p_a, "A"), "objects type solid visible2");
}

TEST_F(SceneGraphTest, HardToSoftAndBackTouchesNoList) {
  Object* p_a = make("A");
  Object* p_b = make("B");
  EXPECT_EQ(p_a->setSolidness(SOFT), 0);
  EXPECT_EQ(entries(solidObjects()), (Objects{p_a, p_b}));
  EXPECT_EQ(p_a->setSolidness(HARD), 0);
  EXPECT_EQ(entries(solidObjects()), (Objects{p_a, p_b}));
}

// --- visibility and altitude -----------------------------------------

TEST_F(SceneGraphTest, AltitudeMovesAVisibleObjectBetweenLayers) {
  Object* p_a = make("A");
  Object* p_b = make("B");
  EXPECT_EQ(p_a->setAltitude(0), 0);
  EXPECT_EQ(entries(graph.visibleObjects(0)), Objects{p_a});
  EXPECT_EQ(entries(graph.visibleObjects(2)), Objects{p_b});
  EXPECT_EQ(p_a->setAltitude(2), 0);
  EXPECT_EQ(entries(graph.visibleObjects(2)), (Objects{p_b, p_a}));
  EXPECT_TRUE(graph.visibleObjects(0).isEmpty());
}

TEST_F(SceneGraphTest, InvisibleObjectGivenAnAltitudeIsFiledThereWhenShown) {
  Object* p_o = make("A");
  ASSERT_EQ(p_o->setVisible(false), 0);
  EXPECT_EQ(filing(p_o, "A"), "objects type solid");
  EXPECT_EQ(p_o->setAltitude(3), 0);
  EXPECT_EQ(filing(p_o, "A"), "objects type solid");
  EXPECT_EQ(p_o->setVisible(true), 0);
  EXPECT_EQ(filing(p_o, "A"), "objects type solid visible3");
}

TEST_F(SceneGraphTest, VisibleListOutsideTheAltitudesIsEmptyWithAWarning) {
  make("A");
  EXPECT_TRUE(graph.visibleObjects(7).isEmpty());
  EXPECT_TRUE(graph.visibleObjects(-1).isEmpty());
  EXPECT_EQ(closedLog(), (Lines{"SceneGraph::visibleObjects(): Warning! altitude 7 not in [0,4].",
                               "SceneGraph::visibleObjects(): Warning! altitude -1 not in [0,4]."}));
}

TEST_F(SceneGraphTest, AltitudeUpdateOutOfRangeIsRefusedByTheGraphItself) {
  Object* p_o = make("A");
  EXPECT_EQ(graph.updateAltitude(p_o, 5), -1);
  EXPECT_EQ(filing(p_o, "A"), "objects type solid visible2");
  EXPECT_EQ(closedLog(),
            Lines{"SceneGraph::updateAltitude(): New altitude 5 not in [0,4]!  No update."});
}

// --- collision query -------------------------------------------------

TEST_F(SceneGraphTest, CollisionQueryFindsOnlyOtherActiveSolidObjects) {
  Object* p_mover = make("Mover");
  Object* p_hard = make("Hard");
  Object* p_soft = make("Soft");
  Object* p_sleeping = make("Sleeping");
  Object* p_ghost = make("Ghost");
  make("Far", Vector(9, 5));
  p_soft->setSolidness(SOFT);
  p_sleeping->setActive(false);
  p_ghost->setSolidness(SPECTRAL);
  EXPECT_EQ(entries(graph.solidObjectsAt(p_mover, Vector(5, 5))), (Objects{p_hard, p_soft}));
  // The mover itself is never found, not even when it is spectral.
  EXPECT_EQ(entries(graph.solidObjectsAt(p_hard, Vector(5, 5))), (Objects{p_mover, p_soft}));
  EXPECT_EQ(entries(graph.solidObjectsAt(p_ghost, Vector(5, 5))),
            (Objects{p_mover, p_hard, p_soft}));
}

TEST_F(SceneGraphTest, CollisionQueryUsesTheMoversBoxAtTheGivenPlace) {
  Object* p_mover = make("Mover", Vector(0, 0));
  Object* p_right = make("Right", Vector(6, 5));
  // Default boxes are 0.99 wide: touching edges count, a gap does not.
  EXPECT_EQ(entries(graph.solidObjectsAt(p_mover, Vector(5.01f, 5))), Objects{p_right});
  EXPECT_TRUE(graph.solidObjectsAt(p_mover, Vector(4.99f, 5)).isEmpty());
  p_mover->setBox(Box(Vector(0, 0), 3, 1));
  EXPECT_EQ(entries(graph.solidObjectsAt(p_mover, Vector(3, 5))), Objects{p_right});
}

// --- failures --------------------------------------------------------

TEST_F(SceneGraphTest, RemovingAnUnfiledObjectReportsItsIdAndPointer) {
  Object* p_o = make("A");
  ASSERT_EQ(graph.removeObject(p_o), 0);
  EXPECT_EQ(filing(p_o, "A"), "");
  EXPECT_EQ(graph.removeObject(p_o), -1);
  ASSERT_EQ(graph.insertObject(p_o), 0);
  EXPECT_EQ(filing(p_o, "A"), "objects type solid visible2");
  const Lines log = closedLog();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].rfind("SceneGraph::removeObject(): Error removing Object (id " +
                             toString(p_o->getId()) + ")! Pointer is ",
                         0),
            0u);
}

TEST_F(SceneGraphTest, SetterFailuresCountWhileTheGameRunsAndPassOnceItIsOver) {
  Object* p_o = make("A");
  // Taken out of every list behind its back, the object's list updates
  // fail.
  ASSERT_EQ(graph.removeObject(p_o), 0);
  EXPECT_EQ(p_o->setVisible(false), -1);
  EXPECT_TRUE(p_o->isVisible());
  EXPECT_EQ(p_o->setAltitude(3), -1);
  EXPECT_EQ(p_o->getAltitude(), 2);
  // A solid object missing from the solid list is reported, not refused.
  EXPECT_EQ(p_o->setSolidness(SPECTRAL), 0);
  EXPECT_EQ(p_o->getSolidness(), SPECTRAL);

  GameManager::getInstance().setGameOver(true);
  EXPECT_EQ(p_o->setVisible(false), 0);
  EXPECT_FALSE(p_o->isVisible());
  GameManager::getInstance().setGameOver(false);
  // Filed again, by its present attributes, so that its deletion finds it.
  ASSERT_EQ(graph.insertObject(p_o), 0);
  EXPECT_EQ(filing(p_o, "A"), "objects type");

  EXPECT_EQ(closedLog(), (Lines{
                             "SceneGraph::updateVisible(): unable to remove visible object (A)",
                             "SceneGraph::updateAltitude(): remove from old altitude (2) failed!",
                             "SceneGraph::updateSolidness(): unable to remove solid object (A)",
                         }));
}

// --- lifecycle -------------------------------------------------------

TEST_F(SceneGraphTest, StartUpAnnouncesTheSimpleConfiguration) {
  LogManager::getInstance().setLogLevel(1);
  EXPECT_EQ(graph.startUp(), 0);
  EXPECT_EQ(closedLog(), Lines{"Scenegraph configuration: SIMPLE"});
}

}  // namespace
}  // namespace mo
