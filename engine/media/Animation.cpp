#include "engine/media/Animation.h"

#include <utility>

#include "engine/media/Sprite.h"

namespace mo {

Animation::Animation() : p_sprite(nullptr), index(0), slowdown_count(0), modified(true) {}

Animation::~Animation() = default;

void Animation::setSprite(Sprite* p_new_sprite) {
  if (p_new_sprite) name = p_new_sprite->getLabel();
  p_sprite = p_new_sprite;
  modified = true;
  index = 0;
}

void Animation::setName(std::string new_name) {
  if (new_name == name) return;
  name = std::move(new_name);
  modified = true;
}

void Animation::setIndex(int new_index) {
  if (new_index == index) return;
  index = new_index;
  modified = true;
}

void Animation::setSlowdownCount(int new_slowdown_count) {
  if (new_slowdown_count == slowdown_count) return;
  slowdown_count = new_slowdown_count;
  modified = true;
}

int Animation::draw(Vector position) {
  if (!p_sprite) return 0;
  const int result = p_sprite->draw(index, position, p_sprite->getTransparency());
  if (slowdown_count == -1) return result;
  const int old_index = index;
  const int old_slowdown_count = slowdown_count;
  slowdown_count++;
  if (slowdown_count >= p_sprite->getSlowdown()) {
    slowdown_count = 0;
    index++;
    if (index >= p_sprite->getFrameCount()) index = 0;
  }
  if (index != old_index || slowdown_count != old_slowdown_count) modified = true;
  return result;
}

Box Animation::getBox() const {
  if (!p_sprite) return Box(Vector(-0.5f, -0.5f), 0.99f, 0.99f);
  const float width = static_cast<float>(p_sprite->getWidth());
  const float height = static_cast<float>(p_sprite->getHeight());
  return Box(Vector(-width / 2.0f, -height / 2.0f), width, height);
}

}  // namespace mo
