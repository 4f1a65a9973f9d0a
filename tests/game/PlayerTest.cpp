#include "game/Player.h"

#include <gtest/gtest.h>

#include "game/Floor.h"
#include "game/GameOver.h"
#include "game/Reticle.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

class PlayerTest : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    p_player = new Player;
  }
  /// A row of floor pieces at height y, from x0 to x1.
  static void floorRow(int x0, int x1, float y) {
    for (int x = x0; x <= x1; x++) {
      Floor* p_floor = new Floor;
      p_floor->setType("Floor");
      p_floor->setSprite("floor");
      p_floor->setPosition(Vector(static_cast<float>(x), y));
    }
  }
  /// Ticks until the player stands on something (at most 100 frames).
  void land() {
    for (int i = 0; i < 100 && !p_player->isOnGround(); i++) tick();
    ASSERT_TRUE(p_player->isOnGround());
  }
  std::string sprite() const { return p_player->getAnimation().getName(); }

  Player* p_player = nullptr;
};

TEST_F(PlayerTest, StartsWithStoppedGunSpriteReticleAndHud) {
  EXPECT_EQ(p_player->getType(), "Player");
  EXPECT_EQ(sprite(), "player-right-gun");
  EXPECT_EQ(p_player->getAnimation().getSlowdownCount(), -1);
  EXPECT_EQ(mo::WorldManager::getInstance().getViewFollowing(), p_player);
  ASSERT_NE(p_player->getReticle(), nullptr);
  EXPECT_EQ(p_player->getReticle()->getColor(), mo::RED);
  EXPECT_EQ(p_player->getReticle()->getPosition(), Vector(200, 42));

  struct Hud {
    mo::ViewObject* p_view;
    const char* text;
    mo::ViewObjectLocation location;
    int value;
    mo::Color color;
  };
  const Hud huds[] = {{p_player->getMagazineView(), "Magazine", mo::BOTTOM_LEFT, 8, mo::GREEN},
                      {p_player->getReservesView(), "Reserves", mo::BOTTOM_CENTER, 64, mo::GREEN},
                      {p_player->getIceEnergyView(), "Ice Energy", mo::BOTTOM_RIGHT, 50, mo::CYAN},
                      {p_player->getHealthView(), "HP", mo::TOP_CENTER, 100, mo::RED}};
  for (const Hud& hud : huds) {
    ASSERT_NE(hud.p_view, nullptr) << hud.text;
    EXPECT_EQ(hud.p_view->getViewString(), hud.text);
    EXPECT_EQ(hud.p_view->getLocation(), hud.location) << hud.text;
    EXPECT_EQ(hud.p_view->getValue(), hud.value) << hud.text;
    EXPECT_EQ(hud.p_view->getColor(), hud.color) << hud.text;
  }
}

TEST_F(PlayerTest, WalksOnKeyDownOnlyAndStaysStrictlyInsideTheBoundary) {
  p_player->setPosition(Vector(100, 50));
  for (int i = 0; i < 5; i++) key(mo::D, mo::KEY_DOWN);
  EXPECT_EQ(p_player->getPosition(), Vector(105, 50));
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
}

TEST_F(PlayerTest, FacingWeaponSpriteAndReticleColourFollowTheKeys) {
  p_player->setPosition(Vector(100, 50));
  // Each row: key (held or pressed), then weapon, facing, sprite, colour.
  const struct {
    mo::KeyCode code;
    mo::KeyboardAction action;
    Weapon weapon;
    Facing facing;
    const char* sprite;
    mo::Color color;
  } rows[] = {
      {mo::A, mo::KEY_DOWN, GUN, FACE_LEFT, "player-left-gun", mo::RED},
      {mo::TAB, mo::KEY_PRESSED, STAFF, FACE_LEFT, "player-left-staff", mo::CYAN},
      {mo::TAB, mo::KEY_DOWN, STAFF, FACE_LEFT, "player-left-staff", mo::CYAN},
      {mo::D, mo::KEY_DOWN, STAFF, FACE_RIGHT, "player-right-staff", mo::CYAN},
      {mo::TAB, mo::KEY_PRESSED, GUN, FACE_RIGHT, "player-right-gun", mo::RED},
      {mo::A, mo::KEY_DOWN, GUN, FACE_LEFT, "player-left-gun", mo::RED},
      {mo::TAB, mo::KEY_PRESSED, STAFF, FACE_LEFT, "player-left-staff", mo::CYAN},
      {mo::TAB, mo::KEY_PRESSED, GUN, FACE_LEFT, "player-left-gun", mo::RED},
  };
  int row = 0;
  for (const auto& r : rows) {
    key(r.code, r.action);
    EXPECT_EQ(p_player->getWeapon(), r.weapon) << "row " << row;
    EXPECT_EQ(p_player->getFacing(), r.facing) << "row " << row;
    EXPECT_EQ(sprite(), r.sprite) << "row " << row;
    EXPECT_EQ(p_player->getReticle()->getColor(), r.color) << "row " << row;
    row++;
  }
}

