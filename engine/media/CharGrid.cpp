#include "engine/media/CharGrid.h"

#include <algorithm>
#include <cmath>

#include "engine/core/utility.h"

namespace mo {

CharGrid::CharGrid(int init_width, int init_height)
    : width(init_width > 0 ? init_width : 0),
      height(init_height > 0 ? init_height : 0),
      chars(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), ' '),
      colors(chars.size(), BLACK) {}

void CharGrid::clear() {
  std::fill(chars.begin(), chars.end(), ' ');
  std::fill(colors.begin(), colors.end(), BLACK);
}

void CharGrid::put(float x, float y, char32_t ch, Color color) {
  if (!std::isfinite(x) || !std::isfinite(y)) return;
  const long cx = std::lround(x);
  const long cy = std::lround(y);
  if (cx < 0 || cy < 0 || cx >= width || cy >= height) return;
  const std::size_t i = static_cast<std::size_t>(cy) * static_cast<std::size_t>(width) +
                        static_cast<std::size_t>(cx);
  chars[i] = ch;
  colors[i] = color;
}

char32_t CharGrid::charAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return chars[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x)];
}

Color CharGrid::colorAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return BLACK;
  return colors[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)];
}

std::string CharGrid::row(int y) const {
  if (y < 0 || y >= height) return std::string();
  const std::size_t start = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
  return codePointsToUtf8(
      std::u32string_view(chars.data() + start, static_cast<std::size_t>(width)));
}

std::string CharGrid::trimmedRow(int y) const {
  std::string text = row(y);
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string CharGrid::toString() const {
  int last = height - 1;
  while (last >= 0 && trimmedRow(last).empty()) last--;
  std::string text;
  for (int y = 0; y <= last; y++) text += trimmedRow(y) + "\n";
  return text;
}

}  // namespace mo
