#include "game/Enemy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/EventFreeze.h"
#include "game/Floor.h"
#include "game/GameStart.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

class EnemyTest : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    p_player = new Player;
    p_player->setPosition(Vector(100, 50));
    p_player->setActive(false);  // a target that neither falls nor steps
  }
  static void freezeAt(Vector centre) {
    EventFreeze freeze(centre);
    mo::WorldManager::getInstance().onEvent(&freeze);
  }
  std::string sprite(const Enemy* p_enemy) const { return p_enemy->getAnimation().getName(); }

  Player* p_player = nullptr;
};

TEST_F(EnemyTest, WalksAndShootsByItsHorizontalDistanceFromThePlayer) {
  // Each row: heavy, distance to the player's right, cells walked left
  // on the next step, engaged. Only the horizontal distance counts.
  const struct {
    bool heavy;
    float distance, walked;
    bool engaged;
  } rows[] = {{false, 31, 0, false},   {false, 30, 0.5f, false}, {false, 15.5f, 0.5f, false},
              {false, 15, 0.25f, true}, {false, 5.5f, 0.25f, true}, {false, 5, 0, true},
              {true, 51, 0, false},    {true, 50, 0.5f, false},  {true, 25.5f, 0.5f, false},
              {true, 25, 0.25f, true},  {true, 5, 0, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << (row.heavy ? "heavy " : "") << row.distance);
    Enemy* p_enemy = new Enemy(Vector(100 + row.distance, 20), p_player, row.heavy);
    step();
    EXPECT_FLOAT_EQ(p_enemy->getPosition().getX(), 100 + row.distance - row.walked);
    EXPECT_EQ(p_enemy->isEngaged(), row.engaged);
    mo::WorldManager::getInstance().markForDelete(p_enemy);
    mo::WorldManager::getInstance().update();
  }

  // An engaged enemy shoots on its 60th step and every 60 steps after,
  // at one cell per step toward the player; a player on its right turns
  // it and its sprite at once.
  Enemy* p_enemy = new Enemy(Vector(97, 46), p_player, false);
  std::vector<int> shots;
  for (int i = 1; i <= 180; i++) {
    const int before = count("Bullet");
    step();
    if (count("Bullet") > before) shots.push_back(i);
  }
  EXPECT_EQ(shots, (std::vector<int>{60, 120, 180}));
  EXPECT_EQ(p_enemy->getFacing(), FACE_RIGHT);
  EXPECT_EQ(sprite(p_enemy), "enemy-right");
  const Vector velocity = first("Bullet")->getVelocity();
  EXPECT_NEAR(velocity.getX(), 0.6f, 1e-5f);
  EXPECT_NEAR(velocity.getY(), 0.8f, 1e-5f);
}

TEST_F(EnemyTest, FreezesWithinFifteenCellsOnlyAndThawsOnTheHundredAndFiftiethStep) {
  Enemy* p_near = new Enemy(Vector(105, 50), p_player, false);  // engaged, standing
  Enemy* p_far = new Enemy(Vector(200, 40), p_player, false);
  freezeAt(Vector(96, 38));  // 15 cells from the near one, 16 from...
  freezeAt(Vector(216, 40));  // ...the far one
  EXPECT_TRUE(p_near->isFrozen());
  EXPECT_EQ(sprite(p_near), "enemy-frozen");
  EXPECT_FALSE(p_far->isFrozen());
  EXPECT_EQ(sprite(p_far), "enemy-left");

  // Frozen, it neither walks nor shoots; the player moving to its right
  // turns it all the same, and the turn shows the walking sprite.
  for (int i = 0; i < 100; i++) step();
  EXPECT_EQ(count("Bullet"), 0);
  EXPECT_EQ(p_near->getPosition(), Vector(105, 50));
  freezeAt(Vector(105, 50));  // a second freeze starts the 150 steps again
  p_player->setPosition(Vector(108, 50));
  for (int i = 1; i < 150; i++) step();
  EXPECT_TRUE(p_near->isFrozen());
  EXPECT_EQ(sprite(p_near), "enemy-right");
  EXPECT_EQ(p_near->getFrozenTimer(), 1);
  step();
  EXPECT_FALSE(p_near->isFrozen());
  EXPECT_EQ(sprite(p_near), "enemy-right");
  EXPECT_EQ(count("Bullet"), 1);  // its cooldown ran out long ago
}

TEST_F(EnemyTest, TwoHitsKillItAndRewardThePlayerUpToTheMaxima) {
  // Each row: player health and ice energy before, and after the kill.
  const float rows[][4] = {{95, 95, 100, 100}, {50, 40, 55, 50}, {100, 92, 100, 100}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row[0]);
    Enemy* p_enemy = new Enemy(Vector(300, 40), p_player, false);
    p_player->setHealth(row[0]);
    p_player->setIceEnergy(row[1]);
    p_enemy->hurt(15);
    EXPECT_FLOAT_EQ(p_enemy->getHealth(), 10);
    EXPECT_FLOAT_EQ(p_player->getHealth(), row[0]);
    p_enemy->hurt(15);
    EXPECT_FLOAT_EQ(p_enemy->getHealth(), 0);
    EXPECT_FLOAT_EQ(p_player->getHealth(), row[2]);
    EXPECT_FLOAT_EQ(p_player->getIceEnergy(), row[3]);
    mo::WorldManager::getInstance().update();
    EXPECT_EQ(count("Enemy"), 0);
  }
}

