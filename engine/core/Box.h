#ifndef MO_BOX_H
#define MO_BOX_H

#include "engine/core/Vector.h"

namespace mo {

/// An axis-aligned rectangle in cells: the corner of smallest x and y and
/// the extents towards larger x and y. A plain value type.
///
///   mo::Box room(mo::Vector(0, 0), 80, 24);   // 80 x 24 cells from (0,0)
///   if (mo::boxContainsPosition(room, p)) ...
class Box {
 public:
  /// The box at corner with the given extents (cells).
  Box(Vector init_corner, float init_horizontal, float init_vertical);
  /// Corner (0,0), both extents 0.
  Box();

  /// The corner of smallest x and y (cells).
  Vector getCorner() const { return corner; }
  void setCorner(Vector new_corner) { corner = new_corner; }
  /// The extent towards larger x (cells); not checked, so it may be
  /// negative if set so.
  float getHorizontal() const { return horizontal; }
  void setHorizontal(float new_horizontal) { horizontal = new_horizontal; }
  /// The extent towards larger y, downwards (cells).
  float getVertical() const { return vertical; }
  void setVertical(float new_vertical) { vertical = new_vertical; }

  /// True when the corners and both extents are exactly equal.
  bool operator==(const Box& other) const;
  /// The negation of ==.
  bool operator!=(const Box& other) const;

 private:
  Vector corner;
  float horizontal;
  float vertical;
};

}  // namespace mo

#endif
