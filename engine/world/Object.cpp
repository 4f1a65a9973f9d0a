#include "engine/world/Object.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <map>
#include <optional>
#include <utility>
#include <vector>

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

namespace {

// Attribute names as a selection spells them, indexed by ObjectAttribute.
const char* const ATTRIBUTE_NAMES[ATTRIBUTE_COUNT] = {
    "ID",        "ACTIVE",       "VISIBLE",  "EVENTS",    "BOX",         "POSITION",
    "TYPE",      "ANIMATION",    "ALTITUDE", "SOLIDNESS", "NO_SOFT",     "SPEED",
    "DIRECTION", "ACCELERATION", "SHAPE",    "PATH",      "FOLLOW_PATH", "AVOID_COLLISIONS"};

// Direction goes before speed, so that a reader can restore both (the
// direction is applied as a velocity, which sets the speed too).
const ObjectAttribute WRITE_ORDER[ATTRIBUTE_COUNT] = {
    ID,    ACTIVE,       VISIBLE,  EVENTS,      BOX,     POSITION,
    TYPE,  ANIMATION,    ALTITUDE, SOLIDNESS,   NO_SOFT, DIRECTION,
    SPEED, ACCELERATION, SHAPE,    FOLLOW_PATH, PATH,    AVOID_COLLISIONS};

const char* const DESERIALIZE = "Object::deserialize()";

std::string eventKey(int i) { return "event_name[" + toString(i) + "]"; }

std::string vectorItems(const char* x_key, const char* y_key, Vector v) {
  return attributeItem(x_key, toString(v.getX())) + attributeItem(y_key, toString(v.getY()));
}

// The path's nodes in the form its reader takes: the matcher would drop
// the blank between x and y, so ';' stands in its place (a number's
// text holds no blank).
std::string pathText(const Path& path) {
  std::string text = toString(path);
  std::replace(text.begin(), text.end(), ' ', ';');
  return text;
}

// The items of every attribute but ANIMATION, which the object's own
// animation writes.
std::string itemsOf(const Object& o, ObjectAttribute attribute) {
  switch (attribute) {
    case ID:
      return attributeItem("id", toString(o.getId()));
    case ACTIVE:
      return attributeItem("is_active", toString(o.isActive()));
    case VISIBLE:
      return attributeItem("is_visible", toString(o.isVisible()));
    case EVENTS: {
      std::string items = attributeItem("event_count", toString(o.getEventCount()));
      for (int i = 0; i < o.getEventCount(); i++)
        items += attributeItem(eventKey(i), o.getEventName(i));
      return items;
    }
    case BOX: {
      const Box box = o.getBox();
      return vectorItems("box-corner-x", "box-corner-y", box.getCorner()) +
             vectorItems("box-horizontal", "box-vertical",
                         Vector(box.getHorizontal(), box.getVertical()));
    }
    case POSITION:
      return vectorItems("pos-x", "pos-y", o.getPosition());
    case TYPE:
      return attributeItem("type", o.getType());
    case ALTITUDE:
      return attributeItem("altitude", toString(o.getAltitude()));
    case SOLIDNESS:
      return attributeItem("solidness", toString(static_cast<int>(o.getSolidness())));
    case NO_SOFT:
      return attributeItem("no_soft", toString(o.getNoSoft()));
    case DIRECTION:
      return vectorItems("x_direction", "y_direction", o.getDirection());
    case SPEED:
      return attributeItem("speed", toString(o.getSpeed()));
    case ACCELERATION:
      return vectorItems("x_acceleration", "y_acceleration", o.getAcceleration());
    case SHAPE: {
      const Shape shape = o.getShape();
      return attributeItem("shape", toString(shape.getType())) +
             attributeItem("size", toString(shape.getSize())) +
             attributeItem("color", toString(static_cast<int>(shape.getColor()))) +
             attributeItem("opacity", toString(static_cast<int>(shape.getOpacity())));
    }
    case FOLLOW_PATH:
      return attributeItem("follow_path", toString(o.getFollowPath()));
    case PATH:
      return attributeItem("path", pathText(o.getPath())) +
             attributeItem("path_index", toString(o.getPath().getIndex()));
    case AVOID_COLLISIONS:
      return attributeItem("avoid_collisions", toString(o.getAvoidCollisions()));
    case ANIMATION:
      break;
  }
  return std::string();
}

// The nodes of a "path" value up to the first malformed one, which is
// logged with the rest of the value.
std::vector<Vector> readPathNodes(const std::string& text) {
  std::vector<Vector> nodes;
  std::string::size_type start = 0;
  while (start < text.size()) {
    std::string::size_type end = text.find('|', start);
    if (end == std::string::npos) end = text.size();
    const std::string node = text.substr(start, end - start);
    const std::string::size_type semicolon = node.find(';');
    std::optional<float> x;
    std::optional<float> y;
    if (semicolon != std::string::npos) {
      x = wholeFloat(node.substr(0, semicolon));
      y = wholeFloat(node.substr(semicolon + 1));
    }
    if (!x || !y) {
      const LogManager& log = LogManager::getInstance();
      log.writeLog("Object::deserialize(): malformed node %s.", text.substr(start).c_str());
      log.writeLog("\tNot added.");
      break;
    }
    nodes.emplace_back(*x, *y);
    start = end + 1;
  }
  return nodes;
}

// Gives the object a new box; the box decides which lists may care, so
// the object is refiled around it.
void refileWithBox(Object* p_o, const Box& new_box) {
  if (new_box == p_o->getBox()) return;
  if (p_o->isInWorld()) sceneGraph().removeObject(p_o);
  p_o->setBox(new_box);
  if (p_o->isInWorld()) sceneGraph().insertObject(p_o);
}

// Replaces every interest of the object by the names read for an
// event_count item.
void replaceInterests(Object& o, int count, const std::vector<std::string>& names) {
  const LogManager& log = LogManager::getInstance();
  if (count < 0) {
    log.writeLog("Object::deserialize(): Warning! event_count %d is negative. Ignored.", count);
    return;
  }
  if (count > MAX_INTERESTS) {
    log.writeLog(
        "Object::deserialize(): Warning! event_count %d above the maximum (%d), reading %d.", count,
        MAX_INTERESTS, MAX_INTERESTS);
  }
  for (int i = o.getEventCount() - 1; i >= 0; i--) o.unregisterInterest(o.getEventName(i));
  for (int i = 0; i < static_cast<int>(names.size()); i++) {
    if (names[i].empty()) continue;
    log.writeLog(20, "Object::deserialize(): event_name[%d] is '%s'", i, names[i].c_str());
    o.registerInterest(names[i]);
  }
}

// A box read in whole cells; negative extents would turn collisions
// inside out.
void applyBox(Object* p_o, int corner_x, int corner_y, int horizontal, int vertical) {
  if (horizontal < 0 || vertical < 0) {
    LogManager::getInstance().writeLog(
        "Object::deserialize(): Warning! box extents %d x %d negative, so ignoring.", horizontal,
        vertical);
    return;
  }
  refileWithBox(p_o, Box(Vector(static_cast<float>(corner_x), static_cast<float>(corner_y)),
                         static_cast<float>(horizontal), static_cast<float>(vertical)));
}

// The shape changes only when all four of its items are present and
// sound; a rejected type keeps the old one, as Shape::setType() does.
void deserializeShape(Object& o, const std::map<std::string, std::string>& values) {
  const LogManager& log = LogManager::getInstance();
  bool complete = true;
  for (const char* key : {"shape", "size", "color", "opacity"}) {
    const std::string& value = values.at(key);
    if (value.empty()) {
      complete = false;
    } else {
      log.writeLog(20, "Object::deserialize(): %s is '%s'", key, value.c_str());
    }
  }
  if (!complete) return;
  const std::optional<float> size = attributeFloat(DESERIALIZE, "size", values.at("size"));
  const int opacity = attributeInt(DESERIALIZE, "opacity", values.at("opacity"));
  if (!size) return;
  if (opacity < 0 || opacity > 255) {
    log.writeLog(
        "Object::deserialize(): Warning! opacity %d not in range [0,255], so ignoring "
        "the shape.",
        opacity);
    return;
  }
  Shape shape = o.getShape();
  shape.setType(attributeInt(DESERIALIZE, "shape", values.at("shape")));
  shape.setSize(*size);
  shape.setColor(static_cast<Color>(attributeInt(DESERIALIZE, "color", values.at("color"))));
  shape.setOpacity(static_cast<unsigned char>(opacity));
  o.setShape(shape);
}

}  // namespace

