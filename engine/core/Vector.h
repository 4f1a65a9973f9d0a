#ifndef MO_VECTOR_H
#define MO_VECTOR_H

namespace mo {

/// A two-dimensional vector of floats: a position or a motion in cells
/// (y grows downwards). A plain value type, copied freely.
///
///   mo::Vector step = target - position;
///   step.normalize();
///   step.scale(0.5f);   // half a cell towards the target
class Vector {
 public:
  /// The vector (x, y).
  Vector(float init_x, float init_y);
  /// The zero vector (0, 0).
  Vector();

  /// The components, in cells (or cells per step for a motion).
  float getX() const { return x; }
  float getY() const { return y; }
  void setX(float new_x) { x = new_x; }
  void setY(float new_y) { y = new_y; }
  /// Sets both components at once.
  void setXY(float new_x, float new_y);

  /// The length, sqrt(x² + y²).
  float getMagnitude() const;
  /// Scales to length 1; a zero vector stays zero.
  void normalize();
  /// Multiplies both components by s, in place.
  void scale(float s);

  /// Component-wise sum.
  Vector operator+(const Vector& other) const;
  /// This vector minus the other.
  Vector operator-(const Vector& other) const;
  /// Adds the other vector to this one and returns this one.
  Vector& operator+=(const Vector& other);
  /// True when both components are exactly equal.
  bool operator==(const Vector& other) const;
  /// The negation of ==.
  bool operator!=(const Vector& other) const;
  /// True when both components are exactly 0.
  bool operator!() const;

 private:
  float x;
  float y;
};

}  // namespace mo

#endif
