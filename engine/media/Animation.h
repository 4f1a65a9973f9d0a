#ifndef MO_ANIMATION_H
#define MO_ANIMATION_H

#include <string>

#include "engine/core/Box.h"
#include "engine/core/Vector.h"

namespace mo {

class Sprite;

/// Shows a shared Sprite frame after frame for one object: the frame
/// index and the slowdown count are the object's own; the sprite is
/// never changed or owned.
class Animation {
 public:
  /// No sprite, index 0, slowdown count 0, empty name, modified.
  Animation();
  virtual ~Animation();

  /// The animation as attribute text: "sprite_name:<label>,
  /// sprite_index:<index>,sprite_slowdown_count:<count>," when the
  /// selection asks for it ("ALL"; "" while modified; or one holding
  /// "ANIMATION,"), which clears the modified flag; otherwise "".
  virtual std::string serialize(std::string attributes);

  /// Applies the animation items of attribute text. "sprite_name" shows
  /// the sprite with that label from frame 0 (a label no sprite has is
  /// logged and only kept as the name); "sprite_index" and
  /// "sprite_slowdown_count" set their fields. A negative index or a
  /// slowdown count below -1 is logged and ignored; other items are
  /// ignored. Always 0.
  virtual int deserialize(std::string text);

  /// Shows p_new_sprite from frame 0; a non-null sprite also gives its
  /// label as the name. The slowdown count is kept, so a stopped
  /// animation stays stopped.
  void setSprite(Sprite* p_new_sprite);
  Sprite* getSprite() const { return p_sprite; }

  /// The sprite's label, kept for writing the animation out.
  void setName(std::string new_name);
  std::string getName() const { return name; }

  /// The frame shown next.
  void setIndex(int new_index);
  int getIndex() const { return index; }

  /// Game frames the current frame has been shown; -1 stops the
  /// animation on its current frame, 0 restarts it.
  void setSlowdownCount(int new_slowdown_count);
  int getSlowdownCount() const { return slowdown_count; }

  /// Whether a setter changed a field since the flag was last cleared.
  bool isModified() const { return modified; }
  void setModified(bool new_modified) { modified = new_modified; }

  /// Draws the current frame centred at a world position (cells) and
  /// advances by the sprite's slowdown unless stopped or the game is
  /// paused (GameManager::setPaused). 0 without a sprite; -1 when a
  /// character could not be drawn.
  int draw(Vector position);

  /// The box the sprite covers, relative to the position (cells):
  /// corner (-width/2, -height/2) and the sprite's size; without a
  /// sprite, corner (-0.5, -0.5) and extents 0.99.
  Box getBox() const;

 private:
  Sprite* p_sprite;
  int index;
  int slowdown_count;
  std::string name;
  bool modified;
};

}  // namespace mo

#endif
