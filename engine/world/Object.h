#ifndef MO_OBJECT_H
#define MO_OBJECT_H

#include <memory>
#include <string>

#include "engine/core/Box.h"
#include "engine/core/Vector.h"
#include "engine/media/Animation.h"
#include "engine/media/Shape.h"
#include "engine/net/Path.h"

namespace mo {

class Event;
class Manager;
class PathFind;

/// The most event types one object can be registered for.
const int MAX_INTERESTS = 100;
/// Altitudes run from 0 (drawn first) to MAX_ALTITUDE (drawn last).
const int MAX_ALTITUDE = 4;
/// The altitude of a new object.
const int DEFAULT_ALTITUDE = 2;

/// How an object collides. HARD and SOFT objects are solid; SPECTRAL
/// objects never collide.
enum Solidness : int {
  HARD,      ///< blocks other HARD objects
  SOFT,      ///< collides, but does not block (except no_soft objects)
  SPECTRAL,  ///< never collides
};

/// The object's attributes, each with a modified flag.
enum ObjectAttribute : int {
  ID,
  ACTIVE,
  VISIBLE,
  EVENTS,
  BOX,
  POSITION,
  TYPE,
  ANIMATION,
  ALTITUDE,
  SOLIDNESS,
  NO_SOFT,
  SPEED,
  DIRECTION,
  ACCELERATION,
  SHAPE,
  PATH,
  FOLLOW_PATH,
  AVOID_COLLISIONS,
};

/// The number of object attributes.
const int ATTRIBUTE_COUNT = AVOID_COLLISIONS + 1;

/// The base class of everything in the game world. Game code creates an
/// object with new; from its constructor on the WorldManager owns it,
/// and it ends by being deleted, normally through markForDelete().
/// Positions and boxes are in cells; speeds in cells per step.
///
///   class Rock : public mo::Object {
///    public:
///     Rock() { setType("Rock"); setSprite("rock"); registerInterest(mo::STEP_EVENT); }
///     int eventHandler(const mo::Event* p_e) override { ...; return 1; }  // 1: handled
///   };
///   (new Rock)->setVelocity(mo::Vector(0, 0.25f));  // falls a quarter cell a step
class Object {
 public:
  /// A new active, visible, HARD object of type "(Undefined)" at (1,1),
  /// altitude 2, with the next id, inserted into the world (when the
  /// WorldManager is started).
  Object();
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  /// Unregisters every interest, last registered first, ends a path
  /// search still running for it, makes searches heading for it forget
  /// it, and takes the object out of the world and every manager.
  virtual ~Object();

  /// Moves the object to where, without collision checks. 0.
  virtual int setPosition(Vector where);

  /// Handles an event; 1 when handled, 0 when not. The base handles
  /// only the end of its path search ("mo-path", EventPath): a path
  /// found is taken and followed, and in either result the search that
  /// ended is destroyed (one started meanwhile is kept). A "mo-path"
  /// event that is no EventPath is logged (0).
  virtual int eventHandler(const Event* p_e);

  /// Draws the animation at the position, then the shape (unless its
  /// type is NO_SHAPE) on top of it; the animation's result: 0, or -1 when
  /// a character could not be drawn.
  virtual int draw();

  /// The attributes as one line of attribute text: items of the form
  /// key ':' value ',' (the last one too), in this order: id, is_active,
  /// is_visible, event_count with event_name[0]... , box-corner-x,
  /// box-corner-y, box-horizontal, box-vertical, pos-x, pos-y, type, the
  /// animation's items, altitude, solidness, no_soft, x_direction,
  /// y_direction, speed, x_acceleration, y_acceleration, shape, size,
  /// color, opacity, follow_path, path, path_index, avoid_collisions.
  /// The "path" value is every node as x ';' y '|' ("3;4|4.5;-5|").
  /// attributes selects what is written: "ALL" everything; "" the
  /// modified attributes; otherwise the ObjectAttribute names each
  /// followed by a comma ("POSITION,SPEED,"; a name missing its comma is
  /// logged). Each attribute written has its modified flag cleared.
  virtual std::string serialize(std::string attributes);

