#ifndef GH_SHOT_END_H
#define GH_SHOT_END_H

#include "engine/core/EventCollision.h"
#include "engine/core/Vector.h"
#include "engine/world/Object.h"

namespace gh {

/// How a shot (a bullet or an ice projectile) ended, so that it deals
/// with every contact of the move that ended it and with nothing after.
///
/// A shot that ends stays in the world until the end of the update. Its
/// own move delivers one contact per object it touches, and each of them
/// counts; other objects may still run into it later in that update, and
/// those contacts must not act a second time.
class ShotEnd {
 public:
  /// Ends the shot on p_contact, or on nothing of a move (arriving,
  /// leaving the world) when p_contact is null. Only the first end is
  /// kept.
  void end(const mo::Object* p_shot, const mo::EventCollision* p_contact);
  /// Whether the shot has ended.
  bool isEnded() const { return ended; }
  /// Whether p_shot still deals with p_contact: it has not ended, or the
  /// contact belongs to the shot's own move that ended it.
  bool handles(const mo::Object* p_shot, const mo::EventCollision& contact) const;

 private:
  bool ended = false;
  /// Ended by a contact of its own move, toward ending_place (cells).
  bool ended_moving = false;
  mo::Vector ending_place;
};

}  // namespace gh

#endif
