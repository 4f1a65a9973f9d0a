#include "game/animateWalk.h"

#include "engine/media/Animation.h"

namespace gh {

void animateWalk(mo::Object* p_walker, bool moved) {
  mo::Animation animation = p_walker->getAnimation();
  if (!moved) {
    animation.setIndex(0);
    animation.setSlowdownCount(-1);
  } else if (animation.getSlowdownCount() == -1) {
    animation.setSlowdownCount(0);
  }
  // Only the frame changes, so the walker's box (which may differ from
  // the sprite's) stays as it is.
  p_walker->setAnimation(animation, false);
}

}  // namespace gh
