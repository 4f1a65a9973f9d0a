#ifndef GH_RETICLE_H
#define GH_RETICLE_H

#include "engine/core/Color.h"
#include "engine/world/Object.h"

namespace gh {

/// The aiming mark: a '+' that follows the mouse, drawn above everything.
class Reticle : public mo::Object {
 public:
  /// A SPECTRAL "Reticle" at altitude 4 in the middle of the world, RED,
  /// registered for mouse events.
  Reticle();
  /// A mouse move puts the reticle under the pointer (world cells): 1;
  /// any other event 0.
  int eventHandler(const mo::Event* p_e) override;
  /// Draws '+' at the position in the current colour.
  int draw() override;

  mo::Color getColor() const { return color; }
  /// The player sets RED for the gun and CYAN for the staff.
  void setColor(mo::Color new_color) { color = new_color; }

 private:
  mo::Color color;
};

}  // namespace gh

#endif
