// Points and vectors in double (TS_3d*) and single (TS_3f*) precision.
// Equality is exact: two points are equal only when all three coordinates
// compare equal, which is what edge chaining relies on.
#pragma once

#include <cmath>

class TS_3dPoint;
class TS_3fPoint;

class TS_3fVector {
public:
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  constexpr TS_3fVector() = default;
  constexpr TS_3fVector(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
  explicit TS_3fVector(const TS_3fPoint& p);

  friend constexpr bool operator==(const TS_3fVector&, const TS_3fVector&) = default;

  float Length() const { return std::sqrt(x * x + y * y + z * z); }
  bool IsZero() const { return x == 0.0f && y == 0.0f && z == 0.0f; }
  void Zero() { x = y = z = 0.0f; }
  void Reverse() {
    x = -x;
    y = -y;
    z = -z;
  }
  // Scales to length 1; a zero or non-finite length leaves the vector as it is.
  bool Unitize();

  TS_3fVector& operator+=(const TS_3fVector& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
  }
  TS_3fVector& operator-=(const TS_3fVector& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
  }
  TS_3fVector& operator*=(float s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
  }
  TS_3fVector& operator/=(float s) {
    x /= s;
    y /= s;
    z /= s;
    return *this;
  }
};

class TS_3fPoint {
public:
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  constexpr TS_3fPoint() = default;
  constexpr TS_3fPoint(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
  // Narrowing from double is always spelled out by the caller.
  explicit TS_3fPoint(const TS_3dPoint& p);
  explicit TS_3fPoint(const TS_3fVector& v) : x(v.x), y(v.y), z(v.z) {}

  friend constexpr bool operator==(const TS_3fPoint&, const TS_3fPoint&) = default;

  float DistanceTo(const TS_3fPoint& p) const;
  void Zero() { x = y = z = 0.0f; }

  TS_3fPoint& operator+=(const TS_3fVector& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
  }
  TS_3fPoint& operator-=(const TS_3fVector& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
  }
  TS_3fPoint& operator*=(float s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
  }
};

class TS_3dVector {
public:
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  constexpr TS_3dVector() = default;
  constexpr TS_3dVector(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
  // Widening from single precision is exact, so it is implicit.
  constexpr TS_3dVector(const TS_3fVector& v) : x(v.x), y(v.y), z(v.z) {}
  explicit TS_3dVector(const TS_3dPoint& p);

  friend constexpr bool operator==(const TS_3dVector&, const TS_3dVector&) = default;

  double Length() const { return std::sqrt(x * x + y * y + z * z); }
  bool IsZero() const { return x == 0.0 && y == 0.0 && z == 0.0; }
  void Zero() { x = y = z = 0.0; }
  void Reverse() {
    x = -x;
    y = -y;
    z = -z;
  }
  // Scales to length 1; a zero or non-finite length leaves the vector as it is.
  bool Unitize();

  TS_3dVector& operator+=(const TS_3dVector& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
  }
  TS_3dVector& operator-=(const TS_3dVector& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
  }
  TS_3dVector& operator*=(double s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
  }
  TS_3dVector& operator/=(double s) {
    x /= s;
    y /= s;
    z /= s;
    return *this;
  }
};

class TS_3dPoint {
public:
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  constexpr TS_3dPoint() = default;
  constexpr TS_3dPoint(double x_, double y_, double z_) : x(x_), y(y_), z(z_) {}
  constexpr TS_3dPoint(const TS_3fPoint& p) : x(p.x), y(p.y), z(p.z) {}
  // Normals travel in point arrays; the conversion keeps the coordinates.
  explicit constexpr TS_3dPoint(const TS_3dVector& v) : x(v.x), y(v.y), z(v.z) {}

  friend constexpr bool operator==(const TS_3dPoint&, const TS_3dPoint&) = default;

  double DistanceTo(const TS_3dPoint& p) const;
  void Zero() { x = y = z = 0.0; }

  TS_3dPoint& operator+=(const TS_3dVector& v) {
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
  }
  TS_3dPoint& operator-=(const TS_3dVector& v) {
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
  }
  TS_3dPoint& operator*=(double s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
  }
};

inline TS_3fVector::TS_3fVector(const TS_3fPoint& p) : x(p.x), y(p.y), z(p.z) {}
inline TS_3fPoint::TS_3fPoint(const TS_3dPoint& p)
    : x(static_cast<float>(p.x)), y(static_cast<float>(p.y)), z(static_cast<float>(p.z)) {}
inline TS_3dVector::TS_3dVector(const TS_3dPoint& p) : x(p.x), y(p.y), z(p.z) {}

// Double precision arithmetic.
inline TS_3dVector operator-(const TS_3dPoint& a, const TS_3dPoint& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline TS_3dPoint operator+(const TS_3dPoint& p, const TS_3dVector& v) { return {p.x + v.x, p.y + v.y, p.z + v.z}; }
inline TS_3dPoint operator-(const TS_3dPoint& p, const TS_3dVector& v) { return {p.x - v.x, p.y - v.y, p.z - v.z}; }
// Sums of points serve weighted averages such as (a + b) * 0.5.
inline TS_3dPoint operator+(const TS_3dPoint& a, const TS_3dPoint& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline TS_3dPoint operator*(const TS_3dPoint& p, double s) { return {p.x * s, p.y * s, p.z * s}; }
inline TS_3dPoint operator*(double s, const TS_3dPoint& p) { return p * s; }
inline TS_3dPoint operator/(const TS_3dPoint& p, double s) { return {p.x / s, p.y / s, p.z / s}; }
inline TS_3dVector operator+(const TS_3dVector& a, const TS_3dVector& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline TS_3dVector operator-(const TS_3dVector& a, const TS_3dVector& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline TS_3dVector operator-(const TS_3dVector& v) { return {-v.x, -v.y, -v.z}; }
inline TS_3dVector operator*(const TS_3dVector& v, double s) { return {v.x * s, v.y * s, v.z * s}; }
inline TS_3dVector operator*(double s, const TS_3dVector& v) { return v * s; }
inline TS_3dVector operator/(const TS_3dVector& v, double s) { return {v.x / s, v.y / s, v.z / s}; }

// Single precision arithmetic stays in single precision.
inline TS_3fVector operator-(const TS_3fPoint& a, const TS_3fPoint& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline TS_3fPoint operator+(const TS_3fPoint& p, const TS_3fVector& v) { return {p.x + v.x, p.y + v.y, p.z + v.z}; }
inline TS_3fPoint operator-(const TS_3fPoint& p, const TS_3fVector& v) { return {p.x - v.x, p.y - v.y, p.z - v.z}; }
inline TS_3fVector operator+(const TS_3fVector& a, const TS_3fVector& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline TS_3fVector operator-(const TS_3fVector& a, const TS_3fVector& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline TS_3fVector operator-(const TS_3fVector& v) { return {-v.x, -v.y, -v.z}; }
inline TS_3fVector operator*(const TS_3fVector& v, float s) { return {v.x * s, v.y * s, v.z * s}; }
inline TS_3fVector operator*(float s, const TS_3fVector& v) { return v * s; }
inline TS_3fVector operator/(const TS_3fVector& v, float s) { return {v.x / s, v.y / s, v.z / s}; }

inline double TS_DotProduct(const TS_3dVector& a, const TS_3dVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline float TS_DotProduct(const TS_3fVector& a, const TS_3fVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline TS_3dVector TS_CrossProduct(const TS_3dVector& a, const TS_3dVector& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline TS_3fVector TS_CrossProduct(const TS_3fVector& a, const TS_3fVector& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
