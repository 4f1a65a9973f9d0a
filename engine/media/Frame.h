#ifndef MO_FRAME_H
#define MO_FRAME_H

#include <string>

#include "engine/core/Color.h"
#include "engine/core/Vector.h"

namespace mo {

/// One picture of a sprite: a rectangle of characters (Unicode code
/// points, given as UTF-8) stored row after row. A plain value type,
/// copied freely. A frame with an empty string is empty (invalid) and
/// draws nothing.
class Frame {
 public:
  /// The empty frame: width 0, height 0, no characters.
  Frame();
  /// A frame of new_width characters per row and new_height rows; the
  /// UTF-8 string holds the rows one after the other, width x height
  /// code points (a byte that is no UTF-8 counts as one, U+FFFD).
  Frame(int new_width, int new_height, std::string frame_str);

  /// Characters per row.
  int getWidth() const { return width; }
  /// Number of rows.
  int getHeight() const { return height; }
  /// The characters, row after row, as UTF-8.
  std::string getString() const { return frame_str; }
  /// The characters, row after row, as code points.
  const std::u32string& getCodePoints() const { return codes; }

  /// Draws the frame centred on position (world cells) in color through
  /// the DisplayManager, rows top to bottom, each left to right; the
  /// character in row r, column c lands at position + (c - (width-1)/2,
  /// r - (height-1)/2), so even sizes fall on half cells. Characters
  /// equal to transparent are skipped unless transparent is 0. 0 when
  /// everything was drawn (an empty frame draws nothing and gives 0); -1
  /// as soon as a character cannot be drawn. A string shorter than
  /// width x height draws only the characters it holds.
  int draw(Vector position, Color color, char32_t transparent) const;

 private:
  int width;
  int height;
  std::string frame_str;
  std::u32string codes;
};

}  // namespace mo

#endif
