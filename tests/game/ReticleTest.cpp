#include "game/Reticle.h"

#include <gtest/gtest.h>

#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

using ReticleTest = test::GameTest;

TEST_F(ReticleTest, FollowsMouseMovesOnlyInWorldCellsAndDrawsAPlusInItsColour) {
  Reticle* p_reticle = new Reticle;
  EXPECT_EQ(p_reticle->getPosition(), Vector(200, 42));
  mo::WorldManager::getInstance().setViewPosition(Vector(100, 30));  // corner (60,18)
  // Each row: action, mouse position (view cells), reticle after.
  const struct {
    mo::MouseAction action;
    Vector mouse;
    Vector after;
  } rows[] = {{mo::MOVED, Vector(5, 7), Vector(65, 25)},
              {mo::CLICKED, Vector(9, 9), Vector(65, 25)},
              {mo::PRESSED, Vector(9, 9), Vector(65, 25)},
              {mo::MOVED, Vector(3, 2), Vector(63, 20)}};
  for (const auto& row : rows) {
    mouse(row.action, mo::LEFT, row.mouse);
    EXPECT_EQ(p_reticle->getPosition(), row.after) << row.action;
  }
  p_reticle->setColor(mo::CYAN);
  const mo::CharGrid grid = drawn();
  EXPECT_EQ(grid.toString(), "\n\n   +\n");
  EXPECT_EQ(grid.colorAt(3, 2), mo::CYAN);
}

}  // namespace
}  // namespace gh
