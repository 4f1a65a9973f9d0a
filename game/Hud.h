#ifndef GH_HUD_H
#define GH_HUD_H

#include <string>

#include "engine/world/ViewObject.h"

namespace gh {

/// A HUD item of the game: a ViewObject whose border is a box of line
/// drawing characters with corners, and that may show its value as a bar
/// of blocks as well (the health bar of the HP box). Placed, updated and
/// saved exactly as a ViewObject.
class Hud : public mo::ViewObject {
 public:
  /// Draws the text (and the bar) in the item's colour, framed when it
  /// has a border; 0, or the sum of the failed draws' -1s.
  int draw() override;

  /// Shows the value as a bar cells cells wide that is full at max (a
  /// max of 0 or less, or cells below 1, show no bar).
  void setBar(int max, int cells);

  /// The bar for value as text: full blocks, one partial block in
  /// eighths and light shade for the rest, cells code points in all.
  static std::string bar(int value, int max, int cells);

 private:
  int bar_max = 0;
  int bar_cells = 0;
};

}  // namespace gh

#endif
