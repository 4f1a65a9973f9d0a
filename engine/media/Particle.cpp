#include "engine/media/Particle.h"

#include <string>
#include <utility>

#include "engine/core/Event.h"
#include "engine/core/LogManager.h"
#include "engine/media/Shape.h"
#include "engine/world/WorldManager.h"

namespace mo {

Particle::Particle(float size, int age_in_steps, unsigned char opacity, unsigned char r,
                   unsigned char g, unsigned char b)
    : age(age_in_steps) {
  setSolidness(SPECTRAL);
  setType("Particle");
  setAltitude(3);
  // A world full of particles would otherwise eat the id numbers of the
  // objects that matter.
  giveUpId();
  Shape circle;
  circle.setType(CIRCLE);
  circle.setSize(size);
  circle.setColor(r, g, b);
  circle.setOpacity(opacity);
  setShape(circle);
  registerInterest(STEP_EVENT);
}

Particle::~Particle() = default;

int Particle::eventHandler(const Event* p_e) {
  const std::string type = p_e->getType();
  if (type == STEP_EVENT) {
    age--;
    if (age <= 0) WorldManager::getInstance().markForDelete(this);
    return 1;
  }
  if (type == OUT_EVENT) {
    WorldManager::getInstance().markForDelete(this);
    return 1;
  }
  return 0;
}

std::string Particle::serialize(std::string attributes) {
  LogManager::getInstance().writeLog(
      1, "Particle::serialize(): Warning!  Particles attributes are not serialized");
  return Object::serialize(std::move(attributes));
}

int Particle::deserialize(std::string text) {
  LogManager::getInstance().writeLog(1,
                                     "Particle::deserialize(): Warning! Cannot deserialize particles.");
  return Object::deserialize(std::move(text));
}

}  // namespace mo