  /// Applies the attributes found in attribute text as serialize()
  /// writes it, through the setters (which flag what they change);
  /// absent keys, keys with an empty value and unknown keys leave the
  /// object as it is, and blanks in values are lost to the matcher.
  /// Numbers are read as atoi and atof read them, so "abc" reads as 0
  /// (logged) and the box, read as integers, loses its fractions
  /// (-0.5 and 0.99 read as 0). A float that is no finite number ("inf",
  /// "1e999") is logged and counts as absent. The box, the position and
  /// the shape change only when all their items are present and sound;
  /// event_count replaces every interest by the event_name items (a
  /// negative count is ignored, one above MAX_INTERESTS reads
  /// MAX_INTERESTS names; both are logged). The path's nodes are read up
  /// to the first malformed one (logged), and replace the path when
  /// there is at least one; path_index is not read. follow_path false
  /// stops following without turning the object. Always 0.
  virtual int deserialize(std::string text);

  /// Whether any attribute is modified (each flag is logged at level 20).
  virtual bool isModified() const;
  /// Whether attribute is modified.
  virtual bool isModified(ObjectAttribute attribute) const;

  /// The object's number: new objects count up from 1; particles have 0.
  int getId() const { return id; }
  /// Sets the id; the id counter is kept ahead of every id in use.
  void setId(int new_id);

  /// The game's name for the kind of object ("(Undefined)" unless set).
  std::string getType() const { return type; }
  /// Sets the type and refiles the object under it. Cannot fail.
  void setType(std::string new_type);

  /// Inactive objects are neither moved, collided, drawn nor sent events.
  bool isActive() const { return is_active; }
  /// 0, or -1 (unchanged) when the world's lists cannot follow.
  int setActive(bool active = true);

  /// Only visible objects are drawn.
  bool isVisible() const { return is_visible; }
  /// 0, or -1 (unchanged) when the world's lists cannot follow.
  int setVisible(bool visible = true);

  /// 0 (drawn first) to MAX_ALTITUDE (drawn last).
  int getAltitude() const { return altitude; }
  /// 0; -1 (logged, unchanged) outside 0..MAX_ALTITUDE or when the
  /// world's lists cannot follow.
  int setAltitude(int new_altitude);

  /// HARD, SOFT or SPECTRAL.
  Solidness getSolidness() const { return solidness; }
  /// True for HARD and SOFT.
  bool isSolid() const { return solidness < SPECTRAL; }
  /// 0; -1 (logged, unchanged) for a value that is no Solidness or when
  /// the world's lists cannot follow.
  int setSolidness(Solidness new_solid);

  /// When true, SOFT objects block this object as HARD ones do.
  bool getNoSoft() const { return no_soft; }
  void setNoSoft(bool new_no_soft = true);

  /// When true, a HARD object slides along HARD obstacles.
  bool getAvoidCollisions() const { return avoid_collisions; }
  void setAvoidCollisions(bool new_avoid_collisions = true);

  /// The collision box, relative to the position (cells).
  Box getBox() const { return box; }
  /// Sets the collision box (cells, relative to the position).
  void setBox(Box new_box);

  /// The position in world cells (the box is placed around it).
  Vector getPosition() const { return position; }

  /// Unit direction of motion, or (0,0).
  Vector getDirection() const { return direction; }
  /// Sets the direction as given (not normalized).
  void setDirection(Vector new_direction);

  /// Cells per step along the direction.
  float getSpeed() const { return speed; }
  /// Sets the speed (cells per step along the direction).
  void setSpeed(float new_speed);

  /// Direction scaled by speed (cells per step).
  Vector getVelocity() const;
  /// Sets speed to the length of velocity and direction to its unit
  /// vector (a zero vector gives speed 0 and direction (0,0)).
  void setVelocity(Vector velocity);

