#include "engine/net/PathFind.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>
#include <stdexcept>

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/WorldManager.h"

namespace mo {

namespace {

// A boundary extent in whole cells. Held to the range of int: a float
// beyond it (or NaN) must not reach the conversion.
int wholeCells(float extent) {
  if (!(extent > 0.0f)) return 0;
  if (extent >= static_cast<float>(INT_MAX)) return INT_MAX;
  return static_cast<int>(extent);
}

int boundaryWidth() {
  return wholeCells(WorldManager::getInstance().getBoundary().getHorizontal());
}

int boundaryHeight() { return wholeCells(WorldManager::getInstance().getBoundary().getVertical()); }

Vector toVector(PathFind::Cell cell) {
  return Vector(static_cast<float>(cell.x), static_cast<float>(cell.y));
}

// The Euclidean length of (dx, dy), the root taken in double precision.
double length(int dx, int dy) {
  return std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
}

// The neighbours of a cell, in the order they are examined.
const PathFind::Cell NEIGHBOURS[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0},
                                     {1, 0},   {-1, 1}, {0, 1},  {1, 1}};

}  // namespace

PathFind::PathFind(Object* p_init_obj, Cell init_start, Cell init_goal, Object* p_init_target)
    : p_obj(p_init_obj),
      p_target(p_init_target),
      start(init_start),
      goal(init_goal),
      open_count(0),
      next_turn(0),
      linear(false),
      found(false),
      result(PATH_SEARCHING) {
  const int width = boundaryWidth();
  const int height = boundaryHeight();
  if (!isInWorld(start) || !isInWorld(goal)) return;
  if (static_cast<long long>(width) * height > MAX_PATH_CELLS) return;
  try {
    // Every parent starts as the start cell, so that no walk back along
    // parents can leave the graph.
    node_graph.assign(
        static_cast<std::size_t>(height),
        std::vector<Node>(static_cast<std::size_t>(width), Node{0.0f, 0.0f, start, UNSEEN, 0}));
  } catch (const std::bad_alloc&) {
    node_graph.clear();
  } catch (const std::length_error&) {
    node_graph.clear();
  }
}

PathFind::~PathFind() = default;

bool PathFind::isInWorld(Cell cell) {
  return cell.x >= 0 && cell.y >= 0 && cell.x < boundaryWidth() && cell.y < boundaryHeight();
}

void PathFind::setLinear(bool on) {
  if (closed_list.empty()) linear = on;
}

namespace {

// Heap order: the entry to take next is the greatest, that is the one of
// least f and, of equal f, the one found last.
struct TakenLater {
  template <typename W>
  bool operator()(const W& a, const W& b) const {
    if (a.f != b.f) return a.f > b.f;
    return a.turn < b.turn;
  }
};

}  // namespace

void PathFind::open(Cell cell, Node& n) {
  n.state = OPEN;
  n.turn = next_turn++;
  open_count++;
  if (linear) {
    open_list.push_back(cell);
  }
}

void PathFind::lowered(Cell cell, const Node& n) {
  if (linear) return;
  heap.push_back(Waiting{n.f, n.turn, cell});
  std::push_heap(heap.begin(), heap.end(), TakenLater());
}

PathFind::Cell PathFind::takeBestOpen() {
  if (linear) return takeBestListed();
  if (open_count == 0) {
    heap.clear();
    return start;
  }
  for (;;) {
    std::pop_heap(heap.begin(), heap.end(), TakenLater());
    const Waiting best = heap.back();
    heap.pop_back();
    const Node& n = node(best.cell);
    // Passed over: a cell expanded already, or one whose f has dropped
    // since (its newer entry stands further up).
    if (n.state != OPEN || n.f != best.f) continue;
    open_count--;
    return best.cell;
  }
}

