#include "engine/net/PathFind.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/Object.h"
#include "engine/world/SceneGraph.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using Cell = PathFind::Cell;

class PathFindTest : public test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
    setWorld(10, 10);
    p_mover = new Object;
  }
  static void setWorld(float width, float height) {
    WorldManager::getInstance().setBoundary(Box(Vector(), width, height));
  }
  /// A HARD one-cell object at cell.
  static Object* wall(Cell cell) {
    auto* p_wall = new Object;
    p_wall->setPosition(Vector(static_cast<float>(cell.x), static_cast<float>(cell.y)));
    return p_wall;
  }
  /// Runs a search to its end: its path, after "none:" when not found.
  static std::string finish(PathFind& search) {
    int result = PATH_SEARCHING;
    for (int i = 0; i < 100000 && result == PATH_SEARCHING; i++) result = search.cycleOnce();
    return (result == PATH_FOUND ? "" : "none:") + toString(search.getPath());
  }
  Object* p_mover = nullptr;
};

TEST_F(PathFindTest, PathsFollowTheCornerGoalAndTieRules) {
  struct Case {
    const char* what;
    std::vector<Cell> walls;
    Cell start, goal;
    std::string path;
  };
  std::vector<Cell> gapped;  // column 5 but for its last cell
  for (int y = 0; y < 9; y++) gapped.push_back({5, y});
  const Case cases[] = {
      {"an open world gives the diagonal", {}, {0, 0}, {3, 3}, "0 0|1 1|2 2|3 3|"},
      {"start on the goal", {}, {4, 4}, {4, 4}, "4 4|"},
      {"a single hard cell is passed at its corner", {{1, 0}}, {0, 0}, {1, 1}, "0 0|1 1|"},
      {"two hard cells meeting at a corner cannot be squeezed between", {{1, 0}, {0, 1}},
       {0, 0}, {1, 1}, "none:"},
      {"a hard object on the goal does not block it", {{3, 0}, {2, 1}}, {0, 0}, {3, 0},
       "0 0|1 0|2 0|3 0|"},
      {"of equal estimates the cell listed last is taken: over, not under", {{2, 3}}, {0, 3},
       {4, 3}, "0 3|1 2|2 2|3 2|4 3|"},
      {"a wall is crossed at its gap", gapped, {0, 0}, {9, 0},
       "0 0|0 1|0 2|0 3|0 4|1 5|2 6|3 7|4 8|5 9|6 8|6 7|6 6|6 5|6 4|7 3|8 2|9 1|9 0|"},
      {"an enclosed goal cannot be reached",
       {{2, 2}, {3, 2}, {4, 2}, {2, 3}, {4, 3}, {2, 4}, {3, 4}, {4, 4}}, {0, 0}, {3, 3}, "none:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<Object*> walls;
    for (const Cell& at : c.walls) walls.push_back(wall(at));
    PathFind search(p_mover, c.start, c.goal);
    EXPECT_EQ(finish(search), c.path);
    for (Object* p_wall : walls) delete p_wall;
  }
}

TEST_F(PathFindTest, TargetEndsTheSearchWhereTheObjectTouchesItUnlessForgotten) {
  Object* p_target = wall({5, 0});
  p_target->setBox(Box(Vector(-1.5f, -0.5f), 2.99f, 0.99f));  // reaches into cell 4
  PathFind search(p_mover, {0, 0}, {5, 0}, p_target);
  EXPECT_EQ(finish(search), "0 0|1 0|2 0|3 0|4 0|");
  EXPECT_TRUE(search.getGoal() == (Cell{4, 0}));
  PathFind forgetting(p_mover, {0, 0}, {5, 0}, p_target);
  forgetting.cycleOnce();
  forgetting.forgetTarget();
  EXPECT_EQ(finish(forgetting), "0 0|1 0|2 0|3 0|4 0|5 0|");
}

TEST_F(PathFindTest, SearchStaysWithinItsGraphWhichTooLargeAWorldDoesNotGet) {
  PathFind outside(p_mover, {0, 0}, {10, 0});
  PathFind shrunk(p_mover, {0, 0}, {9, 9});
  setWorld(3, 3);
  EXPECT_EQ(finish(shrunk), "none:");
  for (const Cell& at : {Cell{1, 1}, Cell{2, 1}, Cell{1, 2}}) wall(at);
  PathFind grown(p_mover, {0, 0}, {2, 2});  // walled off: every other cell is expanded
  setWorld(3000, 3000);  // more cells than a search may cover
  PathFind huge(p_mover, {0, 0}, {1, 1});
  EXPECT_EQ(finish(outside) + finish(huge) + finish(grown), "none:none:none:");
  EXPECT_EQ(grown.getClosedCount(), 5);
  EXPECT_EQ(closedLog(), std::vector<std::string>(2, "PathFind::cycleOnce(): node graph not "
                                                     "allocated.  Cannot find path."));
}

TEST_F(PathFindTest, HeapAndGridExpandTheSameCellsAsTheLinearListAndScan) {
  const int width = 40;
  const int height = 20;
  setWorld(width, height);
  enum Kind { OPEN, WALLS, ENCLOSED, MOVING_TARGET, KINDS };
  for (unsigned seed = 1; seed <= 12 * KINDS; seed++) {
    const Kind kind = static_cast<Kind>(seed % KINDS);
    std::mt19937 random(seed);
    auto whole = [&](int high) { return std::uniform_int_distribution<int>(0, high)(random); };
    std::vector<Object*> walls;
    const Cell start{whole(width - 1), whole(height - 1)};
    const Cell goal{whole(width - 1), whole(height - 1)};
    if (kind != OPEN) {
      for (int i = 0; i < width * height * (kind == WALLS ? 3 : 1) / 10; i++) {
        const Cell at{whole(width - 1), whole(height - 1)};
        if (at != start) walls.push_back(wall(at));
      }
    }
    if (kind == ENCLOSED) {
      for (const Cell& step : {Cell{-1, -1}, Cell{0, -1}, Cell{1, -1}, Cell{-1, 0}, Cell{1, 0},
                               Cell{-1, 1}, Cell{0, 1}, Cell{1, 1}}) {
        walls.push_back(wall({goal.x + step.x, goal.y + step.y}));
      }
    }
    // Some movers are larger than a cell; the target walks about.
    p_mover->setBox(whole(2) == 0 ? Box(Vector(-0.5f, -0.5f), 1.8f, 1.2f)
                                  : Box(Vector(-0.5f, -0.5f), 0.99f, 0.99f));
    Object* p_target = kind == MOVING_TARGET ? wall(goal) : nullptr;
    std::string runs[2];
    for (const bool fast : {false, true}) {
      SCOPED_TRACE("seed " + toString(static_cast<int>(seed)));
      WorldManager::getInstance().getSceneGraph().setSpatialIndex(fast);
      PathFind search(p_mover, start, goal, p_target);
      search.setLinear(!fast);
      int result = PATH_SEARCHING;
      for (int step = 0; result == PATH_SEARCHING && step < width * height * 2; step++) {
        if (p_target) {
          p_target->setPosition(Vector(static_cast<float>((goal.x + step / 7) % width),
                                       static_cast<float>(goal.y)));
        }
        result = search.cycleOnce();
      }
      std::string& run = runs[fast];
      run = toString(result) + " " + toString(search.getPath()) + " expanded";
      for (const Cell& cell : search.getClosedList()) {
        run += " " + toString(cell.x) + "," + toString(cell.y);
      }
    }
    EXPECT_EQ(runs[0], runs[1]) << "seed " << seed;
    for (Object* p_wall : walls) delete p_wall;
    delete p_target;
  }
}

}  // namespace
}  // namespace mo
