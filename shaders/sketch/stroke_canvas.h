// What a stroke needs of the picture it is drawn into: the on-screen length
// of a piece of world space, and a way to put one segment down. The render
// pass draws through OpenGL, the vector pass onto a vector canvas; tests
// measure and record without either.
#pragma once

#include <tessel/ts_point.h>

#include <array>
#include <optional>

namespace linvale::sketch {

struct StrokeSegment {
  TS_3dPoint p0;
  TS_3dPoint p1;
  // Draw a dot of the line width at p0 / p1: the rounded cap of an end
  // that was extended or shortened.
  bool startDot = false;
  bool endDot = false;
  std::array<double, 3> colour{};
  // 1 for opaque lines, 0.5 over a textured fill.
  double alpha = 1.0;
  int width = 1;
};

class StrokeCanvas {
public:
  virtual ~StrokeCanvas() = default;
  // Distance in pixels between the window positions (x, y and depth) of
  // `a` and `b`; nothing when either cannot be projected.
  virtual std::optional<double> ProjectedDistance(const TS_3dPoint& a, const TS_3dPoint& b) = 0;
  virtual void DrawSegment(const StrokeSegment& segment) = 0;
  // The stroke whose segments came since the last call is complete: a
  // canvas that joins segments into paths ends the path here.
  virtual void EndStroke() {}
};

}  // namespace linvale::sketch
