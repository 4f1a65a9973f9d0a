// getWorldBox, worldToView, viewToWorld and getNormal: the utilities
// that need objects or the world's view.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::EngineTest;
using Lines = std::vector<std::string>;

std::string str(Vector v) { return "(" + toString(v.getX()) + "," + toString(v.getY()) + ")"; }

std::string str(Box b) {
  return str(b.getCorner()) + " " + toString(b.getHorizontal()) + "x" +
         toString(b.getVertical());
}

// The objects here live outside a started world: no list bookkeeping.
class GeometryTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  /// The log's messages; the level goes back to 0 first so that the
  /// log's own closing line stays out.
  Lines closedLog() {
    LogManager::getInstance().setLogLevel(0);
    LogManager::getInstance().shutDown();
    return logMessages();
  }
  /// getNormal for a default-sized object at from moving by velocity
  /// towards a default-sized obstacle at obstacle_at.
  std::string normal(Vector from, Vector velocity, Vector obstacle_at) {
    Object moving;
    Object obstacle;
    moving.setPosition(from);
    moving.setVelocity(velocity);
    obstacle.setPosition(obstacle_at);
    return str(getNormal(&moving, &obstacle));
  }
};

// --- world boxes -----------------------------------------------------

TEST_F(GeometryTest, WorldBoxIsTheBoxMovedByThePosition) {
  Object o;
  o.setPosition(Vector(10, 4));
  EXPECT_EQ(str(getWorldBox(&o)), "(9.5,3.5) 0.99x0.99");
  o.setBox(Box(Vector(-2, 1), 4, 3));
  EXPECT_EQ(getWorldBox(&o), Box(Vector(8, 5), 4, 3));
  // Placed elsewhere: only the corner follows; the object stays put.
  EXPECT_EQ(getWorldBox(&o, Vector(-1, 0)), Box(Vector(-3, 1), 4, 3));
  EXPECT_EQ(o.getPosition(), Vector(10, 4));
}

// --- view coordinates ------------------------------------------------

TEST_F(GeometryTest, ViewAndWorldCoordinatesDifferByTheViewCorner) {
  WorldManager::getInstance().setView(Box(Vector(20, 8), 80, 24));
  EXPECT_EQ(worldToView(Vector(25, 10)), Vector(5, 2));
  EXPECT_EQ(worldToView(Vector(0, 0)), Vector(-20, -8));
  EXPECT_EQ(viewToWorld(Vector(5, 2)), Vector(25, 10));
  EXPECT_EQ(viewToWorld(worldToView(Vector(33.5f, 7.25f))), Vector(33.5f, 7.25f));
}

TEST_F(GeometryTest, ViewAtOriginLeavesCoordinatesAlone) {
  WorldManager::getInstance().setView(Box(Vector(0, 0), 80, 24));
  EXPECT_EQ(worldToView(Vector(7, 3)), Vector(7, 3));
  EXPECT_EQ(viewToWorld(Vector(7, 3)), Vector(7, 3));
}

// --- collision normal ------------------------------------------------

TEST_F(GeometryTest, NormalOfLandingOnTopPointsUp) {
  EXPECT_EQ(normal(Vector(5, 3), Vector(0, 1), Vector(5, 4.5f)), "(0,-1)");
}

TEST_F(GeometryTest, NormalOfHittingTheUndersidePointsDown) {
  EXPECT_EQ(normal(Vector(5, 6), Vector(0, -1), Vector(5, 4.5f)), "(0,1)");
}

TEST_F(GeometryTest, NormalOfHittingTheSidesPointsBackTheWayItCame) {
  EXPECT_EQ(normal(Vector(3, 5), Vector(1, 0), Vector(4.5f, 5)), "(-1,0)");
  EXPECT_EQ(normal(Vector(6, 5), Vector(-1, 0), Vector(4.5f, 5)), "(1,0)");
}

TEST_F(GeometryTest, NormalOfADiagonalHitOnACornerIsDiagonal) {
  EXPECT_EQ(normal(Vector(3, 3), Vector(1, 1), Vector(4.5f, 4.5f)), "(-1,-1)");
}

TEST_F(GeometryTest, NormalOfAWideFloorUsesTheObstaclesOwnBox) {
  // A floor 20 cells wide: the side test boxes have the floor's size, so
  // a mover far from the floor's corner still finds the top side.
  Object moving;
  Object floor;
  moving.setPosition(Vector(15, 8.9f));
  moving.setVelocity(Vector(0.5f, 0.5f));
  floor.setBox(Box(Vector(0, -0.5f), 20, 1));
  floor.setPosition(Vector(0, 10));
  EXPECT_EQ(str(getNormal(&moving, &floor)), "(0,-1)");
  EXPECT_EQ(closedLog(), Lines{});
}

TEST_F(GeometryTest, NoSideTouchedGivesZeroAndALogLine) {
  // Standing still far from the obstacle: backing off finds no side.
  EXPECT_EQ(normal(Vector(1, 1), Vector(0, 0), Vector(10, 10)), "(0,0)");
  EXPECT_EQ(closedLog(), Lines{"getNormal(): collision not detected. Returning (0,0)."});
}

}  // namespace
}  // namespace mo
