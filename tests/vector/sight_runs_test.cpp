// Cutting a projected polyline where the faces hide it.
#include "sight_runs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using linvale::DepthImage;
using linvale::Sight;
using linvale::SightRun;
using linvale::SplitBySight;
using linvale::WindowPoint;

constexpr double kBias = 1e-5;
constexpr double kShortest = 1.5;

// A 100 x 20 image whose faces lie at depth 0.5 between columns `from` and
// `to` and nowhere else.
std::vector<float> WallDepth(int from, int to) {
  std::vector<float> depth(100 * 20, 1.0f);
  for (int y = 0; y < 20; ++y) {
    for (int x = from; x < to; ++x) {
      depth[static_cast<std::size_t>(y * 100 + x)] = 0.5f;
    }
  }
  return depth;
}

TEST(SightRuns, ALineBehindAWallIsCutAtItsEdgesAndInFrontOfItIsWhole) {
  const std::vector<float> depth = WallDepth(40, 60);
  const DepthImage image(100, 20, depth);
  const std::vector<WindowPoint> behind{{5, 10, 0.8}, {95, 10, 0.8}};
  const std::vector<SightRun> runs = SplitBySight(behind, image, kBias, kShortest);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].sight, Sight::Visible);
  EXPECT_EQ(runs[1].sight, Sight::Hidden);
  EXPECT_EQ(runs[2].sight, Sight::Visible);
  EXPECT_NEAR(runs[0].points.back().x, 40.0, 1.5);
  EXPECT_NEAR(runs[2].points.front().x, 60.0, 1.5);
  // The runs share their cut points and keep the line's ends.
  EXPECT_DOUBLE_EQ(runs[0].points.front().x, 5.0);
  EXPECT_DOUBLE_EQ(runs[0].points.back().x, runs[1].points.front().x);
  EXPECT_DOUBLE_EQ(runs[2].points.back().x, 95.0);

  const std::vector<WindowPoint> inFront{{5, 10, 0.3}, {95, 10, 0.3}};
  const std::vector<SightRun> whole = SplitBySight(inFront, image, kBias, kShortest);
  ASSERT_EQ(whole.size(), 1u);
  EXPECT_EQ(whole[0].sight, Sight::Visible);
}

TEST(SightRuns, ALineOnAFaceIsSeenOnlyWithinTheBias) {
  const std::vector<float> depth = WallDepth(0, 100);
  const DepthImage image(100, 20, depth);
  const std::vector<WindowPoint> onFace{{5, 10, 0.5 + kBias / 2}, {95, 10, 0.5 + kBias / 2}};
  EXPECT_EQ(SplitBySight(onFace, image, kBias, kShortest).at(0).sight, Sight::Visible);
  const std::vector<WindowPoint> justBehind{{5, 10, 0.5 + kBias * 4}, {95, 10, 0.5 + kBias * 4}};
  EXPECT_EQ(SplitBySight(justBehind, image, kBias, kShortest).at(0).sight, Sight::Hidden);
}

TEST(SightRuns, FlickersShorterThanTheShortestRunTakeTheirNeighboursSight) {
  // A post three pixels wide hides a line only along its middle pixel,
  // since the pixels beside a line count too: sampling noise, not a cut.
  const std::vector<WindowPoint> line{{12, 10, 0.8}, {88, 10, 0.8}};
  const std::vector<float> post = WallDepth(49, 52);
  const std::vector<SightRun> runs = SplitBySight(line, DepthImage(100, 20, post), kBias, kShortest);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].sight, Sight::Visible);
  // A post of eight pixels really hides a stretch of it.
  const std::vector<float> wide = WallDepth(46, 54);
  EXPECT_EQ(SplitBySight(line, DepthImage(100, 20, wide), kBias, kShortest).size(), 3u);
}

