#include "game/LedgeGuard.h"

#include <gtest/gtest.h>

#include "game/Enemy.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

class LedgeGuardTest : public test::GameTest {
 protected:
  /// A guard set up as the level loader sets it up.
  static LedgeGuard* guard(Vector where) {
    LedgeGuard* p_guard = new LedgeGuard;
    p_guard->setType("LedgeGuard");
    p_guard->setPosition(where);
    p_guard->setSolidness(mo::SOFT);
    p_guard->setVisible(false);
    return p_guard;
  }
  static void touch(LedgeGuard* p_guard, Enemy* p_enemy) {
    mo::EventCollision collision(p_enemy, p_guard, p_enemy->getPosition());
    p_guard->eventHandler(&collision);
  }
};

TEST_F(LedgeGuardTest, TurnsAnEnemyThatIsNotFightingAtMostOnceInThirtySteps) {
  LedgeGuard* p_guard = guard(Vector(50, 20));
  Enemy* p_enemy = new Enemy(Vector(100, 20), nullptr, false);  // nobody to face
  // Each row: steps first, the enemy's facing and x after a touch.
  const struct {
    int steps;
    Facing facing;
    float x;
  } rows[] = {{29, FACE_LEFT, 100},   {1, FACE_RIGHT, 100.5f}, {29, FACE_RIGHT, 100.5f},
              {1, FACE_LEFT, 100},    {0, FACE_LEFT, 100}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.steps << " steps, then at " << row.x);
    for (int i = 0; i < row.steps; i++) step();
    touch(p_guard, p_enemy);
    EXPECT_EQ(p_enemy->getFacing(), row.facing);
    EXPECT_FLOAT_EQ(p_enemy->getPosition().getX(), row.x);
    EXPECT_EQ(p_enemy->getAnimation().getName(), "enemy-left");  // the sprite stays
  }
  EXPECT_FALSE(p_enemy->isHolding());
  mo::Object* p_other = new mo::Object;  // only enemies count
  mo::EventCollision collision(p_other, p_guard, Vector(50, 20));
  EXPECT_EQ(p_guard->eventHandler(&collision), 1);
  EXPECT_EQ(p_enemy->getTurnCooldown(), 30);
}

TEST_F(LedgeGuardTest, AnEngagedEnemyHoldsAtItAndShootsWhereverThePlayerGoes) {
  Player* p_player = new Player;
  p_player->setPosition(Vector(100, 50));
  p_player->setActive(false);  // a target that neither falls nor steps
  guard(Vector(108, 51));
  Enemy* p_enemy = new Enemy(Vector(114, 50), p_player, false);
  for (int i = 0; i < 30 && !p_enemy->isHolding(); i++) step();  // 0.25 a step, into the guard
  ASSERT_TRUE(p_enemy->isHolding());
  const Vector held = p_enemy->getPosition();
  EXPECT_LE(held.getX() - 1.5f, 108.5f);  // its box touches the guard's
  p_player->setPosition(Vector(10, 50));  // far beyond every range
  for (int i = 0; i < 120; i++) step();
  EXPECT_EQ(p_enemy->getPosition(), held);
  EXPECT_TRUE(p_enemy->isEngaged());
  EXPECT_EQ(count("Bullet"), 2);  // on steps 60 and 120
}

}  // namespace
}  // namespace gh