TEST_F(PlayerTest, AnimationRunsOnlyWhileMoving) {
  p_player->setPosition(Vector(100, 50));
  floorRow(90, 110, 60);
  land();
  tick(2);
  EXPECT_EQ(p_player->getAnimation().getSlowdownCount(), -1);
  key(mo::D, mo::KEY_DOWN);
  step();
  EXPECT_EQ(p_player->getAnimation().getSlowdownCount(), 0);
  mo::Animation animation = p_player->getAnimation();
  animation.setIndex(2);
  p_player->setAnimation(animation);
  tick(2);
  EXPECT_EQ(p_player->getAnimation().getSlowdownCount(), -1);
  EXPECT_EQ(p_player->getAnimation().getIndex(), 0);
}

TEST_F(PlayerTest, FallsAtMostOneAndAQuarterCellsPerStepAndLands) {
  p_player->setPosition(Vector(100, 20));
  floorRow(90, 110, 60);
  tick(20);
  EXPECT_FLOAT_EQ(p_player->getVelocity().getY(), 1.25f);
  EXPECT_FALSE(p_player->isOnGround());
  land();
  // The 3-cell sprite rests on the floor, never inside it.
  EXPECT_LE(p_player->getPosition().getY(), 58.0f);
  EXPECT_GT(p_player->getPosition().getY(), 56.5f);
  EXPECT_EQ(p_player->getPosition().getX(), 100);
}

TEST_F(PlayerTest, JumpRisesFourAndAHalfCellsAndWaitsForTheGround) {
  p_player->setPosition(Vector(100, 20));
  floorRow(90, 110, 60);
  key(mo::SPACE, mo::KEY_PRESSED);  // in the air: stays pending
  tick(3);
  EXPECT_TRUE(p_player->isJumpRequested());
  land();
  // The step that found the ground already jumped, or the next one does.
  tick();
  EXPECT_FALSE(p_player->isJumpRequested());
  for (int i = 0; i < 100 && !p_player->isOnGround(); i++) tick();
  ASSERT_TRUE(p_player->isOnGround());
  tick(3);
  const float ground_y = p_player->getPosition().getY();

  key(mo::SPACE, mo::KEY_PRESSED);
  float top = ground_y;
  for (int i = 0; i < 12; i++) {
    tick();
    top = std::min(top, p_player->getPosition().getY());
  }
  EXPECT_NEAR(ground_y - top, 4.5f, 1e-4f);
  EXPECT_FALSE(p_player->isJumpRequested());
}

TEST_F(PlayerTest, OnlyStandableObjectsCountAsGround) {
  const struct {
    const char* type;
    bool ground;
  } rows[] = {{"Floor", true},      {"Platform", true},   {"IcePlatform", true},
              {"IceWall", true},    {"LedgeGuard", true}, {"RightWall", true},
              {"LeftWall", true},   {"Ceiling", false},   {"Bullet", false},
              {"Chest", false},     {"IceProjectile", false}};
  for (const auto& row : rows) {
    mo::Object* p_other = new mo::Object;
    p_other->setType(row.type);
    mo::EventCollision collision(p_player, p_other, p_player->getPosition());
    EXPECT_EQ(p_player->eventHandler(&collision), 1);
    EXPECT_EQ(p_player->isOnGround(), row.ground) << row.type;
    // Delivered to the obstacle's side too, the other object is still
    // the one judged.
    mo::EventCollision reverse(p_other, p_player, p_player->getPosition());
    p_player->eventHandler(&reverse);
    EXPECT_EQ(p_player->isOnGround(), row.ground) << row.type;
  }
}

