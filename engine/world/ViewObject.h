#ifndef MO_VIEW_OBJECT_H
#define MO_VIEW_OBJECT_H

#include <string>

#include "engine/core/Color.h"
#include "engine/core/Vector.h"
#include "engine/world/Object.h"

namespace mo {

class Event;

/// A ViewObject's attributes, each with a modified flag.
enum ViewObjectAttribute : int {
  VIEW_STRING,
  VALUE,
  BORDER,
  COLOR,
  LOCATION,
  DRAW_VALUE,
};

/// The number of ViewObject attributes.
const int VIEW_ATTRIBUTE_COUNT = DRAW_VALUE + 1;

/// The nine standard places of a ViewObject on the screen. With W and H
/// the view's width and height, x is W/6, W/2 or 5W/6 (left, centre,
/// right); y is 1, H/2 or H-2 (top, centre, bottom) with a border and
/// one row less without.
enum ViewObjectLocation : int {
  TOP_LEFT,
  TOP_CENTER,
  TOP_RIGHT,
  CENTER_LEFT,
  CENTER_CENTER,
  CENTER_RIGHT,
  BOTTOM_LEFT,
  BOTTOM_CENTER,
  BOTTOM_RIGHT,
};

/// The location of a ViewObject whose position was set directly.
const ViewObjectLocation NO_LOCATION = static_cast<ViewObjectLocation>(-1);

/// A heads-up display item: a label, optionally followed by an integer
/// value and framed by a border, drawn in one colour at a fixed place in
/// the view while the world scrolls. Its position is in view cells (the
/// view's corner is (0,0)) and is the centre of the text. It is SPECTRAL,
/// drawn at the highest altitude and listens for "mo-view" events (see
/// EventView). Create it with new, like every Object.
class ViewObject : public Object {
 public:
  /// An empty label with value 0, value and border shown, WHITE, placed
  /// at TOP_CENTER of the current view, every flag set.
  ViewObject();
  ~ViewObject() override;

  /// Moves the item to where (view cells) and forgets its standard
  /// place: 0, also when where is the current position, which keeps the
  /// place.
  int setPosition(Vector where) override;

  /// A "mo-view" event whose tag equals the label exactly sets the value
  /// (or adds to it, with delta; the sum is held to the range of int):
  /// 1. A view event for another label: 0. Other events go to Object.
  int eventHandler(const Event* p_e) override;

  /// Draws the label, the value and the border centred on the position
  /// in the view. The sum of the drawing results: 0 when every character
  /// was drawn, negative otherwise.
  int draw() override;

  /// The Object's attribute text for the same selection followed by the
  /// ViewObject's items: view_string, view_value, view_border,
  /// view_color, view_location (-1 when placed directly) and
  /// view_draw_value, selected by the names VIEW_STRING, VALUE, BORDER,
  /// COLOR, LOCATION and DRAW_VALUE. Clears the flags of what it writes.
  std::string serialize(std::string attributes) override;

  /// Applies the Object's items, then the ViewObject's: the label, the
  /// value, the border (re-placing an item at a standard place), the
  /// colour, the location (-1 only forgets the standard place; other
  /// values outside the nine places are logged and ignored) and whether
  /// the value is shown. Always 0.
  int deserialize(std::string text) override;

  /// Whether any ViewObject attribute (each logged at level 10) or any
  /// Object attribute is modified.
  bool isModified() const override;
  using Object::isModified;
  /// Whether attribute is modified; false for a value that is none.
  virtual bool isModified(ViewObjectAttribute attribute) const;

  std::string getViewString() const { return view_string; }
  /// Sets the label.
  void setViewString(std::string new_view_string);

  int getValue() const { return value; }
  /// Sets the number shown after the label.
  void setValue(int new_value);

  /// Whether the value is shown.
  bool getDrawValue() const { return draw_value; }
  /// Shows or hides the value after the label.
  void setDrawValue(bool new_draw_value = true);

  /// Whether a frame is drawn around the text.
  bool getBorder() const { return border; }
  /// Shows or hides the frame; an item at a standard place is placed
  /// there again, since the top and bottom rows depend on the frame.
  void setBorder(bool new_border = true);

  /// The colour of the text and the frame.
  Color getColor() const { return color; }
  /// Sets the colour; CUSTOM and values that are no colour draw white.
  void setColor(Color new_color);

  /// The standard place, or NO_LOCATION when the position was set
  /// directly.
  ViewObjectLocation getLocation() const { return location; }
  /// Moves the item to a standard place computed from the current
  /// view's size: 0; -1 (logged, nothing changes) for a value outside
  /// TOP_LEFT..BOTTOM_RIGHT.
  int setLocation(ViewObjectLocation new_location);

 protected:
  using Object::setModified;
  /// Sets or clears one ViewObject modified flag (ignored for a value
  /// that is none).
  void setModified(ViewObjectAttribute attribute, bool flag = true);

 private:
  std::string view_string;
  int value;
  bool draw_value;
  bool border;
  Color color;
  ViewObjectLocation location;
  bool modified[VIEW_ATTRIBUTE_COUNT];
};

}  // namespace mo

#endif
