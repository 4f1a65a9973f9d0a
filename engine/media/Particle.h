#ifndef MO_PARTICLE_H
#define MO_PARTICLE_H

#include "engine/world/Object.h"

namespace mo {

/// A small world object that shows nothing but a filled circle and
/// deletes itself after a number of steps. Particles are SPECTRAL, never
/// collide, and all have id 0: they use up no id number.
class Particle : public Object {
 public:
  /// A SPECTRAL "Particle" at altitude 3 with id 0, showing a circle of
  /// size pixels in the colour (r, g, b) with the given opacity, that
  /// lives for age steps; registered for step events.
  Particle(float size, int age, unsigned char opacity, unsigned char r, unsigned char g,
           unsigned char b);
  ~Particle() override;

  /// A step takes one step off the age and, once none is left, marks the
  /// particle for deletion; leaving the world marks it at once. 1 for
  /// those two events, 0 for any other.
  int eventHandler(const Event* p_e) override;

  /// Writes a warning that the particle's own attributes (its age) are
  /// left out, then the attribute text of a plain object.
  std::string serialize(std::string attributes) override;
  /// Writes a warning that particles cannot be rebuilt from text, then
  /// applies the text as to a plain object: 0.
  int deserialize(std::string text) override;

  /// Steps left to live.
  int getAge() const { return age; }
  void setAge(int new_age) { age = new_age; }

 private:
  int age;
};

}  // namespace mo

#endif
