#include "engine/core/Vector.h"

#include <cmath>

namespace mo {

Vector::Vector(float init_x, float init_y) : x(init_x), y(init_y) {}

Vector::Vector() : x(0.0f), y(0.0f) {}

void Vector::setXY(float new_x, float new_y) {
  x = new_x;
  y = new_y;
}

float Vector::getMagnitude() const { return std::sqrt(x * x + y * y); }

void Vector::normalize() {
  const float length = getMagnitude();
  if (length > 0.0f) {
    x /= length;
    y /= length;
  }
}

void Vector::scale(float s) {
  x *= s;
  y *= s;
}

Vector Vector::operator+(const Vector& other) const { return Vector(x + other.x, y + other.y); }

Vector Vector::operator-(const Vector& other) const { return Vector(x - other.x, y - other.y); }

Vector& Vector::operator+=(const Vector& other) {
  x += other.x;
  y += other.y;
  return *this;
}

bool Vector::operator==(const Vector& other) const { return x == other.x && y == other.y; }

bool Vector::operator!=(const Vector& other) const { return !(*this == other); }

bool Vector::operator!() const { return x == 0.0f && y == 0.0f; }

}  // namespace mo
