#include "game/Player.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/Enemy.h"
#include "game/IceProjectile.h"
#include "game/Reticle.h"
#include "support/InputProbe.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

class PlayerTest : public test::PlayerGameTest {
 protected:
  /// Ticks until the player stands on something (at most 100 frames).
  void land() {
    for (int i = 0; i < 100 && !p_player->isOnGround(); i++) tick();
    ASSERT_TRUE(p_player->isOnGround());
  }
  std::string sprite() const { return p_player->getAnimation().getName(); }
};

TEST_F(PlayerTest, StartsWithTheGunPrecipitationOverTheWorldAndAHudShowingEachStepsValues) {
  EXPECT_EQ(sprite(), "player-right-gun");
  EXPECT_EQ(mo::WorldManager::getInstance().getViewFollowing(), p_player);
  EXPECT_EQ(count("Precipitation"), 400 * 84 / 60 * 2);
  const auto* p_first = static_cast<const mo::Precipitation*>(first("Precipitation"));
  ASSERT_NE(p_first, nullptr);
  EXPECT_EQ(p_first->getVelocity(), Vector(0, 0.25f));  // drifting down
  EXPECT_TRUE(p_first->getJitter());
  const struct {
    mo::ViewObject* p_view;
    const char* text;
    mo::ViewObjectLocation location;
    mo::Color color;
    int start, later;
  } huds[] = {{p_player->getMagazineView(), "Magazine", mo::BOTTOM_LEFT, mo::GREEN, 8, 5},
              {p_player->getReservesView(), "Reserves", mo::BOTTOM_CENTER, mo::GREEN, 64, 20},
              {p_player->getIceEnergyView(), "Ice Energy", mo::BOTTOM_RIGHT, mo::CYAN, 50, 42},
              {p_player->getHealthView(), "HP", mo::TOP_CENTER, mo::RED, 100, 73}};
  for (const auto& hud : huds) {
    SCOPED_TRACE(hud.text);
    ASSERT_NE(hud.p_view, nullptr);
    EXPECT_EQ(hud.p_view->getViewString(), hud.text);
    EXPECT_EQ(hud.p_view->getLocation(), hud.location);
    EXPECT_EQ(hud.p_view->getColor(), hud.color);
    EXPECT_EQ(hud.p_view->getValue(), hud.start);
  }
  p_player->setMagazine(5);
  p_player->setReserves(20);
  p_player->setIceEnergy(42.9f);  // regrowth comes after the HUD update
  p_player->setHealth(73.6f);
  step();
  for (const auto& hud : huds) EXPECT_EQ(hud.p_view->getValue(), hud.later) << hud.text;
}

TEST_F(PlayerTest, WalksOnKeyDownOnlyStaysStrictlyInsideTheBoundaryAndEscapeEndsTheGame) {
  for (int i = 0; i < 5; i++) key(mo::D, mo::KEY_DOWN);
  key(mo::D, mo::KEY_PRESSED);
  key(mo::A, mo::KEY_RELEASED);
  EXPECT_EQ(p_player->getPosition(), Vector(105, 50));
  // Each row: start x, key, expected x (the boundary is 400 wide).
  const struct {
    float x;
    mo::KeyCode code;
    float expected;
  } edges[] = {{2, mo::A, 1}, {1, mo::A, 1}, {398, mo::D, 399}, {399, mo::D, 399}};
  for (const auto& edge : edges) {
    p_player->setPosition(Vector(edge.x, 50));
    key(edge.code, mo::KEY_DOWN);
    EXPECT_EQ(p_player->getPosition().getX(), edge.expected) << edge.x;
  }
  key(mo::ESCAPE, mo::KEY_DOWN);
  EXPECT_FALSE(mo::GameManager::getInstance().getGameOver());
  key(mo::ESCAPE, mo::KEY_PRESSED);
  EXPECT_TRUE(mo::GameManager::getInstance().getGameOver());
}

