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
  // The count may come straight from a file: it only caps what is added,
  // so a claim no file backs costs nothing.
  if (max_frames < 0) {
    LogManager::getInstance().writeLog("Sprite::Sprite(): Error! Unable to allocate %d frames.",
                                       max_frames);
    return;
  }
  max_frame_count = max_frames;
}

void Sprite::setLabel(std::string new_label) { label = std::move(new_label); }

int Sprite::addFrame(Frame frame) {
  if (frame_count == max_frame_count) return -1;
  try {
    frames.push_back(std::move(frame));
  } catch (const std::bad_alloc&) {
    return -1;
  } catch (const std::length_error&) {
    return -1;
  }
  frame_count++;
  return 0;
}

Frame Sprite::getFrame(int index) const {
  if (index < 0 || index >= frame_count) return Frame();
  return frames[static_cast<std::size_t>(index)];
}

int Sprite::draw(int frame_number, Vector position, char32_t transparent) const {
  // Drawn in place: this runs for every object in every game frame.
  if (frame_number < 0 || frame_number >= frame_count) return 0;
  return frames[static_cast<std::size_t>(frame_number)].draw(position, color, transparent);
}

}  // namespace mo
