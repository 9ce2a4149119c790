// The vector canvas: world polylines to page paths, cut by the depth of the
// faces, hidden parts left out or dashed, faces back to front.
#include <linvale/npr_vector_canvas.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kSide = 200;

// World x and y from -1 to 1 fill the window; window depth is (z + 1) / 2.
// The left half of the window is covered by a face at depth 0.5.
NprVectorView HalfCoveredView(double pageScale = 1.0) {
  NprVectorView view;
  for (int i = 0; i < 4; ++i) {
    view.modelView[static_cast<std::size_t>(i * 5)] = 1.0;
    view.projection[static_cast<std::size_t>(i * 5)] = 1.0;
  }
  view.viewport = {0, 0, kSide, kSide};
  view.pageScale = pageScale;
  view.depth.assign(kSide * kSide, 1.0f);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide / 2; ++x) {
      view.depth[static_cast<std::size_t>(y * kSide + x)] = 0.5f;
    }
  }
  return view;
}

NprVectorStroke Outline(double width) {
  NprVectorStroke stroke;
  stroke.width = width;
  stroke.joinTouching = true;
  return stroke;
}

// From x = -0.9 to 0.9 at height 0, behind the face (z 0.6 is depth 0.8).
const std::vector<TS_3dPoint> kAcross{{-0.9, 0.0, 0.6}, {0.9, 0.0, 0.6}};

TEST(VectorCanvas, HiddenPartsAreLeftOutOrDashedAndThinner) {
  NprVectorCanvas omitted(HalfCoveredView(), {});
  omitted.AddPolyline(kAcross, Outline(2.0));
  const NprVectorDrawing plain = omitted.TakeDrawing(kSide, kSide, {1, 1, 1});
  ASSERT_EQ(plain.groups.size(), 1u);
  ASSERT_EQ(plain.groups[0].paths.size(), 1u);
  const NprVectorPath& seen = plain.groups[0].paths[0];
  EXPECT_NEAR(seen.points.front().x, 100.0, 1.5);
  EXPECT_NEAR(seen.points.back().x, 190.0, 1e-9);
  EXPECT_NEAR(seen.points.back().y, 100.0, 1e-9);
  EXPECT_FALSE(seen.stroke.dashed);

  NprVectorOptions options;
  options.hiddenLines = NprHiddenLines::Dashed;
  NprVectorCanvas dashed(HalfCoveredView(), options);
  dashed.AddPolyline(kAcross, Outline(2.0));
  const NprVectorDrawing both = dashed.TakeDrawing(kSide, kSide, {1, 1, 1});
  ASSERT_EQ(both.groups[0].paths.size(), 2u);
  const NprVectorPath& hidden = both.groups[0].paths[0];
  EXPECT_TRUE(hidden.stroke.dashed);
  EXPECT_LT(hidden.stroke.width, 2.0);
  EXPECT_NEAR(hidden.points.front().x, 10.0, 1e-9);
}

TEST(VectorCanvas, PageCoordinatesAndWidthsFollowThePageScaleWithYDown) {
  NprVectorCanvas canvas(HalfCoveredView(0.5), {});
  canvas.AddPolyline(std::vector<TS_3dPoint>{{0.2, 0.5, 0.0}, {0.8, 0.9, 0.0}}, Outline(4.0));
  const NprVectorDrawing drawing = canvas.TakeDrawing(kSide / 2, kSide / 2, {1, 1, 1});
  ASSERT_EQ(drawing.groups[0].paths.size(), 1u);
  const NprVectorPath& path = drawing.groups[0].paths[0];
  EXPECT_DOUBLE_EQ(path.stroke.width, 2.0);
  EXPECT_NEAR(path.points[0].x, 60.0, 1e-9);
  EXPECT_NEAR(path.points[0].y, 25.0, 1e-9);
  EXPECT_NEAR(path.points[1].x, 90.0, 1e-9);
  EXPECT_NEAR(path.points[1].y, 5.0, 1e-9);
}

TEST(VectorCanvas, GroupsAreNamedAfterTheirNodesAndPiecesOfOneOutlineJoin) {
  NprVectorOptions options;
  options.nodeNames = {"base", ""};
  NprVectorCanvas canvas(HalfCoveredView(), options);
  canvas.SelectNode(1);
  // Two lines in front of everything, meeting end to end, as chaining
  // leaves a run seeded in its middle.
  canvas.AddPolyline(std::vector<TS_3dPoint>{{0.2, 0.2, -0.5}, {0.5, 0.2, -0.5}}, Outline(1.0));
  canvas.AddPolyline(std::vector<TS_3dPoint>{{0.2, 0.6, -0.5}, {0.2, 0.2, -0.5}}, Outline(1.0));
  const NprVectorDrawing drawing = canvas.TakeDrawing(kSide, kSide, {1, 1, 1});
  ASSERT_EQ(drawing.groups.size(), 2u);
  EXPECT_EQ(drawing.groups[0].name, "base");
  EXPECT_EQ(drawing.groups[1].name, "node-2");
  EXPECT_TRUE(drawing.groups[0].paths.empty());
  ASSERT_EQ(drawing.groups[1].paths.size(), 1u);
  EXPECT_EQ(drawing.groups[1].paths[0].points.size(), 3u);
}

TEST(VectorCanvas, FacesComeBackToFrontAndHiddenFacesAreLeftOut) {
  NprVectorOptions options;
  options.fills = true;
  NprVectorCanvas canvas(HalfCoveredView(), options);
  // On the uncovered right half: a near face, then a far one.
  canvas.AddFace({TS_3dPoint(0.2, 0.2, -0.8), TS_3dPoint(0.8, 0.2, -0.8), TS_3dPoint(0.5, 0.8, -0.8)}, {1, 0, 0});
  canvas.AddFace({TS_3dPoint(0.2, -0.8, 0.4), TS_3dPoint(0.8, -0.8, 0.4), TS_3dPoint(0.5, -0.2, 0.4)}, {0, 0, 1});
  // Behind the face covering the left half.
  canvas.AddFace({TS_3dPoint(-0.8, 0.2, 0.6), TS_3dPoint(-0.2, 0.2, 0.6), TS_3dPoint(-0.5, 0.8, 0.6)}, {0, 1, 0});
  const NprVectorDrawing drawing = canvas.TakeDrawing(kSide, kSide, {1, 1, 1});
  ASSERT_EQ(drawing.fills.size(), 2u);
  EXPECT_EQ(drawing.fills[0].colour, (std::array<double, 3>{0, 0, 1}));
  EXPECT_EQ(drawing.fills[1].colour, (std::array<double, 3>{1, 0, 0}));
}

}  // namespace
