// Strokes drawn through the GL canvas into a picture the size of a
// supersampled 1920 x 1080 render.
#include "gl_stroke_canvas.h"

#include <linvale/npr_gl_bitmap_context.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstddef>

namespace {

constexpr LONG kWidth = 3840;
constexpr LONG kHeight = 2160;

std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

void LookStraightAtThePicture() {
  glViewport(0, 0, kWidth, kHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0.0, kWidth, 0.0, kHeight, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

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

}  // namespace

TEST(GlStrokeCanvas, StrokesOfChangingWidthDoNotPileUpWaitingForTheRasteriser) {
#ifdef LINVALE_SANITIZED
  GTEST_SKIP() << "AddressSanitizer's allocator keeps no glibc heap counts";
#endif
  NprGlBitmapContext context;
  ASSERT_TRUE(context.CreateBitmapContext(SIZE{kWidth, kHeight}, 0, 32, nullptr, nullptr));
  ASSERT_TRUE(context.CreateGlContext());
  ASSERT_TRUE(context.MakeCurrent());
  LookStraightAtThePicture();
  linvale::sketch::GlStrokeCanvas canvas;
  // The first strokes have the rasteriser make its line and point code.
  DrawStrokesOfChangingWidth(canvas, 100);
  glFinish();
  const std::size_t before = HeapInUse();
  DrawStrokesOfChangingWidth(canvas, 4000);
  const std::size_t after = HeapInUse();
  // Unflushed, llvmpipe held about 30 MB of these strokes on the drawing
  // thread and over 100 MB with rasteriser threads of its own.
  EXPECT_LT(after > before ? after - before : 0, std::size_t{16} << 20U);
}
