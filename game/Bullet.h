#ifndef GH_BULLET_H
#define GH_BULLET_H

#include "engine/core/Vector.h"
#include "engine/world/Object.h"
#include "game/Player.h"
#include "game/ShotEnd.h"

namespace gh {

class Enemy;

/// The projectile of both sides. It flies at the velocity its shooter
/// gives it right after construction, passes through its own side and
/// through other bullets, hurts the other side, and is removed on its
/// first other contact or when it leaves the world.
///
/// A bullet keeps nothing of its shooter but the side and, for an enemy
/// bullet, the heavy flag: it never reads the shooter after
/// construction, so the shooter may die while the bullet flies.
class Bullet : public mo::Object {
 public:
  /// Damage (health points) of an ordinary enemy's bullet to the player,
  /// of a heavy enemy's, and of a player bullet to an enemy.
  static constexpr float ENEMY_DAMAGE = 7.5f;
  static constexpr float HEAVY_ENEMY_DAMAGE = 15.0f;
  static constexpr float PLAYER_DAMAGE = 15.0f;

  /// A player bullet: "bullet-player-right" 2 cells right of and 1 cell
  /// above the player when it faces right, "bullet-player-left" 2 cells
  /// left and 1 above when it faces left. SOFT; speed 1.0 until the
  /// player sets the velocity.
  explicit Bullet(const Player* p_shooter);
  /// An enemy bullet, placed the same way with "bullet-enemy-right" or
  /// "bullet-enemy-left"; it keeps the enemy's heavy flag.
  explicit Bullet(const Enemy* p_shooter);
  ~Bullet() override;

  /// Leaving the world marks the bullet for deletion; a collision hits
  /// (below). 1 for both; anything else 0.
  ///
  /// A hit: another bullet or an object of its own side ("Player" for a
  /// player bullet, "Enemy" for an enemy bullet) lets it fly on. Anything
  /// else marks it for deletion; a "Player" hit by an enemy bullet loses
  /// 7.5 health (15.0 from a heavy enemy), an "Enemy" hit by a player
  /// bullet 15.0. Every object of the move in which it first hits is hit;
  /// after that move it hits nothing more, though the world deletes it
  /// only at the end of the update.
  int eventHandler(const mo::Event* p_e) override;

  /// Whether the player fired it (else an enemy did).
  bool isFromPlayer() const { return from_player; }
  /// For an enemy bullet: whether a heavy enemy fired it.
  bool isShooterHeavy() const { return shooter_heavy; }

 private:
  /// The steps both constructors share, from the registrations on.
  void start(mo::Vector shooter_position, Facing shooter_facing, const char* right_sprite,
             const char* left_sprite);
  void hit(const mo::Event* p_e);

  bool from_player;
  bool shooter_heavy;
  ShotEnd ending;
};

}  // namespace gh

#endif
