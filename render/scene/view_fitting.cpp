#include <linvale/scene_builder.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>

namespace {

struct ViewAxes {
  TS_3dVector direction;  // from the camera towards the model
  TS_3dVector up;
};

ViewAxes AxesOf(NprNamedView view) {
  switch (view) {
    case NprNamedView::Front: return {{0, 1, 0}, {0, 0, 1}};
    case NprNamedView::Back: return {{0, -1, 0}, {0, 0, 1}};
    case NprNamedView::Left: return {{1, 0, 0}, {0, 0, 1}};
    case NprNamedView::Right: return {{-1, 0, 0}, {0, 0, 1}};
    case NprNamedView::Top: return {{0, 0, -1}, {0, 1, 0}};
    case NprNamedView::Bottom: return {{0, 0, 1}, {0, -1, 0}};
    case NprNamedView::Iso: break;
  }
  // From the front, right and above at once.
  return {{-1, 1, -1}, {0, 0, 1}};
}

constexpr double kMargin = 1.06;  // the model keeps a little air around it
// Opening of a perspective camera across the shorter side of the picture,
// close to a normal lens.
const double kHalfOpening = std::tan(15.0 * std::numbers::pi / 180.0);

double Dot(const TS_3dVector& a, const TS_3dVector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

std::array<TS_3dPoint, 8> Corners(const TS_3dPoint& min, const TS_3dPoint& max) {
  std::array<TS_3dPoint, 8> corners;
  for (int i = 0; i < 8; ++i) {
    corners[static_cast<std::size_t>(i)] = {(i & 1) ? max.x : min.x, (i & 2) ? max.y : min.y, (i & 4) ? max.z : min.z};
  }
  return corners;
}

bool IsFinitePoint(const TS_3dPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// A box corner in the camera frame centred on the target: across (x, y) and
// along the view direction (depth, positive away from the camera).
struct FramePoint {
  double x, y, depth;
};

struct CameraFrame {
  TS_3dVector x, y, z;  // z is the reversed view direction
};

FramePoint InFrame(const CameraFrame& frame, const TS_3dPoint& target, const TS_3dPoint& p) {
  const TS_3dVector d = p - target;
  return {Dot(d, frame.x), Dot(d, frame.y), -Dot(d, frame.z)};
}

// Half extents of the frustum at distance one from the camera, the shorter
// side getting the normal opening.
void HalfOpenings(double aspect, double& halfWidth, double& halfHeight) {
  if (aspect >= 1.0) {
    halfHeight = kHalfOpening;
    halfWidth = kHalfOpening * aspect;
  } else {
    halfWidth = kHalfOpening;
    halfHeight = kHalfOpening / aspect;
  }
}

void FitPerspective(TS_Viewport& viewport, const std::array<TS_3dPoint, 8>& corners, const TS_3dPoint& target,
                    const CameraFrame& frame, double aspect, double radius) {
  double halfWidth = 0.0;
  double halfHeight = 0.0;
  HalfOpenings(aspect, halfWidth, halfHeight);
  // Every corner must lie inside the frustum: |x| <= halfWidth * (distance + depth).
  double distance = 0.0;
  double nearest = std::numeric_limits<double>::infinity();
  double farthest = -std::numeric_limits<double>::infinity();
  for (const TS_3dPoint& corner : corners) {
    const FramePoint p = InFrame(frame, target, corner);
    distance = std::max({distance, kMargin * std::abs(p.x) / halfWidth - p.depth,
                         kMargin * std::abs(p.y) / halfHeight - p.depth});
    nearest = std::min(nearest, p.depth);
    farthest = std::max(farthest, p.depth);
  }
  // Keep the whole box in front of the camera whatever the fit asked for.
  distance = std::max(distance, 1e-3 * radius - nearest);
  const double nearDistance = std::max(0.5 * (distance + nearest), 1e-3 * (distance + farthest));
  const double farDistance = 1.5 * (distance + farthest);
  viewport.SetCameraLocation(target + TS_3dVector(distance * frame.z.x, distance * frame.z.y, distance * frame.z.z));
  viewport.SetFrustum(-halfWidth * nearDistance, halfWidth * nearDistance, -halfHeight * nearDistance,
                      halfHeight * nearDistance, nearDistance, farDistance);
}

void FitParallel(TS_Viewport& viewport, const std::array<TS_3dPoint, 8>& corners, TS_3dPoint target,
                 const CameraFrame& frame, double aspect, double radius) {
  double minX = std::numeric_limits<double>::infinity();
  double maxX = -minX;
  double minY = minX;
  double maxY = -minX;
  for (const TS_3dPoint& corner : corners) {
    const FramePoint p = InFrame(frame, target, corner);
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  // Centre the picture on the box's outline rather than on its centre.
  const double shiftX = 0.5 * (minX + maxX);
  const double shiftY = 0.5 * (minY + maxY);
  target = target + TS_3dVector(shiftX * frame.x.x + shiftY * frame.y.x, shiftX * frame.x.y + shiftY * frame.y.y,
                                shiftX * frame.x.z + shiftY * frame.y.z);
  double halfHeight = kMargin * std::max(0.5 * (maxY - minY), 1e-6 * radius);
  double halfWidth = kMargin * std::max(0.5 * (maxX - minX), 1e-6 * radius);
  if (halfWidth / halfHeight < aspect) {
    halfWidth = halfHeight * aspect;
  } else {
    halfHeight = halfWidth / aspect;
  }
  // Far enough back that nothing lies behind the camera.
  const double distance = 2.0 * radius;
  viewport.SetCameraLocation(target + TS_3dVector(distance * frame.z.x, distance * frame.z.y, distance * frame.z.z));
  viewport.SetFrustum(-halfWidth, halfWidth, -halfHeight, halfHeight, 0.5 * radius, 3.5 * radius);
}

}  // namespace

bool NprNamedViewFromName(const char* name, NprNamedView& view) {
  static constexpr std::pair<const char*, NprNamedView> kNames[] = {
      {"iso", NprNamedView::Iso},       {"front", NprNamedView::Front}, {"back", NprNamedView::Back},
      {"left", NprNamedView::Left},     {"right", NprNamedView::Right}, {"top", NprNamedView::Top},
      {"bottom", NprNamedView::Bottom},
  };
  if (name == nullptr) {
    return false;
  }
  for (const auto& [text, value] : kNames) {
    if (std::strcmp(text, name) == 0) {
      view = value;
      return true;
    }
  }
  return false;
}

bool NprFitViewport(TS_Viewport& viewport, const TS_3dPoint& min, const TS_3dPoint& max, NprNamedView view,
                    TS::view_projection projection, int width, int height) {
  if (width < 1 || height < 1 || !IsFinitePoint(min) || !IsFinitePoint(max) ||
      (projection != TS::parallel_view && projection != TS::perspective_view)) {
    return false;
  }
  const ViewAxes axes = AxesOf(view);
  TS_Viewport fitted = viewport;
  fitted.SetProjection(projection);
  fitted.SetCameraDirection(axes.direction);
  fitted.SetCameraUp(axes.up);
  CameraFrame frame;
  TS_3dPoint unused;
  if (!fitted.GetCameraFrame(unused, frame.x, frame.y, frame.z)) {
    return false;
  }
  // A model that is a single point is shown as if it filled a unit box.
  const bool hasSize = (max - min).Length() > 0.0;
  const TS_3dVector grow = hasSize ? TS_3dVector() : TS_3dVector(0.5, 0.5, 0.5);
  const TS_3dPoint low = min - grow;
  const TS_3dPoint high = max + grow;
  const TS_3dPoint target = (low + high) * 0.5;
  const double radius = 0.5 * (high - low).Length();
  const double aspect = static_cast<double>(width) / height;
  const auto corners = Corners(low, high);
  if (projection == TS::perspective_view) {
    FitPerspective(fitted, corners, target, frame, aspect, radius);
  } else {
    FitParallel(fitted, corners, target, frame, aspect, radius);
  }
  fitted.SetScreenPort(0, width - 1, height - 1, 0);
  viewport = fitted;
  return true;
}

bool NprFitDepthRange(TS_Viewport& viewport, const TS_3dPoint& min, const TS_3dPoint& max) {
  CameraFrame frame;
  TS_3dPoint location;
  if (!IsFinitePoint(min) || !IsFinitePoint(max) || !viewport.GetCameraFrame(location, frame.x, frame.y, frame.z)) {
    return false;
  }
  double nearest = std::numeric_limits<double>::infinity();
  double farthest = -nearest;
  for (const TS_3dPoint& corner : Corners(min, max)) {
    const double depth = InFrame(frame, location, corner).depth;
    nearest = std::min(nearest, depth);
    farthest = std::max(farthest, depth);
  }
  const double slack = 0.05 * std::max(farthest - nearest, 1e-9 * std::max(std::abs(farthest), 1.0));
  if (viewport.IsParallelProjection()) {
    viewport.SetFrustumNear(nearest - slack);
    viewport.SetFrustumFar(farthest + slack);
    return true;
  }
  if (farthest <= 0.0) {
    return false;
  }
  const double oldNear = viewport.FrustumNear();
  // Part of the box may lie behind the camera; the near plane then stays a
  // little in front of it.
  const double nearDistance = std::max(nearest - slack, 1e-4 * farthest);
  const double farDistance = farthest + slack;
  if (oldNear > 0.0) {
    const double scale = nearDistance / oldNear;
    viewport.SetFrustumLeft(viewport.FrustumLeft() * scale);
    viewport.SetFrustumRight(viewport.FrustumRight() * scale);
    viewport.SetFrustumBottom(viewport.FrustumBottom() * scale);
    viewport.SetFrustumTop(viewport.FrustumTop() * scale);
  }
  viewport.SetFrustumNear(nearDistance);
  viewport.SetFrustumFar(farDistance);
  return true;
}
