#ifndef GH_RETICLE_H
#define GH_RETICLE_H

#include "engine/core/Color.h"
#include "engine/core/Vector.h"
#include "engine/world/Object.h"

namespace gh {

/// The aiming mark: a '+' under the mouse pointer, drawn above everything.
/// It keeps the pointer's place in the view, so that it stays under the
/// pointer while the view scrolls and always shows where a click lands.
class Reticle : public mo::Object {
 public:
  /// A SPECTRAL "Reticle" at altitude 4, RED, registered for mouse and
  /// step events, under the pointer (or in the middle of the view while
  /// the pointer's place is unknown).
  Reticle();
  /// A mouse move puts the reticle under the pointer (world cells) and a
  /// step keeps it there as the view moves: 1; any other event 0.
  int eventHandler(const mo::Event* p_e) override;
  /// Puts the reticle under the pointer for the view as it is now and
  /// draws '+' there in the current colour.
  int draw() override;

  mo::Color getColor() const { return color; }
  /// The player sets RED for the gun and CYAN for the staff.
  void setColor(mo::Color new_color) { color = new_color; }

 private:
  /// Moves to the pointer's place in the view (view cells) as it is now.
  void followPointer();

  mo::Color color;
  mo::Vector view_position;
};

}  // namespace gh

#endif
