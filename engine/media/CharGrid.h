#ifndef MO_CHAR_GRID_H
#define MO_CHAR_GRID_H

#include <string>
#include <vector>

#include "engine/core/Color.h"

namespace mo {

/// A picture of the window as text: one code point and one colour per
/// cell, in view cells. The DisplayManager copies every character it
/// draws into an attached grid, so that screens can be compared as text
/// without reading pixels back.
class CharGrid {
 public:
  /// A grid of width x height cells, all blank (' ', BLACK).
  CharGrid(int width, int height);

  /// The grid's size in cells, as constructed.
  int getWidth() const { return width; }
  int getHeight() const { return height; }

  /// Empties every cell.
  void clear();

  /// Puts the code point ch in colour at the cell that holds view
  /// position (x, y), rounded to the nearest cell. Positions outside are
  /// ignored.
  void put(float x, float y, char32_t ch, Color color);

  /// The code point at cell (x, y), or 0 outside the grid.
  char32_t charAt(int x, int y) const;
  /// The colour at cell (x, y), or BLACK outside the grid.
  Color colorAt(int x, int y) const;

  /// Row y as UTF-8 text (empty outside the grid).
  std::string row(int y) const;
  /// Row y without its trailing blanks.
  std::string trimmedRow(int y) const;
  /// Every row, without trailing blanks, each ended by a line feed;
  /// trailing empty rows are left out.
  std::string toString() const;

 private:
  int width;
  int height;
  std::vector<char32_t> chars;
  std::vector<Color> colors;
};

}  // namespace mo

#endif
