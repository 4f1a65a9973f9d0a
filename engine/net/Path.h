#ifndef MO_PATH_H
#define MO_PATH_H

#include <string>
#include <vector>

#include "engine/core/Vector.h"

namespace mo {

/// A route through the world: positions in cells from the start to the
/// goal, both included, and the index of the node being headed for.
class Path {
 public:
  /// An empty path, index 0.
  Path();
  /// A path through nodes, index 0.
  explicit Path(std::vector<Vector> init_nodes);

  /// True when the index has passed the last node.
  bool isDone() const;
  /// The node at the index, or (0,0) when done.
  Vector currentNode() const;
  /// On to the next node, never beyond the node count.
  void next();
  int getIndex() const { return index; }
  /// Sets the index when 0 <= i < node count: 0; otherwise -1, unchanged.
  int setIndex(int i);
  /// The number of nodes.
  int getCount() const { return static_cast<int>(nodes.size()); }
  /// All nodes, in order.
  const std::vector<Vector>& getNodes() const { return nodes; }

 private:
  std::vector<Vector> nodes;
  int index;
};

/// The nodes as text: each node's x, a blank, its y and '|' ("3 4|4 5|");
/// an empty path gives "".
std::string toString(Path path);

}  // namespace mo

#endif
