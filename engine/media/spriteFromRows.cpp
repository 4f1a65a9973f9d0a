#include "engine/media/spriteFromRows.h"

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/media/Frame.h"

namespace mo {

std::unique_ptr<Sprite> spriteFromRows(int width, int height, const std::vector<std::string>& rows,
                                       Color color, int slowdown) {
  const LogManager& log = LogManager::getInstance();
  const int row_count = static_cast<int>(rows.size());
  const bool sized = width > 0 && height > 0;
  const int frame_count = sized ? row_count / height : 0;
  auto p_sprite = std::make_unique<Sprite>(frame_count);
  p_sprite->setWidth(width);
  p_sprite->setHeight(height);
  p_sprite->setColor(color);
  p_sprite->setSlowdown(slowdown);
  if (!sized) {
    log.writeLog("spriteFromRows(): Error! Frame size %d x %d is empty.", width, height);
    return p_sprite;
  }
  if (row_count % height != 0) {
    log.writeLog("spriteFromRows(): Error! %d rows do not make frames of %d rows.", row_count,
                 height);
  }
  for (int f = 0; f < frame_count; f++) {
    std::string frame_str;
    for (int r = f * height; r < (f + 1) * height; r++) {
      const std::string& row = rows[static_cast<std::size_t>(r)];
      const std::size_t length = utf8ToCodePoints(row).size();
      if (length != static_cast<std::size_t>(width)) {
        log.writeLog("spriteFromRows(): Error! Row %d is %d characters long (frame width is %d).",
                     r, static_cast<int>(length), width);
        return p_sprite;
      }
      frame_str += row;
    }
    p_sprite->addFrame(Frame(width, height, frame_str));
  }
  return p_sprite;
}

}  // namespace mo
