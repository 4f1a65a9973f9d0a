#include "engine/world/ObjectList.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "engine/world/KeyIndex.h"

namespace mo {

namespace {

bool& indexingOn() {
  static bool on = true;
  return on;
}

}  // namespace

const int ObjectList::INDEX_FROM;

void ObjectList::setIndexing(bool on) { indexingOn() = on; }

bool ObjectList::getIndexing() { return indexingOn(); }

ObjectList::ObjectList()
    : count(0),
      max_count(1),
      p_item(static_cast<Object**>(std::malloc(sizeof(Object*)))),
      head(0),
      used(0),
      p_index(nullptr),
      duplicates(false) {
  if (!p_item) max_count = 0;
}

ObjectList::ObjectList(const ObjectList& other)
    : count(0),
      max_count(0),
      p_item(nullptr),
      head(0),
      used(0),
      p_index(nullptr),
      duplicates(false) {
  *this = other;
}

ObjectList& ObjectList::operator=(const ObjectList& other) {
  if (this == &other) return *this;
  std::free(p_item);
  delete p_index;
  p_index = nullptr;
  duplicates = false;
  count = 0;
  max_count = 0;
  head = 0;
  used = 0;
  p_item = nullptr;
  if (other.max_count > 0) {
    p_item = static_cast<Object**>(std::malloc(sizeof(Object*) * other.max_count));
  }
  if (p_item) {
    max_count = other.max_count;
    // The copy starts without gaps and without an index.
    if (other.used - other.head == other.count) {
      if (other.count > 0) {
        std::memcpy(p_item, other.p_item + other.head, sizeof(Object*) * other.count);
      }
    } else {
      int n = 0;
      for (int i = other.head; i < other.used; i++) {
        if (other.p_item[i]) p_item[n++] = other.p_item[i];
      }
    }
    count = other.count;
    used = other.count;
  }
  return *this;
}

ObjectList::~ObjectList() {
  std::free(p_item);
  delete p_index;
}

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

void ObjectList::closeGaps() const {
  int n = 0;
  for (int i = head; i < used; i++) {
    if (p_item[i]) p_item[n++] = p_item[i];
  }
  head = 0;
  used = n;
  if (p_index) buildIndex();
}

void ObjectList::buildIndex() const {
  try {
    if (!p_index) p_index = new KeyIndex;
    p_index->clear();
    duplicates = false;
    for (int i = head; i < used; i++) {
      if (!p_item[i]) continue;
      if (p_index->find(keyOf(p_item[i]))) {
        duplicates = true;
      } else {
        p_index->put(keyOf(p_item[i]), i);
      }
    }
  } catch (const std::bad_alloc&) {
    // Without room for an index the list is searched as a plain array;
    // gaps may only exist while indexed, so they go first.
    delete p_index;
    p_index = nullptr;
    closeGaps();
  }
}

void ObjectList::dropIndex() {
  KeyIndex* p_old = p_index;
  p_index = nullptr;
  delete p_old;
  closeGaps();
}

int ObjectList::insert(Object* p_o) {
  if (!p_o) return -1;
  if (used == max_count) {
    // Closing the gaps must free a quarter of the array, or the next few
    // inserts would close them again; short of that the array doubles.
    const bool crowded = static_cast<long long>(count) * 4 >= static_cast<long long>(max_count) * 3;
    if (crowded && !grow() && count == max_count) return -1;
    if (used == max_count) closeGaps();
  }
  p_item[used] = p_o;
  if (p_index) {
    try {
      if (p_index->find(keyOf(p_o))) {
        duplicates = true;
      } else {
        p_index->put(keyOf(p_o), used);
      }
    } catch (const std::bad_alloc&) {
      used++;
      count++;
      dropIndex();
      return 0;
    }
  }
  used++;
  count++;
  return 0;
}

int ObjectList::removeIndexed(Object* p_o) {
  int* p_slot = p_index->find(keyOf(p_o));
  if (!p_slot) return -1;
  const int slot = *p_slot;
  p_item[slot] = nullptr;
  count--;
  if (duplicates) {
    int next = slot + 1;
    while (next < used && p_item[next] != p_o) next++;
    if (next < used) {
      *p_slot = next;
    } else {
      p_index->erase(keyOf(p_o));
    }
  } else {
    p_index->erase(keyOf(p_o));
  }
  // Gaps at either end are no gaps at all: the ends move past them.
  while (head < used && !p_item[head]) head++;
  while (used > head && !p_item[used - 1]) used--;
  if (count == 0) head = used = 0;
  return 0;
}

int ObjectList::remove(Object* p_o) {
  if (!p_o || count == 0) return -1;
  if (!p_index && indexingOn() && count >= INDEX_FROM) buildIndex();
  if (p_index) return removeIndexed(p_o);
  for (int i = head; i < used; i++) {
    if (p_item[i] == p_o) {
      std::memmove(p_item + i, p_item + i + 1, sizeof(Object*) * (used - i - 1));
      used--;
      count--;
      return 0;
    }
  }
  return -1;
}

bool ObjectList::contains(const Object* p_o) const {
  if (!p_o || count == 0) return false;
  if (!p_index && indexingOn() && count >= INDEX_FROM) buildIndex();
  if (p_index) return p_index->find(keyOf(p_o)) != nullptr;
  for (int i = head; i < used; i++) {
    if (p_item[i] == p_o) return true;
  }
  return false;
}

void ObjectList::clear() {
  count = 0;
  head = 0;
  used = 0;
  duplicates = false;
  if (p_index) p_index->clear();
}

bool ObjectList::isEmpty() const { return count == 0; }

int ObjectList::getCount() const { return count; }

int ObjectList::getMaxCount() const { return max_count; }

ObjectList ObjectList::operator+(ObjectList other) const {
  ObjectList sum(*this);
  for (int i = 0; i < other.count; i++) {
    // insert() refuses null entries and skips what cannot be stored.
    sum.insert(other.at(i));
  }
  return sum;
}

}  // namespace mo
