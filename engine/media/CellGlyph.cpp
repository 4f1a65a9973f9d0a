#include "engine/media/CellGlyph.h"

#include <algorithm>
#include <cmath>

namespace mo {

namespace {

const char NONE = '.';
const char DOUBLE = 'd';
const char HEAVY = 'h';

// U+2500 to U+257F: how each is drawn ('-' lines; '2', '3', '4' lines
// broken into that many dashes; 'a' a rounded corner; '/', '\' and 'x'
// diagonals), then the weight of its arms up, right, down and left
// ('.' none, 'l' light, 'h' heavy, 'd' double).
const char* const BOX[128] = {
    "-.l.l", "-.h.h", "-l.l.", "-h.h.", "3.l.l", "3.h.h", "3l.l.", "3h.h.",  // 2500
    "4.l.l", "4.h.h", "4l.l.", "4h.h.", "-.ll.", "-.hl.", "-.lh.", "-.hh.",  // 2508
    "-..ll", "-..lh", "-..hl", "-..hh", "-ll..", "-lh..", "-hl..", "-hh..",  // 2510
    "-l..l", "-l..h", "-h..l", "-h..h", "-lll.", "-lhl.", "-hll.", "-llh.",  // 2518
    "-hlh.", "-hhl.", "-lhh.", "-hhh.", "-l.ll", "-l.lh", "-h.ll", "-l.hl",  // 2520
    "-h.hl", "-h.lh", "-l.hh", "-h.hh", "-.lll", "-.llh", "-.hll", "-.hlh",  // 2528
    "-.lhl", "-.lhh", "-.hhl", "-.hhh", "-ll.l", "-ll.h", "-lh.l", "-lh.h",  // 2530
    "-hl.l", "-hl.h", "-hh.l", "-hh.h", "-llll", "-lllh", "-lhll", "-lhlh",  // 2538
    "-hlll", "-llhl", "-hlhl", "-hllh", "-hhll", "-llhh", "-lhhl", "-hhlh",  // 2540
    "-lhhh", "-hlhh", "-hhhl", "-hhhh", "2.l.l", "2.h.h", "2l.l.", "2h.h.",  // 2548
    "-.d.d", "-d.d.", "-.dl.", "-.ld.", "-.dd.", "-..ld", "-..dl", "-..dd",  // 2550
    "-ld..", "-dl..", "-dd..", "-l..d", "-d..l", "-d..d", "-ldl.", "-dld.",  // 2558
    "-ddd.", "-l.ld", "-d.dl", "-d.dd", "-.dld", "-.ldl", "-.ddd", "-ld.d",  // 2560
    "-dl.l", "-dd.d", "-ldld", "-dldl", "-dddd", "a.ll.", "a..ll", "al..l",  // 2568
    "all..", "/....", "\\....", "x....", "-...l", "-l...", "-.l..", "-..l.",  // 2570
    "-...h", "-h...", "-.h..", "-..h.", "-.h.l", "-l.h.", "-.l.h", "-h.l.",  // 2578
};

// Fills the triangles of one glyph.
class Painter {
 public:
  Painter(sf::Color color, sf::Vector2f texel, std::vector<sf::Vertex>& out)
      : color(color), texel(texel), out(out) {}

  void quad(sf::Vector2f a, sf::Vector2f b, sf::Vector2f c, sf::Vector2f d) {
    for (const sf::Vector2f& p : {a, b, d, d, b, c}) out.emplace_back(p, color, texel);
  }
  void rect(float x0, float y0, float x1, float y1) {
    quad({x0, y0}, {x1, y0}, {x1, y1}, {x0, y1});
  }
  // A rectangle given along and across an axis: horizontal arms run
  // along x, vertical ones along y.
  void bar(bool horizontal, float along0, float along1, float across0, float across1) {
    if (horizontal) {
      rect(along0, across0, along1, across1);
    } else {
      rect(across0, along0, across1, along1);
    }
  }

  sf::Color color;

