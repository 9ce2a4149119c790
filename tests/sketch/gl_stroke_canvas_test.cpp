// Strokes drawn through the GL canvas into a picture the size of a
// supersampled 1920 x 1080 render.
#include "gl_stroke_canvas.h"

#include "support/supersampled_gl_picture.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

using linvale::test::HeapGrowthSince;
using linvale::test::HeapInUse;

// Short dark strokes across the picture, each a pixel wider than the one
// before up to ten, as the width variation of a style draws them.
void DrawStrokesOfChangingWidth(linvale::sketch::GlStrokeCanvas& canvas, int count) {
  for (int i = 0; i < count; ++i) {
    linvale::sketch::StrokeSegment segment;
    segment.p0 = TS_3dPoint(10.0 + (i * 37) % 3700, 10.0 + (i * 53) % 2000, 0.0);
    segment.p1 = TS_3dPoint(segment.p0.x + 40.0, segment.p0.y + 25.0, 0.0);
    segment.width = 1 + i % 10;
    segment.endDot = i % 2 == 0;
    canvas.DrawSegment(segment);
  }
}

using GlStrokeCanvasQueue = linvale::test::RasteriserQueueTest;

}  // namespace

TEST_F(GlStrokeCanvasQueue, StrokesOfChangingWidthDoNotPileUpWaitingForTheRasteriser) {
  linvale::sketch::GlStrokeCanvas canvas;
  // The first strokes have the rasteriser make its line and point code.
  DrawStrokesOfChangingWidth(canvas, 100);
  glFinish();
  const std::size_t before = HeapInUse();
  DrawStrokesOfChangingWidth(canvas, 4000);
  // Unflushed, llvmpipe held about 30 MB of these strokes.
  EXPECT_LT(HeapGrowthSince(before), std::size_t{10} << 20U);
}
