#ifndef MO_COLOR_H
#define MO_COLOR_H

namespace mo {

/// The eight colours of the character grid, plus CUSTOM, which drawing
/// code treats as white. Stored as a 32-bit integer; other values are
/// unsupported and handled by the conversions in utility.h.
enum Color : int {
  BLACK = 0,
  RED,
  GREEN,
  YELLOW,
  BLUE,
  MAGENTA,
  CYAN,
  WHITE,
  CUSTOM,
};

/// The colour used when none is given.
const Color COLOR_DEFAULT = WHITE;

}  // namespace mo

#endif
