#ifndef MO_OBJECT_LIST_H
#define MO_OBJECT_LIST_H

namespace mo {

class Object;
class ObjectListIterator;

/// A growable array of object pointers in insertion order. The list
/// never owns the objects; copies copy the pointers only.
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

 private:
  friend class ObjectListIterator;
  bool grow();

  int count;
  int max_count;
  Object** p_item;
};

}  // namespace mo

#endif
