#include "game/Bullet.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/Chest.h"
#include "game/Enemy.h"
#include "game/MapLoader.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

class BulletTest : public test::PlayerGameTest {
 protected:
  /// A bullet flying from where at velocity; an enemy's shooter is gone
  /// before the bullet flies.
  Bullet* shot(bool from_player, Vector where, Vector velocity, bool heavy = false) {
    Enemy* p_enemy = from_player ? nullptr : new Enemy(Vector(300, 10), p_player, heavy);
    Bullet* p_bullet = p_enemy ? new Bullet(p_enemy) : new Bullet(p_player);
    if (p_enemy) mo::WorldManager::getInstance().markForDelete(p_enemy);
    p_bullet->setPosition(where);
    p_bullet->setVelocity(velocity);
    return p_bullet;
  }
  /// World updates without steps: only the bullets move.
  static void fly(int frames) {
    for (int i = 0; i < frames; i++) mo::WorldManager::getInstance().update();
  }
};

TEST_F(BulletTest, StartsBesideItsShooterShowingTheShootersFacing) {
  step(14);  // the gun's first cooldown
  mouse(mo::CLICKED, mo::LEFT, mo::worldToView(Vector(90, 49)));  // behind the player
  const mo::Object* p_shot = first("Bullet");
  ASSERT_NE(p_shot, nullptr);
  EXPECT_EQ(p_shot->getAnimation().getName(), "bullet-player-right");
  EXPECT_EQ(p_shot->getPosition(), Vector(102, 49));
  EXPECT_EQ(p_shot->getVelocity(), Vector(-1.5f, 0));
  const Bullet* p_enemy_shot = new Bullet(new Enemy(Vector(200, 20), p_player, false));
  EXPECT_EQ(p_enemy_shot->getAnimation().getName(), "bullet-enemy-left");
  EXPECT_EQ(p_enemy_shot->getPosition(), Vector(198, 19));
}

TEST_F(BulletTest, HurtsTheOtherSideOncePassingItsOwnSideAndOtherBullets) {
  Enemy* p_enemy = new Enemy(Vector(100, 30), p_player, false);
  shot(false, Vector(96, 50), Vector(1, 0));          // 7.5 to the player
  shot(false, Vector(104, 50), Vector(-1, 0), true);  // 15 from a heavy one
  shot(true, Vector(90, 50), Vector(1, 0));           // through the player
  shot(false, Vector(96, 30), Vector(1, 0));          // through the enemy and...
  shot(true, Vector(116, 30), Vector(-1, 0));         // ...this bullet, which hits
  shot(true, Vector(398, 10), Vector(1.5f, 0));       // out of the world
  fly(14);
  EXPECT_EQ(p_player->getHealth(), 77.5f);
  EXPECT_EQ(p_enemy->getHealth(), 10.0f);
  EXPECT_EQ(count("Bullet"), 2);
  // A bullet that hit stays until the end of the update; touching the
  // player again meanwhile does not hurt again, nor does the player
  // running into one that something ended in its own move.
  Bullet* p_bullet = shot(false, Vector(99, 50), Vector());
  mo::EventCollision touch(p_player, p_bullet, Vector(100, 50));
  p_bullet->eventHandler(&touch);
  p_bullet->eventHandler(&touch);
  Bullet* p_ended = shot(false, Vector(99, 50), Vector(0, 1));
  const mo::EventCollision own(p_ended, new mo::Object, Vector(99, 51));  // ended on a floor
  const mo::EventCollision run_into(p_player, p_ended, Vector(100, 50));
  p_ended->eventHandler(&own);
  p_ended->eventHandler(&run_into);
  EXPECT_EQ(p_player->getHealth(), 70.0f);
}

TEST_F(BulletTest, HitsAnEnemyWhateverElseTheSameMoveTouches) {
  // The move to x = 98 touches the enemy and a piece made before or after it.
  for (const char* piece : {"LedgeGuard", "Floor", "LeftWall", "Platform"}) {
    for (const bool piece_first : {true, false}) {
      SCOPED_TRACE(std::string(piece) + (piece_first ? " first" : " last"));
      restartWithPlayer();
      const auto place = [piece] {
        mo::Object* p_piece = new mo::Object;
        p_piece->setType(piece);
        p_piece->setPosition(Vector(99, 30));
      };
      if (piece_first) place();
      const Enemy* p_enemy = new Enemy(Vector(100, 30), p_player, false);
      if (!piece_first) place();
      shot(true, Vector(96, 30), Vector(1, 0));
      fly(3);
      EXPECT_EQ(p_enemy->getHealth(), 10.0f);
    }
  }
}

