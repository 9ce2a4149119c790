// Strokes drawn with OpenGL into the current context: wide lines, and
// points of the line width as end caps. Distances are measured with the
// model-view, projection and viewport that are current when the canvas is
// made, which the render pass does not change while it draws edges.
#pragma once

#include "stroke_canvas.h"

#include <array>

namespace linvale::sketch {

class GlStrokeCanvas final : public StrokeCanvas {
public:
  GlStrokeCanvas();

  std::optional<double> ProjectedDistance(const TS_3dPoint& a, const TS_3dPoint& b) override;
  void DrawSegment(const StrokeSegment& segment) override;

private:
  std::optional<std::array<double, 3>> Project(const TS_3dPoint& p) const;
  void FlushEvery(unsigned segments);

  std::array<double, 16> mModelView{};
  std::array<double, 16> mProjection{};
  std::array<int, 4> mViewport{};
  unsigned mSegmentsSinceFlush = 0;
};

}  // namespace linvale::sketch
