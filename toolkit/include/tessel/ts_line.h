// A straight segment between two double precision points.
#pragma once

#include <tessel/ts_point.h>

class TS_Line {
public:
  TS_3dPoint from;
  TS_3dPoint to;

  constexpr TS_Line() = default;
  constexpr TS_Line(const TS_3dPoint& from_, const TS_3dPoint& to_) : from(from_), to(to_) {}

  friend constexpr bool operator==(const TS_Line&, const TS_Line&) = default;

  double Length() const { return from.DistanceTo(to); }
  TS_3dVector Direction() const { return to - from; }
  // t = 0 gives `from`, t = 1 gives `to`; other values extrapolate along the line.
  TS_3dPoint PointAt(double t) const;
};
