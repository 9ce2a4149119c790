// Renders small scenes through the renderer and the real Sketch plug-in and
// checks what the pictures must show.
#include "sketch_render_support.h"

#include <gtest/gtest.h>

namespace {

using sketch_test::Box;
using sketch_test::Coverage;
using sketch_test::Picture;
using sketch_test::SketchRenderFixture;

constexpr std::uint32_t kWhite = 0xFFFFFFU;

class SketchRender : public ::testing::Test {
protected:
  void SetUp() override {
    NprAppendMeshNode(mScene, Box({0, 0, 0}, 1.0), TS_Color(200, 80, 40));
    mFixture.Fit(mScene, mViewport, NprNamedView::Iso, TS::perspective_view);
  }

  // Where the cube covers the picture: its faces filled with their colour.
  Coverage CubeCoverage() {
    mFixture.SetKeys({{"silEdges", "0"}, {"textureFill", "1"}});
    HBITMAP filled = mFixture.Render(mScene, mViewport);
    EXPECT_NE(filled, nullptr);
    const Coverage coverage(Picture(filled), kWhite);
    DeleteObject(filled);
    return coverage;
  }

  Picture RenderPicture() {
    HBITMAP bitmap = mFixture.Render(mScene, mViewport);
    EXPECT_NE(bitmap, nullptr);
    Picture picture(bitmap);
    DeleteObject(bitmap);
    return picture;
  }

  SketchRenderFixture mFixture;
  Scene mScene;
  TS_Viewport mViewport;
};

TEST_F(SketchRender, OutlineStrokesFollowTheSilhouetteAndStayOffTheFaces) {
  const Coverage cube = CubeCoverage();
  mFixture.SetKeys({});
  const Picture outline = RenderPicture();

  int dark = 0;
  for (int y = 0; y < outline.height; ++y) {
    for (int x = 0; x < outline.width; ++x) {
      if (outline.IsDark(x, y)) {
        ++dark;
        EXPECT_LE(cube.DistanceToBoundary(x, y, 3), 3) << "stroke pixel away from the outline at " << x << "," << y;
      }
    }
  }
  EXPECT_GT(dark, 200);
  // Every part of the outline is drawn: no boundary pixel of the cube lies
  // far from a stroke.
  int boundary = 0;
  int missed = 0;
  for (int y = 0; y < outline.height; ++y) {
    for (int x = 0; x < outline.width; ++x) {
      if (cube.Covered(x, y) && cube.DistanceToBoundary(x, y, 1) == 1) {
        ++boundary;
        bool nearStroke = false;
        for (int dy = -3; dy <= 3 && !nearStroke; ++dy) {
          for (int dx = -3; dx <= 3 && !nearStroke; ++dx) {
            const int px = x + dx;
            const int py = y + dy;
            nearStroke = px >= 0 && py >= 0 && px < outline.width && py < outline.height && outline.IsDark(px, py);
          }
        }
        missed += nearStroke ? 0 : 1;
      }
    }
  }
  EXPECT_GT(boundary, 100);
  EXPECT_LT(missed, boundary / 50);
}

}  // namespace
