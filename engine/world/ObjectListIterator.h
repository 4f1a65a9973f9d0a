#ifndef MO_OBJECT_LIST_ITERATOR_H
#define MO_OBJECT_LIST_ITERATOR_H

#include "engine/world/ObjectList.h"

namespace mo {

/// Walks an ObjectList in order. It reads the list live: removing from
/// the list while walking shifts later entries under the iterator, so
/// code that changes the world while walking walks a copy.
class ObjectListIterator {
 public:
  /// An iterator at the first entry of p_l (not owned).
  explicit ObjectListIterator(const ObjectList* p_l);

  /// Points the iterator at another list and back to its first entry.
  void setList(const ObjectList* p_l);
  /// Back to the first entry.
  void first();
  /// On to the next entry, never beyond the end.
  void next();
  /// True when every entry has been visited.
  bool isDone() const;
  /// The current object, or nullptr when done.
  Object* currentObject() const;

 private:
  int index;
  const ObjectList* p_list;
};

}  // namespace mo

#endif
