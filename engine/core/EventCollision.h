#ifndef MO_EVENT_COLLISION_H
#define MO_EVENT_COLLISION_H

#include "engine/core/Event.h"
#include "engine/core/Vector.h"

namespace mo {

class Object;

/// "mo-collision": the moved object p_obj1 ran into p_obj2 at pos
/// (cells). The event does not own the objects. Both objects receive it,
/// without registering; a HARD pair leaves the mover where it was.
///
///   if (p_e->getType() == mo::COLLISION_EVENT) {
///     auto* p_c = static_cast<const mo::EventCollision*>(p_e);
///     if (p_c->getOtherObject(this)->getType() == "Wall") ...
///   }
class EventCollision : public Event {
 public:
  /// No objects, position (0,0).
  EventCollision();
  EventCollision(Object* p_o1, Object* p_o2, Vector p);

  /// The object that moved (not owned).
  Object* getObject1() const { return p_obj1; }
  void setObject1(Object* p_new) { p_obj1 = p_new; }
  /// The object it ran into (not owned).
  Object* getObject2() const { return p_obj2; }
  void setObject2(Object* p_new) { p_obj2 = p_new; }
  /// The object of the two that is not p_o: what p_o ran into, or what
  /// ran into it.
  Object* getOtherObject(const Object* p_o) const { return p_obj1 == p_o ? p_obj2 : p_obj1; }
  /// Where the mover was going when it collided (world cells).
  Vector getPosition() const { return pos; }
  void setPosition(Vector new_pos) { pos = new_pos; }

 private:
  Vector pos;
  Object* p_obj1;
  Object* p_obj2;
};

}  // namespace mo

#endif
