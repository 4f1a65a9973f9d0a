#ifndef MO_SPATIAL_GRID_H
#define MO_SPATIAL_GRID_H

#include <cstdint>
#include <vector>

#include "engine/core/Box.h"
#include "engine/world/KeyIndex.h"

namespace mo {

class Object;
class ObjectList;

/// A uniform grid over the world, CELL_SIZE x CELL_SIZE world cells per
/// grid cell, that files the solid objects by the grid cells their
/// world boxes cover, so that a collision query looks only near the box
/// asked about. The grid has no edge: cells are found by hashing, and an
/// object too large, too far out or with a box that is not a plain
/// extent is kept in a short list that every query looks through.
///
/// Each object carries the number of its turn in the solid list, so that
/// a query answers in that list's order. Objects announce a coming move
/// or change of box with touch(); the grid reads their new place when it
/// is next asked.
class SpatialGrid {
 public:
  /// World cells per side of a grid cell.
  static constexpr float CELL_SIZE = 4.0f;

  SpatialGrid();
  SpatialGrid(const SpatialGrid&) = delete;
  SpatialGrid& operator=(const SpatialGrid&) = delete;

  /// Files p_o, which has just joined the end of the solid list, at its
  /// present world box. An object already filed keeps its turn.
  void add(Object* p_o);

  /// Forgets p_o; nothing when it is not filed.
  void remove(const Object* p_o);

  /// Notes that p_o's position or box is about to change; nothing when
  /// it is not filed.
  void touch(const Object* p_o);

  /// Appends to result, in solid-list order, every filed object other
  /// than p_o whose world box meets moved. False (result untouched) when
  /// moved is too large, too far out or not a plain extent: the caller
  /// then scans the solid list itself.
  bool query(const Object* p_o, const Box& moved, ObjectList& result);

  /// Forgets every object.
  void clear();

  /// The number of objects filed.
  int getCount() const { return objects.getCount(); }

 private:
  /// The grid cells a world box covers, inclusive; wide when the box is
  /// filed in the wide list instead.
  struct Span {
    int x0, y0, x1, y1;
    bool wide;
    bool operator==(const Span& other) const;
  };

  struct Entry {
    Object* p_o;
    std::uint64_t turn;
    Span span;
    /// Place in wide when the span is wide, or in the bucket when the
    /// span is a single grid cell (as most are), so that leaving costs
    /// no search; -1 otherwise.
    int at;
    bool dirty;
    unsigned stamp;
  };

  static Span spanOf(const Box& world_box, int most_cells);
  static bool single(const Span& span);
  /// Takes place out of list, moving its last entry there.
  void takeOut(std::vector<int>& list, int place);
  void file(int entry);
  void unfile(int entry);
  void refresh();
  std::vector<int>* bucketAt(int x, int y);
  void consider(int entry, const Object* p_o, const Box& moved);

  std::vector<Entry> entries;
  std::vector<int> free_entries;
  /// Object to its entry.
  KeyIndex objects;
  /// Packed grid cell to its bucket.
  KeyIndex cells;
  std::vector<std::vector<int>> buckets;
  std::vector<int> free_buckets;
  /// Entries too large or too far out for the cells.
  std::vector<int> wide;
  /// Entries whose place may have changed since they were filed.
  std::vector<int> dirty;
  /// The next turn to hand out.
  std::uint64_t next_turn;
  /// Marks the entries a query has looked at already.
  unsigned stamp;
  std::vector<std::pair<std::uint64_t, Object*>> found;
};

}  // namespace mo

#endif
