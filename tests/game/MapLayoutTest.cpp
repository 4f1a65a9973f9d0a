#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

// The shipped level, data/map-layout.txt: its shape, and a proof that it can be won by
// walking and jumping alone.
//
// The proof is a breadth-first search over the player's states. The model errs on the safe
// side: it may miss a way the game allows, never the reverse.
// - The player's box is 3 x 3 around its position less 1/32 at the top, a level piece's
//   1 x 1 around its cell, and touching boxes collide: a solid cell blocks the player when
//   |dx| <= 2 and -2 + 1/32 <= dy <= 2.
// - One step: walk -1, 0 or +1 (a walk that would touch a solid cell is not taken), gravity
//   vy = min(vy + 1/8, 10/8), a jump (vy = -1) when on the ground, then the move by vy; a
//   move that would touch a solid cell is refused and vy is kept, but a refused fall first
//   lands: the player comes down to one 1024th of a cell above the highest top it would
//   have touched (not when a touched cell already reaches its bottom edge).
// - The player is on the ground only after a refused downward move that touched no
//   ceiling, tried from where it landed; every other step clears it (the game keeps it
//   after walking off an edge).
// - Leaving the world is a dead end. Enemies are ignored (two shots kill one; a frozen one is
//   even ground). Ledge guards are ignored too: they are SOFT, so they never block, and the
//   ground they give can only add jumps that the model leaves out.
// Heights are counted in 1024ths of a cell and speeds in eighths, so the arithmetic is exact.

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 84;
constexpr int UNIT = 1024;       // a cell's height in the units of the model's heights
constexpr int EIGHTH = UNIT / 8;  // a speed's unit (an eighth of a cell) in the same units
constexpr int HEAD = UNIT / 32;   // what the player's box lacks at the top
constexpr std::size_t MAX_STATES = 4000000;

// What a cell holds, in increasing order of harm to the player's ground test.
constexpr char EMPTY = 0, GROUND = 1, CEILING = 2;

struct Level {
  std::vector<char> cells = std::vector<char>(WIDTH * HEIGHT, EMPTY);
  int players = 0, chests = 0, enemies = 0, heavies = 0, outside = 0;
  int px = 0, py = 0, cx = 0, cy = 0;
  std::vector<std::array<int, 3>> foes;  // x, y and whether heavy, of every enemy
  std::set<std::pair<int, int>> guards;
  std::set<std::pair<int, int>> floors;  // x, y of every floor cell

  char at(int x, int y) const {
    return (x < 0 || y < 0 || x >= WIDTH || y >= HEIGHT) ? EMPTY : cells[y * WIDTH + x];
  }
};

std::string levelFile() {
  const std::string file = __FILE__;
  return file.substr(0, file.rfind("/tests/")) + "/data/map-layout.txt";
}

// World y of a level character at file row `row` (the loader's offsets).
int worldRow(char ch, int row) {
  switch (ch) {
    case '_': case 'C': case 'G': return row + 1;
    case 'P': return row - 1;
    case 'E': case 'F': return row - 3;
    default: return row;
  }
}

Level readLevel(const std::string& path) {
  Level level;
  std::ifstream in(path);
  std::string line;
  for (int row = 0; std::getline(in, line); ++row) {
    for (int col = 0; col < static_cast<int>(line.size()); ++col) {
      const char ch = line[static_cast<std::size_t>(col)];
      if (std::string("_.,LRCEFGP").find(ch) == std::string::npos) continue;
      const int y = worldRow(ch, row);
      if (col >= WIDTH || y < 0 || y >= HEIGHT) { ++level.outside; continue; }
      if (ch == 'P') { ++level.players; level.px = col; level.py = y; }
      if (ch == 'C') { ++level.chests; level.cx = col; level.cy = y; }
      level.enemies += ch == 'E';
      level.heavies += ch == 'F';
      if (ch == 'E' || ch == 'F') level.foes.push_back({col, y, ch == 'F'});
      if (ch == 'G') level.guards.insert({col, y});
      if (ch == '_') level.floors.insert({col, y});
      char& cell = level.cells[y * WIDTH + col];
      if (std::string("_,LR").find(ch) != std::string::npos) cell = std::max<char>(cell, GROUND);
      if (ch == '.') cell = CEILING;
    }
  }
  return level;
}

// The rows of the cells that a player box at (x, y / UNIT) touches.
int firstRow(int y) { return (y - 2 * UNIT + HEAD + UNIT - 1) / UNIT; }
int lastRow(int y) { return (y + 2 * UNIT) / UNIT; }

// What a player box at (x, y / UNIT) touches: EMPTY, GROUND only, or a CEILING among others.
char touched(const Level& level, int x, int y) {
  char worst = EMPTY;
  for (int cy = firstRow(y); cy <= lastRow(y); ++cy)
    for (int cx = x - 2; cx <= x + 2; ++cx) worst = std::max(worst, level.at(cx, cy));
  return worst;
}

