#include "engine/media/addParticles.h"

#include <climits>
#include <cstdlib>
#include <new>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/core/Vector.h"
#include "engine/media/Precipitation.h"
#include "engine/world/WorldManager.h"

namespace mo {

namespace {

struct Kind {
  float cells_per_particle;  // at density 1
  unsigned char opacity;
  unsigned char grey;  // red, green and blue alike
  int altitude;
  bool jitter;
};

const Kind KINDS[] = {
    {60.0f, 128, 255, 4, true},
    {60.0f, 128, 128, 4, false},
    {120.0f, 255, 255, 0, false},
};
const int KIND_COUNT = static_cast<int>(sizeof KINDS / sizeof KINDS[0]);

// The velocity of magnitude m in direction, or false for a direction
// that is none of the four.
bool driftVelocity(int direction, float m, Vector& velocity) {
  switch (direction) {
    case DRIFT_UP:
      velocity = Vector(0.0f, -m);
      return true;
    case DRIFT_DOWN:
      velocity = Vector(0.0f, m);
      return true;
    case DRIFT_LEFT:
      velocity = Vector(-m, 0.0f);
      return true;
    case DRIFT_RIGHT:
      velocity = Vector(m, 0.0f);
      return true;
    default:
      return false;
  }
}

int creationFailed() {
  LogManager::getInstance().writeLog("addParticles(): Error!  Unable to create new Particle!");
  return -1;
}

}  // namespace

int addParticles(int kind, int direction, float density) {
  if (kind < 0 || kind >= KIND_COUNT) return 0;
  const Kind& k = KINDS[kind];
  const Box boundary = WorldManager::getInstance().getBoundary();
  const float wanted =
      boundary.getHorizontal() * boundary.getVertical() / k.cells_per_particle * density;
  // Compared so that a count that is not a number makes nothing too.
  if (!(wanted >= 1.0f)) return 0;
  Vector unit;
  if (!driftVelocity(direction, 1.0f, unit)) {
    LogManager::getInstance().writeLog("addParticles(): Error! Direction %d not supported.",
                                       direction);
    return -1;
  }
  const int count = wanted >= static_cast<float>(INT_MAX) ? INT_MAX : static_cast<int>(wanted);

  // Every size and speed is drawn before the first particle draws its
  // place, so that one seed gives one whole population.
  std::vector<float> sizes;
  std::vector<float> speeds;
  try {
    sizes.reserve(static_cast<std::size_t>(count));
    speeds.reserve(static_cast<std::size_t>(count));
  } catch (const std::bad_alloc&) {
    return creationFailed();
  }
  for (int i = 0; i < count; i++) {
    if (kind == 0) {
      sizes.push_back(3.0f + static_cast<float>(std::rand() % 20) / 10.0f);
      speeds.push_back(0.25f);
    } else if (kind == 1) {
      sizes.push_back(3.0f);
      speeds.push_back(0.75f);
    } else {
      // The nearer (larger) ones pass faster.
      const float r = static_cast<float>(std::rand() % 10 + 4);
      sizes.push_back(20.0f / r);
      speeds.push_back(1.0f / r);
    }
  }

  for (int i = 0; i < count; i++) {
    Precipitation* p_p =
        new (std::nothrow) Precipitation(sizes[i], direction, k.opacity, k.grey, k.grey, k.grey);
    if (!p_p) return creationFailed();
    // Outside a started world nothing would ever delete it.
    if (!p_p->isInWorld()) {
      delete p_p;
      return creationFailed();
    }
    Vector velocity = unit;
    velocity.scale(speeds[i]);
    p_p->setVelocity(velocity);
    p_p->setAltitude(k.altitude);
    p_p->setJitter(k.jitter);
  }
  return 0;
}

}  // namespace mo
