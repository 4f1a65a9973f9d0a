// The object's attributes as text: writing a selection of them and
// reading them back, item by item, each bad value logged and skipped.
#include "engine/world/Object.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/net/Path.h"
#include "engine/world/refileWithBox.h"

namespace mo {

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

}  // namespace mo
