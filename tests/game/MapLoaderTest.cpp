#include "game/MapLoader.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "game/Enemy.h"
#include "game/LedgeGuard.h"
#include "game/Player.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using MapLoaderTest = test::GameTest;

/// Every object but the reticle, HUD and particles as "Type@x,y", the
/// player also with its spawn point, a heavy enemy marked "!".
std::string describe(const mo::Object* p_o) {
  if (p_o->getType() == "Reticle" || dynamic_cast<const mo::ViewObject*>(p_o) ||
      dynamic_cast<const mo::Particle*>(p_o)) {
    return "";
  }
  std::string text = p_o->getType() + "@" + test::text(p_o->getPosition());
  if (const Player* p_player = dynamic_cast<const Player*>(p_o)) {
    text += "/" + test::text(p_player->getSpawnPoint());
  }
  const Enemy* p_enemy = dynamic_cast<const Enemy*>(p_o);
  if (p_enemy && p_enemy->isHeavy()) text += "!";
  return text;
}

TEST_F(MapLoaderTest, ReadsLinesSplitAtLineFeedsOnlyAndLogsAMissingFileOnce) {
  const std::string path = writeTempFile("level.txt", "ab\r\n\n  \n_,_");
  EXPECT_EQ(loadMapLines(path), (std::vector<std::string>{"ab\r", "", "  ", "_,_"}));
  EXPECT_TRUE(loadMapLines(tempDir() + "/none.txt").empty());
  const std::vector<std::string> log = closedLog();
  const std::string expected =
      "Encountered an error while loading the map \"" + tempDir() + "/none.txt\"";
  EXPECT_EQ(std::count(log.begin(), log.end(), expected), 1);
}

TEST_F(MapLoaderTest, CharactersBecomePiecesAtTheirOffsetsAndTheLastPPlacesThePlayer) {
  // Each row: the level's lines, the objects made (the player first,
  // at 1,1 with spawn point 0,0 when there is no P).
  const struct {
    std::vector<std::string> lines;
    std::vector<std::string> objects;
  } rows[] = {
      {{"", "", "", "", "  _,_"}, {"Player@1,1/0,0", "Floor@2,5", "Platform@3,4", "Floor@4,5"}},
      {{".LRC"}, {"Player@1,1/0,0", "Ceiling@0,0", "LeftWall@1,0", "RightWall@2,0", "Chest@3,1"}},
      {{"_"}, {"Player@1,1/0,0", "Floor@0,1"}},
      {{" \t ", "_"}, {"Player@1,1/0,0", "Floor@0,2"}},
      {{"  \r", "_,\r"}, {"Player@1,1/0,0", "Floor@0,2", "Platform@1,1"}},
      {{"e p c l r x#"}, {"Player@1,1/0,0"}},
      {{"", "\r", "  ", ""}, {"Player@1,1/0,0"}},
      {{}, {"Player@1,1/0,0"}},
      {{"", "", "   P"}, {"Player@3,1/3,1"}},
      {{" P_", "", "    P"}, {"Player@4,1/4,1", "Floor@2,1"}},
      {{"P"}, {"Player@0,-1/0,-1"}},
      {{"", "", "", "", "", "", "", "", "", "", "       E F G"},
       {"Player@1,1/0,0", "Enemy@7,7", "Enemy@9,7!", "LedgeGuard@11,11"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::PrintToString(row.lines));
    restartWorld();
    populateWorld(row.lines);
    EXPECT_EQ(objects(describe), row.objects);
  }
}

TEST_F(MapLoaderTest, PiecesGetTheirSpriteSolidnessAndAltitude) {
  populateWorld({"_.,LRCEG"});
  const struct {
    const char* type;
    const char* sprite;
    mo::Solidness solidness;
    int altitude;
  } rows[] = {{"Floor", "floor", mo::HARD, 2},         {"Ceiling", "ceiling", mo::HARD, 2},
              {"Platform", "platform", mo::HARD, 2},   {"LeftWall", "wall-left", mo::HARD, 2},
              {"RightWall", "wall-right", mo::HARD, 2}, {"Chest", "chest", mo::SOFT, 1},
              {"Enemy", "enemy-left", mo::HARD, 2},     {"LedgeGuard", "", mo::SOFT, 2}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.type);
    const mo::Object* p_o = first(row.type);
    ASSERT_NE(p_o, nullptr);
    EXPECT_EQ(p_o->getAnimation().getName(), row.sprite);
    EXPECT_EQ(p_o->getSolidness(), row.solidness);
    EXPECT_EQ(p_o->getAltitude(), row.altitude);
  }
  const LedgeGuard* p_guard = static_cast<const LedgeGuard*>(first("LedgeGuard"));
  EXPECT_EQ(p_guard->getAnimation().getSprite(), nullptr);
  EXPECT_FALSE(p_guard->isVisible());
  EXPECT_EQ(p_guard->getColor(), mo::MAGENTA);
}

}  // namespace
}  // namespace gh
