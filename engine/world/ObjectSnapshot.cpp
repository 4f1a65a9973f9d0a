#include "engine/world/ObjectSnapshot.h"

#include <algorithm>

#include "engine/world/KeyIndex.h"
#include "engine/world/ObjectList.h"
#include "engine/world/ObjectListIterator.h"

namespace mo {

namespace {

// Snapshots nest (a handler may send an event that takes its own), so
// they are kept in a stack; most of the time it holds a few entries.
std::vector<ObjectSnapshot*>& liveSnapshots() {
  static std::vector<ObjectSnapshot*> live;
  return live;
}

}  // namespace

ObjectSnapshot::ObjectSnapshot(const ObjectList& list) : duplicates(false) {
  items.reserve(static_cast<std::size_t>(list.getCount()));
  for (ObjectListIterator li(&list); !li.isDone(); li.next()) items.push_back(li.currentObject());
  liveSnapshots().push_back(this);
}

ObjectSnapshot::ObjectSnapshot(Object* p_o) : items(1, p_o), duplicates(false) { liveSnapshots().push_back(this); }

ObjectSnapshot::~ObjectSnapshot() {
  std::vector<ObjectSnapshot*>& live = liveSnapshots();
  if (!live.empty() && live.back() == this) {
    live.pop_back();
  } else {
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
  }
}

void ObjectSnapshot::blank(const Object* p_o) {
  Object* const p_entry = const_cast<Object*>(p_o);
  if (!p_index && (items.size() < static_cast<std::size_t>(ObjectList::INDEX_FROM) ||
                   !ObjectList::getIndexing())) {
    std::replace(items.begin(), items.end(), p_entry, static_cast<Object*>(nullptr));
    return;
  }
  if (!p_index) {
    p_index.reset(new KeyIndex);
    for (std::size_t i = 0; i < items.size(); i++) {
      if (p_index->find(keyOf(items[i]))) {
        duplicates = true;
      } else {
        p_index->put(keyOf(items[i]), static_cast<int>(i));
      }
    }
  }
  const int* p_first = p_index->find(keyOf(p_o));
  if (!p_first) return;
  const auto first = static_cast<std::size_t>(*p_first);
  if (duplicates) {
    std::replace(items.begin() + static_cast<std::ptrdiff_t>(first), items.end(), p_entry,
                 static_cast<Object*>(nullptr));
  } else {
    items[first] = nullptr;
  }
  p_index->erase(keyOf(p_o));
}

void ObjectSnapshot::forget(const Object* p_o) {
  for (ObjectSnapshot* p_snapshot : liveSnapshots()) p_snapshot->blank(p_o);
}

}  // namespace mo
