#include "engine/world/Object.h"

#include <climits>
#include <utility>

#include "engine/core/Event.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/media/InputManager.h"
#include "engine/media/ResourceManager.h"
#include "engine/media/Sprite.h"
#include "engine/net/EventPath.h"
#include "engine/net/NetworkManager.h"
#include "engine/net/PathFind.h"
#include "engine/net/PathManager.h"
#include "engine/world/ObjectSnapshot.h"
#include "engine/world/SceneGraph.h"
#include "engine/world/WorldManager.h"
#include "engine/world/refileWithBox.h"

namespace mo {

namespace {

int& idCounter() {
  static int counter = 1;
  return counter;
}

// The counter stops at INT_MAX rather than overflowing; ids that high
// only come from setId().
int takeNextId() {
  int& counter = idCounter();
  return counter == INT_MAX ? counter : counter++;
}

SceneGraph& sceneGraph() { return WorldManager::getInstance().getSceneGraph(); }

}  // namespace

// Gives the object a new box; the box decides which lists may care, so
// the object is refiled around it.
void refileWithBox(Object* p_o, const Box& new_box) {
  if (new_box == p_o->getBox()) return;
  if (p_o->isInWorld()) sceneGraph().removeObject(p_o);
  p_o->setBox(new_box);
  if (p_o->isInWorld()) sceneGraph().insertObject(p_o);
}

Object::Object()
    : id(takeNextId()),
      type("(Undefined)"),
      is_active(true),
      is_visible(true),
      box(Vector(-0.5f, -0.5f), 0.99f, 0.99f),
      position(1.0f, 1.0f),
      direction(),
      speed(0.0f),
      acceleration(),
      altitude(DEFAULT_ALTITUDE),
      solidness(HARD),
      no_soft(false),
      event_count(0),
      follow_path(false),
      avoid_collisions(false),
      in_world(false) {
  shape.setType(NO_SHAPE);
  for (bool& flag : modified) flag = true;
  in_world = WorldManager::getInstance().insertObject(this) == 0;
}

Object::~Object() {
  for (int i = event_count - 1; i >= 0; i--) {
    unregisterInterest(event_name[i]);
  }
  setPathSearch(nullptr);
  PathManager::getInstance().forgetTarget(this);
  WorldManager::getInstance().removeObject(this);
  ObjectSnapshot::forget(this);
}

void Object::setId(int new_id) {
  if (new_id == id) return;
  if (new_id >= idCounter()) idCounter() = new_id == INT_MAX ? INT_MAX : new_id + 1;
  id = new_id;
  modified[ID] = true;
}

void Object::setType(std::string new_type) {
  if (in_world) sceneGraph().updateType(this, new_type);
  type = std::move(new_type);
  modified[TYPE] = true;
}

int Object::setActive(bool active) {
  if (active == is_active) return 0;
  if (in_world && sceneGraph().updateActive(this, active) == -1) return -1;
  is_active = active;
  modified[ACTIVE] = true;
  return 0;
}

int Object::setVisible(bool visible) {
  if (visible == is_visible) return 0;
  if (in_world && sceneGraph().updateVisible(this, visible) == -1) return -1;
  is_visible = visible;
  modified[VISIBLE] = true;
  return 0;
}

int Object::setAltitude(int new_altitude) {
  if (new_altitude == altitude) return 0;
  if (!valueInRange(static_cast<float>(new_altitude), 0.0f, static_cast<float>(MAX_ALTITUDE))) {
    LogManager::getInstance().writeLog(
        "Object::setAltitude(): Altitude %d not in range [%d,%d].  Ignored.", new_altitude, 0,
        MAX_ALTITUDE);
    return -1;
  }
  if (in_world && sceneGraph().updateAltitude(this, new_altitude) == -1) return -1;
  altitude = new_altitude;
  modified[ALTITUDE] = true;
  return 0;
}

int Object::setSolidness(Solidness new_solid) {
  if (new_solid == solidness) return 0;
  if (new_solid < HARD || new_solid > SPECTRAL) {
    LogManager::getInstance().writeLog(
        "Object::setSolidness(): Solidness %d not one of HARD, SOFT or SPECTRAL.",
        static_cast<int>(new_solid));
    return -1;
  }
  if (in_world && sceneGraph().updateSolidness(this, new_solid) == -1) return -1;
  solidness = new_solid;
  modified[SOLIDNESS] = true;
  return 0;
}

void Object::setNoSoft(bool new_no_soft) {
  no_soft = new_no_soft;
  modified[NO_SOFT] = true;
}

void Object::setAvoidCollisions(bool new_avoid_collisions) {
  avoid_collisions = new_avoid_collisions;
  modified[AVOID_COLLISIONS] = true;
}

void Object::setBox(Box new_box) {
  if (in_world) sceneGraph().updatePosition(this);
  box = new_box;
  modified[BOX] = true;
}

int Object::setPosition(Vector where) {
  if (where == position) return 0;
  if (in_world) sceneGraph().updatePosition(this);
  position = where;
  modified[POSITION] = true;
  return 0;
}

void Object::setDirection(Vector new_direction) {
  direction = new_direction;
  modified[DIRECTION] = true;
}

void Object::setSpeed(float new_speed) {
  speed = new_speed;
  modified[SPEED] = true;
}

Vector Object::getVelocity() const {
  Vector velocity = direction;
  velocity.scale(speed);
  return velocity;
}

void Object::setVelocity(Vector velocity) {
  speed = velocity.getMagnitude();
  velocity.normalize();
  direction = velocity;
  modified[SPEED] = true;
  modified[DIRECTION] = true;
}

void Object::setAcceleration(Vector new_acceleration) {
  acceleration = new_acceleration;
  modified[ACCELERATION] = true;
}

Vector Object::predictPosition() const { return position + getVelocity(); }

void Object::setPath(Path new_path) {
  path = std::move(new_path);
  modified[PATH] = true;
}

void Object::setFollowPath(bool new_follow_path) {
  follow_path = new_follow_path;
  if (!path.isDone()) {
    Vector heading = path.currentNode() - position;
    heading.normalize();
    direction = heading;
  }
  modified[FOLLOW_PATH] = true;
}

void Object::applyAcceleration() {
  if (!acceleration) return;
  setVelocity(getVelocity() + acceleration);
}

void Object::stepPath() {
  if (!follow_path) return;
  // Reaching a node means coming within three quarters of a step of it.
  const double reach = static_cast<double>(speed) * 3 * 0.25;
  while (!path.isDone()) {
    const Vector target = path.currentNode();
    if (static_cast<double>(distance(position, target)) > reach) {
      Vector heading = target - position;
      heading.normalize();
      direction = heading;
      return;
    }
    setPosition(target);
    path.next();
    modified[PATH] = true;
  }
  direction = Vector();
  setFollowPath(false);
}

bool Object::isModified() const {
  const LogManager& log = LogManager::getInstance();
  for (int i = 0; i < ATTRIBUTE_COUNT; i++) {
    log.writeLog(20, "Object::isModified(): %d is %s", i, modified[i] ? "true" : "false");
    if (modified[i]) return true;
  }
  return false;
}

bool Object::isModified(ObjectAttribute attribute) const { return modified[attribute]; }

void Object::setModified(ObjectAttribute attribute, bool value) { modified[attribute] = value; }

void Object::giveUpId() {
  const int old_id = id;
  if (old_id <= 0) return;
  setId(0);
  // Only the newest number can go back; a counter stopped at INT_MAX
  // handed out no new number, and one that moved on since must not
  // repeat a number in use.
  int& counter = idCounter();
  if (old_id < INT_MAX && counter == old_id + 1) counter--;
}

int Object::eventHandler(const Event* p_e) {
  if (p_e->getType() != PATH_EVENT) return 0;
  const auto* p_path_event = dynamic_cast<const EventPath*>(p_e);
  if (!p_path_event) {
    LogManager::getInstance().writeLog(
        "Object::eventHandler(): Error! Dynamic cast to EventPath failed.");
    return 0;
  }
  if (p_path_event->getResult() == PATH_FOUND) {
    setPath(p_path_event->getPath());
    setFollowPath(true);
  }
  // Only a search that has ended: a handler of a derived class may have
  // started a new one before passing the event on.
  if (path_search && path_search->getResult() != PATH_SEARCHING) setPathSearch(nullptr);
  return 1;
}

void Object::setPathSearch(std::unique_ptr<PathFind> new_search) {
  if (path_search) PathManager::getInstance().removePathFind(path_search.get());
  path_search = std::move(new_search);
}

int Object::draw() {
  const int result = animation.draw(position);
  if (shape.getType() != NO_SHAPE) shape.draw(position);
  return result;
}

void Object::setShape(Shape new_shape) {
  shape = new_shape;
  modified[SHAPE] = true;
}

void Object::setAnimation(Animation new_animation, bool set_box) {
  animation.setSprite(new_animation.getSprite());
  animation.setIndex(new_animation.getIndex());
  animation.setSlowdownCount(new_animation.getSlowdownCount());
  animation.setName(new_animation.getName());
  animation.setModified(new_animation.isModified());
  modified[ANIMATION] = true;
  if (set_box) {
    if (in_world) sceneGraph().updatePosition(this);
    box = animation.getBox();
    modified[BOX] = true;
  }
}

int Object::setSprite(std::string label) {
  Sprite* p_sprite = ResourceManager::getInstance().getSprite(label);
  if (!p_sprite) {
    LogManager::getInstance().writeLog("Object::setSprite(): Warning! Sprite '%s' not found",
                                       label.c_str());
    return -1;
  }
  animation.setSprite(p_sprite);
  refileWithBox(this, animation.getBox());
  return 0;
}

Manager* Object::managerFor(const std::string& event_type) {
  if (event_type == STEP_EVENT) return &GameManager::getInstance();
  if (event_type == KEYBOARD_EVENT || event_type == MOUSE_EVENT) {
    return &InputManager::getInstance();
  }
  if (event_type == NETWORK_EVENT || event_type == KEYBOARD_NETWORK_EVENT ||
      event_type == MOUSE_NETWORK_EVENT || event_type == CUSTOM_NETWORK_EVENT) {
    return &NetworkManager::getInstance();
  }
  return &WorldManager::getInstance();
}

int Object::registerInterest(std::string event_type) {
  LogManager& log = LogManager::getInstance();
  if (event_count == MAX_INTERESTS) {
    log.writeLog("Object::registerInterest(): maximum (%d) reached, cannot register for event '%s'",
                 MAX_INTERESTS, event_type.c_str());
    return -1;
  }
  Manager* p_manager = managerFor(event_type);
  if (!p_manager) {
    log.writeLog("Object::registerInterest(): no manager delivers event '%s'",
                 event_type.c_str());
    return -1;
  }
  if (p_manager->registerInterest(this, event_type) != 0) return -1;
  event_name[event_count++] = event_type;
  modified[EVENTS] = true;
  return 0;
}

int Object::unregisterInterest(std::string event_type) {
  int index = -1;
  for (int i = 0; i < event_count; i++) {
    if (event_name[i] == event_type) {
      index = i;
      break;
    }
  }
  if (index < 0) {
    LogManager::getInstance().writeLog(
        "Object::unregisterInterest(): event '%s' not previously registered", event_type.c_str());
    return -1;
  }
  Manager* p_manager = managerFor(event_type);
  if (!p_manager || p_manager->unregisterInterest(this, event_type) != 0) return -1;
  for (int i = index; i < event_count - 1; i++) {
    event_name[i] = event_name[i + 1];
  }
  event_count--;
  event_name[event_count].clear();
  modified[EVENTS] = true;
  return 0;
}

std::string Object::getEventName(int i) const {
  return (i >= 0 && i < event_count) ? event_name[i] : std::string();
}

int Object::getIdCounter() { return idCounter(); }

void Object::resetIdCounter() { idCounter() = 1; }

}  // namespace mo
