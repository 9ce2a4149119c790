#include "sight_runs.h"

#include <algorithm>
#include <cmath>

namespace linvale {

namespace {

// One sample stands for this much of the polyline at most, in pixels.
constexpr double kSampleSpacing = 1.0;

// A stretch of the polyline between two positions, a position being the
// index of a segment plus the fraction along it.
struct Stretch {
  Sight sight;
  double from;
  double to;
  double length;
};

WindowPoint PointAt(std::span<const WindowPoint> points, double position) {
  const auto last = static_cast<double>(points.size() - 1);
  position = std::clamp(position, 0.0, last);
  const auto segment = std::min(static_cast<std::size_t>(position), points.size() - 2);
  const double t = position - static_cast<double>(segment);
  const WindowPoint& a = points[segment];
  const WindowPoint& b = points[segment + 1];
  return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t};
}

// Samples each segment at the middles of pieces no longer than the spacing;
// neighbouring samples of one sight make one stretch.
std::vector<Stretch> SampleStretches(std::span<const WindowPoint> points, const DepthImage& depth, double bias) {
  std::vector<Stretch> stretches;
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const WindowPoint& a = points[i];
    const WindowPoint& b = points[i + 1];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const double pieces = std::max(1.0, std::ceil(length / kSampleSpacing));
    for (double k = 0.0; k < pieces; k += 1.0) {
      const double t = (k + 0.5) / pieces;
      const Sight sight = depth.SightOf({a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t, a.z + (b.z - a.z) * t}, bias);
      const double from = static_cast<double>(i) + k / pieces;
      const double to = static_cast<double>(i) + (k + 1.0) / pieces;
      if (!stretches.empty() && stretches.back().sight == sight) {
        stretches.back().to = to;
        stretches.back().length += length / pieces;
      } else {
        stretches.push_back({sight, from, to, length / pieces});
      }
    }
  }
  return stretches;
}

void MergeEqualNeighbours(std::vector<Stretch>& stretches) {
  std::vector<Stretch> merged;
  for (const Stretch& stretch : stretches) {
    if (!merged.empty() && merged.back().sight == stretch.sight) {
      merged.back().to = stretch.to;
      merged.back().length += stretch.length;
    } else {
      merged.push_back(stretch);
    }
  }
  stretches = std::move(merged);
}

// A short stretch between others takes the sight of its longer neighbour;
// the shortest go first, so a flicker never outvotes a long run.
void AbsorbShortStretches(std::vector<Stretch>& stretches, double shortest) {
  while (stretches.size() > 1) {
    const auto shortestStretch = std::min_element(stretches.begin(), stretches.end(),
                                                  [](const Stretch& a, const Stretch& b) { return a.length < b.length; });
    if (shortestStretch->length >= shortest) {
      return;
    }
    const auto index = static_cast<std::size_t>(shortestStretch - stretches.begin());
    const Stretch* before = index > 0 ? &stretches[index - 1] : nullptr;
    const Stretch* after = index + 1 < stretches.size() ? &stretches[index + 1] : nullptr;
    const Stretch* longer = before == nullptr || (after != nullptr && after->length > before->length) ? after : before;
    shortestStretch->sight = longer->sight;
    MergeEqualNeighbours(stretches);
  }
}

// A cut just past a corner of the polyline moves onto the corner: where a
// hidden edge meets the outline, the pixels beside the corner show the
// background and would leave a stub of the hidden edge on the visible run.
void SnapCutsToCorners(std::vector<Stretch>& stretches, std::span<const WindowPoint> points, double snap) {
  for (std::size_t i = 0; i + 1 < stretches.size(); ++i) {
    const double cut = stretches[i].to;
    const double corner = std::round(cut);
    const WindowPoint at = PointAt(points, cut);
    const WindowPoint& vertex = points[static_cast<std::size_t>(corner)];
    if (corner <= stretches[i].from || corner >= stretches[i + 1].to ||
        std::hypot(at.x - vertex.x, at.y - vertex.y) > snap) {
      continue;
    }
    stretches[i].to = corner;
    stretches[i + 1].from = corner;
  }
}

std::vector<WindowPoint> PointsBetween(std::span<const WindowPoint> points, double from, double to) {
  std::vector<WindowPoint> run{PointAt(points, from)};
  for (auto vertex = static_cast<std::size_t>(std::floor(from)) + 1; static_cast<double>(vertex) < to; ++vertex) {
    run.push_back(points[vertex]);
  }
  run.push_back(PointAt(points, to));
  return run;
}

bool IsClosed(std::span<const WindowPoint> points) {
  const WindowPoint& first = points.front();
  const WindowPoint& last = points.back();
  return points.size() > 2 && first.x == last.x && first.y == last.y && first.z == last.z;
}

}  // namespace

DepthImage::DepthImage(int width, int height, std::span<const float> depth)
    : mWidth(width), mHeight(height), mDepth(depth) {}

// A line is seen where any pixel next to its centre shows it, as a line a
// pixel or more wide is in the picture: the zigzag of a polygonal outline
// would otherwise dip behind its own front faces for a pixel or two.
Sight DepthImage::SightOf(const WindowPoint& p, double bias) const {
  if (!(p.x >= 0.0 && p.y >= 0.0 && p.x < mWidth && p.y < mHeight && p.z >= 0.0 && p.z <= 1.0)) {
    return Sight::Outside;
  }
  if (mDepth.size() < static_cast<std::size_t>(mWidth) * static_cast<std::size_t>(mHeight)) {
    return Sight::Visible;
  }
  const int column = static_cast<int>(p.x);
  const int row = static_cast<int>(p.y);
  double farthest = 0.0;
  for (int y = std::max(row - 1, 0); y <= std::min(row + 1, mHeight - 1); ++y) {
    for (int x = std::max(column - 1, 0); x <= std::min(column + 1, mWidth - 1); ++x) {
      const std::size_t pixel = static_cast<std::size_t>(y) * static_cast<std::size_t>(mWidth) + static_cast<std::size_t>(x);
      farthest = std::max(farthest, static_cast<double>(mDepth[pixel]));
    }
  }
  return p.z <= farthest + bias ? Sight::Visible : Sight::Hidden;
}

std::vector<SightRun> SplitBySight(std::span<const WindowPoint> points, const DepthImage& depth, double bias,
                                   double shortestRun) {
  if (points.size() < 2) {
    return {};
  }
  std::vector<Stretch> stretches = SampleStretches(points, depth, bias);
  AbsorbShortStretches(stretches, shortestRun);
  SnapCutsToCorners(stretches, points, shortestRun);
  std::vector<SightRun> runs;
  for (const Stretch& stretch : stretches) {
    runs.push_back({stretch.sight, PointsBetween(points, stretch.from, stretch.to)});
  }
  if (runs.size() > 1 && IsClosed(points) && runs.front().sight == runs.back().sight) {
    std::vector<WindowPoint>& wrapped = runs.back().points;
    wrapped.insert(wrapped.end(), runs.front().points.begin() + 1, runs.front().points.end());
    runs.erase(runs.begin());
  }
  return runs;
}

}  // namespace linvale