TEST_F(PlayerTest, FacingWeaponSpriteAndReticleColourFollowTheKeys) {
  const struct {
    mo::KeyCode code;
    mo::KeyboardAction action;
    Weapon weapon;
    Facing facing;
    const char* sprite;
    mo::Color color;
  } rows[] = {{mo::A, mo::KEY_DOWN, GUN, FACE_LEFT, "player-left-gun", mo::RED},
              {mo::TAB, mo::KEY_PRESSED, STAFF, FACE_LEFT, "player-left-staff", mo::CYAN},
              {mo::TAB, mo::KEY_DOWN, STAFF, FACE_LEFT, "player-left-staff", mo::CYAN},
              {mo::D, mo::KEY_DOWN, STAFF, FACE_RIGHT, "player-right-staff", mo::CYAN},
              {mo::TAB, mo::KEY_PRESSED, GUN, FACE_RIGHT, "player-right-gun", mo::RED},
              {mo::A, mo::KEY_DOWN, GUN, FACE_LEFT, "player-left-gun", mo::RED}};
  for (const auto& r : rows) {
    SCOPED_TRACE(r.sprite);
    key(r.code, r.action);
    EXPECT_EQ(p_player->getWeapon(), r.weapon);
    EXPECT_EQ(p_player->getFacing(), r.facing);
    EXPECT_EQ(sprite(), r.sprite);
    EXPECT_EQ(p_player->getReticle()->getColor(), r.color);
  }
}

TEST_F(PlayerTest, FallsAtMostOneAndAQuarterCellsPerStepLandsJumpsFourAndAHalfAndWalksOn) {
  p_player->setPosition(Vector(100, 20));
  pieces("Floor", "floor", 90, 120, 60);
  key(mo::SPACE, mo::KEY_PRESSED);  // in the air: stays pending
  tick(20);
  EXPECT_FLOAT_EQ(p_player->getVelocity().getY(), 1.25f);
  EXPECT_TRUE(p_player->isJumpRequested());
  // The floor's top is at 59.5; the player's bottom edge, 1.5 below its
  // position, comes to rest on it (touching boxes would collide).
  const float resting = 59.5f - 1.5f - LANDING_GAP;
  land();
  EXPECT_EQ(p_player->getPosition().getY(), resting);
  tick();  // the step that found the ground already jumped, or this one does
  EXPECT_FALSE(p_player->isJumpRequested());
  land();
  tick(3);
  EXPECT_EQ(p_player->getPosition().getY(), resting);
  key(mo::SPACE, mo::KEY_PRESSED);
  float top = resting;
  for (int i = 0; i < 20; i++) {
    tick();
    top = std::min(top, p_player->getPosition().getY());
  }
  EXPECT_EQ(resting - top, 4.5f);
  EXPECT_EQ(p_player->getPosition().getY(), resting);
  // On under a platform three rows above the floor (rows 57 to 59 free).
  pieces("Platform", "platform", 104, 112, 56);
  for (int i = 0; i < 15; i++) {
    key(mo::D, mo::KEY_DOWN);
    tick();
  }
  EXPECT_EQ(p_player->getPosition(), Vector(115, resting));
}

TEST_F(PlayerTest, OnlyStandableObjectsCountAsGroundFromEitherSide) {
  const struct {
    const char* type;
    bool ground;
  } rows[] = {{"Floor", true},    {"Platform", true},   {"IcePlatform", true}, {"IceWall", true},
              {"LedgeGuard", true}, {"RightWall", true}, {"LeftWall", true},    {"Ceiling", false},
              {"Bullet", false},  {"Chest", false},     {"IceProjectile", false}};
  for (const auto& row : rows) {
    mo::Object* p_other = new mo::Object;
    p_other->setType(row.type);
    mo::EventCollision collision(p_player, p_other, p_player->getPosition());
    p_player->eventHandler(&collision);
    EXPECT_EQ(p_player->isOnGround(), row.ground) << row.type;
    mo::EventCollision reverse(p_other, p_player, p_player->getPosition());
    p_player->eventHandler(&reverse);
    EXPECT_EQ(p_player->isOnGround(), row.ground) << row.type << " reversed";
  }
  // An enemy is ground only while frozen.
  Enemy* p_enemy = new Enemy(Vector(300, 20), nullptr, false);
  for (const bool frozen : {false, true}) {
    freezeAt(Vector(300, frozen ? 20 : 40));
    mo::EventCollision collision(p_player, p_enemy, p_player->getPosition());
    p_player->eventHandler(&collision);
    EXPECT_EQ(p_player->isOnGround(), frozen);
  }
}

