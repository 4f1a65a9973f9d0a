// getWorldBox, worldToView, viewToWorld and getNormal: the utilities
// that need objects or the world's view.

#include <gtest/gtest.h>

#include <string>

#include "engine/core/LogManager.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"
#include "worldHelpers.h"

namespace mo {
namespace {

using test::str;

/// getNormal for an object with box at from moving by velocity towards
/// an obstacle with obstacle_box at obstacle_at (objects outside a world).
std::string normal(Vector from, Vector velocity, Vector obstacle_at,
                   Box obstacle_box = Box(Vector(-0.5f, -0.5f), 0.99f, 0.99f)) {
  Object moving;
  Object obstacle;
  moving.setPosition(from);
  moving.setVelocity(velocity);
  obstacle.setPosition(obstacle_at);
  obstacle.setBox(obstacle_box);
  return str(getNormal(&moving, &obstacle));
}

using GeometryTest = test::EngineTest;

TEST_F(GeometryTest, WorldBoxIsTheBoxMovedByThePositionAndViewCoordinatesByTheViewCorner) {
  Object o;
  o.setPosition(Vector(10, 4));
  EXPECT_EQ(str(getWorldBox(&o).getCorner()), "(9.5,3.5)");
  o.setBox(Box(Vector(-2, 1), 4, 3));
  EXPECT_EQ(getWorldBox(&o), Box(Vector(8, 5), 4, 3));
  // Placed elsewhere: only the corner follows; the object stays put.
  EXPECT_EQ(getWorldBox(&o, Vector(-1, 0)), Box(Vector(-3, 1), 4, 3));
  EXPECT_EQ(o.getPosition(), Vector(10, 4));
  WorldManager::getInstance().setView(Box(Vector(20, 8), 80, 24));
  EXPECT_EQ(worldToView(Vector(25, 10)), Vector(5, 2));
  EXPECT_EQ(worldToView(Vector(0, 0)), Vector(-20, -8));
  EXPECT_EQ(viewToWorld(Vector(5, 2)), Vector(25, 10));
}

TEST_F(GeometryTest, NormalPointsBackAtTheSideOrCornerTheMoverHit) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  EXPECT_EQ(normal(Vector(5, 3), Vector(0, 1), Vector(5, 4.5f)), "(0,-1)");  // on top
  EXPECT_EQ(normal(Vector(5, 6), Vector(0, -1), Vector(5, 4.5f)), "(0,1)");   // underside
  EXPECT_EQ(normal(Vector(3, 5), Vector(1, 0), Vector(4.5f, 5)), "(-1,0)");   // left side
  EXPECT_EQ(normal(Vector(6, 5), Vector(-1, 0), Vector(4.5f, 5)), "(1,0)");   // right side
  EXPECT_EQ(normal(Vector(3, 3), Vector(1, 1), Vector(4.5f, 4.5f)), "(-1,-1)");  // corner
  // A floor 20 cells wide: the side boxes have the floor's size, so a
  // mover far from the floor's corner still finds the top side.
  EXPECT_EQ(normal(Vector(15, 8.9f), Vector(0.5f, 0.5f), Vector(0, 10),
                   Box(Vector(0, -0.5f), 20, 1)),
            "(0,-1)");
  // Standing still far from the obstacle: backing off finds no side.
  EXPECT_EQ(normal(Vector(1, 1), Vector(0, 0), Vector(10, 10)), "(0,0)");
  EXPECT_EQ(closedLog(), test::Lines{"getNormal(): collision not detected. Returning (0,0)."});
}

}  // namespace
}  // namespace mo
