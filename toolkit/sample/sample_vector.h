// Double-precision vectors for generating sample geometry. Positions are
// computed once in double and rounded to the mesh's floats only when a
// vertex is stored, so faces that share an edge get bit-identical points.
#pragma once

#include <cmath>

namespace tessel::sample {

struct Vec2 {
  double x = 0.0;
  double y = 0.0;
};

struct Vec3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(double s, Vec2 v) { return {s * v.x, s * v.y}; }

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(double s, Vec3 v) { return {s * v.x, s * v.y, s * v.z}; }

inline double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vec3 Cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }

inline Vec3 Normalized(Vec3 v) {
  const double length = std::sqrt(Dot(v, v));
  return length > 0.0 ? (1.0 / length) * v : v;
}

inline Vec2 Normalized(Vec2 v) {
  const double length = std::hypot(v.x, v.y);
  return length > 0.0 ? (1.0 / length) * v : v;
}

}  // namespace tessel::sample
