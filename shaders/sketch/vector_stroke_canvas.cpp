#include "vector_stroke_canvas.h"

namespace linvale::sketch {

namespace {

NprVectorStroke LookOf(const StrokeSegment& segment) {
  NprVectorStroke look;
  look.width = segment.width;
  look.colour = segment.colour;
  look.alpha = segment.alpha;
  return look;
}

}  // namespace

std::optional<double> VectorStrokeCanvas::ProjectedDistance(const TS_3dPoint& a, const TS_3dPoint& b) {
  return mCanvas.ProjectedDistance(a, b);
}

void VectorStrokeCanvas::DrawSegment(const StrokeSegment& segment) {
  const NprVectorStroke look = LookOf(segment);
  if (!mPoints.empty() && mPoints.back() == segment.p0 && look == mLook) {
    mPoints.push_back(segment.p1);
    return;
  }
  EndStroke();
  mLook = look;
  mPoints = {segment.p0, segment.p1};
}

void VectorStrokeCanvas::EndStroke() {
  if (mPoints.size() >= 2) {
    mCanvas.AddPolyline(mPoints, mLook);
  }
  mPoints.clear();
}

}  // namespace linvale::sketch
