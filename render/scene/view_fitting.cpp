#include <linvale/scene_builder.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <span>
#include <vector>

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

// The views above are those of a model with +z up; another up direction
// turns them by the smallest rotation that takes +z there.
TS_3dVector TurnedToUp(const TS_3dVector& v, TS_3dVector up) {
  up.Unitize();
  const TS_3dVector z(0.0, 0.0, 1.0);
  const double cosine = TS_DotProduct(z, up);
  if (cosine > 1.0 - 1e-12) {
    return v;
  }
  if (cosine < -1.0 + 1e-12) {
    return {v.x, -v.y, -v.z};  // half a turn about x
  }
  // Rodrigues' rotation about z x up by the angle between them.
  TS_3dVector axis = TS_CrossProduct(z, up);
  const double sine = axis.Length();
  axis.Unitize();
  const TS_3dVector across = TS_CrossProduct(axis, v);
  const double along = TS_DotProduct(axis, v) * (1.0 - cosine);
  return {v.x * cosine + across.x * sine + axis.x * along, v.y * cosine + across.y * sine + axis.y * along,
          v.z * cosine + across.z * sine + axis.z * along};
}

constexpr double kMargin = 1.06;  // the model keeps a little air around it
// Opening of a perspective camera across the shorter side of the picture,
// close to a normal lens.
const double kHalfOpening = std::tan(15.0 * std::numbers::pi / 180.0);
constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool IsFinitePoint(const TS_3dPoint& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// The points a camera must show: the corners of a box, or every vertex of a
// scene (which fits the picture to the model rather than to its box).
class PointSet {
public:
  void Add(std::span<const TS_3fPoint> points) { mSpans.push_back(points); }
  void Add(const TS_3dPoint& point) { mExtra.push_back(point); }

  template <class Visit>
  void ForEach(Visit visit) const {
    for (const auto& span : mSpans) {
      for (const TS_3fPoint& p : span) {
        visit(TS_3dPoint(p));
      }
    }
    for (const TS_3dPoint& p : mExtra) {
      visit(p);
    }
  }

private:
  std::vector<std::span<const TS_3fPoint>> mSpans;
  std::vector<TS_3dPoint> mExtra;
};

void AddBoxCorners(PointSet& points, const TS_3dPoint& min, const TS_3dPoint& max) {
  for (int i = 0; i < 8; ++i) {
    points.Add(TS_3dPoint{(i & 1) ? max.x : min.x, (i & 2) ? max.y : min.y, (i & 4) ? max.z : min.z});
  }
}

struct CameraFrame {
  TS_3dVector x, y, z;  // z is the reversed view direction
};

// A point in the camera frame placed at `origin`: across (x, y) and along
// the view direction (depth, positive away from the camera).
struct FramePoint {
  double x, y, depth;
};

FramePoint InFrame(const CameraFrame& frame, const TS_3dPoint& origin, const TS_3dPoint& p) {
  const TS_3dVector d = p - origin;
  return {TS_DotProduct(d, frame.x), TS_DotProduct(d, frame.y), -TS_DotProduct(d, frame.z)};
}

struct Extent {
  double minX = kInfinity, maxX = -kInfinity, minY = kInfinity, maxY = -kInfinity;
  double nearest = kInfinity, farthest = -kInfinity;

  void Include(double x, double y, double depth) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
    nearest = std::min(nearest, depth);
    farthest = std::max(farthest, depth);
  }
};

struct Opening {
  double halfWidth;  // of the frustum at distance one from the camera
  double halfHeight;
};

// The shorter side of the picture gets the normal opening.
Opening OpeningFor(double aspect) {
  return aspect >= 1.0 ? Opening{kHalfOpening * aspect, kHalfOpening} : Opening{kHalfOpening, kHalfOpening / aspect};
}

// How far back from `target` the camera must stand for every point to lie
// inside the frustum: |x| <= halfWidth * (distance + depth) for all points.
double DistanceToShowAll(const PointSet& points, const CameraFrame& frame, const TS_3dPoint& target,
                         const Opening& opening) {
  double distance = -kInfinity;
  points.ForEach([&](const TS_3dPoint& point) {
    const FramePoint p = InFrame(frame, target, point);
    distance = std::max({distance, kMargin * std::abs(p.x) / opening.halfWidth - p.depth,
                         kMargin * std::abs(p.y) / opening.halfHeight - p.depth});
  });
  return distance;
}

