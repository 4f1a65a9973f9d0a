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
    return p_guard;
  }
};

TEST_F(LedgeGuardTest, TurnsAnEnemyThatIsNotFightingAtMostOnceInThirtySteps) {
  LedgeGuard* p_guard = guard(Vector(50, 20));
  Enemy* p_enemy = new Enemy(Vector(100, 20), nullptr, false);  // nobody to turn to
  mo::EventCollision touch(p_enemy, p_guard, Vector(100, 20));
  // Steps before each touch, and the enemy's x after it: 100.5 once it
  // turned right and stepped, 100 again once it turned back left.
  const int steps[] = {29, 1, 29, 1, 0};
  const float xs[] = {100, 100.5f, 100.5f, 100, 100};
  for (int row = 0; row < 5; row++) {
    step(steps[row]);
    p_guard->eventHandler(&touch);
    EXPECT_EQ(p_enemy->getPosition().getX(), xs[row]) << row;
    EXPECT_EQ(p_enemy->getFacing(), xs[row] > 100 ? FACE_RIGHT : FACE_LEFT) << row;
  }
  EXPECT_EQ(p_enemy->getAnimation().getName(), "enemy-left");  // the sprite stays
  EXPECT_FALSE(p_enemy->isHolding());
}

TEST_F(LedgeGuardTest, AnEngagedEnemyHoldsAtItAndShootsWhereverThePlayerGoes) {
  Player* p_player = newPlayer();
  p_player->setActive(false);  // a target that neither falls nor steps
  guard(Vector(108, 51));
  Enemy* p_enemy = new Enemy(Vector(114, 50), p_player, false);
  for (int i = 0; i < 30 && !p_enemy->isHolding(); i++) step();  // into the guard
  ASSERT_TRUE(p_enemy->isHolding());
  const Vector held = p_enemy->getPosition();
  p_player->setPosition(Vector(10, 50));  // beyond every range
  step(120);
  EXPECT_EQ(p_enemy->getPosition(), held);
  EXPECT_TRUE(p_enemy->isEngaged());
  EXPECT_EQ(count("Bullet"), 2);  // on its steps 60 and 120
}

}  // namespace
}  // namespace gh