  /// Added to the velocity every step (cells per step per step).
  Vector getAcceleration() const { return acceleration; }
  /// Sets the acceleration (cells per step per step).
  void setAcceleration(Vector new_acceleration);

  /// Position plus velocity: where the object would be after this step.
  Vector predictPosition() const;

  /// A copy of the animation.
  Animation getAnimation() const { return animation; }
  /// Copies the sprite, index, slowdown count, name and modified flag of
  /// new_animation; with set_box the box becomes the animation's box.
  void setAnimation(Animation new_animation, bool set_box = true);

  /// Shows the sprite loaded under label from its first frame, and takes
  /// the sprite's box: 0; -1 (logged, nothing changed) when no sprite
  /// has that label.
  int setSprite(std::string label);

  /// A copy of the shape (type NO_SHAPE unless one was set).
  Shape getShape() const { return shape; }
  /// Copies the whole shape.
  void setShape(Shape new_shape);

  /// A copy of the path (nodes in world cells).
  Path getPath() const { return path; }
  /// Copies the nodes and the current index of new_path.
  void setPath(Path new_path);

  /// Whether the object steers along its path.
  bool getFollowPath() const { return follow_path; }
  /// Starts or stops steering along the path; while the path is not
  /// finished the direction points at its current node.
  void setFollowPath(bool new_follow_path = true);

  /// The path search running for this object, or nullptr. Started with
  /// PathManager::findPath().
  PathFind* getPathSearch() const { return path_search.get(); }
  /// Takes over new_search, a search made for this object (nullptr for
  /// none); a search it had before is taken off the PathManager's list
  /// and destroyed.
  void setPathSearch(std::unique_ptr<PathFind> new_search);

  /// Registers for event_type with the manager that delivers it: 0, or
  /// -1 when MAX_INTERESTS types are registered (logged) or the manager
  /// refuses (the manager logs why).
  int registerInterest(std::string event_type);

  /// Undoes one registration: 0, or -1 when event_type was not
  /// registered (logged) or the manager refuses.
  int unregisterInterest(std::string event_type);

  /// The number of event types registered.
  int getEventCount() const { return event_count; }
  /// The i-th registered event type, in registration order (empty
  /// outside 0..getEventCount() - 1).
  std::string getEventName(int i) const;

  /// Applies the acceleration to speed and direction; nothing when it
  /// is (0,0). Run by the WorldManager after each move.
  void applyAcceleration();

  /// Steers along the path and steps onto each node within reach; at
  /// the end stops following. Run by the WorldManager after each move.
  void stepPath();

  /// True when the object was filed in the world at construction (the
  /// WorldManager was started). Objects outside the world keep their
  /// attributes without any list bookkeeping.
  bool isInWorld() const { return in_world; }

  /// The id the next new object will get.
  static int getIdCounter();
  /// Restarts the id counter at 1, as at program start; for tests.
  static void resetIdCounter();

 protected:
  /// Sets or clears one modified flag.
  void setModified(ObjectAttribute attribute, bool value = true);

  /// Sets the id to 0 and gives the number the object was handed back to
  /// the id counter when it was the last one handed out, so that the
  /// object uses up no id (particles). Nothing when the id is not
  /// positive.
  void giveUpId();

 private:
  /// The manager that delivers event_type, or nullptr when none does.
  static Manager* managerFor(const std::string& event_type);

  int id;
  std::string type;
  bool is_active;
  bool is_visible;
  Box box;
  Vector position;
  Vector direction;
  float speed;
  Vector acceleration;
  int altitude;
  Solidness solidness;
  Animation animation;
  bool no_soft;
  int event_count;
  std::string event_name[MAX_INTERESTS];
  bool modified[ATTRIBUTE_COUNT];
  Shape shape;
  std::unique_ptr<PathFind> path_search;
  Path path;
  bool follow_path;
  bool avoid_collisions;
  bool in_world;
};

}  // namespace mo

#endif
