// Where a projected polyline is seen and where the faces hide it: the
// polyline is sampled about every pixel against the depth of the faces and
// cut where that changes. Runs shorter than a pixel or two are noise of the
// sampling (a hidden edge touching the outline, a pixel of background beside
// a silhouette) and take the sight of their neighbours.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace linvale {

enum class Sight { Visible, Hidden, Outside };

// Window coordinates: x and y in drawn pixels from the bottom left, z the
// depth 0 (near) to 1 (far).
struct WindowPoint {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;
};

class DepthImage {
public:
  // `depth` holds width x height values, bottom row first; an empty image
  // hides nothing.
  DepthImage(int width, int height, std::span<const float> depth);
  // Visible when `p` is not further than the face depth at its pixel by
  // more than `bias`; outside when it is off the image or beyond the depth
  // range.
  Sight SightOf(const WindowPoint& p, double bias) const;

private:
  int mWidth;
  int mHeight;
  std::span<const float> mDepth;
};

struct SightRun {
  Sight sight = Sight::Visible;
  std::vector<WindowPoint> points;
};

// The runs of `points` in order, each at least two points long; for a
// closed polyline (first point equal to the last) a run that wraps round the
// start is one run. `shortestRun` is in drawn pixels.
std::vector<SightRun> SplitBySight(std::span<const WindowPoint> points, const DepthImage& depth, double bias,
                                   double shortestRun);

}  // namespace linvale