TEST_F(EnemyTest, FallsUntilItsFirstFloorAndIsRemovedOnLeavingTheWorld) {
  for (int x = 290; x <= 310; x++) {
    Floor* p_floor = new Floor;
    p_floor->setType("Floor");
    p_floor->setSprite("floor");
    p_floor->setPosition(Vector(static_cast<float>(x), 30));
  }
  Enemy* p_landing = new Enemy(Vector(300, 10), p_player, false);
  Enemy* p_falling = new Enemy(Vector(350, 10), p_player, false);
  for (int i = 0; i < 40 && !p_landing->isOnGround(); i++) tick();
  ASSERT_TRUE(p_landing->isOnGround());
  const Vector landed = p_landing->getPosition();
  const float landing_speed = p_landing->getVelocity().getY();
  EXPECT_GT(landed.getY(), 26.0f);
  EXPECT_LT(landed.getY() + 1.5f, 29.5f);  // its 3 x 3 box stands clear of the floor
  EXPECT_GT(p_falling->getPosition().getY(), landed.getY());
  tick(100);
  EXPECT_EQ(count("Enemy"), 1);
  EXPECT_EQ(p_landing->getPosition(), landed);
  EXPECT_FLOAT_EQ(p_landing->getVelocity().getY(), landing_speed);  // no more gravity
}

/// The first active object of a type, or nullptr.
const mo::Object* firstOf(const std::string& type) {
  const mo::ObjectList list = mo::WorldManager::getInstance().objectsOfType(type);
  return list.isEmpty() ? nullptr : mo::ObjectListIterator(&list).currentObject();
}

/// Counts frames and records the game as the real loop plays it: a key
/// on the title in the first frame, the player's health while it lives,
/// the game-over screen, and the end of the loop once the title is back
/// (or after 3000 frames). It passes as a screen, so that the game-over
/// screen's sweeps leave it alone.
class LoopProbe : public mo::Object {
 public:
  LoopProbe() {
    setType("GameStart");
    setSolidness(mo::SPECTRAL);
    registerInterest(mo::STEP_EVENT);
  }
  int eventHandler(const mo::Event* p_e) override {
    if (p_e->getType() != mo::STEP_EVENT) return 0;
    if (frames++ == 0) {
      mo::EventKeyboard space;
      space.setKey(mo::SPACE);
      space.setKeyboardAction(mo::KEY_PRESSED);
      mo::InputManager::getInstance().onEvent(&space);
    }
    if (const Player* p_player = static_cast<const Player*>(firstOf("Player"))) {
      const float health = p_player->getHealth();
      if (health_seen.empty() || health_seen.back() != health) health_seen.push_back(health);
    }
    const mo::Object* p_game_over = firstOf("GameOver");
    if (p_game_over && game_over_screen.empty()) {
      game_over_screen = p_game_over->getAnimation().getName();
    }
    if ((!game_over_screen.empty() && !p_game_over) || frames == 3000) {
      mo::GameManager::getInstance().setGameOver();
    }
    return 1;
  }

  int frames = 0;
  std::vector<float> health_seen;
  std::string game_over_screen;
};

TEST_F(EnemyTest, ItsBulletsEndARealGameAndTheLoopReturnsToTheTitle) {
  writeTempFile("map-layout.txt", std::string(20, '\n') + std::string(30, ' ') +
                                      "L         P         E         R\n" +
                                      std::string(30, ' ') + std::string(31, '_') + "\n");
  enterDir(tempDir());
  restartWorld();
  GameStart* p_title = new GameStart;
  LoopProbe* p_probe = new LoopProbe;
  mo::GameManager::getInstance().run();

  ASSERT_LT(p_probe->frames, 3000) << "the game did not come back to the title";
  // Full health, then 7.5 less per hit down to 2.5 (and 0, when the
  // probe stepped between the last hit and the deletion pass).
  const std::vector<float>& health = p_probe->health_seen;
  ASSERT_GE(health.size(), 14u);
  ASSERT_LE(health.size(), 15u);
  for (std::size_t i = 0; i < health.size(); i++) {
    EXPECT_FLOAT_EQ(health[i], std::max(100 - 7.5f * static_cast<float>(i), 0.0f)) << i;
  }
  EXPECT_EQ(p_probe->game_over_screen, "game-over");
  EXPECT_TRUE(p_title->isActive());
  EXPECT_EQ(types(), (std::vector<std::string>{"GameStart", "GameStart"}));  // title and probe
}

}  // namespace
}  // namespace gh
