#include "default_picture.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace linvale::sketch {

namespace {

struct Point2 {
  double x;
  double y;
};

// Grey levels of white paper, darkened multiplicatively by each stroke.
class PencilPaper {
public:
  PencilPaper() : mLevels(static_cast<std::size_t>(kDefaultPictureSize) * kDefaultPictureSize, 1.0) {}

  // A line of `radius` pixels with soft edges; `darkness` is how much light
  // the graphite takes away where it covers fully.
  void Stroke(Point2 from, Point2 to, double radius, double darkness) {
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    const int steps = std::max(1, static_cast<int>(length * 2.0));
    std::vector<double> cover(mLevels.size(), 0.0);
    for (int s = 0; s <= steps; ++s) {
      const double t = static_cast<double>(s) / steps;
      const Point2 c{from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t};
      // Pressure eases off towards both ends, as when a pencil is lifted.
      const double pressure = 0.55 + 0.45 * std::sin(3.14159265358979 * t);
      Dab(cover, c, radius, darkness * pressure);
    }
    for (std::size_t i = 0; i < mLevels.size(); ++i) {
      mLevels[i] *= 1.0 - cover[i];
    }
  }

  std::vector<std::uint32_t> Pixels() const {
    std::vector<std::uint32_t> pixels(mLevels.size());
    for (int y = 0; y < kDefaultPictureSize; ++y) {
      for (int x = 0; x < kDefaultPictureSize; ++x) {
        const double level = mLevels[Index(x, y)];
        // Graphite is a cool grey: a touch more blue than red.
        const auto r = static_cast<std::uint32_t>(std::lround(255.0 * level));
        const auto g = static_cast<std::uint32_t>(std::lround(255.0 * std::min(1.0, level * 1.01 + 0.005)));
        const auto b = static_cast<std::uint32_t>(std::lround(255.0 * std::min(1.0, level * 1.04 + 0.02)));
        // Rows go bottom-up in a DIB; the drawing is top-down.
        pixels[Index(x, kDefaultPictureSize - 1 - y)] = b | (g << 8) | (r << 16);
      }
    }
    return pixels;
  }

private:
  static std::size_t Index(int x, int y) {
    return static_cast<std::size_t>(y) * kDefaultPictureSize + static_cast<std::size_t>(x);
  }

  static void Dab(std::vector<double>& cover, Point2 c, double radius, double amount) {
    const int x0 = std::max(0, static_cast<int>(c.x - radius - 1.0));
    const int x1 = std::min(kDefaultPictureSize - 1, static_cast<int>(c.x + radius + 1.0));
    const int y0 = std::max(0, static_cast<int>(c.y - radius - 1.0));
    const int y1 = std::min(kDefaultPictureSize - 1, static_cast<int>(c.y + radius + 1.0));
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) {
        const double distance = std::hypot(x + 0.5 - c.x, y + 0.5 - c.y);
        const double coverage = std::clamp(radius + 0.5 - distance, 0.0, 1.0) * amount;
        double& cell = cover[Index(x, y)];
        cell = std::max(cell, coverage);
      }
    }
  }

  std::vector<double> mLevels;
};

// Corners of a box seen from above and to the right, in picture pixels.
constexpr std::array<Point2, 7> kCorners = {{
    {80, 22},    // 0 top back
    {136, 50},   // 1 top right
    {80, 78},    // 2 top front
    {24, 50},    // 3 top left
    {136, 110},  // 4 bottom right
    {80, 138},   // 5 bottom front
    {24, 110},   // 6 bottom left
}};

// The nine visible edges; each is drawn as two loose strokes.
constexpr std::array<std::array<int, 2>, 9> kEdges = {{
    {0, 1},
    {1, 2},
    {2, 3},
    {3, 0},
    {1, 4},
    {2, 5},
    {3, 6},
    {4, 5},
    {5, 6},
}};

// Small fixed offsets, so strokes overshoot the corners and wander a little
// off each other without depending on any random generator.
Point2 Wander(int edge, int pass, int end) {
  const double phase = 1.7 * edge + 2.3 * pass + 0.9 * end;
  return {2.2 * std::sin(phase), 2.2 * std::cos(1.3 * phase)};
}

}  // namespace

std::vector<std::uint32_t> DrawDefaultPicture() {
  PencilPaper paper;
  for (std::size_t e = 0; e < kEdges.size(); ++e) {
    const Point2 a = kCorners[static_cast<std::size_t>(kEdges[e][0])];
    const Point2 b = kCorners[static_cast<std::size_t>(kEdges[e][1])];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    const Point2 along{(b.x - a.x) / length, (b.y - a.y) / length};
    for (int pass = 0; pass < 2; ++pass) {
      const double overshoot = 4.0 + 3.0 * pass;
      const Point2 start = Wander(static_cast<int>(e), pass, 0);
      const Point2 end = Wander(static_cast<int>(e), pass, 1);
      paper.Stroke({a.x - along.x * overshoot + start.x, a.y - along.y * overshoot + start.y},
                   {b.x + along.x * overshoot + end.x, b.y + along.y * overshoot + end.y}, pass == 0 ? 1.1 : 0.7,
                   pass == 0 ? 0.8 : 0.45);
    }
  }
  return paper.Pixels();
}

}  // namespace linvale::sketch
