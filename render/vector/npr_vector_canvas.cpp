// Visibility is decided against the depth of the faces the picture would
// show, so what the bitmap shows is what the vector file draws, within a
// pixel.
#include <linvale/npr_vector_canvas.h>

#include "path_shaping.h"
#include "sight_runs.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using linvale::Sight;
using linvale::WindowPoint;

// How much further than the faces a line may lie and still be seen, in
// window depth. The faces are already pushed back by the polygon offset the
// shaders draw them with; this only absorbs rounding.
constexpr double kDepthBias = 1e-5;
// Visible or hidden stretches shorter than this many page pixels are
// sampling noise.
constexpr double kShortestRun = 1.5;
constexpr double kCollinearTolerance = 0.25;
// Hidden lines are drawn at this share of their width.
constexpr double kHiddenWidthShare = 0.5;

linvale::DepthImage DepthOf(const NprVectorView& view) {
  return {view.viewport[2], view.viewport[3], view.depth};
}

std::string NodeName(const NprVectorOptions& options, std::size_t index) {
  if (index < options.nodeNames.size() && !options.nodeNames[index].empty()) {
    return options.nodeNames[index];
  }
  return "node-" + std::to_string(index + 1);
}

}  // namespace

NprVectorCanvas::NprVectorCanvas(NprVectorView view, NprVectorOptions options)
    : mView(std::move(view)), mOptions(std::move(options)) {}

std::optional<std::array<double, 3>> NprVectorCanvas::Project(const TS_3dPoint& p) const {
  std::array<double, 3> window{};
  if (gluProject(p.x, p.y, p.z, mView.modelView.data(), mView.projection.data(), mView.viewport.data(), &window[0],
                 &window[1], &window[2]) != GL_TRUE) {
    return std::nullopt;
  }
  return window;
}

std::optional<double> NprVectorCanvas::ProjectedDistance(const TS_3dPoint& a, const TS_3dPoint& b) const {
  const auto windowA = Project(a);
  const auto windowB = Project(b);
  if (!windowA || !windowB) {
    return std::nullopt;
  }
  return std::hypot((*windowA)[0] - (*windowB)[0], (*windowA)[1] - (*windowB)[1], (*windowA)[2] - (*windowB)[2]);
}

NprPagePoint NprVectorCanvas::ToPage(double x, double y) const {
  const double scale = mView.pageScale;
  return {(x - mView.viewport[0]) * scale, (mView.viewport[1] + mView.viewport[3] - y) * scale};
}

void NprVectorCanvas::SelectNode(std::size_t index) { mNode = index; }

NprVectorGroup& NprVectorCanvas::CurrentGroup() {
  if (mGroups.size() <= mNode) {
    const std::size_t first = mGroups.size();
    mGroups.resize(mNode + 1);
    for (std::size_t i = first; i < mGroups.size(); ++i) {
      mGroups[i].name = NodeName(mOptions, i);
    }
  }
  return mGroups[mNode];
}

void NprVectorCanvas::AddPolyline(std::span<const TS_3dPoint> points, const NprVectorStroke& stroke) {
  // A point on the camera plane has no place on the page; the line breaks
  // there.
  std::vector<WindowPoint> window;
  window.reserve(points.size());
  for (const TS_3dPoint& p : points) {
    if (const auto projected = Project(p)) {
      window.push_back({(*projected)[0], (*projected)[1], (*projected)[2]});
      continue;
    }
    AddWindowPolyline(window, stroke);
    window.clear();
  }
  AddWindowPolyline(window, stroke);
}

void NprVectorCanvas::AddWindowPolyline(const std::vector<WindowPoint>& window, const NprVectorStroke& stroke) {
  const double shortest = kShortestRun / mView.pageScale;
  NprVectorGroup& group = CurrentGroup();
  for (linvale::SightRun& run : linvale::SplitBySight(window, DepthOf(mView), kDepthBias, shortest)) {
    const bool hidden = run.sight == Sight::Hidden;
    if (run.sight == Sight::Outside || (hidden && mOptions.hiddenLines == NprHiddenLines::Omitted)) {
      continue;
    }
    NprVectorPath path;
    path.stroke = stroke;
    path.stroke.width = stroke.width * mView.pageScale * (hidden ? kHiddenWidthShare : 1.0);
    path.stroke.dashed = hidden;
    path.points.reserve(run.points.size());
    for (const WindowPoint& p : run.points) {
      path.points.push_back(ToPage(p.x, p.y));
    }
    group.paths.push_back(std::move(path));
  }
}

void NprVectorCanvas::AddFace(const std::array<TS_3dPoint, 3>& corners, const std::array<double, 3>& colour) {
  std::array<WindowPoint, 3> window{};
  double depth = 0.0;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const auto projected = Project(corners[i]);
    if (!projected) {
      return;
    }
    window[i] = {(*projected)[0], (*projected)[1], (*projected)[2]};
    depth += window[i].z / 3.0;
  }
  // A face counts as seen when a point a little inside any of its corners,
  // or its middle, is not behind the nearest face there; the order back to
  // front does the rest.
  const linvale::DepthImage image = DepthOf(mView);
  const auto inside = [&window](double a, double b, double c) {
    return WindowPoint{a * window[0].x + b * window[1].x + c * window[2].x,
                       a * window[0].y + b * window[1].y + c * window[2].y,
                       a * window[0].z + b * window[1].z + c * window[2].z};
  };
  constexpr double kNear = 2.0 / 3.0;
  constexpr double kFar = 1.0 / 6.0;
  const std::array<WindowPoint, 4> probes{inside(1.0 / 3.0, 1.0 / 3.0, 1.0 / 3.0), inside(kNear, kFar, kFar),
                                          inside(kFar, kNear, kFar), inside(kFar, kFar, kNear)};
  // Faces were drawn pushed back, so their own depth needs the push too.
  constexpr double kFaceBias = 1e-3;
  if (std::none_of(probes.begin(), probes.end(),
                   [&](const WindowPoint& p) { return image.SightOf(p, kFaceBias) == Sight::Visible; })) {
    return;
  }
  NprVectorFill fill;
  fill.colour = colour;
  for (const WindowPoint& p : window) {
    fill.corners.push_back(ToPage(p.x, p.y));
  }
  mFaces.push_back({depth, std::move(fill)});
}

NprVectorDrawing NprVectorCanvas::TakeDrawing(double pageWidth, double pageHeight,
                                              const std::array<double, 3>& background) {
  NprVectorDrawing drawing;
  drawing.width = pageWidth;
  drawing.height = pageHeight;
  drawing.background = background;
  std::stable_sort(mFaces.begin(), mFaces.end(),
                   [](const DepthFace& a, const DepthFace& b) { return a.depth > b.depth; });
  for (DepthFace& face : mFaces) {
    drawing.fills.push_back(std::move(face.fill));
  }
  mFaces.clear();
  for (NprVectorGroup& group : mGroups) {
    linvale::JoinTouchingPaths(group.paths);
    for (NprVectorPath& path : group.paths) {
      path.points = linvale::DropNearlyCollinear(path.points, kCollinearTolerance);
      linvale::CloseLoop(path);
    }
    std::erase_if(group.paths, [](const NprVectorPath& path) { return path.points.size() < 2; });
  }
  drawing.groups = std::move(mGroups);
  mGroups.clear();
  return drawing;
}