TEST_F(PlayerTest, IceEnergyRegrowsOnEveryThirtiethStepUpToItsMaximum) {
  // Outside run() the step count stays 0, a multiple of 30.
  const float rows[][2] = {{50, 52.3333333f}, {99, 100}, {100, 100}, {0, 2.3333333f}};
  for (const auto& row : rows) {
    p_player->setIceEnergy(row[0]);
    step();
    EXPECT_FLOAT_EQ(p_player->getIceEnergy(), row[1]) << row[0];
  }
  // In the real loop frames 0 and 30 regrow, frames 1 to 29 do not.
  struct Probe : mo::Object {
    std::vector<float> energy;
    Probe() { registerInterest(mo::STEP_EVENT); }
    int eventHandler(const mo::Event*) override {
      energy.push_back(static_cast<Player*>(first("Player"))->getIceEnergy());
      if (energy.size() == 32) mo::GameManager::getInstance().setGameOver();
      return 1;
    }
  };
  p_player->setIceEnergy(50);
  const Probe* p_probe = new Probe;
  mo::GameManager::getInstance().run();
  ASSERT_EQ(p_probe->energy.size(), 32u);
  EXPECT_FLOAT_EQ(p_probe->energy[29], 52.3333333f);
  EXPECT_FLOAT_EQ(p_probe->energy[30], 54.6666666f);
}

TEST_F(PlayerTest, ReloadKeepsOrDropsTheMagazineRoundsByTheReserves) {
  const int rows[][4] = {{3, 64, 8, 59}, {3, 5, 5, 0}, {0, 8, 8, 0}, {0, 9, 8, 1}, {8, 0, 0, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row[0]) + "+" + std::to_string(row[1]));
    p_player->setMagazine(row[0]);
    p_player->setReserves(row[1]);
    key(mo::R, mo::KEY_PRESSED);
    EXPECT_EQ(p_player->getMagazine(), row[2]);
    EXPECT_EQ(p_player->getReserves(), row[3]);
    EXPECT_EQ(p_player->getReloadTimer(), 30);
  }
  // R does nothing when only held, nor with the staff.
  p_player->setMagazine(3);
  key(mo::R, mo::KEY_DOWN);
  key(mo::TAB, mo::KEY_PRESSED);
  key(mo::R, mo::KEY_PRESSED);
  EXPECT_EQ(p_player->getMagazine(), 3);
}

TEST_F(PlayerTest, GunFiresOnLeftClicksAfterItsCooldownAndReloadsWhenEmpty) {
  p_player->setMagazine(1);
  const Vector target(60, 10);
  mouse(mo::CLICKED, mo::LEFT, target);  // cooldown of 14 still running
  EXPECT_EQ(p_player->getMagazine(), 1);
  step(14);
  mouse(mo::PRESSED, mo::LEFT, target);
  mouse(mo::CLICKED, mo::RIGHT, target);
  mouse(mo::CLICKED, mo::MIDDLE, target);
  EXPECT_EQ(p_player->getMagazine(), 1);
  mouse(mo::CLICKED, mo::LEFT, target);
  EXPECT_EQ(p_player->getMagazine(), 0);
  step();  // the cooldown runs down once, then the automatic reload
  EXPECT_EQ(p_player->getMagazine(), 8);
  EXPECT_EQ(p_player->getReserves(), 56);
  // The cooldown stands still while the reload runs, then runs down.
  step(30 + 12);
  mouse(mo::CLICKED, mo::LEFT, target);
  EXPECT_EQ(p_player->getMagazine(), 8);
  step();
  mouse(mo::CLICKED, mo::LEFT, target);
  EXPECT_EQ(p_player->getMagazine(), 7);
}

TEST_F(PlayerTest, AClickReleasedBeforeTheFrameReadsItStillFires) {
  mo::test::FakeInputState nothing_held;
  mo::InputManager::getInstance().setInputState(&nothing_held);
  step(14);
  sf::Event click{};
  click.type = sf::Event::MouseButtonPressed;
  click.mouseButton = {sf::Mouse::Left, 400, 100};
  mo::InputManager::getInstance().handleEvent(click);
  mo::InputManager::getInstance().setInputState(nullptr);
  EXPECT_EQ(p_player->getMagazine(), 7);
  EXPECT_EQ(count("Bullet"), 1);
}

