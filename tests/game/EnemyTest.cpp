#include "game/Enemy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/GameStart.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

class EnemyTest : public test::PlayerGameTest {
 protected:
  void SetUp() override {
    PlayerGameTest::SetUp();
    p_player->setActive(false);  // a target that neither falls nor steps
  }
};

TEST_F(EnemyTest, WalksAndShootsByItsHorizontalDistanceFromThePlayer) {
  // Each row: heavy, cells right of the player, cells walked left in a
  // step, engaged. Each enemy has a height of its own; only x counts.
  const struct {
    bool heavy;
    float distance, walked;
    bool engaged;
  } rows[] = {{false, 31, 0, false}, {false, 30, 0.5f, false}, {false, 15, 0.25f, true},
              {false, 5, 0, true},   {true, 50, 0.5f, false},  {true, 25, 0.25f, true}};
  std::vector<Enemy*> enemies;
  for (const auto& row : rows) {
    const float y = 5.0f * static_cast<float>(enemies.size()) + 5;
    enemies.push_back(new Enemy(Vector(100 + row.distance, y), p_player, row.heavy));
  }
  step();
  for (std::size_t i = 0; i < enemies.size(); i++) {
    EXPECT_EQ(enemies[i]->getPosition().getX(), 100 + rows[i].distance - rows[i].walked) << i;
    EXPECT_EQ(enemies[i]->isEngaged(), rows[i].engaged) << i;
    EXPECT_EQ(enemies[i]->getAnimation().getName(),
              rows[i].heavy ? "enemy-heavy-left" : "enemy-left") << i;
  }
  // Engaged ones shoot on their 60th step and every 60 steps after.
  std::vector<int> shots;
  for (int i = 2, bullets = 0; i <= 120; i++, bullets = count("Bullet")) {
    step();
    if (count("Bullet") > bullets) shots.push_back(i);
  }
  EXPECT_EQ(shots, (std::vector<int>{60, 120}));
  // Heavy ones keep their own look when they turn.
  p_player->setPosition(Vector(300, 5));
  step();
  for (std::size_t i = 0; i < enemies.size(); i++) {
    EXPECT_EQ(enemies[i]->getAnimation().getName(),
              rows[i].heavy ? "enemy-heavy-right" : "enemy-right") << i;
  }
}

TEST_F(EnemyTest, FreezesWithinFifteenCellsOnlyAndThawsOnTheHundredAndFiftiethStep) {
  Enemy* p_near = new Enemy(Vector(105, 50), p_player, false);
  Enemy* p_far = new Enemy(Vector(200, 40), p_player, false);
  freezeAt(Vector(96, 38));   // 15 cells from the near one
  freezeAt(Vector(216, 40));  // 16 from the far one
  EXPECT_EQ(p_near->getAnimation().getName(), "enemy-frozen");
  EXPECT_FALSE(p_far->isFrozen());
  step(100);
  freezeAt(Vector(105, 50));               // the 150 steps start again
  p_player->setPosition(Vector(115, 50));  // engaged, on its right
  step(149);
  // Neither walked nor shot, but turned toward the player all the same.
  EXPECT_TRUE(p_near->isFrozen());
  EXPECT_EQ(p_near->getPosition(), Vector(105, 50));
  EXPECT_EQ(p_near->getAnimation().getName(), "enemy-right");
  EXPECT_EQ(count("Bullet"), 0);
  step();
  EXPECT_FALSE(p_near->isFrozen());
  EXPECT_EQ(count("Bullet"), 1);

  // An event merely typed "freeze" has no centre: refused, not cast.
  mo::Event impostor;
  impostor.setType(FREEZE_EVENT);
  mo::WorldManager::getInstance().onEvent(&impostor);
  EXPECT_FALSE(p_near->isFrozen());
  const std::vector<std::string> log = closedLog();
  EXPECT_EQ(std::count(log.begin(), log.end(),
                       "Enemy::freeze(): Error! A \"freeze\" event that is no EventFreeze. Ignored."),
            2);
}

TEST_F(EnemyTest, TwoHitsKillItWithARewardUpToTheMaximaAndLeavingTheWorldRemovesIt) {
  Enemy* p_enemy = new Enemy(Vector(300, 40), p_player, false);
  p_player->setHealth(95);
  p_player->setIceEnergy(95);
  p_enemy->hurt(15);
  EXPECT_EQ(p_player->getHealth(), 95.0f);
  p_enemy->hurt(15);
  EXPECT_EQ(p_player->getHealth(), 100.0f);
  EXPECT_EQ(p_player->getIceEnergy(), 100.0f);
  mo::WorldManager::getInstance().update();
  EXPECT_EQ(count("Enemy"), 0);
  new Enemy(Vector(300, 40), p_player, false);  // falls until it leaves
  tick(40);
  EXPECT_EQ(count("Enemy"), 0);
}

TEST_F(EnemyTest, ItsBulletsEndARealGameAndTheLoopReturnsToTheTitle) {
  writeTempFile("map-layout.txt", std::string(20, '\n') + std::string(30, ' ') +
                                      "L         P         E         R\n" + std::string(30, ' ') +
                                      std::string(31, '_') + "\n");
  enterDir(tempDir());
  restartWorld();
  // Presses a key on the title, records the player's health and the
  // game-over sprite, and ends the loop once the title is back (3000
  // frames at most). Typed as a screen, the game-over sweeps spare it.
  struct LoopProbe : mo::Object {
    LoopProbe() {
      setType("GameStart");
      registerInterest(mo::STEP_EVENT);
    }
    int eventHandler(const mo::Event*) override {
      if (frames++ == 0) key(mo::SPACE, mo::KEY_PRESSED);
      if (const mo::Object* p_player = first("Player")) {
        health = static_cast<const Player*>(p_player)->getHealth();
      }
      const mo::Object* p_screen = first("GameOver");
      if (p_screen) screen = p_screen->getAnimation().getName();
      if ((!screen.empty() && !p_screen) || frames == 3000) {
        mo::GameManager::getInstance().setGameOver();
      }
      return 1;
    }
    int frames = 0;
    float health = 100;
    std::string screen;
  };
  GameStart* p_title = new GameStart;
  LoopProbe* p_probe = new LoopProbe;
  mo::GameManager::getInstance().run();
  EXPECT_LT(p_probe->frames, 3000) << "the title did not come back";
  EXPECT_LE(p_probe->health, 2.5f);  // the last the probe saw: 14 hits of 7.5
  EXPECT_EQ(p_probe->screen, "game-over");
  EXPECT_TRUE(p_title->isActive());
  EXPECT_EQ(types(), (std::vector<std::string>{"GameStart", "GameStart"}));  // title, probe
}

}  // namespace
}  // namespace gh
