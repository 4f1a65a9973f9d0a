#ifndef GH_ICE_BLOCK_H
#define GH_ICE_BLOCK_H

#include <string>

#include "engine/core/Vector.h"
#include "engine/world/Object.h"

namespace gh {

/// What ice platforms and ice walls share: a HARD block of ice that
/// melts after its lifetime, sooner for every bullet that hits it.
class IceBlock : public mo::Object {
 public:
  /// Steps of age that one bullet hit adds.
  static constexpr int BULLET_MELT_STEPS = 30;

  /// A HARD object of type showing sprite at position (world cells),
  /// registered for out, step and collision events, lasting
  /// lifetime_units x 30 steps; each contact with the "Player" adds
  /// player_touch_steps of age.
  IceBlock(const std::string& type, const std::string& sprite, int lifetime_units,
           mo::Vector position, int player_touch_steps);
  /// A step ages it by 1 and marks it for deletion once its age reaches
  /// its lifetime; a contact with a "Bullet" adds BULLET_MELT_STEPS of
  /// age, one with the "Player" the steps given at construction; leaving
  /// the world marks it. 1 for these three, 0 for anything else.
  int eventHandler(const mo::Event* p_e) override;

  /// Steps it lasts untouched.
  int getLifetime() const { return lifetime; }
  /// Steps of age so far, contacts included.
  int getAge() const { return age; }

 private:
  int lifetime;
  int age;
  int player_touch_steps;
};

}  // namespace gh

#endif
