#include "game/ShotEnd.h"

namespace gh {

void ShotEnd::end(const mo::Object* p_shot, const mo::EventCollision* p_contact) {
  if (ended) return;
  ended = true;
  ended_moving = p_contact && p_contact->getObject1() == p_shot;
  if (ended_moving) ending_place = p_contact->getPosition();
}

bool ShotEnd::handles(const mo::Object* p_shot, const mo::EventCollision& contact) const {
  if (!ended) return true;
  // A shot's moves always succeed (it is SOFT) and each goes somewhere
  // new, so the mover and the place name the move. When something else
  // ran into the shot, that move touched it once: nothing more is left.
  return ended_moving && contact.getObject1() == p_shot && contact.getPosition() == ending_place;
}

}  // namespace gh
