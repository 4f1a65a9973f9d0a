#include "engine/world/ObjectSnapshot.h"

#include <algorithm>

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

ObjectSnapshot::ObjectSnapshot(const ObjectList& list) {
  items.reserve(static_cast<std::size_t>(list.getCount()));
  for (ObjectListIterator li(&list); !li.isDone(); li.next()) items.push_back(li.currentObject());
  liveSnapshots().push_back(this);
}

ObjectSnapshot::ObjectSnapshot(Object* p_o) : items(1, p_o) { liveSnapshots().push_back(this); }

ObjectSnapshot::~ObjectSnapshot() {
  std::vector<ObjectSnapshot*>& live = liveSnapshots();
  if (!live.empty() && live.back() == this) {
    live.pop_back();
  } else {
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
  }
}

void ObjectSnapshot::forget(const Object* p_o) {
  for (ObjectSnapshot* p_snapshot : liveSnapshots()) {
    std::replace(p_snapshot->items.begin(), p_snapshot->items.end(), const_cast<Object*>(p_o),
                 static_cast<Object*>(nullptr));
  }
}

}  // namespace mo
