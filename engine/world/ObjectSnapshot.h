#ifndef MO_OBJECT_SNAPSHOT_H
#define MO_OBJECT_SNAPSHOT_H

#include <memory>
#include <vector>

namespace mo {

class KeyIndex;
class Object;
class ObjectList;

/// A copy of a list of objects that can be walked while handlers change
/// the world: an object destroyed while the snapshot lives is blanked
/// in it (at() returns nullptr), so a walk never touches a deleted
/// object. Snapshots are short-lived locals of the loop's thread. A long
/// snapshot indexes its entries the first time an object is forgotten,
/// so that destroying many objects while it lives costs each a constant
/// time (see ObjectList::setIndexing()).
class ObjectSnapshot {
 public:
  /// A copy of the entries of list, in order.
  explicit ObjectSnapshot(const ObjectList& list);
  /// A snapshot of one object.
  explicit ObjectSnapshot(Object* p_o);
  ~ObjectSnapshot();
  ObjectSnapshot(const ObjectSnapshot&) = delete;
  ObjectSnapshot& operator=(const ObjectSnapshot&) = delete;

  /// The number of entries, deleted ones included.
  int getCount() const { return static_cast<int>(items.size()); }
  /// Entry i, or nullptr when that object has been destroyed since.
  Object* at(int i) const { return items[static_cast<std::size_t>(i)]; }

  /// Blanks p_o in every live snapshot; called by the destructor of
  /// Object.
  static void forget(const Object* p_o);

 private:
  void blank(const Object* p_o);

  std::vector<Object*> items;
  /// Object to the place of its first entry; made when first needed.
  std::unique_ptr<KeyIndex> p_index;
  /// Whether an object has more than one entry.
  bool duplicates;
};

}  // namespace mo

#endif
