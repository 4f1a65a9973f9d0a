#include "engine/media/Sprite.h"

#include <new>
#include <stdexcept>
#include <utility>

#include "engine/core/LogManager.h"

namespace mo {

Sprite::Sprite(int max_frames)
    : width(0),
      height(0),
      max_frame_count(0),
      frame_count(0),
      color(COLOR_DEFAULT),
      slowdown(1),
      transparency(0),
      label("[Undefined]") {
  // The count may come straight from a file: a negative or absurd one must
  // neither reach the allocator nor end the program.
  bool allocated = max_frames >= 0 && max_frames <= MAX_SPRITE_FRAMES;
  if (allocated) {
    try {
      frames.resize(static_cast<std::size_t>(max_frames));
    } catch (const std::bad_alloc&) {
      allocated = false;
    } catch (const std::length_error&) {
      allocated = false;
    }
  }
  if (!allocated) {
    LogManager::getInstance().writeLog("Sprite::Sprite(): Error! Unable to allocate %d frames.",
                                       max_frames);
    return;
  }
  max_frame_count = max_frames;
}

void Sprite::setLabel(std::string new_label) { label = std::move(new_label); }

int Sprite::addFrame(Frame frame) {
  if (frame_count == max_frame_count) return -1;
  frames[static_cast<std::size_t>(frame_count)] = std::move(frame);
  frame_count++;
  return 0;
}

Frame Sprite::getFrame(int index) const {
  if (index < 0 || index >= frame_count) return Frame();
  return frames[static_cast<std::size_t>(index)];
}

int Sprite::draw(int frame_number, Vector position, char transparent) const {
  // Drawn in place: this runs for every object in every game frame.
  if (frame_number < 0 || frame_number >= frame_count) return 0;
  return frames[static_cast<std::size_t>(frame_number)].draw(position, color, transparent);
}

}  // namespace mo
