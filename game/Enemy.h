#ifndef GH_ENEMY_H
#define GH_ENEMY_H

#include "engine/core/Vector.h"
#include "engine/world/Object.h"
#include "game/Player.h"

namespace gh {

/// The opponent: stands still until the player comes within its
/// horizontal range, then walks toward it, slows down close by and
/// shoots enemy bullets at it every 60 steps. The heavy kind sees
/// farther and its bullets hurt twice as much. A freeze stops it for
/// 150 steps; two player bullets kill it, which rewards the player.
///
/// The enemy reads its player on every step through a plain pointer.
/// That pointer never outlives the player: the player is deleted only in
/// the world's deletion pass, and the game-over screen its destructor
/// creates marks every enemy, which the world deletes in that same pass.
class Enemy : public mo::Object {
 public:
  /// Far range (cells, horizontal): within it the enemy walks 0.5 cells
  /// per step toward the player.
  static constexpr float FAR_RANGE = 30.0f;
  static constexpr float HEAVY_FAR_RANGE = 50.0f;
  /// Near range: within it the enemy walks 0.25 cells per step and shoots.
  static constexpr float NEAR_RANGE = 15.0f;
  static constexpr float HEAVY_NEAR_RANGE = 25.0f;
  /// Within this the enemy stands still (and still shoots).
  static constexpr float STOP_RANGE = 5.0f;
  /// A freeze reaches the enemies this close to its centre (cells).
  static constexpr float FREEZE_RADIUS = 15.0f;

  /// An "Enemy" facing left with a stopped "enemy-left" animation
  /// ("enemy-heavy-left" for a heavy one; "-right" when it faces right) at
  /// position (cells), aiming at p_player (not owned), registered for
  /// step, out, collision and freeze events. It falls until it first
  /// touches a floor or an ice platform. Without a player (nullptr) it
  /// only falls and counts its cooldowns down.
  Enemy(mo::Vector position, Player* p_player, bool heavy);
  ~Enemy() override;

  /// Steps, collisions, leaving the world (marks itself for deletion)
  /// and freezes: 1; anything else 0.
  int eventHandler(const mo::Event* p_e) override;

  /// Loses damage health (not below 0). Each call that leaves the health
  /// at 0 gives the player 10 ice energy and 5 health (each capped at its
  /// maximum), plays "enemy-death" and marks the enemy for deletion.
  void hurt(float damage);
  /// Moves dx cells sideways when the new place lies strictly inside the
  /// boundary; the world may still refuse the move (something HARD).
  void walk(float dx);

  Facing getFacing() const { return facing; }
  /// Turns the enemy; its sprite stays as it is.
  void setFacing(Facing new_facing) { facing = new_facing; }
  bool isHeavy() const { return heavy; }
  bool isFrozen() const { return frozen; }
  /// Steps of freezing left.
  int getFrozenTimer() const { return frozen_timer; }
  /// Whether the player was within the near range at the last step.
  bool isEngaged() const { return engaged; }
  /// Once set (by a ledge guard, while engaged) the enemy never walks
  /// again and stays engaged.
  bool isHolding() const { return holding; }
  void setHolding(bool new_holding) { holding = new_holding; }
  /// Whether it has touched a floor or an ice platform (it falls until).
  bool isOnGround() const { return on_ground; }
  float getHealth() const { return health; }
  /// Steps until the next shot may be fired.
  int getFireCooldown() const { return fire_cooldown; }
  /// Steps until a ledge guard may turn the enemy again.
  int getTurnCooldown() const { return turn_cooldown; }
  void setTurnCooldown(int steps) { turn_cooldown = steps; }
  int getTurnCooldownReset() const { return turn_cooldown_reset; }

 private:
  void step();
  void freeze(const mo::Event* p_e);
  /// The walking sprite of the current facing.
  void showFacingSprite();

  Player* p_player;
  Facing facing;
  mo::Vector last_position;
  int fire_cooldown_reset;
  int fire_cooldown;
  int turn_cooldown_reset;
  int turn_cooldown;
  bool on_ground;
  bool engaged;
  bool holding;
  bool frozen;
  bool heavy;
  float health;
  int frozen_timer;
  int frozen_duration;
};

}  // namespace gh

#endif