// Where a fall from y that would touch a solid cell at fall_y lands; y when it cannot.
int landing(const Level& level, int x, int y, int fall_y) {
  int rest = fall_y;
  for (int cy = firstRow(fall_y); cy <= lastRow(fall_y); ++cy)
    for (int cx = x - 2; cx <= x + 2; ++cx) {
      if (level.at(cx, cy) == EMPTY) continue;
      if ((cy - 2) * UNIT <= y) return y;  // it reaches the player's bottom edge already
      rest = std::min(rest, (cy - 2) * UNIT - 1);
    }
  return rest > y && touched(level, x, rest) == EMPTY ? rest : y;
}

struct State { int x, y, vy8; bool ground; };

std::uint32_t key(const State& s) {
  return (static_cast<std::uint32_t>(s.x) << 23) | (static_cast<std::uint32_t>(s.y) << 6) |
         (static_cast<std::uint32_t>(s.vy8 + 16) << 1) | (s.ground ? 1u : 0u);
}

bool insideWorld(const State& s) {  // the whole box, with room to spare
  return s.x >= 2 && s.x <= WIDTH - 3 && s.y >= 2 * UNIT && s.y <= (HEIGHT - 2) * UNIT;
}

// One step of the model; false when the choice is not open to the player.
bool step(const Level& level, State& s, int dx, bool jump) {
  if (jump && !s.ground) return false;
  if (dx != 0 && touched(level, s.x + dx, s.y) != EMPTY) return false;
  s.x += dx;
  s.vy8 = jump ? -8 : std::min(s.vy8 + 1, 10);
  const int dy = s.vy8 * EIGHTH;
  char hit = dy == 0 ? EMPTY : touched(level, s.x, s.y + dy);
  if (hit == EMPTY) {
    s.y += dy;
  } else if (dy > 0) {
    s.y = landing(level, s.x, s.y, s.y + dy);
    hit = touched(level, s.x, s.y + dy);
  }
  s.ground = hit == GROUND && dy > 0;
  return insideWorld(s);
}

// The column where an enemy walking from x along its floor in direction dx meets a ledge
// guard, or the first column without ground.
int walkToGuard(const Level& level, int x, int floor, int dx) {
  while (!level.guards.count({x, floor - 1}) && level.at(x, floor) == GROUND) x += dx;
  return x;
}

bool nearChest(const Level& level, const State& s) {
  const long long dx = (s.x - level.cx) * UNIT, dy = s.y - level.cy * UNIT;
  return dx * dx + dy * dy <= 5LL * 5 * UNIT * UNIT;
}

// Breadth-first search from the spawn point until the chest can be opened; the states it
// explored (the last one beside the chest when it was reached).
std::vector<State> searchChest(const Level& level, bool& reached) {
  std::vector<State> queue{{level.px, level.py * UNIT, 0, false}};
  std::unordered_set<std::uint32_t> seen{key(queue.front())};
  reached = false;
  for (std::size_t explored = 0; explored < queue.size() && seen.size() < MAX_STATES; ++explored) {
    const State here = queue[explored];
    if (nearChest(level, here)) {
      reached = true;
      queue.resize(explored + 1);
      return queue;
    }
    for (int dx = -1; dx <= 1; ++dx)
      for (bool jump : {false, true}) {
        State next = here;
        if (step(level, next, dx, jump) && seen.insert(key(next)).second) queue.push_back(next);
      }
  }
  return queue;
}

// The level and the search from its spawn point, made once for the suite's tests.
class MapLayoutTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    level = readLevel(levelFile());
    explored = searchChest(level, reached);
  }
  static Level level;
  static std::vector<State> explored;
  static bool reached;
};
Level MapLayoutTest::level;
std::vector<State> MapLayoutTest::explored;
bool MapLayoutTest::reached = false;