TEST(SightRuns, ALineIsSeenWhereThePixelsBesideItShowIt) {
  // A wall that ends a pixel from the line's centre leaves the line seen.
  std::vector<float> depth(100 * 20, 0.5f);
  for (int x = 0; x < 100; ++x) {
    depth[static_cast<std::size_t>(11 * 100 + x)] = 1.0f;
  }
  const std::vector<WindowPoint> besideTheEdge{{5, 10.5, 0.8}, {95, 10.5, 0.8}};
  EXPECT_EQ(SplitBySight(besideTheEdge, DepthImage(100, 20, depth), kBias, kShortest).at(0).sight, Sight::Visible);
  const std::vector<WindowPoint> twoPixelsAway{{5, 8.5, 0.8}, {95, 8.5, 0.8}};
  EXPECT_EQ(SplitBySight(twoPixelsAway, DepthImage(100, 20, depth), kBias, kShortest).at(0).sight, Sight::Hidden);
}

TEST(SightRuns, ACutJustPastACornerMovesOntoTheCorner) {
  // Faces at depth 0.5 from row 11 up; the line runs along row 10 in the
  // open, turns at (50, 10) and goes on behind the faces.
  std::vector<float> depth(100 * 100, 1.0f);
  for (std::size_t pixel = 11 * 100; pixel < depth.size(); ++pixel) {
    depth[pixel] = 0.5f;
  }
  const std::vector<WindowPoint> corner{{10, 10, 0.8}, {50, 10, 0.8}, {50, 80, 0.8}};
  const std::vector<SightRun> runs = SplitBySight(corner, DepthImage(100, 100, depth), kBias, kShortest * 2);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].sight, Sight::Visible);
  ASSERT_EQ(runs[0].points.size(), 2u);
  EXPECT_DOUBLE_EQ(runs[0].points.back().x, 50.0);
  EXPECT_DOUBLE_EQ(runs[0].points.back().y, 10.0);
  // A cut far from any corner stays where the faces put it.
  const std::vector<WindowPoint> straight{{50, 2, 0.8}, {50, 80, 0.8}};
  const std::vector<SightRun> cut = SplitBySight(straight, DepthImage(100, 100, depth), kBias, kShortest * 2);
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_GT(cut[0].points.back().y, 10.0);
  EXPECT_LT(cut[0].points.back().y, 14.0);
}

TEST(SightRuns, AClosedLoopCutOnceIsOneRunWrappingRoundItsStart) {
  const std::vector<float> depth = WallDepth(40, 60);
  const DepthImage image(100, 20, depth);
  // A rectangle starting in the visible part, crossing the wall twice.
  const std::vector<WindowPoint> loop{{20, 5, 0.8}, {80, 5, 0.8}, {80, 15, 0.8}, {20, 15, 0.8}, {20, 5, 0.8}};
  const std::vector<SightRun> runs = SplitBySight(loop, image, kBias, kShortest);
  std::size_t visible = 0;
  std::size_t hidden = 0;
  for (const SightRun& run : runs) {
    (run.sight == Sight::Visible ? visible : hidden) += 1;
  }
  // Left part (wrapping round the start), right part, two hidden crossings.
  EXPECT_EQ(visible, 2u);
  EXPECT_EQ(hidden, 2u);
  // The wrapped run passes through the loop's first point.
  bool wrapped = false;
  for (const SightRun& run : runs) {
    for (std::size_t i = 1; i + 1 < run.points.size(); ++i) {
      wrapped = wrapped || (run.points[i].x == 20.0 && run.points[i].y == 5.0);
    }
  }
  EXPECT_TRUE(wrapped);
}

TEST(SightRuns, PartsOffTheImageOrBeyondTheDepthRangeAreOutside) {
  const DepthImage image(100, 20, {});
  const std::vector<WindowPoint> leaving{{50, 10, 0.5}, {150, 10, 0.5}};
  const std::vector<SightRun> runs = SplitBySight(leaving, image, kBias, kShortest);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].sight, Sight::Visible);
  EXPECT_EQ(runs[1].sight, Sight::Outside);
  EXPECT_NEAR(runs[0].points.back().x, 100.0, 1.0);
  EXPECT_EQ(image.SightOf({10, 10, 1.5}, kBias), Sight::Outside);
  EXPECT_EQ(image.SightOf({10, -0.5, 0.5}, kBias), Sight::Outside);
  EXPECT_TRUE(SplitBySight(std::vector<WindowPoint>{{1, 1, 0.5}}, image, kBias, kShortest).empty());
}

}  // namespace