TEST_F(PlayerTest, HudShowsTheValuesOfTheStep) {
  p_player->setMagazine(5);
  p_player->setReserves(20);
  p_player->setIceEnergy(42.9f);
  p_player->setHealth(73.6f);
  step();
  EXPECT_EQ(p_player->getMagazineView()->getValue(), 5);
  EXPECT_EQ(p_player->getReservesView()->getValue(), 20);
  // Regrowth comes after the HUD update.
  EXPECT_EQ(p_player->getIceEnergyView()->getValue(), 42);
  EXPECT_EQ(p_player->getHealthView()->getValue(), 73);
}

TEST_F(PlayerTest, IceEnergyRegrowsOnEveryThirtiethStepUpToItsMaximum) {
  // Outside run() the step count stays 0, a multiple of 30.
  const struct {
    float before;
    float after;
  } rows[] = {{50, 52.3333333f}, {99, 100}, {100, 100}, {0, 2.3333333f}};
  for (const auto& row : rows) {
    p_player->setIceEnergy(row.before);
    step();
    EXPECT_FLOAT_EQ(p_player->getIceEnergy(), row.after) << row.before;
  }
}

TEST_F(PlayerTest, IceEnergyStandsStillBetweenThirtiethSteps) {
  // In the real loop: frames 0 and 30 regrow, frames 1 to 29 do not.
  struct Probe : mo::Object {
    Player* p_player;
    std::vector<float> energy;
    explicit Probe(Player* p) : p_player(p) { registerInterest("mo-step"); }
    int eventHandler(const mo::Event* p_e) override {
      if (p_e->getType() != "mo-step") return 0;
      energy.push_back(p_player->getIceEnergy());
      if (energy.size() == 32) mo::GameManager::getInstance().setGameOver();
      return 1;
    }
  };
  p_player->setPosition(Vector(100, 20));
  Probe* p_probe = new Probe(p_player);
  mo::GameManager::getInstance().run();
  ASSERT_EQ(p_probe->energy.size(), 32u);
  EXPECT_FLOAT_EQ(p_probe->energy[0], 52.3333333f);
  EXPECT_FLOAT_EQ(p_probe->energy[29], 52.3333333f);
  EXPECT_FLOAT_EQ(p_probe->energy[30], 54.6666666f);
  EXPECT_FLOAT_EQ(p_probe->energy[31], 54.6666666f);
}

TEST_F(PlayerTest, ReloadKeepsOrDropsTheMagazineRoundsByTheReserves) {
  const struct {
    int magazine, reserves, magazine_after, reserves_after;
  } rows[] = {{3, 64, 8, 59}, {3, 5, 5, 0}, {0, 8, 8, 0}, {0, 9, 8, 1}, {8, 0, 0, 0}};
  for (const auto& row : rows) {
    p_player->setMagazine(row.magazine);
    p_player->setReserves(row.reserves);
    key(mo::R, mo::KEY_PRESSED);
    EXPECT_EQ(p_player->getMagazine(), row.magazine_after) << row.magazine << "+" << row.reserves;
    EXPECT_EQ(p_player->getReserves(), row.reserves_after) << row.magazine << "+" << row.reserves;
    EXPECT_EQ(p_player->getReloadTimer(), 30);
  }
  // R does nothing with the staff, nor when it is only held.
  p_player->setMagazine(3);
  key(mo::R, mo::KEY_DOWN);
  key(mo::TAB, mo::KEY_PRESSED);
  key(mo::R, mo::KEY_PRESSED);
  EXPECT_EQ(p_player->getMagazine(), 3);
}

