#ifndef MO_TEST_WORLD_HELPERS_H
#define MO_TEST_WORLD_HELPERS_H

#include <cstddef>
#include <string>
#include <vector>

#include "engine/core/utility.h"
#include "engine/world/ObjectList.h"
#include "engine/world/ObjectListIterator.h"

namespace mo {
namespace test {

using Lines = std::vector<std::string>;
using Objects = std::vector<Object*>;

/// The entries of a list, in order.
inline Objects entries(const ObjectList& list) {
  Objects result;
  for (ObjectListIterator li(&list); !li.isDone(); li.next()) result.push_back(li.currentObject());
  return result;
}

/// A vector as "(x,y)", its numbers written as toString() writes them.
inline std::string str(Vector v) {
  return "(" + toString(v.getX()) + "," + toString(v.getY()) + ")";
}

/// Four distinct addresses standing in for objects: the list classes
/// never dereference their entries.
struct StandIns {
  std::max_align_t slots[4];
  Object *a = reinterpret_cast<Object*>(&slots[0]), *b = reinterpret_cast<Object*>(&slots[1]),
         *c = reinterpret_cast<Object*>(&slots[2]), *d = reinterpret_cast<Object*>(&slots[3]);
};

}  // namespace test
}  // namespace mo

#endif
