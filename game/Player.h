#ifndef GH_PLAYER_H
#define GH_PLAYER_H

#include "engine/core/Vector.h"
#include "engine/world/Object.h"
#include "engine/world/ViewObject.h"

namespace gh {

class Pause;
class Reticle;

/// Cells between a landed player's bottom edge and the top it stands on:
/// touching boxes collide, so a player resting on the very top could not
/// walk. A power of two keeps the positions exact.
constexpr float LANDING_GAP = 1.0f / 1024.0f;
/// Cells by which the player's box is lower at the top than its 3-cell
/// sprite: a player landed on a floor then fits under a platform three
/// rows above it (more than LANDING_GAP; a power of two).
constexpr float HEAD_TRIM = 1.0f / 32.0f;

/// The weapon the player holds.
enum Weapon : int { GUN = 0, STAFF = 1 };

/// The side the player faces.
enum Facing : int { FACE_LEFT = 0, FACE_RIGHT = 1 };

/// What a staff cast makes.
enum CastKind : int { CAST_PLATFORM = 0, CAST_WALL = 1, CAST_FREEZE = 2 };

/// The character the person plays: walks with A and D, jumps with Space,
/// falls under its own gravity, fights with a gun or an ice staff (Tab
/// switches), pauses with P, owns the HUD, the pause and the reticle and
/// keeps the view on itself.
/// Its destruction ends the game by creating the game-over screen.
class Player : public mo::Object {
 public:
  /// Enters the world as "Player" with a stopped "player-right-gun"
  /// animation (its box HEAD_TRIM lower at the top), creates its reticle,
  /// the four HUD items and the pause and makes the view follow it.
  Player();
  /// Marks the reticle for deletion and creates the game-over screen
  /// (victory or defeat); plays "player-death" on a defeat.
  ~Player() override;

  /// Keyboard, mouse, step, collision and out-of-world events: 1;
  /// anything else 0.
  int eventHandler(const mo::Event* p_e) override;

  /// Loses damage health (not below 0), plays "player-hurt", and marks
  /// itself for deletion when the health reaches 0.
  void hurt(float damage);
  /// Fires the gun when the cooldown has run out and the magazine holds a
  /// round: a Bullet flies from where it appears through target (world
  /// cells) at 1.5 cells per step.
  void fire(mo::Vector target);
  /// Casts the staff toward target when the cooldown has run out and the
  /// energy suffices: an IceProjectile of kind flies from where it appears
  /// through target at 1 cell per step. A refused cast still restarts the
  /// cooldown.
  void castStaff(mo::Vector target, CastKind kind);
  /// Starts a 30-step reload and refills the magazine from the reserves.
  void reload();
  /// Moves one cell sideways (dx is -1 or +1) when the new place lies
  /// strictly inside the boundary and nothing HARD is in the way.
  void walk(int dx);

  Reticle* getReticle() const { return p_reticle; }
  /// The pause that P (or the Pause key) switches; while paused only
  /// those and Escape act.
  Pause* getPause() const { return p_pause; }
  Weapon getWeapon() const { return weapon; }
  Facing getFacing() const { return facing; }
  mo::ViewObject* getMagazineView() const { return p_magazine_view; }
  mo::ViewObject* getReservesView() const { return p_reserves_view; }
  mo::ViewObject* getIceEnergyView() const { return p_ice_energy_view; }
  mo::ViewObject* getHealthView() const { return p_health_view; }
  /// Where the player is put back after leaving the world.
  mo::Vector getSpawnPoint() const { return spawn_point; }
  void setSpawnPoint(mo::Vector point) { spawn_point = point; }
  int getFireCooldown() const { return fire_cooldown; }
  int getReloadTimer() const { return reload_timer; }
  int getStaffCooldown() const { return staff_cooldown; }
  int getMagazine() const { return magazine; }
  void setMagazine(int rounds) { magazine = rounds; }
  int getReserves() const { return reserves; }
  void setReserves(int rounds) { reserves = rounds; }
  /// Set by the chest before it removes the player: the game is won.
  bool getVictory() const { return victory; }
  void setVictory(bool won) { victory = won; }
  bool isOnGround() const { return on_ground; }
  bool isJumpRequested() const { return jump_requested; }
  float getHealth() const { return health; }
  void setHealth(float new_health) { health = new_health; }
  float getMaxHealth() const { return max_health; }
  float getIceEnergy() const { return ice_energy; }
  void setIceEnergy(float energy) { ice_energy = energy; }
  float getMaxIceEnergy() const { return max_ice_energy; }

 private:
  void keyboard(const mo::Event* p_e);
  void mouse(const mo::Event* p_e);
  void step();
  void collide(const mo::Event* p_e);
  /// A fall that something HARD will refuse this frame is first cut short
  /// to rest LANDING_GAP cells above that thing's top (when nothing HARD
  /// is there either); other moves are left alone.
  void land();
  /// The sprite for the current weapon and facing.
  void showWeaponSprite();
  /// Takes the sprite under label and the sprite's box less HEAD_TRIM at
  /// the top.
  void showSprite(const char* label);

  Reticle* p_reticle;
  Weapon weapon;
  Facing facing;
  mo::ViewObject* p_magazine_view;
  mo::ViewObject* p_reserves_view;
  mo::ViewObject* p_ice_energy_view;
  mo::ViewObject* p_health_view;
  Pause* p_pause;
  mo::Vector spawn_point;
  mo::Vector last_position;
  int fire_cooldown_reset;
  int fire_cooldown;
  int reload_timer;
  int staff_cooldown;
  int staff_cooldown_reset;
  int footstep_interval;
  int footstep_counter;
  int magazine_capacity;
  int magazine;
  int reserves;
  bool victory;
  bool on_ground;
  bool jump_requested;
  float max_health;
  float health;
  float max_ice_energy;
  float ice_energy;
  int platform_lifetime;
  float platform_cost;
  int wall_lifetime;
  float wall_cost;
  float freeze_cost;
};

}  // namespace gh

#endif