TEST_F(PlayerTest, GunFiresOnClicksAfterItsCooldownAndReloadsWhenEmpty) {
  p_player->setPosition(Vector(100, 50));
  p_player->setMagazine(1);
  const Vector target(60, 10);
  mouse(mo::CLICKED, mo::LEFT, target);  // cooldown of 14 still running
  EXPECT_EQ(p_player->getMagazine(), 1);
  for (int i = 0; i < 14; i++) step();
  EXPECT_EQ(p_player->getFireCooldown(), 0);
  mouse(mo::PRESSED, mo::LEFT, target);
  mouse(mo::CLICKED, mo::RIGHT, target);
  mouse(mo::CLICKED, mo::MIDDLE, target);
  EXPECT_EQ(p_player->getMagazine(), 1);
  mouse(mo::CLICKED, mo::LEFT, target);
  EXPECT_EQ(p_player->getMagazine(), 0);
  EXPECT_EQ(p_player->getFireCooldown(), 14);

  step();  // the cooldown runs down once, then the automatic reload
  EXPECT_EQ(p_player->getFireCooldown(), 13);
  EXPECT_EQ(p_player->getMagazine(), 8);
  EXPECT_EQ(p_player->getReserves(), 56);
  EXPECT_EQ(p_player->getReloadTimer(), 30);
  // The cooldown stands still while the reload runs, then runs down.
  for (int i = 0; i < 30; i++) step();
  EXPECT_EQ(p_player->getReloadTimer(), 0);
  EXPECT_EQ(p_player->getFireCooldown(), 13);
  for (int i = 0; i < 12; i++) step();
  mouse(mo::CLICKED, mo::LEFT, target);
  EXPECT_EQ(p_player->getMagazine(), 8);
  step();
  mouse(mo::CLICKED, mo::LEFT, target);
  EXPECT_EQ(p_player->getMagazine(), 7);
}

TEST_F(PlayerTest, StaffCastsCostEnergyAndRestartTheCooldownEvenWhenRefused) {
  p_player->setPosition(Vector(100, 50));
  key(mo::TAB, mo::KEY_PRESSED);
  for (int i = 0; i < 30; i++) step();
  ASSERT_EQ(p_player->getStaffCooldown(), 0);

  p_player->setIceEnergy(35);
  key(mo::F, mo::KEY_PRESSED);
  EXPECT_FLOAT_EQ(p_player->getIceEnergy(), 5);
  EXPECT_EQ(p_player->getStaffCooldown(), 30);
  step();
  p_player->setIceEnergy(5);
  mouse(mo::CLICKED, mo::LEFT, Vector(10, 10));  // cooldown running: nothing
  EXPECT_EQ(p_player->getStaffCooldown(), 29);
  for (int i = 0; i < 29; i++) step();
  // Each row: energy, cast (key F or a mouse button), energy after.
  const struct {
    float energy;
    int button;  // -1: the F key
    float after;
    int cooldown;
  } rows[] = {{5, mo::LEFT, 5, 30},  {25, -1, 25, 30},   {40, mo::LEFT, 0, 30},
              {20, mo::RIGHT, 0, 30}, {0, mo::RIGHT, 0, 0}, {19, mo::MIDDLE, 19, 0}};
  for (const auto& row : rows) {
    while (p_player->getStaffCooldown() > 0) step();
    p_player->setIceEnergy(row.energy);
    if (row.button < 0) {
      key(mo::F, mo::KEY_PRESSED);
    } else {
      mouse(mo::CLICKED, static_cast<mo::MouseButton>(row.button), Vector(10, 10));
    }
    EXPECT_FLOAT_EQ(p_player->getIceEnergy(), row.after) << row.energy;
    EXPECT_EQ(p_player->getStaffCooldown(), row.cooldown) << row.energy;
  }
  // F does nothing with the gun.
  key(mo::TAB, mo::KEY_PRESSED);
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
    if (count("Player") == 0) break;
    if (p_player->getHealth() != before) {
      health.push_back(p_player->getHealth());
      EXPECT_EQ(p_player->getPosition(), Vector(100, 40));
    }
  }
  EXPECT_EQ(health, (std::vector<float>{90, 80, 70, 60, 50, 40, 30, 20, 10}));
  ASSERT_EQ(count("Player"), 0);
  ASSERT_EQ(types(), std::vector<std::string>{"GameOver"});
  EXPECT_EQ(first("GameOver")->getAnimation().getName(), "game-over");
}

TEST_F(PlayerTest, EscapeEndsTheGame) {
  key(mo::ESCAPE, mo::KEY_DOWN);
  EXPECT_FALSE(mo::GameManager::getInstance().getGameOver());
  key(mo::ESCAPE, mo::KEY_PRESSED);
  EXPECT_TRUE(mo::GameManager::getInstance().getGameOver());
}

}  // namespace
}  // namespace gh
