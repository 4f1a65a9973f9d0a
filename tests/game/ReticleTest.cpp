#include "game/Reticle.h"

#include <gtest/gtest.h>

#include "game/Player.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

using ReticleTest = test::GameTest;

TEST_F(ReticleTest, StartsMidViewFollowsMouseMovesOnlyAndDrawsAPlusInItsColour) {
  Reticle* p_reticle = new Reticle;
  EXPECT_EQ(p_reticle->getPosition(), Vector(40, 12));  // no pointer known headless
  mo::WorldManager::getInstance().setViewPosition(Vector(100, 30));  // corner (60,18)
  step();
  EXPECT_EQ(p_reticle->getPosition(), Vector(100, 30));
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

// The view follows the player through every walk, fall and jump; the
// mark must stay at the pointer's cell of the view on every frame drawn.
TEST_F(ReticleTest, StaysUnderThePointerWhileThePlayerScrollsTheView) {
  Player* p_player = newPlayer(Vector(100, 40));
  pieces("Floor", "floor", 90, 130, 50);
  const Vector pointer(7, 3);
  mouse(mo::MOVED, mo::UNDEFINED_MOUSE_BUTTON, pointer);
  const Vector first_corner = mo::WorldManager::getInstance().getView().getCorner();
  for (int frame = 0; frame < 40; frame++) {
    if (frame == 20) key(mo::SPACE, mo::KEY_PRESSED);
    if (frame % 2 == 0) key(mo::D, mo::KEY_DOWN);
    tick();
    const mo::CharGrid grid = drawn();
    ASSERT_EQ(grid.charAt(7, 3), '+') << "frame " << frame;
    ASSERT_EQ(p_player->getReticle()->getPosition(), mo::viewToWorld(pointer)) << frame;
  }
  EXPECT_NE(mo::WorldManager::getInstance().getView().getCorner(), first_corner);
}

}  // namespace
}  // namespace gh
