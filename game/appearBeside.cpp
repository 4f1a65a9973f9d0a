#include "game/appearBeside.h"

namespace gh {

void appearBeside(mo::Object* p_shot, mo::Vector shooter_position, Facing shooter_facing,
                  const char* right_sprite, const char* left_sprite) {
  const bool right = shooter_facing == FACE_RIGHT;
  p_shot->setSprite(right ? right_sprite : left_sprite);
  p_shot->setPosition(mo::Vector(shooter_position.getX() + (right ? 2.0f : -2.0f),
                                 shooter_position.getY() - 1.0f));
}

}  // namespace gh