PathFind::Cell PathFind::takeBestListed() {
  if (open_list.empty()) return start;
  // From the end backwards, replacing only on a strictly smaller f: of
  // equal ones the cell listed last wins.
  std::size_t best = open_list.size() - 1;
  for (std::size_t i = best; i-- > 0;) {
    if (node(open_list[i]).f < node(open_list[best]).f) best = i;
  }
  const Cell cell = open_list[best];
  // Open cells are listed once each, so this is the first entry equal to
  // the cell; erasing keeps the order the ties depend on.
  open_list.erase(open_list.begin() + static_cast<std::ptrdiff_t>(best));
  open_count--;
  return cell;
}

int PathFind::cycleOnce() {
  if (node_graph.empty()) {
    LogManager::getInstance().writeLog(
        "PathFind::cycleOnce(): node graph not allocated.  Cannot find path.");
    result = PATH_NONE;
    return result;
  }

  const Cell current = takeBestOpen();
  closed_list.push_back(current);
  node(current).state = CLOSED;

  if (current == goal) found = true;
  if (p_target && boxIntersectsBox(getWorldBox(p_obj, toVector(current)),
                                   getWorldBox(p_target, toVector(goal)))) {
    found = true;
    goal = current;
  }
  if (found) {
    result = PATH_FOUND;
    return result;
  }

  // The graph keeps the size it was made with; a boundary that shrank
  // since limits the search further.
  const int width = std::min(static_cast<int>(node_graph[0].size()), boundaryWidth());
  const int height = std::min(static_cast<int>(node_graph.size()), boundaryHeight());
  const float current_g = node(current).g;

  // The corner rule asks again about the straight neighbours; each of
  // the nine cells around is asked about once in this step at most.
  signed char blocked[3][3] = {{-1, -1, -1}, {-1, -1, -1}, {-1, -1, -1}};
  auto blockedAt = [&](int dx, int dy) {
    signed char& answer = blocked[dy + 1][dx + 1];
    if (answer < 0) answer = isBlocked(p_obj, current.x + dx, current.y + dy, goal) ? 1 : 0;
    return answer == 1;
  };

  for (const Cell& step : NEIGHBOURS) {
    const Cell next{current.x + step.x, current.y + step.y};
    if (next.x < 0 || next.y < 0 || next.x >= width || next.y >= height) continue;
    Node& neighbour = node(next);
    if (neighbour.state == CLOSED) continue;
    if (blockedAt(step.x, step.y)) continue;
    // No squeezing diagonally between two blocked cells that meet at a
    // corner; passing a single one is fine.
    if (step.x != 0 && step.y != 0 && blockedAt(step.x, 0) && blockedAt(0, step.y)) continue;
    const float new_g = static_cast<float>(current_g + length(step.x, step.y));
    const bool was_open = neighbour.state == OPEN;
    if (was_open) {
      if (new_g > neighbour.g) continue;
    } else {
      open(next, neighbour);
    }
    const float old_f = neighbour.f;
    neighbour.parent = current;
    neighbour.g = new_g;
    neighbour.f = static_cast<float>(new_g + length(next.x - goal.x, next.y - goal.y));
    if (!was_open || neighbour.f != old_f) lowered(next, neighbour);
  }

  result = open_count == 0 ? PATH_NONE : PATH_SEARCHING;
  return result;
}

Path PathFind::getPath() const {
  if (!found) return Path();
  std::vector<Vector> nodes;
  // Parents lead back to the start; the bound only guards the walk.
  const std::size_t most = node_graph.size() * node_graph[0].size();
  for (Cell cell = goal; cell != start && nodes.size() < most; cell = node(cell).parent) {
    nodes.push_back(toVector(cell));
  }
  nodes.push_back(toVector(start));
  std::reverse(nodes.begin(), nodes.end());
  return Path(nodes);
}

bool PathFind::isBlocked(const Object* p_o, int x, int y, Cell goal_cell) const {
  const ObjectList collisions = WorldManager::getInstance().getCollisions(
      p_o, Vector(static_cast<float>(x), static_cast<float>(y)));
  for (ObjectListIterator li(&collisions); !li.isDone(); li.next()) {
    const Object* p_other = li.currentObject();
    if (p_other->getSolidness() == HARD) {
      return !boxContainsPosition(getWorldBox(p_other), toVector(goal_cell));
    }
  }
  return false;
}

}  // namespace mo
