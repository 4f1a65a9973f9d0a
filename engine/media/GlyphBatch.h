#ifndef MO_GLYPH_BATCH_H
#define MO_GLYPH_BATCH_H

#include <SFML/Graphics.hpp>

#include <array>
#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

namespace mo {

/// Collects a frame's cell backgrounds, glyphs and filled shapes, in the
/// order they are added, into one textured vertex array drawn with one
/// draw call. Glyphs come from the font's texture at one character size,
/// except those the engine draws itself (CellGlyph) and those the font
/// lacks, which show as a hollow box; fills use a white texel of that
/// texture, so that all share it. The printable ASCII glyphs and the
/// font's glyphs of the common ranges beyond (Latin, Greek, Cyrillic,
/// punctuation, arrows, mathematical and other symbols) are loaded when
/// the batch is prepared and their quads kept, so queuing them allocates
/// nothing once the array has grown to a frame's size. What it draws matches, pixel for pixel up to
/// rounding, an sf::RectangleShape, a bold sf::Text of one character and
/// the sf::Shape itself drawn one by one.
class GlyphBatch {
 public:
  GlyphBatch();

  /// Loads the bold glyphs of the characters 32 to 126 and of the common
  /// ranges beyond of font at character_size pixels and room for cells
  /// cells, for cells of cell_size pixels; drops what was queued. The
  /// font must stay alive while the batch is used. False (nothing
  /// prepared) when the font's texture has no white texel to fill with.
  bool prepare(const sf::Font& font, unsigned int character_size, std::size_t cells,
               sf::Vector2f cell_size);

  /// Queues a filled rectangle: its corner and size in pixels.
  void addRectangle(sf::Vector2f corner, sf::Vector2f size, sf::Color color);

  /// Lays the grid of cells that backgrounds are counted in: columns x
  /// rows cells of cell_size pixels, the first with its corner at corner.
  /// Until the next beginFrame() every background is queued.
  void setGrid(sf::Vector2f corner, sf::Vector2f cell_size, int columns, int rows);
  /// Starts a frame on a target just cleared to cleared, with nothing
  /// queued: from now on a background of that colour is left out where
  /// nothing drawn this frame lies under it, since it would only repaint
  /// what the clearing painted. Drawing into the target past the batch
  /// ends this until the next frame: flush() does.
  void beginFrame(sf::Color cleared);
  /// Queues a cell's background, a rectangle (corner and size in
  /// pixels), unless it is left out as beginFrame() says.
  void addBackground(sf::Vector2f corner, sf::Vector2f size, sf::Color color);
  /// The backgrounds left out since prepare().
  long getBackgroundsLeftOut() const { return left_out; }

  /// Queues the glyph of the code point code as a bold sf::Text holding
  /// it alone, placed at origin (pixels), draws it: the baseline lies one
  /// character size below the origin. The glyphs of CellGlyph, and the
  /// hollow box for one the font lacks, fill cell (pixels) instead.
  /// Blanks, tabs, line feeds and carriage returns draw nothing. Glyphs
  /// not loaded yet are loaded when first met.
  void addGlyph(sf::Vector2f origin, const sf::FloatRect& cell, char32_t code, sf::Color color);

  /// How a code point shows: from the font, as shapes filling its cell
  /// (a glyph of CellGlyph, or one the font lacks), or not at all (a
  /// blank, or a glyph without ink, which sf::Text would show as a dot
  /// of the texture's corner).
  enum Look { FROM_FONT, AS_SHAPES, BLANK };
  Look lookOf(char32_t code);

  /// Appends the shapes of such a code point filling cell (pixels) in
  /// color to out, as addGlyph() queues them.
  void buildShapes(char32_t code, const sf::FloatRect& cell, sf::Color color,
                   std::vector<sf::Vertex>& out) const;

  /// Queues the fill of shape with its own transform and fill colour (no
  /// texture, no outline). Shapes of fewer than 3 points draw nothing.
  void addShape(const sf::Shape& shape);

  /// Draws what is queued into target in one draw call and empties the
  /// queue; every background is queued again until the next frame. The
  /// draw calls made: 1, or 0 when nothing was queued or the
  /// batch is not prepared.
  int flush(sf::RenderTarget& target);

  /// Drops what is queued without drawing it.
  void clear();

  /// The number of vertices queued.
  std::size_t queued() const { return vertices.size(); }

  /// The largest character size up to size (pixels, at least 1) at which
  /// every printable ASCII glyph of font, bold, fits a cell of
  /// cell_width x cell_height pixels: its advance fits the width, the
  /// font's line spacing the height, and its ink lies within the cell's
  /// background, which starts a tenth of a cell left of and a fifth of a
  /// cell below the glyph's origin, once the glyph is moved down by
  /// glyphDrop(), so that no glyph reaches into a neighbour's cell.
  static unsigned int fittingSize(const sf::Font& font, unsigned int size, float cell_width,
                                  float cell_height);

  /// How far (whole pixels; negative is up) the printable ASCII glyphs of
  /// font at size, bold, move from their origin for the ink of every one
  /// to lie within a cell cell_height pixels high that starts a fifth of
  /// a cell below the origin: 0 when it already does, else the least
  /// move. Empty when no move makes every glyph fit.
  static std::optional<float> glyphDrop(const sf::Font& font, unsigned int size,
                                        float cell_height);

 private:
  /// A glyph's quad relative to its text's origin (the baseline one
  /// character size below it), and its texture
  /// rectangle, both in pixels.
  struct Quad {
    float left, top, right, bottom;
    float u1, v1, u2, v2;
    Look look;  ///< AS_SHAPES: the font lacks the glyph
  };
  Quad quadOf(const sf::Glyph& glyph) const;
  /// The quad of a code point beyond ASCII, loaded when first met.
  const Quad& otherQuad(char32_t code);
  /// Whether glyph is the font's stand-in for a missing one, by its
  /// metrics and, when they match, its pixels in atlas.
  bool looksMissing(const sf::Glyph& glyph, const sf::Image* p_atlas) const;
  void addQuad(sf::Vector2f origin, const Quad& quad, sf::Color color);
  void addTriangle(sf::Vector2f a, sf::Vector2f b, sf::Vector2f c, sf::Color color);
  /// The grid cells holding the pixels whose centres lie in [left,
  /// right) x [top, bottom), a little widened against rounding, each
  /// index clamped into the grid; false when no pixel is there.
  bool cellsUnder(float left, float top, float right, float bottom, int& r_first_column,
                  int& r_first_row, int& r_last_column, int& r_last_row) const;
  /// Records that this frame drew on the pixels with centres in the box.
  void touch(float left, float top, float right, float bottom);

  static const int FIRST = 32;
  static const int LAST = 126;
  const sf::Font* p_font;
  const sf::Texture* p_texture;
  unsigned int character_size;
  std::array<Quad, LAST - FIRST + 1> ascii;
  std::unordered_map<char32_t, Quad> others;
  sf::Glyph missing;  ///< what the font draws for a code point it lacks
  float line_width;   ///< of CellGlyph's light lines, pixels
  std::vector<sf::Vertex> vertices;
  // Which grid cells this frame has drawn on, while the target is known
  // to hold nothing else.
  sf::Vector2f grid_corner;
  sf::Vector2f grid_cell;
  int grid_columns;
  int grid_rows;
  std::vector<unsigned char> touched;
  bool tracking;
  sf::Color cleared_to;
  long left_out;
};

}  // namespace mo

#endif
