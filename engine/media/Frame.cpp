#include "engine/media/Frame.h"

#include <utility>

#include "engine/core/utility.h"
#include "engine/media/DisplayManager.h"

namespace mo {

Frame::Frame() : width(0), height(0) {}

Frame::Frame(int new_width, int new_height, std::string new_frame_str)
    : width(new_width),
      height(new_height),
      frame_str(std::move(new_frame_str)),
      codes(utf8ToCodePoints(frame_str)) {}

int Frame::draw(Vector position, Color color, char32_t transparent) const {
  if (frame_str.empty()) return 0;
  const float x_offset = static_cast<float>(width - 1) * 0.5f;
  const float y_offset = static_cast<float>(height - 1) * 0.5f;
  const DisplayManager& display = DisplayManager::getInstance();
  // Frames built in code may carry fewer characters than their size
  // promises; the index is checked so that such a frame never reads past
  // its string.
  const std::size_t size = codes.size();
  for (int r = 0; r < height; r++) {
    for (int c = 0; c < width; c++) {
      const std::size_t i = static_cast<std::size_t>(r) * static_cast<std::size_t>(width) +
                            static_cast<std::size_t>(c);
      if (i >= size) return 0;
      const char32_t ch = codes[i];
      if (transparent != 0 && ch == transparent) continue;
      const Vector where(position.getX() + static_cast<float>(c) - x_offset,
                         position.getY() + static_cast<float>(r) - y_offset);
      if (display.drawCh(where, ch, color) != 0) return -1;
    }
  }
  return 0;
}

}  // namespace mo
