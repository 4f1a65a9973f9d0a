#ifndef MO_SPRITE_H
#define MO_SPRITE_H

#include <string>
#include <vector>

#include "engine/core/Color.h"
#include "engine/core/Vector.h"
#include "engine/media/Frame.h"

namespace mo {

/// A character picture: a sequence of frames of one size, drawn in one
/// colour, with an optional transparent character and an animation
/// slowdown. Sprites loaded by the ResourceManager are owned by it and
/// shared by everything that shows them.
class Sprite {
 public:
  /// An empty sprite that takes up to max_frames frames, labelled
  /// "[Undefined]", WHITE, slowdown 1, no transparent character. Memory
  /// grows with the frames added, not with max_frames. A negative count
  /// leaves room for none and writes an error line to the log.
  explicit Sprite(int max_frames);

  /// Characters per row of every frame.
  void setWidth(int new_width) { width = new_width; }
  int getWidth() const { return width; }

  /// Rows of every frame.
  void setHeight(int new_height) { height = new_height; }
  int getHeight() const { return height; }

  /// Game frames each sprite frame stays on screen (0 acts like 1).
  void setSlowdown(int new_slowdown) { slowdown = new_slowdown; }
  int getSlowdown() const { return slowdown; }

  /// The colour every frame is drawn in.
  void setColor(Color new_color) { color = new_color; }
  Color getColor() const { return color; }

  /// The character (a code point) that is not drawn; 0 draws every
  /// character.
  void setTransparency(char32_t new_transparency) { transparency = new_transparency; }
  char32_t getTransparency() const { return transparency; }

  /// The name the sprite is found under.
  void setLabel(std::string new_label);
  std::string getLabel() const { return label; }

  /// Frames added so far.
  int getFrameCount() const { return frame_count; }

  /// Copies frame to the next free place: 0, or -1 (nothing changed)
  /// when the sprite is full or memory runs out.
  int addFrame(Frame frame);

  /// A copy of frame number index (from 0), or an empty Frame when index
  /// is negative or not below the frame count.
  Frame getFrame(int index) const;

  /// Draws frame number frame_number centred at position (world cells)
  /// in the sprite's colour, skipping the transparent character (0:
  /// none). A number out of range draws nothing and gives 0; otherwise
  /// the result of Frame::draw (0, or -1 when a character failed).
  int draw(int frame_number, Vector position, char32_t transparent) const;

 private:
  int width;
  int height;
  int max_frame_count;
  int frame_count;
  Color color;
  int slowdown;
  char32_t transparency;
  std::vector<Frame> frames;
  std::string label;
};

}  // namespace mo

#endif
