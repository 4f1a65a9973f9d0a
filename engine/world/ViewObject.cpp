#include "engine/world/ViewObject.h"

#include <climits>
#include <utility>

#include "engine/core/Box.h"
#include "engine/core/Event.h"
#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/media/DisplayManager.h"
#include "engine/world/EventView.h"
#include "engine/world/WorldManager.h"

namespace mo {

namespace {

// Attribute names as a selection spells them, indexed by
// ViewObjectAttribute.
const char* const VIEW_ATTRIBUTE_NAMES[VIEW_ATTRIBUTE_COUNT] = {
    "VIEW_STRING", "VALUE", "BORDER", "COLOR", "LOCATION", "DRAW_VALUE"};

bool isAttribute(ViewObjectAttribute attribute) {
  return attribute >= VIEW_STRING && attribute < VIEW_ATTRIBUTE_COUNT;
}

// Held to the range of int: a counter driven by deltas must not wrap
// around from a large score to a negative one.
int addClamped(int a, int b) {
  const long long sum = static_cast<long long>(a) + static_cast<long long>(b);
  if (sum > INT_MAX) return INT_MAX;
  if (sum < INT_MIN) return INT_MIN;
  return static_cast<int>(sum);
}

}  // namespace

ViewObject::ViewObject()
    : view_string(),
      value(0),
      draw_value(true),
      border(true),
      color(WHITE),
      location(NO_LOCATION) {
  // A HUD item never collides and is drawn above everything.
  setSolidness(SPECTRAL);
  setAltitude(MAX_ALTITUDE);
  setType("ViewObject");
  setLocation(TOP_CENTER);
  for (bool& flag : modified) flag = true;
  registerInterest(VIEW_EVENT);
}

ViewObject::~ViewObject() = default;

int ViewObject::setPosition(Vector where) {
  if (where == getPosition()) return 0;
  location = NO_LOCATION;
  const int result = Object::setPosition(where);
  modified[LOCATION] = true;
  return result;
}

int ViewObject::setLocation(ViewObjectLocation new_location) {
  if (new_location < TOP_LEFT || new_location > BOTTOM_RIGHT) {
    LogManager::getInstance().writeLog(
        "ViewObject::setLocation(): Warning! Location out of range (%d). Ignored.",
        static_cast<int>(new_location));
    return -1;
  }
  const Box view = WorldManager::getInstance().getView();
  const float width = view.getHorizontal();
  const float height = view.getVertical();

  float x = 0.0f;
  switch (new_location % 3) {
    case 0:
      x = width * 1.0f / 6.0f;
      break;
    case 1:
      x = width * 3.0f / 6.0f;
      break;
    default:
      x = width * 5.0f / 6.0f;
      break;
  }
  // The border rows sit above and below the text, so with a border the
  // top and bottom rows move one row inward.
  float y = 0.0f;
  switch (new_location / 3) {
    case 0:
      y = border ? 1.0f : 0.0f;
      break;
    case 1:
      y = border ? height * 0.5f : height * 0.5f - 1.0f;
      break;
    default:
      y = border ? height - 2.0f : height - 1.0f;
      break;
  }

  setPosition(Vector(x, y));
  location = new_location;
  modified[LOCATION] = true;
  return 0;
}

int ViewObject::eventHandler(const Event* p_e) {
  if (p_e->getType() != VIEW_EVENT) return Object::eventHandler(p_e);
  const auto* p_view_event = dynamic_cast<const EventView*>(p_e);
  // Any event can be given the type "mo-view"; only an EventView carries
  // a tag and a value.
  if (!p_view_event) {
    LogManager::getInstance().writeLog(
        "ViewObject::eventHandler(): Error! Dynamic cast to EventView failed.");
    return 0;
  }
  if (p_view_event->getTag() != view_string) return 0;
  const int new_value = p_view_event->getDelta() ? addClamped(value, p_view_event->getValue())
                                                 : p_view_event->getValue();
  setValue(new_value);
  return 1;
}

int ViewObject::draw() {
  std::string text = view_string;
  if (draw_value) text += " " + toString(value);
  if (border) text = " " + text + " ";

  const DisplayManager& display = DisplayManager::getInstance();
  const Vector where = viewToWorld(getPosition());
  int result = display.drawString(where, text, CENTER_JUSTIFIED, color);

  if (border) {
    // Cells, not bytes: the text is UTF-8.
    const std::size_t cells = utf8ToCodePoints(text).size();
    const int length = static_cast<int>(cells);
    const std::string line(cells, '-');
    const float x = where.getX();
    const float y = where.getY();
    result += display.drawString(Vector(x, y - 1.0f), line, CENTER_JUSTIFIED, color);
    result += display.drawString(Vector(x, y + 1.0f), line, CENTER_JUSTIFIED, color);
    // drawString starts a centred text length / 2 cells left of x, so
    // the bars stand right before its first and after its last cell.
    const float left = x - static_cast<float>(length / 2) - 1.0f;
    result += display.drawCh(Vector(left, y), '|', color);
    result += display.drawCh(Vector(left + static_cast<float>(length) + 1.0f, y), '|', color);
  }
  return result;
}

std::string ViewObject::serialize(std::string attributes) {
  LogManager::getInstance().writeLog(25, "ViewObject::serialize(): attr is '%s'",
                                     attributes.c_str());
  std::string text = Object::serialize(attributes);
  const std::string items[VIEW_ATTRIBUTE_COUNT] = {
      attributeItem("view_string", view_string),
      attributeItem("view_value", toString(value)),
      attributeItem("view_border", toString(border)),
      attributeItem("view_color", toString(static_cast<int>(color))),
      attributeItem("view_location", toString(static_cast<int>(location))),
      attributeItem("view_draw_value", toString(draw_value))};
  for (int i = 0; i < VIEW_ATTRIBUTE_COUNT; i++) {
    if (!attributeSelected(attributes, VIEW_ATTRIBUTE_NAMES[i], modified[i])) continue;
    text += items[i];
    modified[i] = false;
  }
  return text;
}

int ViewObject::deserialize(std::string text) {
  const char* const caller = "ViewObject::deserialize()";
  const int result = Object::deserialize(text);
  const LogManager& log = LogManager::getInstance();
  const auto values = matchKeys(text, {"view_string", "view_value", "view_border", "view_color",
                                       "view_location", "view_draw_value"});

  if (const std::string& label = values.at("view_string"); !label.empty()) {
    log.writeLog(10, "ViewObject::deserialize(): view_string is %s", label.c_str());
    setViewString(label);
  }
  if (const std::string& text_value = values.at("view_value"); !text_value.empty()) {
    const int new_value = attributeInt(caller, "view_value", text_value);
    log.writeLog(10, "ViewObject::deserialize(): value is %d", new_value);
    setValue(new_value);
  }
  if (const std::string& text_border = values.at("view_border"); !text_border.empty()) {
    log.writeLog(10, "ViewObject::deserialize(): border is %s", text_border.c_str());
    setBorder(text_border == "true");
  }
  if (const std::string& text_color = values.at("view_color"); !text_color.empty()) {
    const int new_color = attributeInt(caller, "view_color", text_color);
    log.writeLog(10, "ViewObject::deserialize(): color is %d", new_color);
    setColor(static_cast<Color>(new_color));
  }
  if (const std::string& text_location = values.at("view_location"); !text_location.empty()) {
    const int new_location = attributeInt(caller, "view_location", text_location);
    log.writeLog(10, "ViewObject::deserialize(): location is %d", new_location);
    // -1 is what serialize() writes for an item placed directly: its
    // position has been applied already, only the place is forgotten.
    if (new_location == NO_LOCATION) {
      if (location != NO_LOCATION) {
        location = NO_LOCATION;
        modified[LOCATION] = true;
      }
    } else {
      setLocation(static_cast<ViewObjectLocation>(new_location));
    }
  }
  if (const std::string& text_draw = values.at("view_draw_value"); !text_draw.empty()) {
    log.writeLog(10, "ViewObject::deserialize(): draw_value is %s", text_draw.c_str());
    draw_value = text_draw == "true";
  }
  return result;
}

bool ViewObject::isModified() const {
  const LogManager& log = LogManager::getInstance();
  for (int i = 0; i < VIEW_ATTRIBUTE_COUNT; i++) {
    log.writeLog(10, "ViewObject::isModified(): %d is %s", i, modified[i] ? "true" : "false");
    if (modified[i]) return true;
  }
  return Object::isModified();
}

bool ViewObject::isModified(ViewObjectAttribute attribute) const {
  return isAttribute(attribute) && modified[attribute];
}

void ViewObject::setModified(ViewObjectAttribute attribute, bool flag) {
  if (isAttribute(attribute)) modified[attribute] = flag;
}

void ViewObject::setViewString(std::string new_view_string) {
  if (new_view_string == view_string) return;
  view_string = std::move(new_view_string);
  modified[VIEW_STRING] = true;
}

void ViewObject::setValue(int new_value) {
  if (new_value == value) return;
  value = new_value;
  modified[VALUE] = true;
}

void ViewObject::setDrawValue(bool new_draw_value) {
  if (new_draw_value == draw_value) return;
  draw_value = new_draw_value;
  modified[DRAW_VALUE] = true;
}

void ViewObject::setBorder(bool new_border) {
  if (new_border == border) return;
  border = new_border;
  modified[BORDER] = true;
  if (location != NO_LOCATION) setLocation(location);
}

void ViewObject::setColor(Color new_color) {
  if (new_color == color) return;
  color = new_color;
  modified[COLOR] = true;
}

}  // namespace mo
