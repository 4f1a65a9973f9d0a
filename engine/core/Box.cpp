#include "engine/core/Box.h"

namespace mo {

Box::Box(Vector init_corner, float init_horizontal, float init_vertical)
    : corner(init_corner), horizontal(init_horizontal), vertical(init_vertical) {}

Box::Box() : corner(), horizontal(0.0f), vertical(0.0f) {}

bool Box::operator==(const Box& other) const {
  return corner == other.corner && horizontal == other.horizontal && vertical == other.vertical;
}

bool Box::operator!=(const Box& other) const { return !(*this == other); }

}  // namespace mo
