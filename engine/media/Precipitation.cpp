#include "engine/media/Precipitation.h"

#include <cmath>
#include <cstdlib>

#include "engine/core/Event.h"
#include "engine/core/LogManager.h"
#include "engine/media/DisplayManager.h"
#include "engine/world/WorldManager.h"

namespace mo {

namespace {

// rand() mod n, n truncated to an int first. Below one cell (or pixel)
// there is nothing to choose from; 0 also spares the division by zero.
int randomBelow(float n) {
  if (!(n >= 1.0f)) return 0;
  if (n >= static_cast<float>(RAND_MAX)) return std::rand();
  return std::rand() % static_cast<int>(n);
}

// How far beyond the boundary a re-entering precipitation may start,
// in whole cells (0 to 4).
const float RE_ENTRY_DEPTH = 5.0f;

// A step's nudge to one velocity component: 0 to 0.099 cells per step.
float nudge() { return static_cast<float>(std::rand() % 100) / 1000.0f; }

}  // namespace

Precipitation::Precipitation(float size, int drift_direction, unsigned char opacity,
                             unsigned char r, unsigned char g, unsigned char b)
    : Particle(size, 0, opacity, r, g, b),
      direction(drift_direction),
      base_velocity(),
      jitter(false) {
  setType("Precipitation");
  const Box boundary = WorldManager::getInstance().getBoundary();
  const float h = boundary.getHorizontal();
  const float v = boundary.getVertical();
  const int a = randomBelow(h);
  const int b_cell = randomBelow(v);
  const int c = randomBelow(10.0f);
  // The extra scatter must not push a precipitation past the right edge:
  // one that starts outside gets no out event, and falling or rising
  // outside the world it would never come back.
  const float width = std::trunc(h);
  float x = static_cast<float>(a) + static_cast<float>(c);
  if (width >= 1.0f) x = std::fmod(x, width);
  place(x, static_cast<float>(b_cell));
}

Precipitation::~Precipitation() = default;

void Precipitation::place(float x, float y) {
  Vector pixel = spacesToPixels(Vector(x, y));
  pixel.setY(pixel.getY() + static_cast<float>(randomBelow(charHeight())));
  pixel.setX(pixel.getX() + static_cast<float>(randomBelow(charWidth())));
  setPosition(pixelsToSpaces(pixel));
}

void Precipitation::wobble() {
  if (!base_velocity) base_velocity = getVelocity();
  const float s = base_velocity.getMagnitude();
  const Vector v = getVelocity();
  const float d1 = nudge();
  const float d2 = nudge();
  const float d3 = nudge();
  const float d4 = nudge();
  float new_y = v.getY() + d1 - d3;
  float new_x = v.getX() + d2 - d4;
  if (s > 0.0f && std::fabs(new_x - base_velocity.getX()) / s > 0.25f) new_x = v.getX();
  // Without a base speed there is no bound to hold y to: it stays.
  if (s == 0.0f || std::fabs(new_y - base_velocity.getY()) / s > 0.25f) new_y = v.getY();
  setVelocity(Vector(new_x, new_y));
}

int Precipitation::eventHandler(const Event* p_e) {
  const std::string type = p_e->getType();
  if (type == STEP_EVENT) {
    if (jitter) wobble();
    return 0;
  }
  if (type != OUT_EVENT) return 0;

  const Box boundary = WorldManager::getInstance().getBoundary();
  const float h = boundary.getHorizontal();
  const float v = boundary.getVertical();
  // Back in at the side it drifts away from, just outside the boundary.
  float x = 0.0f;
  float y = 0.0f;
  switch (direction) {
    case DRIFT_UP:
      x = static_cast<float>(randomBelow(h));
      y = v + static_cast<float>(randomBelow(RE_ENTRY_DEPTH));
      break;
    case DRIFT_DOWN:
      x = static_cast<float>(randomBelow(h));
      y = -static_cast<float>(randomBelow(RE_ENTRY_DEPTH));
      break;
    case DRIFT_LEFT:
      x = h + static_cast<float>(randomBelow(RE_ENTRY_DEPTH));
      y = static_cast<float>(randomBelow(v));
      break;
    case DRIFT_RIGHT:
      x = -static_cast<float>(randomBelow(RE_ENTRY_DEPTH));
      y = static_cast<float>(randomBelow(v));
      break;
    default:
      LogManager::getInstance().writeLog(
          1, "Precipitation::eventHandler(): warning! Direction %d not supported.", direction);
      return -1;
  }
  place(x, y);
  return 1;
}

}  // namespace mo
