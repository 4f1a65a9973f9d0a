#include "engine/net/Path.h"

#include <utility>

#include "engine/core/utility.h"

namespace mo {

Path::Path() : index(0) {}

Path::Path(std::vector<Vector> init_nodes) : nodes(std::move(init_nodes)), index(0) {}

bool Path::isDone() const { return index >= getCount(); }

Vector Path::currentNode() const {
  return isDone() ? Vector() : nodes[static_cast<std::size_t>(index)];
}

void Path::next() {
  if (index < getCount()) index++;
}

int Path::setIndex(int i) {
  if (i < 0 || i >= getCount()) return -1;
  index = i;
  return 0;
}

std::string toString(Path path) {
  std::string text;
  for (path.setIndex(0); !path.isDone(); path.next()) {
    const Vector node = path.currentNode();
    text += toString(node.getX()) + " " + toString(node.getY()) + "|";
  }
  return text;
}

}  // namespace mo
