#include "engine/world/ObjectList.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace mo {

ObjectList::ObjectList()
    : count(0), max_count(1), p_item(static_cast<Object**>(std::malloc(sizeof(Object*)))) {
  if (!p_item) max_count = 0;
}

ObjectList::ObjectList(const ObjectList& other) : count(0), max_count(0), p_item(nullptr) {
  *this = other;
}

ObjectList& ObjectList::operator=(const ObjectList& other) {
  if (this == &other) return *this;
  std::free(p_item);
  count = 0;
  max_count = 0;
  p_item = nullptr;
  if (other.max_count > 0) {
    p_item = static_cast<Object**>(std::malloc(sizeof(Object*) * other.max_count));
  }
  if (p_item) {
    max_count = other.max_count;
    count = other.count;
    if (count > 0) std::memcpy(p_item, other.p_item, sizeof(Object*) * count);
  }
  return *this;
}

ObjectList::~ObjectList() { std::free(p_item); }

bool ObjectList::grow() {
  // A list whose first allocation failed starts again from one slot.
  if (max_count > INT_MAX / 2) return false;
  const int new_max = max_count > 0 ? max_count * 2 : 1;
  void* p_new = std::realloc(p_item, sizeof(Object*) * static_cast<std::size_t>(new_max));
  if (!p_new) return false;
  p_item = static_cast<Object**>(p_new);
  max_count = new_max;
  return true;
}

int ObjectList::insert(Object* p_o) {
  if (!p_o) return -1;
  if (count == max_count && !grow()) return -1;
  p_item[count++] = p_o;
  return 0;
}

int ObjectList::remove(Object* p_o) {
  for (int i = 0; i < count; i++) {
    if (p_item[i] == p_o) {
      std::memmove(p_item + i, p_item + i + 1, sizeof(Object*) * (count - i - 1));
      count--;
      return 0;
    }
  }
  return -1;
}

void ObjectList::clear() { count = 0; }

bool ObjectList::isEmpty() const { return count == 0; }

int ObjectList::getCount() const { return count; }

int ObjectList::getMaxCount() const { return max_count; }

ObjectList ObjectList::operator+(ObjectList other) const {
  ObjectList sum(*this);
  for (int i = 0; i < other.count; i++) {
    // insert() refuses null entries and skips what cannot be stored.
    sum.insert(other.p_item[i]);
  }
  return sum;
}

}  // namespace mo
