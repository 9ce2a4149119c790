// Strokes put down on a vector canvas: consecutive segments of one stroke
// that meet end to end and look alike become one polyline; a change of
// width or colour (the width and intensity cycles) starts the next.
#pragma once

#include "stroke_canvas.h"

#include <linvale/npr_vector_canvas.h>

#include <vector>

namespace linvale::sketch {

class VectorStrokeCanvas final : public StrokeCanvas {
public:
  // `canvas` must outlive this object.
  explicit VectorStrokeCanvas(NprVectorCanvas& canvas) : mCanvas(canvas) {}

  std::optional<double> ProjectedDistance(const TS_3dPoint& a, const TS_3dPoint& b) override;
  void DrawSegment(const StrokeSegment& segment) override;
  void EndStroke() override;

private:
  NprVectorCanvas& mCanvas;
  std::vector<TS_3dPoint> mPoints;
  NprVectorStroke mLook;
};

}  // namespace linvale::sketch
