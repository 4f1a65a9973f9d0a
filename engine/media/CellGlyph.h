#ifndef MO_CELL_GLYPH_H
#define MO_CELL_GLYPH_H

#include <SFML/Graphics.hpp>

#include <vector>

namespace mo {

/// The glyphs the engine draws itself instead of taking them from the
/// font: the box drawing characters (U+2500 to U+257F) and the block
/// elements (U+2580 to U+259F), as filled triangles that reach the
/// cell's edges, so that the lines of neighbouring cells meet whatever
/// the cell size and the font; and the hollow box that stands for a
/// glyph the font lacks. Lines lie on whole pixels; block fractions
/// follow the cell's own (fractional) edges.
class CellGlyph {
 public:
  /// Whether code is one of the glyphs drawn here (U+2500 to U+259F).
  static bool isDrawn(char32_t code) { return code >= 0x2500 && code <= 0x259F; }

  /// The width of a light line in whole pixels for glyphs of
  /// character_size pixels in cells of cell_size pixels: at least 1, and
  /// small enough for a double line (three widths) to fit the cell.
  static float lineWidth(unsigned int character_size, sf::Vector2f cell_size);

  /// Appends the triangles of code (one of isDrawn()) filling the cell
  /// (pixels) in color to out, with line light lines (pixels); shades
  /// are the colour at a quarter, half or three quarters of its alpha.
  /// The texture coordinates are texel; nothing is appended for another
  /// code point.
  static void build(char32_t code, const sf::FloatRect& cell, float line, sf::Color color,
                    sf::Vector2f texel, std::vector<sf::Vertex>& out);

  /// Appends the hollow box that shows a glyph the font lacks, as build().
  static void buildMissing(const sf::FloatRect& cell, float line, sf::Color color,
                           sf::Vector2f texel, std::vector<sf::Vertex>& out);
};

}  // namespace mo

#endif
