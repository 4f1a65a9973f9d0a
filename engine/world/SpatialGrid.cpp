#include "engine/world/SpatialGrid.h"

#include <algorithm>
#include <cmath>

#include "engine/core/utility.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectList.h"

namespace mo {

namespace {

// Beyond this distance from the origin (in world cells) a box is kept in
// the wide list: its grid cells would not fit the packed key.
const float FAR = 1.0e7f;
// An object covering more grid cells than this goes to the wide list;
// a query covering more is answered by a scan.
const int MOST_FILED_CELLS = 64;
const int MOST_QUERY_CELLS = 256;
const float PER_CELL = 1.0f / SpatialGrid::CELL_SIZE;
const std::int64_t KEY_OFFSET = 1LL << 30;

std::uint64_t cellKey(int x, int y) {
  return (static_cast<std::uint64_t>(x + KEY_OFFSET) << 32) |
         static_cast<std::uint64_t>(y + KEY_OFFSET);
}

// The world box exactly as the plain scan builds it, so that both
// compare the same numbers.
Box worldBoxOf(const Object* p_o) {
  Box box = p_o->getBox();
  box.setCorner(box.getCorner() + p_o->getPosition());
  return box;
}

int gridCell(float world) { return static_cast<int>(std::floor(world * PER_CELL)); }

}  // namespace

constexpr float SpatialGrid::CELL_SIZE;

bool SpatialGrid::Span::operator==(const Span& other) const {
  if (wide || other.wide) return wide == other.wide;
  return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
}

SpatialGrid::SpatialGrid() : next_turn(0), stamp(0) {}

SpatialGrid::Span SpatialGrid::spanOf(const Box& world_box, int most_cells) {
  // With extents not below 0 two boxes meet exactly when their closed
  // intervals overlap on both axes, and the grid cell of a coordinate
  // only grows with it: boxes that meet share a grid cell. Any other box
  // (negative or undefined extents, far out) is left to a full look.
  const float x0 = world_box.getCorner().getX();
  const float y0 = world_box.getCorner().getY();
  const float x1 = x0 + world_box.getHorizontal();
  const float y1 = y0 + world_box.getVertical();
  Span span{0, 0, 0, 0, true};
  if (!(world_box.getHorizontal() >= 0.0f && world_box.getVertical() >= 0.0f)) return span;
  if (!(x0 >= -FAR && y0 >= -FAR && x1 <= FAR && y1 <= FAR)) return span;
  span.x0 = gridCell(x0);
  span.y0 = gridCell(y0);
  span.x1 = gridCell(x1);
  span.y1 = gridCell(y1);
  const long long covered =
      static_cast<long long>(span.x1 - span.x0 + 1) * static_cast<long long>(span.y1 - span.y0 + 1);
  span.wide = covered > most_cells;
  return span;
}

std::vector<int>* SpatialGrid::bucketAt(int x, int y) {
  int* p_bucket = cells.find(cellKey(x, y));
  return p_bucket ? &buckets[static_cast<std::size_t>(*p_bucket)] : nullptr;
}

void SpatialGrid::file(int entry) {
  Entry& e = entries[static_cast<std::size_t>(entry)];
  if (e.span.wide) {
    e.at = static_cast<int>(wide.size());
    wide.push_back(entry);
    return;
  }
  e.at = -1;
  const bool one_cell = single(e.span);
  for (int y = e.span.y0; y <= e.span.y1; y++) {
    for (int x = e.span.x0; x <= e.span.x1; x++) {
      std::vector<int>* p_bucket = bucketAt(x, y);
      if (!p_bucket) {
        int index;
        if (free_buckets.empty()) {
          index = static_cast<int>(buckets.size());
          buckets.emplace_back();
        } else {
          index = free_buckets.back();
          free_buckets.pop_back();
        }
        cells.put(cellKey(x, y), index);
        p_bucket = &buckets[static_cast<std::size_t>(index)];
      }
      if (one_cell) e.at = static_cast<int>(p_bucket->size());
      p_bucket->push_back(entry);
    }
  }
}

bool SpatialGrid::single(const Span& span) {
  return !span.wide && span.x0 == span.x1 && span.y0 == span.y1;
}

void SpatialGrid::takeOut(std::vector<int>& list, int place) {
  const int last = list.back();
  list[static_cast<std::size_t>(place)] = last;
  list.pop_back();
  Entry& moved = entries[static_cast<std::size_t>(last)];
  if (moved.at >= 0) moved.at = place;
}

void SpatialGrid::unfile(int entry) {
  const Entry& e = entries[static_cast<std::size_t>(entry)];
  if (e.span.wide) {
    takeOut(wide, e.at);
    return;
  }
  for (int y = e.span.y0; y <= e.span.y1; y++) {
    for (int x = e.span.x0; x <= e.span.x1; x++) {
      const std::uint64_t key = cellKey(x, y);
      int* p_index = cells.find(key);
      if (!p_index) continue;
      const int index = *p_index;
      std::vector<int>& bucket = buckets[static_cast<std::size_t>(index)];
      if (e.at >= 0) {
        takeOut(bucket, e.at);
      } else {
        // Objects larger than a grid cell are few: they are looked for.
        const auto at = std::find(bucket.begin(), bucket.end(), entry);
        if (at != bucket.end()) takeOut(bucket, static_cast<int>(at - bucket.begin()));
      }
      if (bucket.empty()) {
        cells.erase(key);
        free_buckets.push_back(index);
      }
    }
  }
}

void SpatialGrid::add(Object* p_o) {
  if (objects.find(keyOf(p_o))) return;
  int entry;
  if (free_entries.empty()) {
    entry = static_cast<int>(entries.size());
    entries.emplace_back();
  } else {
    entry = free_entries.back();
    free_entries.pop_back();
  }
  Entry& e = entries[static_cast<std::size_t>(entry)];
  e.p_o = p_o;
  e.turn = next_turn++;
  e.span = spanOf(worldBoxOf(p_o), MOST_FILED_CELLS);
  e.at = -1;
  e.dirty = false;
  e.stamp = stamp;
  objects.put(keyOf(p_o), entry);
  file(entry);
}

void SpatialGrid::remove(const Object* p_o) {
  const int* p_entry = objects.find(keyOf(p_o));
  if (!p_entry) return;
  const int entry = *p_entry;
  objects.erase(keyOf(p_o));
  unfile(entry);
  Entry& e = entries[static_cast<std::size_t>(entry)];
  e.p_o = nullptr;
  e.dirty = false;
  free_entries.push_back(entry);
}

void SpatialGrid::touch(const Object* p_o) {
  const int* p_entry = objects.find(keyOf(p_o));
  if (!p_entry) return;
  Entry& e = entries[static_cast<std::size_t>(*p_entry)];
  if (e.dirty) return;
  e.dirty = true;
  dirty.push_back(*p_entry);
}

void SpatialGrid::refresh() {
  for (const int entry : dirty) {
    Entry& e = entries[static_cast<std::size_t>(entry)];
    // An entry let go and handed out again since it was touched is
    // either clean now or listed again further on.
    if (!e.dirty) continue;
    e.dirty = false;
    const Span span = spanOf(worldBoxOf(e.p_o), MOST_FILED_CELLS);
    if (span == e.span) continue;
    unfile(entry);
    e.span = span;
    file(entry);
  }
  dirty.clear();
}

void SpatialGrid::consider(int entry, const Object* p_o, const Box& moved) {
  Entry& e = entries[static_cast<std::size_t>(entry)];
  if (e.stamp == stamp) return;
  e.stamp = stamp;
  if (e.p_o == p_o) return;
  if (boxIntersectsBox(moved, worldBoxOf(e.p_o))) found.emplace_back(e.turn, e.p_o);
}

bool SpatialGrid::query(const Object* p_o, const Box& moved, ObjectList& result) {
  const Span span = spanOf(moved, MOST_QUERY_CELLS);
  if (span.wide) return false;
  refresh();
  if (++stamp == 0) {
    // The marks went all the way round: clear them, lest an old one pass
    // for this query's.
    for (Entry& e : entries) e.stamp = 0;
    stamp = 1;
  }
  found.clear();
  for (int y = span.y0; y <= span.y1; y++) {
    for (int x = span.x0; x <= span.x1; x++) {
      const std::vector<int>* p_bucket = bucketAt(x, y);
      if (!p_bucket) continue;
      for (const int entry : *p_bucket) consider(entry, p_o, moved);
    }
  }
  for (const int entry : wide) consider(entry, p_o, moved);
  if (found.size() > 1) std::sort(found.begin(), found.end());
  for (const auto& hit : found) result.insert(hit.second);
  return true;
}

void SpatialGrid::clear() {
  entries.clear();
  free_entries.clear();
  objects.clear();
  cells.clear();
  buckets.clear();
  free_buckets.clear();
  wide.clear();
  dirty.clear();
  next_turn = 0;
  stamp = 0;
}

}  // namespace mo