TEST_F(PlayerTest, StaffCastsCostEnergyRestartTheCooldownEvenWhenRefusedAndThrowAtTheTarget) {
  key(mo::TAB, mo::KEY_PRESSED);
  // Each row: the key that turns the player, steps first (-1: until the
  // cooldown is over), energy, cast (-1: the F key, aimed at the reticle,
  // else a mouse button), energy and cooldown after, then the projectile
  // thrown (its sprite, "" for none), its kind and side.
  const struct {
    mo::KeyCode turn;
    int steps;
    float energy;
    int button;
    float after;
    int cooldown;
    const char* sprite;
    CastKind kind;
    float dx;
  } rows[] = {{mo::A, -1, 35, -1, 5, 30, "ice-projectile-left", CAST_FREEZE, -2},
              {mo::A, 1, 5, mo::LEFT, 5, 29, "", CAST_PLATFORM, 0},
              {mo::A, -1, 5, mo::LEFT, 5, 30, "", CAST_PLATFORM, 0},
              {mo::A, -1, 25, -1, 25, 30, "", CAST_FREEZE, 0},
              {mo::D, -1, 40, mo::LEFT, 0, 30, "ice-projectile-right", CAST_PLATFORM, 2},
              {mo::A, -1, 20, mo::RIGHT, 0, 30, "ice-projectile-left", CAST_WALL, -2},
              {mo::A, -1, 0, mo::RIGHT, 0, 0, "", CAST_WALL, 0},
              {mo::A, -1, 19, mo::MIDDLE, 19, 0, "", CAST_PLATFORM, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.energy << " cast by " << row.button);
    key(row.turn, mo::KEY_DOWN);
    for (int i = 0; row.steps < 0 ? p_player->getStaffCooldown() > 0 : i < row.steps; i++) step();
    p_player->setIceEnergy(row.energy);
    const Vector p = p_player->getPosition();
    Vector target = p_player->getReticle()->getPosition();
    if (row.button < 0) {
      key(mo::F, mo::KEY_PRESSED);
    } else {
      mouse(mo::CLICKED, static_cast<mo::MouseButton>(row.button), Vector(10, 5));
      target = mo::viewToWorld(Vector(10, 5));
    }
    EXPECT_FLOAT_EQ(p_player->getIceEnergy(), row.after);
    EXPECT_EQ(p_player->getStaffCooldown(), row.cooldown);
    auto* p_projectile = dynamic_cast<IceProjectile*>(first("IceProjectile"));
    ASSERT_EQ(p_projectile != nullptr, *row.sprite != 0);
    if (!p_projectile) continue;
    EXPECT_EQ(p_projectile->getKind(), row.kind);
    EXPECT_EQ(p_projectile->getTarget(), target);
    EXPECT_EQ(p_projectile->getPlatformLifetime(), 10);
    EXPECT_EQ(p_projectile->getWallLifetime(), 7);
    EXPECT_EQ(p_projectile->getAnimation().getName(), row.sprite);
    EXPECT_EQ(p_projectile->getPosition(), Vector(p.getX() + row.dx, p.getY() - 1));
    Vector direction = target - p_projectile->getPosition();  // through the target
    direction.normalize();
    EXPECT_NEAR(mo::distance(p_projectile->getVelocity(), direction), 0.0f, 1e-6f);
    mo::WorldManager::getInstance().markForDelete(p_projectile);
    mo::WorldManager::getInstance().update();
  }
  key(mo::TAB, mo::KEY_PRESSED);  // F does nothing with the gun
  p_player->setIceEnergy(50);
  key(mo::F, mo::KEY_PRESSED);
  EXPECT_FLOAT_EQ(p_player->getIceEnergy(), 50);
}

TEST_F(PlayerTest, LeavingTheWorldTenTimesFromFullHealthEndsInDefeat) {
  p_player->setPosition(Vector(100, 40));
  p_player->setSpawnPoint(Vector(100, 40));
  std::vector<float> health;
  for (int i = 0; i < 2000 && count("Player") == 1; i++) {
    const float before = p_player->getHealth();
    tick();
    if (count("Player") == 1 && p_player->getHealth() != before) {
      health.push_back(p_player->getHealth());
      EXPECT_EQ(p_player->getPosition(), Vector(100, 40));
    }
  }
  EXPECT_EQ(health, (std::vector<float>{90, 80, 70, 60, 50, 40, 30, 20, 10}));
  ASSERT_EQ(types(), std::vector<std::string>{"GameOver"});
  EXPECT_EQ(first("GameOver")->getAnimation().getName(), "game-over");
}

}  // namespace
}  // namespace gh
