#ifndef MO_OBJECT_LIST_H
#define MO_OBJECT_LIST_H

namespace mo {

class KeyIndex;
class Object;
class ObjectListIterator;

/// A growable array of object pointers in insertion order. The list
/// never owns the objects; copies copy the pointers only.
///
/// A long list keeps an index from object to place, so that insert and
/// remove take constant time whatever its length: a removed entry first
/// becomes a gap, and the gaps are closed up, keeping the order, the
/// next time the list is read. Reading it therefore sees exactly what a
/// plain array would hold.
class ObjectList {
 public:
  /// An empty list with room for one pointer.
  ObjectList();
  ObjectList(const ObjectList& other);
  ObjectList& operator=(const ObjectList& other);
  ~ObjectList();

  /// Appends p_o, doubling the capacity when full. 0, or -1 for a null
  /// pointer or when the array cannot grow (the list is then unchanged).
  /// Duplicates are allowed.
  int insert(Object* p_o);

  /// Removes the first occurrence of p_o, keeping the order of the rest.
  /// 0, or -1 when p_o is not in the list.
  int remove(Object* p_o);

  /// True when p_o is in the list.
  bool contains(const Object* p_o) const;

  /// Empties the list; the capacity stays.
  void clear();

  /// True when the list holds no object.
  bool isEmpty() const;

  /// The number of objects in the list.
  int getCount() const;

  /// The capacity of the array, in pointers.
  int getMaxCount() const;

  /// A copy of this list followed by every non-null entry of other.
  ObjectList operator+(ObjectList other) const;

  /// Whether long lists keep their index (the default) or are searched
  /// from the front on every remove, as a plain array is; for comparing
  /// the two in benchmarks. Lists already indexed keep their index.
  static void setIndexing(bool on);
  static bool getIndexing();

  /// The length from which a list indexes itself.
  static const int INDEX_FROM = 32;

 private:
  friend class ObjectListIterator;
  bool grow();
  /// Entry i of the list as read (gaps closed up).
  Object* at(int i) const {
    if (used - head != count) closeGaps();
    return p_item[head + i];
  }
  /// Moves the live entries to the front of the array, in order.
  void closeGaps() const;
  void buildIndex() const;
  int removeIndexed(Object* p_o);
  void dropIndex();

  // Live entries are those of p_item[head .. used - 1] that are not
  // null; count is their number. Gaps exist only while indexed.
  mutable int count;
  int max_count;
  mutable Object** p_item;
  mutable int head;
  mutable int used;
  /// Object to the place of its first occurrence; null until needed.
  mutable KeyIndex* p_index;
  /// Whether some object was listed twice while indexed: removing it
  /// then looks for its next occurrence.
  mutable bool duplicates;
};

}  // namespace mo

#endif
