#ifndef MO_SHAPE_H
#define MO_SHAPE_H

#include "engine/core/Color.h"
#include "engine/core/Vector.h"

namespace mo {

/// The figures a Shape can be.
enum ShapeType : int {
  NO_SHAPE = -1,
  CIRCLE = 0,
  SQUARE = 1,
  TRIANGLE = 2,
};

/// A filled circle, square or triangle drawn in pixels, with its own
/// colour and opacity. Every Object carries one (type NO_SHAPE unless set)
/// and draws it on top of its sprite; particles show nothing else. A value
/// type: copied whole.
class Shape {
 public:
  /// A white, opaque circle whose size is the font scale times the
  /// smaller of the cell's width and height truncated to whole pixels:
  /// 24 for cells of 12.8 x 32 pixels and font scale 2.
  Shape();

  /// NO_SHAPE, CIRCLE, SQUARE or TRIANGLE; any other value is logged and
  /// leaves the type unchanged.
  void setType(int new_type);
  int getType() const { return type; }

  /// Size in pixels (a circle's radius).
  void setSize(float new_size) { size = new_size; }
  float getSize() const { return size; }

  /// One of the engine colours; the red, green and blue bytes then follow
  /// it when drawn. CUSTOM keeps the bytes as set.
  void setColor(Color new_color) { color = new_color; }
  /// Any red, green and blue; the colour becomes CUSTOM.
  void setColor(unsigned char red, unsigned char green, unsigned char blue);
  Color getColor() const { return color; }
  unsigned char getRed() const { return r; }
  unsigned char getGreen() const { return g; }
  unsigned char getBlue() const { return b; }

  /// Alpha of the fill: 0 transparent to 255 opaque.
  void setOpacity(unsigned char new_opacity) { opacity = new_opacity; }
  unsigned char getOpacity() const { return opacity; }

  /// How the figure is laid out in the window: the settings of an SFML
  /// circle shape (pixels, degrees, 0..255 colour bytes).
  struct Figure {
    int points;       ///< corners of the polygon
    float radius;     ///< pixels
    float rotation;   ///< degrees
    Vector origin;    ///< top-left corner of the unrotated bounding box
    unsigned char r;  ///< fill colour
    unsigned char g;
    unsigned char b;
    unsigned char a;
  };

  /// The figure for a shape centred on window pixel `pixel`; the colour
  /// bytes follow the colour unless it is CUSTOM. A NO_SHAPE shape has no
  /// points.
  Figure figure(Vector pixel) const;

  /// Draws the shape at world position p (cells) into the window; the
  /// colour bytes are updated from the colour first (unless CUSTOM).
  /// Without a window (not started, or headless) it only writes a level-5
  /// line.
  void draw(Vector p);

 private:
  Color color;
  unsigned char r;
  unsigned char g;
  unsigned char b;
  int type;
  float size;
  unsigned char opacity;
};

}  // namespace mo

#endif
