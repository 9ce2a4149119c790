// What a shader draws its vector form on: world-space polylines and faces
// go in, page paths come out, cut where the scene's own faces hide them.
#pragma once

#include <linvale/export.h>
#include <linvale/npr_vector_drawing.h>
#include <tessel/ts_point.h>

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace linvale {
struct WindowPoint;
}

// How world points reach the page, and the depth of the faces that decides
// what is hidden.
struct NprVectorView {
  // The model-view and projection matrices of the render (GL's column-major
  // order) and its viewport (x, y, width, height in drawn pixels).
  std::array<double, 16> modelView{};
  std::array<double, 16> projection{};
  std::array<int, 4> viewport{};
  // Page pixels per drawn pixel: 0.5 when the render draws at twice the
  // picture's size.
  double pageScale = 1.0;
  // Window depth of the nearest face, one value per drawn pixel, bottom row
  // first; empty when nothing hides anything.
  std::vector<float> depth;
};

class LINVALE_API NprVectorCanvas {
public:
  NprVectorCanvas(NprVectorView view, NprVectorOptions options);

  // Distance in drawn pixels between the window positions (x, y and depth)
  // of `a` and `b`, as the picture measures it; nothing when either cannot
  // be projected.
  std::optional<double> ProjectedDistance(const TS_3dPoint& a, const TS_3dPoint& b) const;

  // Paths added from now on belong to node `index` (from 0) of the scene.
  void SelectNode(std::size_t index);

  // A polyline in world space, stroked with `stroke` whose width is in drawn
  // pixels. Visible parts become paths; hidden parts are left out or dashed
  // as the options say; parts off the page are dropped.
  void AddPolyline(std::span<const TS_3dPoint> points, const NprVectorStroke& stroke);

  bool WantsFills() const { return mOptions.fills; }
  // A face in world space and its flat colour; only faces turned towards
  // the camera are kept.
  void AddFace(const std::array<TS_3dPoint, 3>& corners, const std::array<double, 3>& colour);

  // The finished drawing: touching outlines joined, points within a quarter
  // pixel of a straight line dropped, faces back to front. The canvas is
  // empty afterwards.
  NprVectorDrawing TakeDrawing(double pageWidth, double pageHeight, const std::array<double, 3>& background);

private:
  struct DepthFace {
    double depth;
    NprVectorFill fill;
  };

  // Window x, y and depth in drawn pixels.
  std::optional<std::array<double, 3>> Project(const TS_3dPoint& p) const;
  void AddWindowPolyline(const std::vector<linvale::WindowPoint>& window, const NprVectorStroke& stroke);
  NprPagePoint ToPage(double x, double y) const;
  NprVectorGroup& CurrentGroup();

  NprVectorView mView;
  NprVectorOptions mOptions;
  std::size_t mNode = 0;
  std::vector<NprVectorGroup> mGroups;
  std::vector<DepthFace> mFaces;
};