void FitPerspective(TS_Viewport& viewport, const PointSet& points, TS_3dPoint target, const CameraFrame& frame,
                    double aspect, double radius) {
  const Opening opening = OpeningFor(aspect);
  double distance = DistanceToShowAll(points, frame, target, opening);
  // Aiming at the box centre leaves the model off centre in the picture;
  // move the aim by where the picture's content is centred, then fit again.
  const TS_3dPoint camera = target + frame.z * distance;
  Extent seen;
  points.ForEach([&](const TS_3dPoint& point) {
    const FramePoint p = InFrame(frame, camera, point);
    if (p.depth > 0.0) {
      seen.Include(p.x / (p.depth * opening.halfWidth), p.y / (p.depth * opening.halfHeight), p.depth);
    }
  });
  if (seen.nearest < kInfinity) {
    const double shiftX = 0.5 * (seen.minX + seen.maxX) * opening.halfWidth * distance;
    const double shiftY = 0.5 * (seen.minY + seen.maxY) * opening.halfHeight * distance;
    target = target + frame.x * shiftX + frame.y * shiftY;
    distance = DistanceToShowAll(points, frame, target, opening);
  }
  Extent depths;
  points.ForEach([&](const TS_3dPoint& point) {
    const FramePoint p = InFrame(frame, target, point);
    depths.Include(p.x, p.y, p.depth);
  });
  // Keep the whole model in front of the camera whatever the fit asked for.
  distance = std::max(distance, 1e-3 * radius - depths.nearest);
  const double nearDistance = std::max(0.5 * (distance + depths.nearest), 1e-3 * (distance + depths.farthest));
  const double farDistance = 1.5 * (distance + depths.farthest);
  viewport.SetCameraLocation(target + frame.z * distance);
  viewport.SetFrustum(-opening.halfWidth * nearDistance, opening.halfWidth * nearDistance,
                      -opening.halfHeight * nearDistance, opening.halfHeight * nearDistance, nearDistance, farDistance);
}

void FitParallel(TS_Viewport& viewport, const PointSet& points, TS_3dPoint target, const CameraFrame& frame,
                 double aspect, double radius) {
  Extent seen;
  points.ForEach([&](const TS_3dPoint& point) {
    const FramePoint p = InFrame(frame, target, point);
    seen.Include(p.x, p.y, p.depth);
  });
  // Centre the picture on the model's outline rather than on its box.
  target = target + frame.x * (0.5 * (seen.minX + seen.maxX)) + frame.y * (0.5 * (seen.minY + seen.maxY));
  double halfHeight = kMargin * std::max(0.5 * (seen.maxY - seen.minY), 1e-6 * radius);
  double halfWidth = kMargin * std::max(0.5 * (seen.maxX - seen.minX), 1e-6 * radius);
  if (halfWidth / halfHeight < aspect) {
    halfWidth = halfHeight * aspect;
  } else {
    halfHeight = halfWidth / aspect;
  }
  // Far enough back that nothing lies behind the camera.
  const double distance = 2.0 * radius;
  viewport.SetCameraLocation(target + frame.z * distance);
  viewport.SetFrustum(-halfWidth, halfWidth, -halfHeight, halfHeight, 0.5 * radius, 3.5 * radius);
}

bool Fit(TS_Viewport& viewport, const PointSet& points, const TS_3dPoint& min, const TS_3dPoint& max, NprNamedView view,
         TS::view_projection projection, int width, int height, const TS_3dVector& up) {
  const bool finiteUp = std::isfinite(up.x) && std::isfinite(up.y) && std::isfinite(up.z) && !up.IsZero();
  if (width < 1 || height < 1 || !IsFinitePoint(min) || !IsFinitePoint(max) || !finiteUp ||
      (projection != TS::parallel_view && projection != TS::perspective_view)) {
    return false;
  }
  const ViewAxes axes = AxesOf(view);
  TS_Viewport fitted = viewport;
  fitted.SetProjection(projection);
  fitted.SetCameraDirection(TurnedToUp(axes.direction, up));
  fitted.SetCameraUp(TurnedToUp(axes.up, up));
  CameraFrame frame;
  TS_3dPoint unused;
  if (!fitted.GetCameraFrame(unused, frame.x, frame.y, frame.z)) {
    return false;
  }
  // A model that is a single point is shown as if it filled a unit box.
  const bool hasSize = (max - min).Length() > 0.0;
  PointSet shown = points;
  if (!hasSize) {
    AddBoxCorners(shown, min - TS_3dVector(0.5, 0.5, 0.5), max + TS_3dVector(0.5, 0.5, 0.5));
  }
  const TS_3dPoint target = (min + max) * 0.5;
  const double radius = hasSize ? 0.5 * (max - min).Length() : 0.5 * std::sqrt(3.0);
  const double aspect = static_cast<double>(width) / height;
  if (projection == TS::perspective_view) {
    FitPerspective(fitted, shown, target, frame, aspect, radius);
  } else {
    FitParallel(fitted, shown, target, frame, aspect, radius);
  }
  fitted.SetScreenPort(0, width - 1, height - 1, 0);
  viewport = fitted;
  return true;
}

}  // namespace

