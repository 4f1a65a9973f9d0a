#ifndef MO_PRECIPITATION_H
#define MO_PRECIPITATION_H

#include "engine/core/Vector.h"
#include "engine/media/Particle.h"

namespace mo {

/// Where a precipitation drifts.
enum PrecipitationDirection : int {
  DRIFT_UP,     ///< y decreasing
  DRIFT_DOWN,   ///< y increasing
  DRIFT_LEFT,   ///< x decreasing
  DRIFT_RIGHT,  ///< x increasing
};

/// A particle that never expires: it drifts in one of four directions,
/// may wobble, and when it leaves the world it comes back in on the far
/// side of the world's boundary, so that a fixed population keeps
/// drifting over the whole world. Positions lie in the rectangle from
/// (0,0) to the boundary's extents (cells), whatever the view shows.
class Precipitation : public Particle {
 public:
  /// A "Precipitation" particle (see Particle) of size pixels drifting in
  /// direction (a PrecipitationDirection), without jitter, placed at a
  /// random cell of the world with a random offset inside the cell.
  Precipitation(float size, int direction, unsigned char opacity, unsigned char r, unsigned char g,
                unsigned char b);
  ~Precipitation() override;

  /// On a step with jitter on, nudges the velocity at random, never
  /// further than a quarter of the base velocity's length from it along
  /// either axis: 0. On leaving the world, re-enters on the far side: 1;
  /// -1 (logged) for a direction that is none of the four. 0 for any
  /// other event.
  int eventHandler(const Event* p_e) override;

  /// Whether the velocity wobbles every step.
  bool getJitter() const { return jitter; }
  void setJitter(bool new_jitter = true) { jitter = new_jitter; }

  /// The velocity wobbling stays near (cells per step); (0,0) until the
  /// first wobbling step takes the velocity of that moment.
  Vector getBaseVelocity() const { return base_velocity; }

  /// The PrecipitationDirection given at construction.
  int getDriftDirection() const { return direction; }

 private:
  /// Puts the precipitation at cell (x, y) plus a random offset of
  /// whole pixels inside that cell.
  void place(float x, float y);
  /// Moves the velocity a random step, held near the base velocity.
  void wobble();

  int direction;
  Vector base_velocity;
  bool jitter;
};

}  // namespace mo

#endif
