#include "game/Bullet.h"

#include <gtest/gtest.h>

#include "game/Chest.h"
#include "game/Enemy.h"
#include "game/Floor.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

class BulletTest : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    p_player = new Player;
    p_player->setPosition(Vector(100, 50));
  }
  /// World updates without steps: nothing but the bullets moves.
  static void fly(int frames) {
    for (int i = 0; i < frames; i++) mo::WorldManager::getInstance().update();
  }
  /// A bullet of the given side flying from where at velocity; an enemy
  /// shooter stands out of the way.
  Bullet* shot(bool from_player, Vector where, Vector velocity, bool heavy = false) {
    Bullet* p_bullet =
        from_player ? new Bullet(p_player) : new Bullet(enemy(Vector(300, 10), heavy));
    p_bullet->setPosition(where);
    p_bullet->setVelocity(velocity);
    return p_bullet;
  }
  Enemy* enemy(Vector where, bool heavy = false) { return new Enemy(where, p_player, heavy); }
  static std::string sprite(const mo::Object* p_o) { return p_o->getAnimation().getName(); }

  Player* p_player = nullptr;
};

TEST_F(BulletTest, StartsBesideItsShooterWithTheSpriteOfTheShootersFacing) {
  // The player faces right and clicks to its left: a right-pointing shot
  // that flies left at 1.5 cells per step.
  for (int i = 0; i < 14; i++) step();
  p_player->setPosition(Vector(100, 50));
  mouse(mo::CLICKED, mo::LEFT, mo::worldToView(Vector(90, 50)));
  const Bullet* p_shot = static_cast<const Bullet*>(first("Bullet"));
  ASSERT_NE(p_shot, nullptr);
  EXPECT_TRUE(p_shot->isFromPlayer());
  EXPECT_EQ(sprite(p_shot), "bullet-player-right");
  EXPECT_EQ(p_shot->getPosition(), Vector(102, 49));
  EXPECT_EQ(p_shot->getVelocity(), Vector(-1.5f, 0));
  EXPECT_EQ(p_shot->getSolidness(), mo::SOFT);

  // Each row: shooter (player, enemy, heavy enemy), facing, sprite, x.
  const struct {
    int shooter;
    Facing facing;
    const char* sprite;
    float x;
  } rows[] = {{0, FACE_LEFT, "bullet-player-left", 98},  {1, FACE_LEFT, "bullet-enemy-left", 98},
              {1, FACE_RIGHT, "bullet-enemy-right", 102}, {2, FACE_LEFT, "bullet-enemy-left", 98}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.sprite);
    Bullet* p_bullet = nullptr;
    if (row.shooter == 0) {
      key(mo::A, mo::KEY_DOWN);
      p_player->setPosition(Vector(100, 50));
      p_bullet = new Bullet(p_player);
    } else {
      Enemy* p_enemy = enemy(Vector(100, 50), row.shooter == 2);
      p_enemy->setFacing(row.facing);
      p_bullet = new Bullet(p_enemy);
      EXPECT_EQ(p_bullet->isShooterHeavy(), row.shooter == 2);
    }
    EXPECT_EQ(p_bullet->isFromPlayer(), row.shooter == 0);
    EXPECT_EQ(sprite(p_bullet), row.sprite);
    EXPECT_EQ(p_bullet->getPosition(), Vector(row.x, 49));
    EXPECT_FLOAT_EQ(p_bullet->getSpeed(), 1.0f);
  }
}