 private:
  sf::Vector2f texel;
  std::vector<sf::Vertex>& out;
};

// The straight lines of a box drawing glyph. Positions across a line are
// relative to the start of the middle light line, a whole pixel; the
// arms reach the cell's edges along them.
void drawArms(const char* arms, char dashes, const sf::FloatRect& cell, float t, Painter& paint) {
  const float lx = std::round(cell.left + cell.width / 2 - t / 2);
  const float ly = std::round(cell.top + cell.height / 2 - t / 2);
  const float heavy_lo = -std::floor(t / 2);
  const float heavy_hi = t + (t - std::floor(t / 2));
  for (int a = 0; a < 4; a++) {
    const char weight = arms[a];
    if (weight == NONE) continue;
    const bool horizontal = a == 1 || a == 3;
    const bool positive = a == 1 || a == 2;
    const float along = horizontal ? lx : ly;
    const float across = horizontal ? ly : lx;
    const float edge0 = horizontal ? cell.left : cell.top;
    const float edge1 = horizontal ? cell.left + cell.width : cell.top + cell.height;
    // The arms on the low and high side across this one, and the one
    // opposite.
    const char low = arms[horizontal ? 0 : 3];
    const char high = arms[horizontal ? 2 : 1];
    const char opposite = arms[(a + 2) % 4];
    // Where a line of this arm starts (a positive arm) or ends (a
    // negative one) near the middle, relative to along.
    const auto draw = [&](float across0, float across1, float start, float end) {
      const float from = positive ? along + start : edge0;
      const float to = positive ? edge1 : along + end;
      if (dashes == '-') {
        paint.bar(horizontal, from, to, across + across0, across + across1);
        return;
      }
      // Dashes through the whole cell, each with a gap on both ends.
      const int n = dashes - '0';
      const float step = (edge1 - edge0) / static_cast<float>(n);
      for (int i = 0; i < n; i++) {
        const float d0 = edge0 + step * (static_cast<float>(i) + 0.2f);
        const float d1 = edge0 + step * (static_cast<float>(i) + 0.8f);
        paint.bar(horizontal, std::max(from, d0), std::min(to, d1), across + across0,
                  across + across1);
      }
    };
    if (weight == DOUBLE) {
      // The low line and the high line, each meeting the lines across.
      for (const bool on_low : {true, false}) {
        const char side = on_low ? low : high;
        const char other = on_low ? high : low;
        float start = 0, end = t;
        if (side == DOUBLE) {
          start = t, end = 0;  // stops at the near line across
        } else if (side == NONE && other == DOUBLE) {
          start = -t, end = 2 * t;  // reaches the far line across
        }
        draw(on_low ? -t : t, on_low ? 0 : 2 * t, start, end);
      }
      continue;
    }
    float start = 0, end = t;
    if (low == DOUBLE || high == DOUBLE) {
      if (opposite == NONE && low == DOUBLE && high == DOUBLE) {
        start = t, end = 0;  // meets the near one of a double line going past
      } else if (opposite == NONE) {
        start = -t, end = 2 * t;  // turns into the far line of a double corner
      }
    } else if (low != NONE || high != NONE) {
      // Reaches across the widest line across.
      const bool wide = low == HEAVY || high == HEAVY;
      start = wide ? heavy_lo : 0, end = wide ? heavy_hi : t;
    }
    const bool heavy = weight == HEAVY;
    draw(heavy ? heavy_lo : 0, heavy ? heavy_hi : t, start, end);
  }
}

// A rounded corner: straight arms to the edges and a quarter circle
// between them.
void drawArc(const char* arms, const sf::FloatRect& cell, float t, Painter& paint) {
  const float lx = std::round(cell.left + cell.width / 2 - t / 2);
  const float ly = std::round(cell.top + cell.height / 2 - t / 2);
  const float sx = arms[1] != NONE ? 1.0f : -1.0f;
  const float sy = arms[2] != NONE ? 1.0f : -1.0f;
  const float r = std::max(t, std::floor(std::min(cell.width, cell.height) / 4));
  const float cx = lx + t / 2, cy = ly + t / 2;
  const sf::Vector2f centre(cx + sx * r, cy + sy * r);
  const float right = cell.left + cell.width, bottom = cell.top + cell.height;
  paint.rect(lx, sy > 0 ? centre.y : cell.top, lx + t, sy > 0 ? bottom : centre.y);
  paint.rect(sx > 0 ? centre.x : cell.left, ly, sx > 0 ? right : centre.x, ly + t);
  const int steps = 8;
  const auto at = [&](int i, float radius) {
    const float phi = 1.5707964f * static_cast<float>(i) / steps;
    return sf::Vector2f(centre.x - sx * radius * std::cos(phi), centre.y - sy * radius * std::sin(phi));
  };
  for (int i = 0; i < steps; i++) {
    paint.quad(at(i, r - t / 2), at(i, r + t / 2), at(i + 1, r + t / 2), at(i + 1, r - t / 2));
  }
}

void drawBlock(char32_t code, const sf::FloatRect& c, Painter& paint) {
  const float x0 = c.left, y0 = c.top, x1 = c.left + c.width, y1 = c.top + c.height;
  const float w = c.width, h = c.height;
  const int n = static_cast<int>(code - 0x2580);
  if (n == 0) {
    paint.rect(x0, y0, x1, y0 + h / 2);
  } else if (n <= 8) {  // lower eighths up to the full block
    paint.rect(x0, y1 - h * static_cast<float>(n) / 8, x1, y1);
  } else if (n <= 15) {  // left eighths, seven down to one
    paint.rect(x0, y0, x0 + w * static_cast<float>(16 - n) / 8, y1);
  } else if (n == 16) {
    paint.rect(x0 + w / 2, y0, x1, y1);
  } else if (n <= 19) {  // light, medium and dark shade
    paint.color.a = static_cast<sf::Uint8>(paint.color.a * (n - 16) / 4);
    paint.rect(x0, y0, x1, y1);
  } else if (n == 20) {
    paint.rect(x0, y0, x1, y0 + h / 8);
  } else if (n == 21) {
    paint.rect(x1 - w / 8, y0, x1, y1);
  } else {
    // Quadrants: upper left 1, upper right 2, lower left 4, lower right 8.
    static const int QUADRANTS[] = {4, 8, 1, 13, 9, 7, 11, 2, 6, 14};
    const int q = QUADRANTS[n - 22];
    const float xm = x0 + w / 2, ym = y0 + h / 2;
    if (q & 1) paint.rect(x0, y0, xm, ym);
    if (q & 2) paint.rect(xm, y0, x1, ym);
    if (q & 4) paint.rect(x0, ym, xm, y1);
    if (q & 8) paint.rect(xm, ym, x1, y1);
  }
}

}  // namespace

float CellGlyph::lineWidth(unsigned int character_size, sf::Vector2f cell_size) {
  const float widest = std::floor(std::min(cell_size.x, cell_size.y) / 4);
  return std::max(1.0f, std::min(std::round(static_cast<float>(character_size) / 9), widest));
}

void CellGlyph::build(char32_t code, const sf::FloatRect& cell, float line, sf::Color color,
                      sf::Vector2f texel, std::vector<sf::Vertex>& out) {
  if (!isDrawn(code)) return;
  Painter paint(color, texel, out);
  if (code >= 0x2580) {
    drawBlock(code, cell, paint);
    return;
  }
  const char* glyph = BOX[code - 0x2500];
  const float x0 = cell.left, y0 = cell.top, x1 = cell.left + cell.width, y1 = cell.top + cell.height;
  // A diagonal is line wide where it crosses a row of pixels.
  const float w = line * std::hypot(cell.width, cell.height) / cell.height;
  switch (glyph[0]) {
    case 'a':
      drawArc(glyph + 1, cell, line, paint);
      break;
    case 'x':
    case '/':
      paint.quad({x1 - w, y0}, {x1, y0}, {x0 + w, y1}, {x0, y1});
      if (glyph[0] == '/') break;
      [[fallthrough]];
    case '\\':
      paint.quad({x0, y0}, {x0 + w, y0}, {x1, y1}, {x1 - w, y1});
      break;
    default:
      drawArms(glyph + 1, glyph[0], cell, line, paint);
  }
}

void CellGlyph::buildMissing(const sf::FloatRect& cell, float line, sf::Color color,
                             sf::Vector2f texel, std::vector<sf::Vertex>& out) {
  Painter paint(color, texel, out);
  const float x0 = std::round(cell.left + cell.width / 5);
  const float x1 = std::round(cell.left + cell.width * 4 / 5);
  const float y0 = std::round(cell.top + cell.height / 5);
  const float y1 = std::round(cell.top + cell.height * 4 / 5);
  paint.rect(x0, y0, x1, y0 + line);
  paint.rect(x0, y1 - line, x1, y1);
  paint.rect(x0, y0 + line, x0 + line, y1 - line);
  paint.rect(x1 - line, y0 + line, x1, y1 - line);
}

}  // namespace mo
