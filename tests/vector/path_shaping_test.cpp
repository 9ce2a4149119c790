// Page paths made good to edit: straight runs thinned, touching outlines
// joined, loops closed, coordinates short.
#include "path_shaping.h"
#include "vector_files.h"

#include <gtest/gtest.h>

namespace {

using linvale::CloseLoop;
using linvale::DropNearlyCollinear;
using linvale::FormatCoordinate;
using linvale::JoinTouchingPaths;

NprVectorPath PathOf(std::vector<NprPagePoint> points, double width = 2.0) {
  NprVectorPath path;
  path.points = std::move(points);
  path.stroke.width = width;
  path.stroke.joinTouching = true;
  return path;
}

TEST(PathShaping, PointsWithinAQuarterPixelOfTheLineGoAndCornersStay) {
  const std::vector<NprPagePoint> wobbly{{0, 0}, {10, 0.2}, {20, -0.2}, {30, 0}, {30, 30}};
  EXPECT_EQ(DropNearlyCollinear(wobbly, 0.25), (std::vector<NprPagePoint>{{0, 0}, {30, 0}, {30, 30}}));
  // A bump of a third of a pixel is a shape, not noise.
  const std::vector<NprPagePoint> bump{{0, 0}, {10, 0.34}, {20, 0}};
  EXPECT_EQ(DropNearlyCollinear(bump, 0.25).size(), 3u);
  // Repeated points are kept once.
  const std::vector<NprPagePoint> repeated{{0, 0}, {0, 0}, {5, 5}, {5, 5}};
  EXPECT_EQ(DropNearlyCollinear(repeated, 0.25), (std::vector<NprPagePoint>{{0, 0}, {5, 5}}));
}

TEST(PathShaping, LinesMeetingEndToEndBecomeOnePathWhateverTheirDirection) {
  std::vector<NprVectorPath> paths{PathOf({{10, 0}, {20, 0}}), PathOf({{30, 10}, {20, 0}}),
                                   PathOf({{0, 5}, {10, 0}}), PathOf({{50, 50}, {60, 60}})};
  JoinTouchingPaths(paths);
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_EQ(paths[0].points, (std::vector<NprPagePoint>{{0, 5}, {10, 0}, {20, 0}, {30, 10}}));
  EXPECT_EQ(paths[1].points, (std::vector<NprPagePoint>{{50, 50}, {60, 60}}));
}

TEST(PathShaping, OnlyPathsOfOneStrokeThatAllowItAreJoined) {
  std::vector<NprVectorPath> widths{PathOf({{0, 0}, {10, 0}}, 2.0), PathOf({{10, 0}, {20, 0}}, 3.0)};
  JoinTouchingPaths(widths);
  EXPECT_EQ(widths.size(), 2u);
  std::vector<NprVectorPath> strokes{PathOf({{0, 0}, {10, 0}}), PathOf({{10, 0}, {20, 0}})};
  strokes[0].stroke.joinTouching = strokes[1].stroke.joinTouching = false;
  JoinTouchingPaths(strokes);
  EXPECT_EQ(strokes.size(), 2u);
}

TEST(PathShaping, AChainReturningToItsStartIsOneClosedPath) {
  std::vector<NprVectorPath> square{PathOf({{0, 0}, {10, 0}}), PathOf({{10, 10}, {10, 0}}),
                                    PathOf({{10, 10}, {0, 10}}), PathOf({{0, 10}, {0, 0}})};
  JoinTouchingPaths(square);
  ASSERT_EQ(square.size(), 1u);
  CloseLoop(square[0]);
  EXPECT_TRUE(square[0].closed);
  EXPECT_EQ(square[0].points.size(), 4u);
  NprVectorPath thereAndBack = PathOf({{0, 0}, {10, 0}, {0, 0}});
  CloseLoop(thereAndBack);
  EXPECT_FALSE(thereAndBack.closed);
}

TEST(PathShaping, CoordinatesHaveAtMostTwoDecimals) {
  EXPECT_EQ(FormatCoordinate(12.0), "12");
  EXPECT_EQ(FormatCoordinate(12.5), "12.5");
  EXPECT_EQ(FormatCoordinate(1.23456), "1.23");
  EXPECT_EQ(FormatCoordinate(0.999), "1");
  EXPECT_EQ(FormatCoordinate(-0.001), "0");
  EXPECT_EQ(FormatCoordinate(-3.256), "-3.26");
}

}  // namespace
