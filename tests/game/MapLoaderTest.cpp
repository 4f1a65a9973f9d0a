#include "game/MapLoader.h"

#include <gtest/gtest.h>

#include <sstream>

#include "game/Player.h"
#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using mo::Vector;

using MapLoaderTest = test::GameTest;

/// The level objects (not the player, reticle or HUD) in creation order,
/// each as "Type@x,y".
std::vector<std::string> levelObjects() {
  std::vector<std::pair<int, std::string>> found;
  const mo::ObjectList all = mo::WorldManager::getInstance().getAllObjects(true);
  for (mo::ObjectListIterator it(&all); !it.isDone(); it.next()) {
    const mo::Object* p_o = it.currentObject();
    const std::string type = p_o->getType();
    if (type == "Player" || type == "Reticle" || dynamic_cast<const mo::ViewObject*>(p_o)) continue;
    std::ostringstream text;
    text << type << "@" << p_o->getPosition().getX() << "," << p_o->getPosition().getY();
    found.emplace_back(p_o->getId(), text.str());
  }
  std::sort(found.begin(), found.end());
  std::vector<std::string> result;
  for (const auto& entry : found) result.push_back(entry.second);
  return result;
}

Player* thePlayer() {
  const mo::ObjectList players = mo::WorldManager::getInstance().objectsOfType("Player");
  EXPECT_EQ(players.getCount(), 1);
  return players.isEmpty() ? nullptr
                           : static_cast<Player*>(mo::ObjectListIterator(&players).currentObject());
}

TEST_F(MapLoaderTest, ReadsLinesSplitAtLineFeedsOnly) {
  const std::string path = writeTempFile("level.txt", "ab\r\n\n  \n_,_");
  EXPECT_EQ(loadMapLines(path), (std::vector<std::string>{"ab\r", "", "  ", "_,_"}));
}

TEST_F(MapLoaderTest, MissingFileGivesNoLinesAndOneLogLine) {
  EXPECT_TRUE(loadMapLines(tempDir() + "/none.txt").empty());
  const std::vector<std::string> log = closedLog();
  const std::string expected =
      "Encountered an error while loading the map \"" + tempDir() + "/none.txt\"";
  EXPECT_EQ(std::count(log.begin(), log.end(), expected), 1);
}

TEST_F(MapLoaderTest, CharactersBecomePiecesAtTheirOffsets) {
  // Each row: the level's lines, the level objects made.
  const struct {
    std::vector<std::string> lines;
    std::vector<std::string> objects;
  } rows[] = {
      {{"", "", "", "", "  _,_"}, {"Floor@2,5", "Platform@3,4", "Floor@4,5"}},
      {{".LRC"}, {"Ceiling@0,0", "LeftWall@1,0", "RightWall@2,0", "Chest@3,1"}},
      {{"_"}, {"Floor@0,1"}},
      {{"", "_"}, {"Floor@0,2"}},
      {{" \t ", "_"}, {"Floor@0,2"}},
      {{"  \r", "_,\r"}, {"Floor@0,2", "Platform@1,1"}},
      {{"e p c l r x#"}, {}},
      {{"", "\r", "  ", ""}, {}},
      {{}, {}},
  };
  for (const auto& row : rows) {
    restartWorld();
    populateWorld(row.lines);
    EXPECT_EQ(levelObjects(), row.objects) << row.lines.size() << " lines";
    EXPECT_EQ(count("Player"), 1);
  }
}

TEST_F(MapLoaderTest, PiecesGetTypeSpriteAndSolidness) {
  populateWorld({"_.,LRC"});
  const struct {
    const char* type;
    const char* sprite;
    mo::Solidness solidness;
    int altitude;
  } rows[] = {{"Floor", "floor", mo::HARD, 2},         {"Ceiling", "ceiling", mo::HARD, 2},
              {"Platform", "platform", mo::HARD, 2},   {"LeftWall", "wall-left", mo::HARD, 2},
              {"RightWall", "wall-right", mo::HARD, 2}, {"Chest", "chest", mo::SOFT, 1}};
  for (const auto& row : rows) {
    const mo::Object* p_o = first(row.type);
    ASSERT_NE(p_o, nullptr) << row.type;
    EXPECT_EQ(p_o->getAnimation().getName(), row.sprite);
    EXPECT_EQ(p_o->getSolidness(), row.solidness) << row.type;
    EXPECT_EQ(p_o->getAltitude(), row.altitude) << row.type;
    EXPECT_EQ(p_o->getEventCount(), row.altitude == 1 ? 2 : 0) << row.type;
  }
}

TEST_F(MapLoaderTest, TheLastPSetsThePlayersPlaceAndSpawnPoint) {
  const struct {
    std::vector<std::string> lines;
    Vector position;
    Vector spawn;
  } rows[] = {{{"", "", "   P"}, Vector(3, 1), Vector(3, 1)},
              {{" P", "", "    P"}, Vector(4, 1), Vector(4, 1)},
              {{"P"}, Vector(0, -1), Vector(0, -1)},
              {{"_ _"}, Vector(1, 1), Vector(0, 0)},
              {{}, Vector(1, 1), Vector(0, 0)}};
  for (const auto& row : rows) {
    restartWorld();
    populateWorld(row.lines);
    const Player* p_player = thePlayer();
    ASSERT_NE(p_player, nullptr);
    EXPECT_EQ(p_player->getPosition(), row.position) << row.lines.size() << " lines";
    EXPECT_EQ(p_player->getSpawnPoint(), row.spawn) << row.lines.size() << " lines";
  }
}

}  // namespace
}  // namespace gh
