#include "stroke_rules.h"

#include <linvale/npr_random.h>

#include <algorithm>
#include <cmath>

namespace linvale::sketch {

namespace {

constexpr double kCornerTolerance = 0.005;

TS_3dVector UnitDirection(const TS_3dPoint& from, const TS_3dPoint& to) {
  TS_3dVector v = to - from;
  v.Unitize();
  return v;
}

}  // namespace

std::vector<int> BuildWidthCycle(int window, double minWidth, double maxWidth) {
  const int widths = static_cast<int>(std::trunc(maxWidth - minWidth + 1.0));
  const int step = widths > 0 && window / widths > 0 ? window / widths : 1;
  std::vector<int> cycle;
  cycle.reserve(2U * static_cast<std::size_t>(window));
  int thinner = 0;
  cycle.push_back(static_cast<int>(std::trunc(maxWidth)));
  for (int k = 1; k < window; ++k) {
    if (k % step == 0 && maxWidth - thinner > minWidth) {
      ++thinner;
    }
    cycle.push_back(static_cast<int>(std::trunc(maxWidth - thinner)));
  }
  // A range into the vector itself may not be inserted into it, so the
  // rising half is appended from a copy of the falling one.
  const std::vector<int> falling = cycle;
  cycle.insert(cycle.end(), falling.rbegin(), falling.rend());
  return cycle;
}

std::vector<double> BuildIntensityCycle(int window, double minInt, double maxInt) {
  std::vector<double> cycle;
  cycle.reserve(2U * static_cast<std::size_t>(window) + 1U);
  cycle.push_back(minInt);
  for (int k = 0; k < window; ++k) {
    cycle.push_back(minInt + (static_cast<double>(k) / window) * (maxInt - minInt));
  }
  for (int k = window; k >= 1; --k) {
    cycle.push_back(cycle[static_cast<std::size_t>(k)]);
  }
  return cycle;
}

int ResamplePieceCount(std::optional<double> pixels, int factor) {
  if (!pixels || !std::isfinite(*pixels)) {
    return 1;
  }
  const double pieces = factor * std::trunc(*pixels * 0.01);
  return static_cast<int>(std::clamp(pieces, 1.0, 10.0));
}

bool IsRightAngle(const TS_3dVector& x, const TS_3dVector& y) {
  if (x.IsZero() || y.IsZero()) {
    return false;
  }
  return std::abs(TS_DotProduct(x, y)) < kCornerTolerance;
}

SegmentEnds EndsAtCorners(const TS_3dPointArray& points, int first, bool closed) {
  const int n = points.Count();
  const int second = first + 1;
  const TS_3dVector v = UnitDirection(points[first], points[second]);
  SegmentEnds ends;
  if (first == 0) {
    // On a closed polyline the segment before the first is the one that
    // closes the loop, from point n - 2 to the last point (= point 0).
    ends.extendStart = !closed || (n >= 3 && IsRightAngle(UnitDirection(points[n - 2], points[n - 1]), v));
  } else {
    ends.extendStart = IsRightAngle(UnitDirection(points[first - 1], points[first]), v);
  }
  if (second == n - 1) {
    ends.extendEnd = !closed || (n >= 3 && IsRightAngle(v, UnitDirection(points[0], points[1])));
  } else {
    ends.extendEnd = IsRightAngle(v, UnitDirection(points[second], points[second + 1]));
  }
  return ends;
}

double RandomBetween(double lo, double hi) { return lo + NprRand() * (1.0 / NPR_RAND_MAX) * (hi - lo); }

}  // namespace linvale::sketch