TEST_F(MapLayoutTest, LevelFitsTheWorldAndWalkingAndJumpingReachItsOneChestFromItsOnePlayer) {
  std::ifstream in(levelFile());
  ASSERT_TRUE(in.good()) << levelFile();
  std::string line;
  int rows = 0;
  for (; std::getline(in, line); ++rows) EXPECT_LE(line.size(), 400u) << "row " << rows;
  EXPECT_LE(rows, HEIGHT);

  EXPECT_EQ(level.outside, 0);
  EXPECT_GT(level.enemies, 0);
  EXPECT_GT(level.heavies, 0);
  ASSERT_EQ(level.players, 1);
  ASSERT_EQ(level.chests, 1);
  EXPECT_TRUE(reached) << explored.size() << " states explored";

  // The HUD covers the view's bottom three rows, so nothing solid lies there when the view
  // is at the world's bottom edge, and every column has something solid above them: a fall
  // ends on a floor, not out of the world.
  std::vector<int> hidden, bottomless;  // columns
  for (int x = 1; x < WIDTH - 1; ++x) {
    bool floor = false, under_hud = false;
    for (int y = HEIGHT - 14; y < HEIGHT; ++y) {
      (y < HEIGHT - 3 ? floor : under_hud) |= level.at(x, y) != EMPTY;
    }
    if (under_hud) hidden.push_back(x);
    if (!floor) bottomless.push_back(x);
  }
  EXPECT_EQ(hidden, std::vector<int>{});
  EXPECT_EQ(bottomless, std::vector<int>{});
  // The chest (5 x 3) stands on its floor, not sunk into it.
  for (int x = level.cx - 2; x <= level.cx + 2; ++x) {
    for (int y = level.cy - 1; y <= level.cy + 1; ++y) EXPECT_EQ(level.at(x, y), EMPTY);
    EXPECT_NE(level.at(x, level.cy + 2), EMPTY);
  }
}

// Every enemy stands on a floor that the player walks on, on the way to the chest, within 15
// cells of it: the fight is at the player's height (a guard at an enemy's feet takes the shots
// that come from below). Its floor runs to a ledge guard on either side; it cannot see the
// spawn point (it walks toward the player within 30 cells, 50 for a heavy one); and the 72
// rounds the player starts with allow three tries at the two hits each enemy takes.
TEST_F(MapLayoutTest, EnemiesFightOnThePlayersFloorsBetweenGuardsAwayFromTheSpawn) {
  for (const auto& foe : level.foes) {
    const int x = foe[0], floor = foe[1] + 5;  // an enemy's floor is 5 rows below its start
    SCOPED_TRACE("enemy at " + std::to_string(x) + "," + std::to_string(foe[1]));
    EXPECT_GT(std::abs(x - level.px), foe[2] ? 50 : 30);
    for (const int dx : {-1, 1}) {
      const int end = walkToGuard(level, x, floor, dx);
      EXPECT_EQ(level.guards.count({end, floor - 1}), 1u) << "no guard before column " << end;
    }
    EXPECT_TRUE(std::any_of(explored.begin(), explored.end(), [&](const State& s) {
      return s.ground && std::abs(s.x - x) <= 15 && s.y > (floor - 4) * UNIT &&
             s.y < (floor - 1) * UNIT;
    })) << "the player never stands on its floor";
  }
  EXPECT_LE(level.foes.size() * 2 * 3, 72u);
}

// An engaged enemy that reaches a ledge guard holds there and shoots at the player for the
// rest of its life. From beyond the view (none of its cells within 40 cells aside or 12 above
// or below) no such shot reaches a place where the player can stand on a floor (platforms
// and the tops of walls are only climbed over): a wall, floor or platform is in the way.
// The enemy rests 2 3/8 cells above its floor (it falls from 5 without landing); its bullet
// starts 2 cells to the player's side and 1 up and flies parallel to the line between them;
// it counts as stopped only where the line passes within half a cell of a solid cell's middle.
TEST_F(MapLayoutTest, NoEnemyHoldingAtALedgeGuardShootsThePlayerFromBeyondTheView) {
  std::set<std::pair<int, int>> places;  // x, and y in UNITs
  for (const State& s : explored) {
    const int below = lastRow(s.y) + (s.y % UNIT == 0 ? 0 : 1);  // the row under its feet
    for (int x = s.x - 2; x <= s.x + 2 && s.ground; ++x) {
      if (level.floors.count({x, below})) places.insert({s.x, s.y});
    }
  }
  for (const auto& foe : level.foes) {
    const int floor = foe[1] + 5;
    for (const int dx : {-1, 1}) {
      const int end = walkToGuard(level, foe[0], floor, dx);
      const double ex = end - 2 * dx, ey = floor - 2.375;  // touching the guard
      for (const auto& place : places) {
        const double px = place.first, py = static_cast<double>(place.second) / UNIT;
        if (std::abs(px - ex) <= 41 && std::abs(py - ey) <= 13) continue;
        const double side = px < ex ? -2 : 2, length = std::hypot(px - ex, py - ey);
        bool stopped = false;
        for (double t = 0; t <= length && !stopped; t += 0.25) {
          const double x = ex + side + (px - ex) * t / length;
          const double y = ey - 1 + (py - ey) * t / length;
          stopped = level.at(static_cast<int>(std::floor(x + 0.5)),
                             static_cast<int>(std::floor(y + 0.5))) != EMPTY;
        }
        EXPECT_TRUE(stopped) << "from " << ex << "," << ey << " to " << px << "," << py;
        if (!stopped) break;
      }
    }
  }
}

}  // namespace
