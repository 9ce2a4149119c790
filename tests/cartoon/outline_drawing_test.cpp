// Outlines drawn into a picture the size of a supersampled 1920 x 1080
// render, wide and smooth as the Cartoon render pass draws them.
#include "outline_drawing.h"

#include "support/supersampled_gl_picture.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

using linvale::test::HeapGrowthSince;
using linvale::test::HeapInUse;

// Short lines scattered over the picture, as the edges of one large node.
TS_ClassArray<TS_Line> ScatteredLines(int count) {
  TS_ClassArray<TS_Line> lines;
  for (int i = 0; i < count; ++i) {
    const TS_3dPoint from(10.0 + (i * 37) % 3700, 10.0 + (i * 53) % 2000, 0.0);
    lines.Append(TS_Line(from, TS_3dPoint(from.x + 40.0, from.y + 25.0, 0.0)));
  }
  return lines;
}

using OutlineDrawingQueue = linvale::test::RasteriserQueueTest;

}  // namespace

TEST_F(OutlineDrawingQueue, ANodesManyOutlinesDoNotPileUpWaitingForTheRasteriser) {
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glLineWidth(6.0F);
  const linvale::cartoon::OutlineColor black{0.0, 0.0, 0.0};
  linvale::cartoon::OutlinePen pen;
  // The first lines have the rasteriser make its line code.
  pen.Draw(ScatteredLines(100), black);
  glFinish();
  const TS_ClassArray<TS_Line> lines = ScatteredLines(40000);
  const std::size_t before = HeapInUse();
  pen.Draw(lines, black);
  // Unflushed, llvmpipe held about 19 MB of these lines.
  EXPECT_LT(HeapGrowthSince(before), std::size_t{10} << 20U);
}
