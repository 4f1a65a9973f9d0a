#include "game/IcePlatform.h"

#include <gtest/gtest.h>

#include "engine/core/EventOut.h"
#include "game/IceWall.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

using IcePlatformTest = test::GameTest;

/// An ice platform and an ice wall as the staff makes them.
const struct Block {
  const char* type;
  const char* sprite;
  int units;
  int lifetime;
  bool is_platform;
} BLOCKS[] = {{"IcePlatform", "ice-platform", 10, 300, true},
              {"IceWall", "ice-wall", 7, 210, false}};

const Vector WHERE(100, 40);

IceBlock* make(const Block& block) {
  if (block.is_platform) return new IcePlatform(block.units, WHERE);
  return new IceWall(block.units, WHERE);
}

/// An object of type that touches the block n times, then goes.
void touch(const char* type, int n) {
  mo::Object* p_toucher = new mo::Object;
  p_toucher->setType(type);
  if (type == std::string("Bullet")) p_toucher->setSolidness(mo::SOFT);
  p_toucher->setPosition(WHERE);
  for (int i = 0; i < n; i++) mo::WorldManager::getInstance().moveObject(p_toucher, WHERE);
  mo::WorldManager::getInstance().markForDelete(p_toucher);
}

TEST_F(IcePlatformTest, LastsItsLifetimeThirtyStepsLessPerBulletOrUntilItLeavesTheWorld) {
  for (const Block& block : BLOCKS) {
    SCOPED_TRACE(block.type);
    const IceBlock* p_block = make(block);
    EXPECT_EQ(p_block->getAnimation().getName(), block.sprite);
    EXPECT_EQ(p_block->getSolidness(), mo::HARD);
    tick(block.lifetime - 1);
    EXPECT_EQ(count(block.type), 1);
    tick();
    EXPECT_EQ(count(block.type), 0);

    // As many bullets as lifetime units: it goes on its next step.
    make(block);
    touch("Bullet", block.units);
    mo::WorldManager::getInstance().update();
    EXPECT_EQ(count(block.type), 1);
    tick();
    EXPECT_EQ(count(block.type), 0);

    const mo::EventOut out;
    EXPECT_EQ(make(block)->eventHandler(&out), 1);
    mo::WorldManager::getInstance().update();
    EXPECT_EQ(count(block.type), 0);
  }
}

TEST_F(IcePlatformTest, OnlyAPlatformMeltsTwiceAsFastUnderThePlayer) {
  for (const Block& block : BLOCKS) {
    SCOPED_TRACE(block.type);
    const IceBlock* p_block = make(block);
    for (int i = 0; i < 150; i++) {
      EXPECT_EQ(count(block.type), 1) << i;
      touch("Player", 1);
      tick();
    }
    EXPECT_EQ(count(block.type), block.is_platform ? 0 : 1);
    if (!block.is_platform) {
      EXPECT_EQ(p_block->getAge(), 150);
    }
  }
}

}  // namespace
}  // namespace gh
