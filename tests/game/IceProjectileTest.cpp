#include "game/IceProjectile.h"

#include <gtest/gtest.h>

#include "game/EventFreeze.h"
#include "game/IceBlock.h"
#include "game/IceFreezeVisuals.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;
using test::text;

/// Stands in for an enemy (or, retyped, for anything in the way): it
/// records where the freezes it receives are centred.
struct EnemyProbe : mo::Object {
  std::string freezes;
  explicit EnemyProbe(Vector where) {
    setType("Enemy");
    setPosition(where);
    registerInterest(FREEZE_EVENT);
  }
  int eventHandler(const mo::Event* p_e) override {
    if (p_e->getType() != FREEZE_EVENT) return 0;
    freezes += text(static_cast<const EventFreeze*>(p_e)->getPosition());
    return 1;
  }
};

class IceProjectileTest : public test::PlayerGameTest {
 protected:
  /// A projectile with 10 platform and 7 wall units flying right from
  /// (102, 49) at one cell per step.
  IceProjectile* throwRight(CastKind kind, Vector target) {
    IceProjectile* p_projectile = new IceProjectile(10, 7, target, kind, p_player);
    p_projectile->setVelocity(Vector(1, 0));
    return p_projectile;
  }
  /// The ice in the world as "Type@x,y", with the lifetime of a block.
  static std::vector<std::string> ice() {
    return objects([](const mo::Object* p_o) {
      const auto* p_block = dynamic_cast<const IceBlock*>(p_o);
      if (!p_block && !dynamic_cast<const IceFreezeVisuals*>(p_o)) return std::string();
      std::string result = p_o->getType() + "@" + text(p_o->getPosition());
      if (p_block) result += "/" + std::to_string(p_block->getLifetime());
      return result;
    });
  }
};

TEST_F(IceProjectileTest, MakesItsIceOnceWhereItArrivesOrFirstTouchesAWallOrTheFloor) {
  // Each row: what stands at x in its way, the kind, the target, the ice
  // made and the centre of the freeze sent to every enemy. Boxes that
  // meet at an edge touch: the projectile touches what stands at x on its
  // move from x - 2. Toward (110, 47) it arrives at x = 108.
  const struct {
    const char* other;
    float x;
    CastKind kind;
    Vector target;
    const char* ice;
    const char* freeze;
  } rows[] = {{"", 0, CAST_PLATFORM, Vector(110, 47), "IcePlatform@110,47/300", ""},
              {"", 0, CAST_WALL, Vector(110, 47), "IceWall@110,47/210", ""},
              {"", 0, CAST_FREEZE, Vector(110, 47), "IceFreezeCircle@110,47", "108,49"},
              {"Floor", 110, CAST_PLATFORM, Vector(110, 47), "IcePlatform@110,47/300", ""},
              {"Player", 106, CAST_WALL, Vector(120, 49), "IceWall@120,49/210", ""},
              {"Floor", 106, CAST_WALL, Vector(200, 49), "IceWall@104,49/210", ""},
              {"LeftWall", 106, CAST_PLATFORM, Vector(200, 49), "IcePlatform@104,49/300", ""},
              {"RightWall", 106, CAST_FREEZE, Vector(200, 49), "IceFreezeCircle@104,49", "104,49"},
              {"Enemy", 106, CAST_FREEZE, Vector(200, 49), "IceFreezeCircle@104,49", "104,49"},
              {"Enemy", 106, CAST_PLATFORM, Vector(200, 49), "", ""},
              {"Enemy", 106, CAST_WALL, Vector(200, 49), "", ""},
              {"Ceiling", 106, CAST_WALL, Vector(200, 49), "", ""},
              {"Platform", 106, CAST_PLATFORM, Vector(200, 49), "", ""},
              {"IceWall", 106, CAST_FREEZE, Vector(200, 49), "", ""},
              {"Bullet", 106, CAST_FREEZE, Vector(200, 49), "", ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.other) + " " + row.ice);
    restartWithPlayer();
    EnemyProbe* p_far = new EnemyProbe(Vector(300, 10));
    EnemyProbe* p_other = new EnemyProbe(*row.other ? Vector(row.x, 49) : Vector(300, 20));
    if (*row.other) p_other->setType(row.other);
    if (row.other == std::string("Bullet")) p_other->setSolidness(mo::SOFT);
    throwRight(row.kind, row.target);
    for (int i = 0; i < 30 && count("IceProjectile") > 0; i++) tick();
    EXPECT_EQ(count("IceProjectile"), 0);
    EXPECT_EQ(ice(), *row.ice ? std::vector<std::string>{row.ice} : std::vector<std::string>{});
    EXPECT_EQ(p_far->freezes, row.freeze);
    EXPECT_EQ(p_other->freezes, row.freeze);
  }
}

TEST_F(IceProjectileTest, DealsWithEveryContactOfTheMoveThatEndsItYetMakesItsIceOnce) {
  // Two pieces at x = 106, made in either order, both touched on the move
  // from x = 104: what makes nothing must not hide what makes the ice, and
  // two that make it make it once.
  const struct {
    const char *piece, *other;
    CastKind kind;
    const char* ice;
  } rows[] = {{"Platform", "Floor", CAST_WALL, "IceWall@104,49/210"},
              {"LedgeGuard", "Enemy", CAST_FREEZE, "IceFreezeCircle@104,49"},
              {"Ceiling", "LeftWall", CAST_PLATFORM, "IcePlatform@104,49/300"},
              {"Enemy", "RightWall", CAST_FREEZE, "IceFreezeCircle@104,49"}};
  for (const auto& row : rows) {
    for (const bool swap : {false, true}) {
      SCOPED_TRACE(std::string(row.piece) + (swap ? " after " : " before ") + row.other);
      restartWithPlayer();
      (new EnemyProbe(Vector(106, 49)))->setType(swap ? row.other : row.piece);
      (new EnemyProbe(Vector(106, 49)))->setType(swap ? row.piece : row.other);
      throwRight(row.kind, Vector(200, 49));
      tick(4);
      EXPECT_EQ(ice(), std::vector<std::string>{row.ice});  // a freeze shows one circle
    }
  }
}

TEST_F(IceProjectileTest, EndsWithoutIceWhenItLeavesTheWorld) {
  throwRight(CAST_PLATFORM, Vector(500, 49))->setPosition(Vector(398, 49));
  tick(2);
  EXPECT_EQ(count("IceProjectile"), 1);
  tick();
  EXPECT_EQ(count("IceProjectile"), 0);
  EXPECT_TRUE(ice().empty());
}

TEST_F(IceProjectileTest, InFlightWhenThePlayerDiesItGoesInTheSamePassUntouched) {
  // Thrown back through the player, which dies in that frame.
  throwRight(CAST_FREEZE, Vector(20, 49))->setVelocity(Vector(-1, 0));
  p_player->hurt(100);
  tick();
  ASSERT_EQ(types(), std::vector<std::string>{"GameOver"});
  tick(3);
}

}  // namespace
}  // namespace gh