std::string Object::serialize(std::string attributes) {
  const LogManager& log = LogManager::getInstance();
  log.writeLog(20, "Object::serialize(): attr is '%s'", attributes.c_str());
  if (!attributes.empty() && attributes != "ALL" && attributes.back() != ',') {
    log.writeLog("Object::serialize(): Warning! Attribute '%s' missing trailing ','",
                 attributes.c_str());
  }
  std::string text;
  for (const ObjectAttribute attribute : WRITE_ORDER) {
    if (!attributeSelected(attributes, ATTRIBUTE_NAMES[attribute], modified[attribute])) continue;
    // The animation decides by the same selection, so "ALL" writes its
    // items even when it has not changed since it was last written.
    text += attribute == ANIMATION ? animation.serialize(attributes) : itemsOf(*this, attribute);
    modified[attribute] = false;
  }
  return text;
}

int Object::deserialize(std::string text) {
  const LogManager& log = LogManager::getInstance();
  const auto values =
      matchKeys(text, {"id",           "is_active",       "is_visible",     "event_count",
                       "box-corner-x", "box-corner-y",    "box-horizontal", "box-vertical",
                       "pos-x",        "pos-y",           "type",           "altitude",
                       "solidness",    "no_soft",         "x_direction",    "y_direction",
                       "speed",        "x_acceleration",  "y_acceleration", "shape",
                       "size",         "color",           "opacity",        "path",
                       "follow_path",  "avoid_collisions"});
  // The event names are taken from the same parse before any setter
  // runs; a count out of range reads no more than MAX_INTERESTS names.
  const std::string& count_text = values.at("event_count");
  std::vector<std::string> names;
  if (!count_text.empty()) {
    const int readable = std::min(std::max(leadingInt(count_text), 0), MAX_INTERESTS);
    for (int i = 0; i < readable; i++) names.push_back(match("", eventKey(i)));
  }

  const auto readInt = [&](const char* key) -> std::optional<int> {
    const std::string& value = values.at(key);
    if (value.empty()) return std::nullopt;
    const int number = attributeInt(DESERIALIZE, key, value);
    log.writeLog(20, "Object::deserialize(): %s is %d", key, number);
    return number;
  };
  const auto readFloat = [&](const char* key) -> std::optional<float> {
    const std::string& value = values.at(key);
    if (value.empty()) return std::nullopt;
    const std::optional<float> number = attributeFloat(DESERIALIZE, key, value);
    if (number) log.writeLog(20, "Object::deserialize(): %s is %.2f", key, *number);
    return number;
  };
  // A boolean or text value: nullptr when absent.
  const auto readText = [&](const char* key) -> const std::string* {
    const std::string& value = values.at(key);
    if (value.empty()) return nullptr;
    log.writeLog(20, "Object::deserialize(): %s is %s", key, value.c_str());
    return &value;
  };

  if (const auto new_id = readInt("id")) setId(*new_id);
  if (const std::string* p_value = readText("is_active")) setActive(*p_value == "true");
  if (const std::string* p_value = readText("is_visible")) setVisible(*p_value == "true");

  if (const auto count = readInt("event_count")) replaceInterests(*this, *count, names);
  const auto corner_x = readInt("box-corner-x");
  const auto corner_y = readInt("box-corner-y");
  const auto horizontal = readInt("box-horizontal");
  const auto vertical = readInt("box-vertical");
  if (corner_x && corner_y && horizontal && vertical) {
    applyBox(this, *corner_x, *corner_y, *horizontal, *vertical);
  } else {
    log.writeLog(20, "Object::deserialize(): box not complete, so ignoring.");
  }

  const auto pos_x = readFloat("pos-x");
  const auto pos_y = readFloat("pos-y");
  if (pos_x && pos_y) {
    setPosition(Vector(*pos_x, *pos_y));
  } else {
    log.writeLog(20, "Object::deserialize(): position not complete, so ignoring.");
  }

  if (const std::string* p_value = readText("type")) setType(*p_value);
  animation.deserialize(text);
  if (const auto new_altitude = readInt("altitude")) setAltitude(*new_altitude);
  if (const auto new_solidness = readInt("solidness")) {
    setSolidness(static_cast<Solidness>(*new_solidness));
  }
  if (const std::string* p_value = readText("no_soft")) setNoSoft(*p_value == "true");

  if (const auto x = readFloat("x_direction")) direction.setX(*x);
  if (const auto y = readFloat("y_direction")) {
    const float x = direction.getX();
    // Finite components can still make a velocity too long for a float.
    if (std::hypot(static_cast<double>(x), static_cast<double>(*y)) > FLT_MAX) {
      log.writeLog("Object::deserialize(): Warning! direction (%g, %g) too long. Ignored.",
                   static_cast<double>(x), static_cast<double>(*y));
    } else {
      setVelocity(Vector(x, *y));
    }
  }
  if (const auto new_speed = readFloat("speed")) setSpeed(*new_speed);
  if (const auto x = readFloat("x_acceleration")) {
    setAcceleration(Vector(*x, acceleration.getY()));
  }
  if (const auto y = readFloat("y_acceleration")) {
    setAcceleration(Vector(acceleration.getX(), *y));
  }

  deserializeShape(*this, values);

  const std::string& path_text = values.at("path");
  if (!path_text.empty()) {
    std::vector<Vector> nodes = readPathNodes(path_text);
    if (!nodes.empty()) setPath(Path(std::move(nodes)));
  }
  if (const std::string* p_value = readText("follow_path")) {
    // Stopping must not turn the object: the direction read above stands.
    if (*p_value == "true") {
      setFollowPath(true);
    } else {
      follow_path = false;
      modified[FOLLOW_PATH] = true;
    }
  }
  if (const std::string* p_value = readText("avoid_collisions")) {
    setAvoidCollisions(*p_value == "true");
  }
  return 0;
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