TEST_F(BulletTest, HurtsTheOtherSideOnceAndFliesThroughItsOwnSideAndOtherBullets) {
  // Each row: side, what it flies into, whether it flies on, the
  // target's health afterwards (the player starts with 100, an enemy 25).
  const struct {
    bool from_player, heavy;
    const char* target;
    bool flies_on;
    float health;
  } rows[] = {{false, false, "Player", false, 92.5f}, {false, true, "Player", false, 85},
              {false, false, "Enemy", true, 25},      {true, false, "Enemy", false, 10},
              {true, false, "Player", true, 100},     {true, false, "Floor", false, 0},
              {false, false, "Floor", false, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.from_player << row.heavy << row.target);
    restartWorld();
    p_player = new Player;
    mo::Object* p_target = p_player;
    if (std::string(row.target) == "Enemy") p_target = enemy(Vector(100, 50));
    if (std::string(row.target) == "Floor") {
      p_target = new Floor;
      p_target->setType("Floor");
    }
    p_target->setPosition(Vector(100, 50));
    Bullet* p_bullet = shot(row.from_player, Vector(96, 50), Vector(1, 0), row.heavy);
    fly(6);  // through the target's middle, if it lets the bullet pass
    EXPECT_EQ(count("Bullet"), row.flies_on ? 1 : 0);
    if (row.flies_on) {
      EXPECT_EQ(p_bullet->getPosition(), Vector(102, 50));
    }
    const Enemy* p_enemy = dynamic_cast<const Enemy*>(p_target);
    if (p_enemy || p_target == p_player) {
      EXPECT_EQ(p_enemy ? p_enemy->getHealth() : p_player->getHealth(), row.health);
    }
  }

  // A hit bullet stays until the end of the update; touching the player
  // again meanwhile does not hurt it twice.
  Bullet* p_bullet = shot(false, Vector(99, 50), Vector(1, 0));
  mo::EventCollision touch(p_player, p_bullet, p_player->getPosition());
  p_bullet->eventHandler(&touch);
  p_bullet->eventHandler(&touch);
  EXPECT_EQ(p_player->getHealth(), 92.5f);

  // Bullets of either side meet and fly on.
  const Vector starts[] = {{200, 20}, {206, 20}, {200, 30}, {206, 30}};
  shot(true, starts[0], Vector(1, 0));
  shot(true, starts[1], Vector(-1, 0));
  shot(true, starts[2], Vector(1, 0));
  shot(false, starts[3], Vector(-1, 0));
  fly(6);
  EXPECT_EQ(count("Bullet"), 4);
}

TEST_F(BulletTest, OutlivesItsShooterAndGoesWhenItLeavesTheWorld) {
  Enemy* p_heavy = enemy(Vector(100, 20), true);
  Bullet* p_bullet = new Bullet(p_heavy);
  p_bullet->setVelocity(Vector(0, 1));
  p_bullet->setPosition(Vector(100, 19));
  mo::WorldManager::getInstance().markForDelete(p_heavy);
  fly(30);  // down into the player at y 50: a heavy hit
  EXPECT_EQ(p_player->getHealth(), 85);
  Bullet* p_away = shot(true, Vector(398, 10), Vector(1.5f, 0));
  fly(1);
  EXPECT_EQ(p_away->getPosition(), Vector(399.5f, 10));
  fly(1);
  EXPECT_EQ(count("Bullet"), 0);
}

TEST_F(BulletTest, AnEnemyBulletInFlightWhenTheGameEndsGoesInTheSamePass) {
  // Defeat by a bullet, or victory at the chest, while another enemy
  // bullet flies: the game-over screen's sweep takes the bullet, the
  // chest and the enemy in the pass that deletes the player, so none of
  // them can read it afterwards.
  for (const bool victory : {false, true}) {
    SCOPED_TRACE(victory);
    restartWorld();
    p_player = new Player;
    p_player->setPosition(Vector(100, 50));
    p_player->setHealth(victory ? 100 : 7.5f);
    new Chest(Vector(102, 50), p_player);
    new Enemy(Vector(90, 30), p_player, false);  // reads the player on every step
    shot(false, Vector(97, 50), Vector(1, 0));   // hits at once
    shot(false, Vector(80, 50), Vector(1, 0));   // still in flight
    step();
    if (victory) key(mo::E, mo::KEY_PRESSED);
    mo::WorldManager::getInstance().update();
    ASSERT_EQ(types(), std::vector<std::string>{"GameOver"});
    EXPECT_EQ(first("GameOver")->getAnimation().getName(), victory ? "game-over-victory" : "game-over");
    tick(5);
  }
}

}  // namespace
}  // namespace gh
