#include "engine/media/Shape.h"

#include <SFML/Graphics/CircleShape.hpp>
#include <algorithm>
#include <cmath>

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/media/DisplayManager.h"

namespace mo {

namespace {

/// Every shape is drawn with this one SFML shape, set up anew for each
/// figure, so drawing allocates nothing.
sf::CircleShape& sharedCircle() {
  static sf::CircleShape circle(0.0f, 30);
  return circle;
}

}  // namespace

Shape::Shape()
    : color(WHITE),
      // The bytes only matter for CUSTOM, but they are never left unset.
      r(255),
      g(255),
      b(255),
      type(CIRCLE),
      size(fontScale() * std::trunc(std::min(charWidth(), charHeight()))),
      opacity(255) {}

void Shape::setType(int new_type) {
  if (new_type < NO_SHAPE || new_type > TRIANGLE) {
    LogManager::getInstance().writeLog("Shape::setType(): Unknown shape type %d. Ignoring.",
                                       new_type);
    return;
  }
  type = new_type;
}

void Shape::setColor(unsigned char red, unsigned char green, unsigned char blue) {
  r = red;
  g = green;
  b = blue;
  color = CUSTOM;
}

Shape::Figure Shape::figure(Vector pixel) const {
  Figure f{0, 0.0f, 0.0f, Vector(), r, g, b, opacity};
  if (color != CUSTOM) colorToRGB(color, f.r, f.g, f.b);
  const float s = size;
  const Vector centred(pixel.getX() - s * 0.5f, pixel.getY() - s * 0.5f);
  switch (type) {
    case CIRCLE:
      f.points = s < 3.0f ? 3 : s > 10.0f ? 10 : static_cast<int>(s);
      f.radius = s;
      f.origin = centred;
      break;
    case SQUARE:
      // A four-point circle turned by 45 degrees stands upright.
      f.points = 4;
      f.radius = s / fontScale();
      f.rotation = 45.0f;
      f.origin = Vector(pixel.getX() + s * 0.5f, pixel.getY() - s / 1.75f);
      break;
    case TRIANGLE:
      f.points = 3;
      f.radius = s * 0.5f;
      f.origin = centred;
      break;
    default:
      break;
  }
  return f;
}

void Shape::draw(Vector p) {
  const LogManager& log = LogManager::getInstance();
  const DisplayManager& display = DisplayManager::getInstance();
  if (!display.getWindow()) {
    log.writeLog(5, "Shape::draw(): DisplayManager window not defined.");
    return;
  }
  if (type == NO_SHAPE) return;
  if (color != CUSTOM) colorToRGB(color, r, g, b);
  const Vector pixel = spacesToPixels(worldToView(p));
  const Figure f = figure(pixel);
  sf::CircleShape& circle = sharedCircle();
  circle.setPointCount(static_cast<std::size_t>(f.points));
  circle.setRadius(f.radius);
  circle.setRotation(f.rotation);
  circle.setPosition(f.origin.getX(), f.origin.getY());
  circle.setFillColor(sf::Color(f.r, f.g, f.b, f.a));
  log.writeLog(20, "Shape::draw(): Drawing at (%.2f, %.2f)", static_cast<double>(pixel.getX()),
               static_cast<double>(pixel.getY()));
  display.drawShape(circle);
}

}  // namespace mo
