#ifndef MO_PATH_FIND_H
#define MO_PATH_FIND_H

#include <vector>

#include "engine/net/EventPath.h"
#include "engine/net/Path.h"

namespace mo {

class Object;

/// The most cells a search covers: a world whose boundary holds more is
/// refused rather than given a node graph that may not fit in memory.
const long long MAX_PATH_CELLS = 1LL << 22;

/// One A* search for a path for an object, over a grid with one node per
/// character cell of the WorldManager's boundary (columns 0 .. width - 1,
/// rows 0 .. height - 1, the boundary taken to start at (0,0)). Moves go
/// in eight directions; a straight step costs 1, a diagonal one sqrt(2),
/// and the estimate to the goal is the straight-line distance. A cell is
/// blocked where the object would overlap a HARD object, unless that
/// object covers the goal. The search is incremental: each cycleOnce()
/// expands one cell, so the PathManager can spread it over many frames.
///
/// The open cells wait in a heap ordered by f and, of equal f, by
/// discovery, the latest first: the same choice as scanning a list of
/// them from its end for the least f. That linear list stays
/// selectable (setLinear()), for comparison.
class PathFind {
 public:
  /// A cell of the grid: column x, row y.
  struct Cell {
    int x;
    int y;
    bool operator==(const Cell& other) const { return x == other.x && y == other.y; }
    bool operator!=(const Cell& other) const { return !(*this == other); }
  };

  /// A search for p_init_obj from cell init_start to cell init_goal. With
  /// p_init_target it also ends as soon as the object, placed at the cell
  /// being expanded, touches p_init_target placed at the goal. The node
  /// graph is made for the boundary as it is now; it is left out (and the
  /// first cycleOnce() logs and gives PATH_NONE) when start or goal lies
  /// outside the boundary, the boundary holds more than MAX_PATH_CELLS
  /// cells, or memory runs out.
  PathFind(Object* p_init_obj, Cell init_start, Cell init_goal, Object* p_init_target = nullptr);
  ~PathFind();
  PathFind(const PathFind&) = delete;
  PathFind& operator=(const PathFind&) = delete;

  /// Expands one cell: PATH_FOUND when the goal (or the target) is
  /// reached, PATH_NONE when no open cell is left or there is no node
  /// graph (logged), else PATH_SEARCHING.
  int cycleOnce();

  /// The path from the start to the goal, index 0; empty unless found.
  Path getPath() const;

  /// The object that is to move.
  Object* getObject() const { return p_obj; }
  /// The object to reach, or nullptr.
  Object* getTarget() const { return p_target; }
  /// Stops looking for the target object: the search goes on to the
  /// goal cell alone. Called when the target is destroyed.
  void forgetTarget() { p_target = nullptr; }

  Cell getStart() const { return start; }
  /// The goal cell; once the target is touched, the cell where it was.
  Cell getGoal() const { return goal; }
  /// What the last cycleOnce() returned; PATH_SEARCHING before the first.
  int getResult() const { return result; }
  /// False when the search had no node graph made (see the constructor).
  bool hasNodeGraph() const { return !node_graph.empty(); }
  /// The number of cells expanded so far (repeats included).
  int getClosedCount() const { return static_cast<int>(closed_list.size()); }
  /// The cells expanded so far, in order (repeats included).
  const std::vector<Cell>& getClosedList() const { return closed_list; }

  /// Whether the open cells are kept in a plain list scanned at every
  /// step instead of the heap; takes effect only before the first
  /// cycleOnce(). Both expand the same cells in the same order.
  void setLinear(bool on);
  bool isLinear() const { return linear; }

  /// Whether p_o cannot stand at cell (x, y): true when the first HARD
  /// object that p_o would overlap there does not cover the position of
  /// cell goal (edges included).
  bool isBlocked(const Object* p_o, int x, int y, Cell goal) const;

  /// Whether cell lies within the WorldManager's boundary, counted in
  /// whole cells from (0,0).
  static bool isInWorld(Cell cell);

 private:
  /// Where a cell stands in the search: besides being listed in
  /// open_list or closed_list, each node says so itself, so that testing
  /// for membership costs nothing.
  enum NodeState : unsigned char { UNSEEN, OPEN, CLOSED };

  /// The search state of one cell.
  struct Node {
    float g;      ///< cost of the best route known from the start
    float f;      ///< g plus the estimate to the goal
    Cell parent;  ///< the cell that route arrives from
    NodeState state;
    unsigned turn;  ///< when the cell was found: later ones win ties
  };

  /// An open cell waiting in the heap with the f it had when pushed; an
  /// entry whose f is no longer its cell's is passed over.
  struct Waiting {
    float f;
    unsigned turn;
    Cell cell;
  };

  Node& node(Cell cell) {
    return node_graph[static_cast<std::size_t>(cell.y)][static_cast<std::size_t>(cell.x)];
  }
  const Node& node(Cell cell) const {
    return node_graph[static_cast<std::size_t>(cell.y)][static_cast<std::size_t>(cell.x)];
  }
  /// Takes the open cell of least f (of equal ones the last found) off
  /// the open cells; start when there is none.
  Cell takeBestOpen();
  /// The same, scanning open_list.
  Cell takeBestListed();
  void open(Cell cell, Node& n);
  void lowered(Cell cell, const Node& n);

  Object* p_obj;
  Object* p_target;
  Cell start;
  Cell goal;
  std::vector<std::vector<Node>> node_graph;  ///< one array per row
  std::vector<Cell> open_list;  ///< the open cells, when linear
  std::vector<Waiting> heap;    ///< the open cells, otherwise
  int open_count;
  unsigned next_turn;
  bool linear;
  std::vector<Cell> closed_list;
  bool found;
  int result;
};

}  // namespace mo

#endif
