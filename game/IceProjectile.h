#ifndef GH_ICE_PROJECTILE_H
#define GH_ICE_PROJECTILE_H

#include "engine/core/Vector.h"
#include "engine/world/Object.h"
#include "game/Player.h"
#include "game/ShotEnd.h"

namespace gh {

/// What the ice staff throws: a SOFT "IceProjectile" that flies toward a
/// target and, where it arrives or first touches a wall or the floor,
/// becomes an ice platform, an ice wall or a freeze. It flies through the
/// player and ends on any other contact or on leaving the world.
///
/// The projectile keeps no pointer to the player: it reads the player's
/// position and facing once, in its constructor, so it may outlive the
/// player (the game-over screen removes it in the player's deletion pass
/// anyway).
class IceProjectile : public mo::Object {
 public:
  /// A projectile 2 cells in front of p_player (by its facing) and one
  /// cell up, showing "ice-projectile-left" or "ice-projectile-right",
  /// speed 1.0 with no direction yet (the caster sets the velocity),
  /// registered for out, collision and step events. The lifetimes are in
  /// units of 30 steps; target is in world cells. p_player is read here
  /// only and must not be null.
  IceProjectile(int platform_lifetime, int wall_lifetime, mo::Vector target, CastKind kind,
                const Player* p_player);
  ~IceProjectile() override;

  /// A step within 3.0 cells of the target makes the ice at the target
  /// and ends the projectile. A collision with a "LeftWall", "RightWall"
  /// or "Floor" makes the ice at the projectile's position; a freeze cast
  /// that touches an "Enemy" freezes there; any contact but the "Player"
  /// ends the projectile. Leaving the world ends it. Every contact of the
  /// move that ends it is still dealt with, nothing after; the ice is
  /// made once at most. 1 for these three event types, 0 for anything
  /// else.
  int eventHandler(const mo::Event* p_e) override;

  CastKind getKind() const { return kind; }
  /// The world position aimed at (cells).
  mo::Vector getTarget() const { return target; }
  /// Distance to the target (cells) within which the projectile arrives.
  float getArrivalRadius() const { return arrival_radius; }
  /// Lifetime units (30 steps each) of the ice platform it makes.
  int getPlatformLifetime() const { return platform_lifetime; }
  /// Lifetime units (30 steps each) of the ice wall it makes.
  int getWallLifetime() const { return wall_lifetime; }
  /// Whether it has ended and waits for the world to delete it.
  bool isSpent() const { return ending.isEnded(); }

 private:
  void collide(const mo::EventCollision* p_collision);
  /// Makes what the kind says, unless it made it already: a platform or
  /// wall at place, or a freeze centred on the projectile with its circle
  /// at place.
  void makeIce(mo::Vector place);
  /// Sends "freeze" at the projectile's position and shows the circle at
  /// place.
  void freeze(mo::Vector place);
  /// Ends the projectile on p_contact, or on no contact when null.
  void end(const mo::EventCollision* p_contact);

  CastKind kind;
  mo::Vector target;
  float arrival_radius;
  int platform_lifetime;
  int wall_lifetime;
  bool made;
  ShotEnd ending;
};

}  // namespace gh

#endif
