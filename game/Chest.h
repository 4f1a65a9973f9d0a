#ifndef GH_CHEST_H
#define GH_CHEST_H

#include "engine/core/Vector.h"
#include "engine/world/Object.h"

namespace gh {

class Player;

/// The goal of the level: E pressed within 5 cells of it wins the game.
///
/// The chest keeps a plain pointer to the player and reads it on every
/// step. That is safe: the player is only ever deleted in the world's
/// deletion pass at the end of an update; its destructor creates the
/// game-over screen, whose constructor marks every other object, the
/// chest included, and the world deletes objects marked during that pass
/// in the same pass. So no step of the chest runs after the player is
/// gone.
class Chest : public mo::Object {
 public:
  /// A SOFT "Chest" at position, altitude 1, watching p_player (not
  /// owned), registered for keyboard then step events.
  Chest(mo::Vector position, Player* p_player);
  ~Chest() override;
  /// A KEY_PRESSED E while the player was near at the last step plays
  /// "open-chest", sets the player's victory and marks the player for
  /// deletion; 1 for every keyboard event. A step recomputes whether the
  /// player is within 5.0 cells: 1. Anything else: 0.
  int eventHandler(const mo::Event* p_e) override;

  /// Whether the player was within 5.0 cells at the last step.
  bool isPlayerNear() const { return player_near; }

 private:
  Player* p_player;
  bool player_near;
};

}  // namespace gh

#endif
