#include "engine/media/GlyphBatch.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/media/CellGlyph.h"

namespace mo {

namespace {

// The font reserves a small white square at the top-left corner of each
// character size's texture (it underlines text with it); sampling at its
// middle gives pure white, smoothed or not.
const sf::Vector2f WHITE_TEXEL(1.0f, 1.0f);

// sf::Text widens every glyph quad by this much on each side, into the
// transparent margin the font leaves around it.
const float GLYPH_PADDING = 1.0f;

bool isBlank(char32_t code) { return code == ' ' || code == '\t' || code == '\n' || code == '\r'; }

// The ranges beyond ASCII whose glyphs the font has are loaded at the
// start: Latin-1 and Latin Extended-A, Greek, Cyrillic, punctuation,
// currency, arrows, mathematical operators, technical symbols, geometric
// shapes, other symbols and dingbats.
const std::pair<char32_t, char32_t> PRELOADED[] = {
    {0x00A0, 0x017F}, {0x0370, 0x03FF}, {0x0400, 0x045F}, {0x2010, 0x205E}, {0x20A0, 0x20BF},
    {0x2190, 0x21FF}, {0x2200, 0x22FF}, {0x2300, 0x23FF}, {0x25A0, 0x25FF}, {0x2600, 0x26FF},
    {0x2700, 0x27BF}, {0xFFFD, 0xFFFD}};

// A code point no font has: what the font draws for it is its stand-in
// for every missing glyph.
const char32_t NO_GLYPH = 0x10FFFF;

// How far a pixel's centre may lie outside a box and still count as in
// it: the rasteriser rounds vertices to a fraction of a pixel.
const float ROUNDING = 1.0f / 64.0f;

}  // namespace

GlyphBatch::GlyphBatch()
    : p_font(nullptr),
      p_texture(nullptr),
      character_size(0),
      ascii(),
      line_width(1.0f),
      grid_columns(0),
      grid_rows(0),
      tracking(false),
      left_out(0) {}

bool GlyphBatch::prepare(const sf::Font& font, unsigned int size, std::size_t cells,
                         sf::Vector2f cell_size) {
  p_font = nullptr;
  p_texture = nullptr;
  vertices.clear();
  others.clear();
  tracking = false;
  left_out = 0;
  character_size = size;
  line_width = CellGlyph::lineWidth(size, cell_size);
  for (int c = FIRST; c <= LAST; c++) {
    ascii[static_cast<std::size_t>(c - FIRST)] = quadOf(font.getGlyph(static_cast<sf::Uint32>(c), size, true));
  }
  missing = font.getGlyph(NO_GLYPH, size, true);
  std::vector<std::pair<char32_t, sf::Glyph>> loaded;
  for (const auto& [first, last] : PRELOADED) {
    for (char32_t code = first; code <= last; code++) {
      loaded.emplace_back(code, font.getGlyph(code, size, true));
    }
  }
  // Read back once, after the texture has taken every glyph.
  const sf::Texture& texture = font.getTexture(size);
  const sf::Image image = texture.copyToImage();
  for (const auto& [code, glyph] : loaded) {
    Quad quad = quadOf(glyph);
    if (looksMissing(glyph, &image)) quad.look = AS_SHAPES;
    others.emplace(code, quad);
  }
  if (image.getSize().x < 2 || image.getSize().y < 2) return false;
  for (unsigned int y = 0; y < 2; y++) {
    for (unsigned int x = 0; x < 2; x++) {
      if (image.getPixel(x, y) != sf::Color::White) return false;
    }
  }
  p_font = &font;
  p_texture = &texture;
  // A background and a glyph of two triangles each per cell.
  vertices.reserve(cells * 12);
  return true;
}

GlyphBatch::Quad GlyphBatch::quadOf(const sf::Glyph& glyph) const {
  const sf::FloatRect& b = glyph.bounds;
  const sf::IntRect& t = glyph.textureRect;
  // sf::Text puts the baseline one character size below its origin, and
  // adds its origin last, as this batch does.
  const auto baseline = static_cast<float>(character_size);
  return Quad{b.left - GLYPH_PADDING,
              baseline + (b.top - GLYPH_PADDING),
              b.left + b.width + GLYPH_PADDING,
              baseline + (b.top + b.height + GLYPH_PADDING),
              static_cast<float>(t.left) - GLYPH_PADDING,
              static_cast<float>(t.top) - GLYPH_PADDING,
              static_cast<float>(t.left + t.width) + GLYPH_PADDING,
              static_cast<float>(t.top + t.height) + GLYPH_PADDING,
              b.width > 0 && b.height > 0 ? FROM_FONT : BLANK};
}

bool GlyphBatch::looksMissing(const sf::Glyph& glyph, const sf::Image* p_atlas) const {
  const sf::IntRect& t = glyph.textureRect;
  const sf::IntRect& m = missing.textureRect;
  if (glyph.advance != missing.advance || glyph.bounds != missing.bounds || t.width != m.width ||
      t.height != m.height) {
    return false;
  }
  sf::Image read;
  if (!p_atlas) {
    read = p_font->getTexture(character_size).copyToImage();
    p_atlas = &read;
  }
  for (int y = 0; y < t.height; y++) {
    for (int x = 0; x < t.width; x++) {
      if (p_atlas->getPixel(static_cast<unsigned>(t.left + x), static_cast<unsigned>(t.top + y)) !=
          p_atlas->getPixel(static_cast<unsigned>(m.left + x), static_cast<unsigned>(m.top + y))) {
        return false;
      }
    }
  }
  return true;
}

const GlyphBatch::Quad& GlyphBatch::otherQuad(char32_t code) {
  const auto found = others.find(code);
  if (found != others.end()) return found->second;
  const sf::Glyph& glyph = p_font->getGlyph(code, character_size, true);
  Quad quad = quadOf(glyph);
  if (looksMissing(glyph, nullptr)) quad.look = AS_SHAPES;
  return others.emplace(code, quad).first->second;
}

GlyphBatch::Look GlyphBatch::lookOf(char32_t code) {
  if (CellGlyph::isDrawn(code)) return AS_SHAPES;
  if (isBlank(code)) return BLANK;
  if (!p_font) return FROM_FONT;
  return code >= FIRST && code <= LAST ? ascii[code - FIRST].look : otherQuad(code).look;
}

void GlyphBatch::buildShapes(char32_t code, const sf::FloatRect& cell, sf::Color color,
                             std::vector<sf::Vertex>& out) const {
  if (CellGlyph::isDrawn(code)) {
    CellGlyph::build(code, cell, line_width, color, WHITE_TEXEL, out);
  } else {
    CellGlyph::buildMissing(cell, line_width, color, WHITE_TEXEL, out);
  }
}

void GlyphBatch::addRectangle(sf::Vector2f corner, sf::Vector2f size, sf::Color color) {
  const sf::Vector2f far(corner.x + size.x, corner.y + size.y);
  addTriangle(corner, sf::Vector2f(far.x, corner.y), sf::Vector2f(corner.x, far.y), color);
  addTriangle(sf::Vector2f(corner.x, far.y), sf::Vector2f(far.x, corner.y), far, color);
}

void GlyphBatch::setGrid(sf::Vector2f corner, sf::Vector2f cell_size, int columns, int rows) {
  grid_corner = corner;
  grid_cell = cell_size;
  grid_columns = std::max(columns, 0);
  grid_rows = std::max(rows, 0);
  touched.assign(static_cast<std::size_t>(grid_columns) * static_cast<std::size_t>(grid_rows), 0);
  tracking = false;
}

void GlyphBatch::beginFrame(sf::Color cleared) {
  std::fill(touched.begin(), touched.end(), 0);
  cleared_to = cleared;
  tracking = !touched.empty() && grid_cell.x > 0 && grid_cell.y > 0 && vertices.empty();
}

bool GlyphBatch::cellsUnder(float left, float top, float right, float bottom,
                            int& r_first_column, int& r_first_row, int& r_last_column,
                            int& r_last_row) const {
  // Pixel x holds its centre at x + 0.5.
  const float first_x = std::ceil(left - 0.5f - ROUNDING);
  const float last_x = std::ceil(right - 0.5f + ROUNDING) - 1.0f;
  const float first_y = std::ceil(top - 0.5f - ROUNDING);
  const float last_y = std::ceil(bottom - 0.5f + ROUNDING) - 1.0f;
  if (!(first_x <= last_x && first_y <= last_y)) return false;  // also NaN
  const auto column = [this](float x) {
    const float at = std::floor((x + 0.5f - grid_corner.x) / grid_cell.x);
    return static_cast<int>(std::clamp(at, 0.0f, static_cast<float>(grid_columns - 1)));
  };
  const auto row = [this](float y) {
    const float at = std::floor((y + 0.5f - grid_corner.y) / grid_cell.y);
    return static_cast<int>(std::clamp(at, 0.0f, static_cast<float>(grid_rows - 1)));
  };
  r_first_column = column(first_x);
  r_last_column = column(last_x);
  r_first_row = row(first_y);
  r_last_row = row(last_y);
  return true;
}

void GlyphBatch::touch(float left, float top, float right, float bottom) {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (!tracking || !cellsUnder(left, top, right, bottom, x1, y1, x2, y2)) return;
  for (int y = y1; y <= y2; y++) {
    for (int x = x1; x <= x2; x++) touched[static_cast<std::size_t>(y * grid_columns + x)] = 1;
  }
}

void GlyphBatch::addBackground(sf::Vector2f corner, sf::Vector2f size, sf::Color color) {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  if (tracking && color == cleared_to &&
      cellsUnder(corner.x, corner.y, corner.x + size.x, corner.y + size.y, x1, y1, x2, y2)) {
    bool clear = true;
    for (int y = y1; clear && y <= y2; y++) {
      for (int x = x1; clear && x <= x2; x++) {
        clear = touched[static_cast<std::size_t>(y * grid_columns + x)] == 0;
      }
    }
    if (clear) {
      left_out++;
      return;
    }
  }
  addRectangle(corner, size, color);
}

void GlyphBatch::addGlyph(sf::Vector2f origin, const sf::FloatRect& cell, char32_t code,
                          sf::Color color) {
  if (!p_font) return;
  if (code > ' ' && code <= LAST) {
    addQuad(origin, ascii[static_cast<std::size_t>(code - FIRST)], color);
    return;
  }
  if (isBlank(code)) return;
  // Engine-drawn glyphs are never looked up in the font.
  const Quad* p_quad = CellGlyph::isDrawn(code) ? nullptr : &otherQuad(code);
  if (!p_quad || p_quad->look == AS_SHAPES) {
    touch(cell.left, cell.top, cell.left + cell.width, cell.top + cell.height);
    buildShapes(code, cell, color, vertices);
  } else if (p_quad->look == FROM_FONT) {
    addQuad(origin, *p_quad, color);
  }
}

void GlyphBatch::addQuad(sf::Vector2f origin, const Quad& q, sf::Color color) {
  const float x = origin.x;
  const float y = origin.y;
  // The smoothed texture spreads the ink half a pixel beyond its edges;
  // the padding around it stays clear.
  const float spread = GLYPH_PADDING - 0.5f;
  touch(x + q.left + spread, y + q.top + spread, x + q.right - spread, y + q.bottom - spread);
  const sf::Vertex top_left(sf::Vector2f(x + q.left, y + q.top), color, sf::Vector2f(q.u1, q.v1));
  const sf::Vertex top_right(sf::Vector2f(x + q.right, y + q.top), color, sf::Vector2f(q.u2, q.v1));
  const sf::Vertex bottom_left(sf::Vector2f(x + q.left, y + q.bottom), color,
                               sf::Vector2f(q.u1, q.v2));
  const sf::Vertex bottom_right(sf::Vector2f(x + q.right, y + q.bottom), color,
                                sf::Vector2f(q.u2, q.v2));
  vertices.push_back(top_left);
  vertices.push_back(top_right);
  vertices.push_back(bottom_left);
  vertices.push_back(bottom_left);
  vertices.push_back(top_right);
  vertices.push_back(bottom_right);
}

void GlyphBatch::addTriangle(sf::Vector2f a, sf::Vector2f b, sf::Vector2f c, sf::Color color) {
  touch(std::min({a.x, b.x, c.x}), std::min({a.y, b.y, c.y}), std::max({a.x, b.x, c.x}),
        std::max({a.y, b.y, c.y}));
  vertices.emplace_back(a, color, WHITE_TEXEL);
  vertices.emplace_back(b, color, WHITE_TEXEL);
  vertices.emplace_back(c, color, WHITE_TEXEL);
}

void GlyphBatch::addShape(const sf::Shape& shape) {
  const std::size_t count = shape.getPointCount();
  if (count < 3) return;
  // The shape fans out from the middle of its points' bounding box.
  sf::Vector2f low = shape.getPoint(0);
  sf::Vector2f high = low;
  for (std::size_t i = 1; i < count; i++) {
    const sf::Vector2f p = shape.getPoint(i);
    low = sf::Vector2f(std::min(low.x, p.x), std::min(low.y, p.y));
    high = sf::Vector2f(std::max(high.x, p.x), std::max(high.y, p.y));
  }
  const sf::Transform& transform = shape.getTransform();
  const sf::Color color = shape.getFillColor();
  const sf::Vector2f centre =
      transform.transformPoint(low.x + (high.x - low.x) / 2, low.y + (high.y - low.y) / 2);
  const sf::Vector2f first = transform.transformPoint(shape.getPoint(0));
  sf::Vector2f previous = first;
  for (std::size_t i = 1; i <= count; i++) {
    const sf::Vector2f next = i < count ? transform.transformPoint(shape.getPoint(i)) : first;
    addTriangle(centre, previous, next, color);
    previous = next;
  }
}

int GlyphBatch::flush(sf::RenderTarget& target) {
  // What the target shows from now on is no longer the batch's alone.
  tracking = false;
  if (vertices.empty() || !p_texture) return 0;
  target.draw(vertices.data(), vertices.size(), sf::Triangles, sf::RenderStates(p_texture));
  vertices.clear();
  return 1;
}

void GlyphBatch::clear() {
  vertices.clear();
  tracking = false;
}

unsigned int GlyphBatch::fittingSize(const sf::Font& font, unsigned int size, float cell_width,
                                     float cell_height) {
  // The background starts a tenth of a cell left of the glyph's origin.
  const float ink_left = -cell_width / 10.0f;
  const float ink_right = cell_width - cell_width / 10.0f;
  for (; size > 1; size--) {
    bool fits = font.getLineSpacing(size) <= cell_height && glyphDrop(font, size, cell_height);
    for (int c = FIRST + 1; fits && c <= LAST; c++) {
      const sf::Glyph& glyph = font.getGlyph(static_cast<sf::Uint32>(c), size, true);
      fits = glyph.advance <= cell_width && glyph.bounds.left >= ink_left &&
             glyph.bounds.left + glyph.bounds.width <= ink_right;
    }
    if (fits) break;
  }
  return std::max(size, 1u);
}

std::optional<float> GlyphBatch::glyphDrop(const sf::Font& font, unsigned int size,
                                           float cell_height) {
  // The ink's top and bottom below the origin: the baseline lies one
  // character size down.
  float top = 1e9f;
  float bottom = -1e9f;
  for (int c = FIRST + 1; c <= LAST; c++) {
    const sf::FloatRect& b = font.getGlyph(static_cast<sf::Uint32>(c), size, true).bounds;
    top = std::min(top, static_cast<float>(size) + b.top);
    bottom = std::max(bottom, static_cast<float>(size) + b.top + b.height);
  }
  // The smoothed texture spreads a glyph's edge half a pixel out, onto
  // the pixel rows whose centres lie within half a pixel of it.
  const float cell_top = cell_height / 5.0f;
  const float least = cell_top + 0.5f - top;
  const float most = cell_top + cell_height - 0.5f - bottom;
  // Whole pixels keep glyphs on whole-pixel origins as sharp as before.
  const float drop = least > 0.0f ? std::ceil(least) : (most < 0.0f ? std::floor(most) : 0.0f);
  if (drop < least || drop > most) return std::nullopt;
  return drop;
}

}  // namespace mo
