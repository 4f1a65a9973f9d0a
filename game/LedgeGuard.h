#ifndef GH_LEDGE_GUARD_H
#define GH_LEDGE_GUARD_H

#include "engine/core/Color.h"
#include "engine/world/Object.h"

namespace gh {

/// An invisible marker at the end of a ledge. An enemy that touches it
/// turns back (at most once in 30 steps), or, when it is fighting the
/// player, holds there for good. The level loader gives it its type
/// "LedgeGuard", position, SOFT solidness, invisibility and colour; it
/// has no sprite.
class LedgeGuard : public mo::Object {
 public:
  /// A plain WHITE object; the level loader sets it up.
  LedgeGuard();

  /// A collision with an "Enemy": an engaged enemy starts holding; any
  /// other one, when its turn cooldown has run out, gets the cooldown
  /// restarted, turns round and walks 0.5 cells the new way (its sprite
  /// stays). 1 for every collision; anything else 0.
  int eventHandler(const mo::Event* p_e) override;
  /// Draws 'G' at the position in its colour (only ever called for a
  /// visible guard): 0, or -1 when the character could not be drawn.
  int draw() override;

  mo::Color getColor() const { return color; }
  void setColor(mo::Color new_color) { color = new_color; }

 private:
  mo::Color color;
};

}  // namespace gh

#endif
