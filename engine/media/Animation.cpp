#include "engine/media/Animation.h"

#include <utility>

#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/media/ResourceManager.h"
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

std::string Animation::serialize(std::string attributes) {
  if (!attributeSelected(attributes, "ANIMATION", modified)) return std::string();
  modified = false;
  return attributeItem("sprite_name", name) + attributeItem("sprite_index", toString(index)) +
         attributeItem("sprite_slowdown_count", toString(slowdown_count));
}

int Animation::deserialize(std::string text) {
  const char* const caller = "Animation::deserialize()";
  const LogManager& log = LogManager::getInstance();
  const auto values = matchKeys(text, {"sprite_name", "sprite_index", "sprite_slowdown_count"});

  const std::string& sprite_name = values.at("sprite_name");
  if (!sprite_name.empty()) {
    log.writeLog(20, "Animation::deserialize(): sprite_name is '%s'", sprite_name.c_str());
    Sprite* p_found = ResourceManager::getInstance().getSprite(sprite_name);
    if (p_found) {
      setSprite(p_found);
    } else {
      log.writeLog("Animation::Match(): Sprite '%s' not found", sprite_name.c_str());
      setName(sprite_name);
    }
  }

  const std::string& index_text = values.at("sprite_index");
  if (!index_text.empty()) {
    const int new_index = attributeInt(caller, "sprite_index", index_text);
    log.writeLog(20, "Animation::deserialize(): sprite_index is %d", new_index);
    if (new_index < 0) {
      log.writeLog("Animation::deserialize(): Warning! sprite_index %d is negative. Ignored.",
                   new_index);
    } else {
      setIndex(new_index);
    }
  }

  const std::string& count_text = values.at("sprite_slowdown_count");
  if (!count_text.empty()) {
    const int new_count = attributeInt(caller, "sprite_slowdown_count", count_text);
    log.writeLog(20, "Animation::deserialize(): sprite_slowdown_count is %d", new_count);
    if (new_count < -1) {
      log.writeLog(
          "Animation::deserialize(): Warning! sprite_slowdown_count %d is below -1. Ignored.",
          new_count);
    } else {
      setSlowdownCount(new_count);
    }
  }
  return 0;
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
  // A paused game shows every sprite as it stood.
  if (slowdown_count == -1 || GameManager::getInstance().isPaused()) return result;
  const int old_index = index;
  const int old_slowdown_count = slowdown_count;
  // Compared before adding one, so that counts read from attribute text
  // as high as INT_MAX cannot overflow.
  if (slowdown_count >= p_sprite->getSlowdown() - 1) {
    slowdown_count = 0;
    index = index >= p_sprite->getFrameCount() - 1 ? 0 : index + 1;
  } else {
    slowdown_count++;
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
