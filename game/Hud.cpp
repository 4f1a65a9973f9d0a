#include "game/Hud.h"

#include <algorithm>

#include "engine/core/utility.h"
#include "engine/media/DisplayManager.h"

namespace gh {

int Hud::draw() {
  std::string text = getViewString();
  if (getDrawValue()) text += " " + mo::toString(getValue());
  if (bar_max > 0 && bar_cells > 0) text += " " + bar(getValue(), bar_max, bar_cells);
  const mo::DisplayManager& display = mo::DisplayManager::getInstance();
  const mo::Vector where = mo::viewToWorld(getPosition());
  const mo::Color color = getColor();
  if (!getBorder()) return display.drawString(where, text, mo::CENTER_JUSTIFIED, color);
  text = " " + text + " ";
  int result = display.drawString(where, text, mo::CENTER_JUSTIFIED, color);
  // The frame stands around the cells the centred text takes, as the
  // engine's own border does, with its corners filled in.
  const int length = static_cast<int>(mo::utf8ToCodePoints(text).size());
  const float left = where.getX() - static_cast<float>(length / 2) - 1.0f;
  const float right = left + static_cast<float>(length) + 1.0f;
  std::string line;
  for (int i = 0; i < length; i++) line += "\u2500";
  const float y = where.getY();
  result += display.drawString(mo::Vector(left, y - 1.0f), "\u250C" + line + "\u2510",
                               mo::LEFT_JUSTIFIED, color);
  result += display.drawString(mo::Vector(left, y + 1.0f), "\u2514" + line + "\u2518",
                               mo::LEFT_JUSTIFIED, color);
  result += display.drawCh(mo::Vector(left, y), U'\u2502', color);
  result += display.drawCh(mo::Vector(right, y), U'\u2502', color);
  return result;
}

void Hud::setBar(int max, int cells) {
  bar_max = max;
  bar_cells = cells;
}

std::string Hud::bar(int value, int max, int cells) {
  if (max <= 0 || cells < 1) return std::string();
  const long eighths = static_cast<long>(std::clamp(value, 0, max)) * cells * 8 / max;
  std::string text;
  for (long i = 0; i < cells; i++) {
    const long filled = std::clamp(eighths - i * 8, 0L, 8L);
    // U+2588 is the full block, U+2590 - n the left n eighths.
    const char32_t code = filled == 8 ? U'\u2588' : filled == 0 ? U'\u2591' : U'\u2590' - filled;
    mo::appendUtf8(text, code);
  }
  return text;
}

}  // namespace gh