TEST_F(BulletTest, APlayerBulletFliesFromWhereItAppearsThroughThePointClicked) {
  // Enemies clicked on their centres: the player's centre line passes over
  // the first two; the last stands where the shot appears.
  for (const Vector where : {Vector(102, 54), Vector(103, 55), Vector(104, 51), Vector(102, 49)}) {
    restartWithPlayer();
    step(14);  // the gun's first cooldown
    const Enemy* p_enemy = new Enemy(where, p_player, false);
    mouse(mo::CLICKED, mo::LEFT, mo::worldToView(where));
    fly(5);
    EXPECT_EQ(p_enemy->getHealth(), 10.0f) << test::text(where);
  }
}

TEST_F(BulletTest, InTheRealLoopNoBulletHurtsTwiceAndLossesComeBulletByBullet) {
  // The player walks to and fro (12 frames each way) into the fire of one
  // enemy, then of a group with a heavy one, jumping every 20 frames. Each
  // frame's loss is paid for by the enemy bullets that ended since the last
  // frame, each once; one enemy never takes 30 in 90 frames, a group does.
  struct Probe : mo::Object {
    std::map<int, float> last;  // the enemy bullets of the last frame: damage by id
    std::vector<float> lost{0};
    float worst = 0;
    Probe() { registerInterest(mo::STEP_EVENT); }
    int eventHandler(const mo::Event*) override {
      std::map<int, float> now;
      const mo::ObjectList shots = mo::WorldManager::getInstance().objectsOfType("Bullet");
      for (mo::ObjectListIterator it(&shots); !it.isDone(); it.next()) {
        const auto* p_shot = static_cast<const Bullet*>(it.currentObject());
        now[p_shot->getId()] = p_shot->isShooterHeavy() ? 15.0f : 7.5f;
      }
      float paid = 0;
      for (const auto& shot : last) paid += now.count(shot.first) ? 0 : shot.second;
      last = now;
      lost.push_back(100 - static_cast<const Player*>(first("Player"))->getHealth());
      EXPECT_LE(lost.back() - lost[lost.size() - 2], paid) << "frame " << lost.size();
      if (lost.size() > 90) worst = std::max(worst, lost.back() - lost[lost.size() - 91]);
      // Ends while the player lives: a group can take 30 in one frame.
      if (lost.back() > 60 || lost.size() == 600) mo::GameManager::getInstance().setGameOver();
      key(lost.size() % 24 < 12 ? mo::D : mo::A, mo::KEY_DOWN);
      if (lost.size() % 20 == 0) key(mo::SPACE, mo::KEY_PRESSED);
      return 1;
    }
  };
  for (const std::string enemies : {"E", "E    F    E"}) {
    SCOPED_TRACE(enemies);
    restartWorld();
    std::vector<std::string> level(20, "L" + std::string(68, ' ') + "R");  // walls of 21 cells
    level.push_back("L         P                    " + enemies +
                    std::string(38 - enemies.size(), ' ') + "R");
    level.push_back(std::string(70, '_'));
    populateWorld(level);
    const Probe* p_probe = new Probe;
    mo::GameManager::getInstance().run();
    EXPECT_GE(p_probe->worst, 7.5f);
    EXPECT_EQ(p_probe->worst >= 30, enemies.size() > 1) << p_probe->worst;
  }
}

TEST_F(BulletTest, AnEnemyBulletInFlightWhenTheGameEndsGoesInTheSamePass) {
  // Defeat by one bullet, or victory at the chest, while another flies:
  // the pass that deletes the player deletes every bullet, the chest and
  // the enemies as well, so none of them can read the player afterwards.
  for (const bool victory : {false, true}) {
    SCOPED_TRACE(victory);
    restartWithPlayer();
    p_player->setHealth(victory ? 100 : 7.5f);
    new Chest(Vector(102, 50), p_player);
    new Enemy(Vector(90, 30), p_player, false);
    shot(false, Vector(97, 50), Vector(1, 0));  // hits now
    shot(false, Vector(80, 50), Vector(1, 0));  // still in flight
    step();
    if (victory) key(mo::E, mo::KEY_PRESSED);
    mo::WorldManager::getInstance().update();
    ASSERT_EQ(types(), std::vector<std::string>{"GameOver"});
    EXPECT_EQ(first("GameOver")->getAnimation().getName(),
              victory ? "game-over-victory" : "game-over");
    tick(5);
  }
}

}  // namespace
}  // namespace gh