namespace {

constexpr std::pair<const char*, NprNamedView> kViewNames[] = {
    {"iso", NprNamedView::Iso},       {"front", NprNamedView::Front}, {"back", NprNamedView::Back},
    {"left", NprNamedView::Left},     {"right", NprNamedView::Right}, {"top", NprNamedView::Top},
    {"bottom", NprNamedView::Bottom},
};

}  // namespace

const char* NprNamedViewName(NprNamedView view) {
  for (const auto& [text, value] : kViewNames) {
    if (value == view) {
      return text;
    }
  }
  return "iso";
}

bool NprNamedViewFromName(const char* name, NprNamedView& view) {
  if (name == nullptr) {
    return false;
  }
  for (const auto& [text, value] : kViewNames) {
    if (std::strcmp(text, name) == 0) {
      view = value;
      return true;
    }
  }
  return false;
}

bool NprFitViewport(TS_Viewport& viewport, const TS_3dPoint& min, const TS_3dPoint& max, NprNamedView view,
                    TS::view_projection projection, int width, int height, const TS_3dVector& up) {
  PointSet corners;
  AddBoxCorners(corners, min, max);
  return Fit(viewport, corners, min, max, view, projection, width, height, up);
}

bool NprFitViewportToScene(TS_Viewport& viewport, const Scene& scene, NprNamedView view, TS::view_projection projection,
                           int width, int height, const TS_3dVector& up) {
  TS_3dPoint min, max;
  if (!NprSceneBounds(scene, min, max)) {
    return false;
  }
  PointSet vertices;
  for (const Node* node = scene.First(); node != nullptr; node = node->m_next) {
    vertices.Add(node->m_mesh.Vertices());
  }
  return Fit(viewport, vertices, min, max, view, projection, width, height, up);
}

bool NprFitDepthRange(TS_Viewport& viewport, const TS_3dPoint& min, const TS_3dPoint& max) {
  CameraFrame frame;
  TS_3dPoint location;
  if (!IsFinitePoint(min) || !IsFinitePoint(max) || !viewport.GetCameraFrame(location, frame.x, frame.y, frame.z)) {
    return false;
  }
  PointSet corners;
  AddBoxCorners(corners, min, max);
  Extent depths;
  corners.ForEach([&](const TS_3dPoint& corner) {
    const FramePoint p = InFrame(frame, location, corner);
    depths.Include(p.x, p.y, p.depth);
  });
  const double nearest = depths.nearest;
  const double farthest = depths.farthest;
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

bool NprViewportSeesScene(const TS_Viewport& viewport, const Scene& scene) {
  CameraFrame frame;
  TS_3dPoint location;
  if (!viewport.GetCameraFrame(location, frame.x, frame.y, frame.z)) {
    return false;
  }
  const bool perspective = viewport.IsPerspectiveProjection();
  for (const Node* node = scene.First(); node != nullptr; node = node->m_next) {
    for (const TS_3fPoint& vertex : node->m_mesh.Vertices()) {
      const FramePoint p = InFrame(frame, location, TS_3dPoint(vertex));
      if (p.depth < viewport.FrustumNear() || p.depth > viewport.FrustumFar() || (perspective && p.depth <= 0.0)) {
        continue;
      }
      const double scale = perspective ? viewport.FrustumNear() / p.depth : 1.0;
      const double across = p.x * scale;
      const double up = p.y * scale;
      if (across >= viewport.FrustumLeft() && across <= viewport.FrustumRight() && up >= viewport.FrustumBottom() &&
          up <= viewport.FrustumTop()) {
        return true;
      }
    }
  }
  return false;
}
