// The stroke drawer without OpenGL: a canvas with a fixed scale records the
// segments, so shapes, ends and the order of random draws can be checked.
#include "sketch_stroke.h"
#include "stroke_rules.h"

#include <linvale/npr_random.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace linvale::sketch {

namespace {

// World x and y map to pixels at `pixelsPerUnit`; depth is ignored.
class RecordingCanvas : public StrokeCanvas {
public:
  std::optional<double> ProjectedDistance(const TS_3dPoint& a, const TS_3dPoint& b) override {
    return std::hypot(a.x - b.x, a.y - b.y) * pixelsPerUnit;
  }
  void DrawSegment(const StrokeSegment& segment) override { segments.push_back(segment); }

  double pixelsPerUnit = 10.0;
  std::vector<StrokeSegment> segments;
};

TS_3dPointArray Polyline(std::initializer_list<TS_3dPoint> points) {
  TS_3dPointArray polyline;
  for (const TS_3dPoint& p : points) {
    polyline.Append(p);
  }
  return polyline;
}

// Normals pointing out of the picture plane's x axis, one per point.
TS_3dPointArray NormalsFor(const TS_3dPointArray& points) {
  TS_3dPointArray normals;
  for (int i = 0; i < points.Count(); ++i) {
    normals.Append(TS_3dPoint(0.0, 1.0, 0.0));
  }
  return normals;
}

// Plain straight strokes: no waves, no ends, fixed width and colour.
SketchSettings PlainSettings() {
  SketchSettings settings;
  settings.randWavy = 0;
  settings.randDir = 0;
  settings.varWidth = 0;
  settings.varInt = 0;
  return settings;
}

class StrokeDrawing : public ::testing::Test {
protected:
  std::vector<StrokeSegment> Draw(const SketchSettings& settings, const TS_3dPointArray& points, unsigned seed,
                                  int lines = 1, int aaFactor = 1) {
    mCanvas.segments.clear();
    SketchStroke stroke(settings, mCanvas);
    stroke.SetAntialiasFactor(aaFactor);
    stroke.SetBackground({1.0, 1.0, 1.0});
    stroke.Resample(points, NormalsFor(points), 1);
    stroke.Prepare(kImageWidth, TS_3dPoint(0, 0, 100), TS_3dPoint(0, 0, 99));
    NprSrand(seed);
    for (int line = 0; line < lines; ++line) {
      stroke.DrawStroke();
    }
    stroke.Clear();
    return mCanvas.segments;
  }

  static constexpr int kImageWidth = 500;
  RecordingCanvas mCanvas;
};

TEST(StrokeCycles, WidthCycleFallsToTheThinnestAndRisesBack) {
  EXPECT_EQ(BuildWidthCycle(10, 3.0, 8.0),
            (std::vector<int>{8, 7, 6, 5, 4, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 4, 5, 6, 7, 8}));
  // Three widths over 20 segments: a new width every 6 segments.
  const std::vector<int> slow = BuildWidthCycle(20, 1.0, 3.0);
  ASSERT_EQ(slow.size(), 40U);
  EXPECT_EQ(slow[5], 3);
  EXPECT_EQ(slow[6], 2);
  EXPECT_EQ(slow[12], 1);
  EXPECT_EQ(slow[19], 1);
  EXPECT_EQ(slow[39], 3);
  EXPECT_EQ(BuildWidthCycle(1, 3.0, 8.0), (std::vector<int>{8, 8}));
  // Equal widths never go below the minimum.
  for (int width : BuildWidthCycle(7, 4.0, 4.0)) {
    EXPECT_EQ(width, 4);
  }
}

TEST(StrokeCycles, IntensityCycleRisesBelowTheMaximumAndFallsBack) {
  const std::vector<double> cycle = BuildIntensityCycle(4, 0.2, 0.6);
  const std::vector<double> expected{0.2, 0.2, 0.3, 0.4, 0.5, 0.5, 0.4, 0.3, 0.2};
  ASSERT_EQ(cycle.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(cycle[i], expected[i], 1e-12) << i;
  }
  const std::vector<double> single = BuildIntensityCycle(1, 0.3, 0.9);
  ASSERT_EQ(single.size(), 3U);
  EXPECT_DOUBLE_EQ(single[0], 0.3);
  EXPECT_DOUBLE_EQ(single[1], 0.3);
}

TEST(StrokeRules, PiecesGrowWithWholeHundredsOfPixelsUpToTen) {
  EXPECT_EQ(ResamplePieceCount(99.9, 10), 1);
  EXPECT_EQ(ResamplePieceCount(100.0, 3), 3);
  EXPECT_EQ(ResamplePieceCount(250.0, 2), 4);
  EXPECT_EQ(ResamplePieceCount(5000.0, 1), 10);
  // Creases with an intensity window of 1 get factor 0: never subdivided.
  EXPECT_EQ(ResamplePieceCount(800.0, 0), 1);
  EXPECT_EQ(ResamplePieceCount(std::nullopt, 10), 1);
}

TEST(StrokeRules, OnlyNearlyPerpendicularJointsAreCorners) {
  EXPECT_TRUE(IsRightAngle({1, 0, 0}, {0, 1, 0}));
  EXPECT_TRUE(IsRightAngle({1, 0, 0}, {0.004, -1, 0}));
  EXPECT_FALSE(IsRightAngle({1, 0, 0}, {0.01, 1, 0}));
  EXPECT_FALSE(IsRightAngle({1, 0, 0}, {1, 0, 0}));
  EXPECT_FALSE(IsRightAngle({0, 0, 0}, {0, 1, 0}));
}

TEST(StrokeRules, TheGeneratorFollowsTheClassicSequence) {
  NprSrand(1);
  EXPECT_EQ(NprRand(), 41);
  EXPECT_EQ(NprRand(), 18467);
  EXPECT_EQ(NprRand(), 6334);
  NprSrand(1);
  EXPECT_EQ(NprRand(), 41);
  NprSrand(7);
  const double draw = RandomBetween(-1.0, 1.0);
  EXPECT_GE(draw, -1.0);
  EXPECT_LE(draw, 1.0);
}

TEST_F(StrokeDrawing, ShortEdgesStayWholeAndLongOnesAreCutByTheirScreenLength) {
  SketchStroke stroke(PlainSettings(), mCanvas);
  const TS_3dPointArray shortEdge = Polyline({{0, 0, 0}, {9.9, 0, 0}});
  stroke.Resample(shortEdge, NormalsFor(shortEdge), 10);
  EXPECT_EQ(stroke.Points().Count(), 2);
  stroke.Clear();
  // 35 units at 10 pixels each: 3 pieces per unit of factor.
  const TS_3dPointArray longEdge = Polyline({{0, 0, 0}, {35, 0, 0}, {35, 5, 0}});
  TS_3dPointArray normals = NormalsFor(longEdge);
  normals[1] = TS_3dPoint(0, 0, 1);
  stroke.Resample(longEdge, normals, 2);
  ASSERT_EQ(stroke.Points().Count(), 8);
  EXPECT_DOUBLE_EQ(stroke.Points()[1].x, 35.0 / 6.0);
  EXPECT_EQ(stroke.Normals()[5], TS_3dPoint(0, 1, 0));
  EXPECT_EQ(stroke.Normals()[6], TS_3dPoint(0, 0, 1));
  EXPECT_EQ(stroke.Points()[7], TS_3dPoint(35, 5, 0));
}

TEST_F(StrokeDrawing, SegmentsAreDrawnFirstMiddleLastAndATwoPointEdgeTwice) {
  const auto twoPoints = Draw(PlainSettings(), Polyline({{0, 0, 0}, {5, 0, 0}}), 1);
  ASSERT_EQ(twoPoints.size(), 2U);
  EXPECT_EQ(twoPoints[0].p0, twoPoints[1].p0);
  const auto five = Draw(PlainSettings(), Polyline({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}}), 1, 2);
  ASSERT_EQ(five.size(), 8U);
  EXPECT_EQ(five[3].p1, TS_3dPoint(4, 0, 0));
  for (const StrokeSegment& segment : five) {
    EXPECT_EQ(segment.width, 3);
    EXPECT_DOUBLE_EQ(segment.alpha, 1.0);
    EXPECT_FALSE(segment.startDot || segment.endDot);
  }
}

TEST_F(StrokeDrawing, RandomDrawsComeInTheirFixedOrder) {
  SketchSettings settings = PlainSettings();
  settings.modeHue = 2;
  settings.randDir = 1;
  settings.everySegment = 1;
  settings.minDir = -1.0;
  settings.maxDir = 3.0;
  const TS_3dPointArray points = Polyline({{0, 0, 0}, {5, 0, 0}, {5, 5, 0}});
  const auto segments = Draw(settings, points, 99);

  // Replay: two cycle starts, red, green, blue, then each segment's start
  // and end extension in pixels.
  NprSrand(99);
  RandomBetween(0.0, 2.0 * settings.windowWidth);
  RandomBetween(0.0, 2.0 * settings.windowInt);
  const double red = RandomBetween(0.0, 1.0);
  const double green = RandomBetween(0.0, 1.0);
  const double blue = RandomBetween(0.0, 1.0);
  ASSERT_EQ(segments.size(), 2U);
  EXPECT_DOUBLE_EQ(segments[0].colour[0], red);
  EXPECT_DOUBLE_EQ(segments[1].colour[1], green);
  EXPECT_DOUBLE_EQ(segments[1].colour[2], blue);
  const double pixelsToUnits = 0.01 * kImageWidth / mCanvas.pixelsPerUnit;
  const double firstStart = RandomBetween(-1.0, 3.0) * pixelsToUnits;
  const double firstEnd = RandomBetween(-1.0, 3.0) * pixelsToUnits;
  const double secondStart = RandomBetween(-1.0, 3.0) * pixelsToUnits;
  EXPECT_NEAR(segments[0].p0.x, -firstStart, 1e-9);
  EXPECT_NEAR(segments[0].p1.x, 5.0 + firstEnd, 1e-9);
  EXPECT_NEAR(segments[1].p0.y, -secondStart, 1e-9);
  EXPECT_TRUE(segments[1].startDot && segments[1].endDot);
}

TEST_F(StrokeDrawing, EndsOvershootAtPolylineEndsAndRightAnglesOnly) {
  SketchSettings settings = PlainSettings();
  settings.randDir = 1;
  settings.minDir = 1.0;
  settings.maxDir = 1.0;
  // Three sides of a box: open ends and two right-angle corners.
  const auto box = Draw(settings, Polyline({{0, 0, 0}, {9, 0, 0}, {9, 9, 0}, {0, 9, 0}}), 3);
  ASSERT_EQ(box.size(), 3U);
  for (const StrokeSegment& segment : box) {
    EXPECT_TRUE(segment.startDot && segment.endDot);
  }
  EXPECT_NEAR(box[0].p0.x, -0.5, 1e-9);
  EXPECT_NEAR(box[1].p1.y, 9.5, 1e-9);
  // A smooth arc: only the two polyline ends overshoot.
  TS_3dPointArray arc;
  for (int i = 0; i <= 8; ++i) {
    const double angle = i * 0.15;
    arc.Append(TS_3dPoint(20 * std::cos(angle), 20 * std::sin(angle), 0));
  }
  const auto smooth = Draw(settings, arc, 3);
  ASSERT_EQ(smooth.size(), 8U);
  EXPECT_TRUE(smooth.front().startDot);
  EXPECT_FALSE(smooth.front().endDot);
  EXPECT_TRUE(smooth.back().endDot);
  for (std::size_t i = 1; i + 1 < smooth.size(); ++i) {
    EXPECT_FALSE(smooth[i].startDot || smooth[i].endDot) << i;
  }
  // "Segments": every segment overshoots at both ends.
  settings.everySegment = 1;
  for (const StrokeSegment& segment : Draw(settings, arc, 3)) {
    EXPECT_TRUE(segment.startDot && segment.endDot);
  }
}

TEST_F(StrokeDrawing, NegativeExtensionLeavesGapsAtTheEnds) {
  SketchSettings settings = PlainSettings();
  settings.randDir = 1;
  settings.minDir = -1.0;
  settings.maxDir = -1.0;
  // 200 pixels long: cut in two, and only the outer ends are shortened.
  const auto segments = Draw(settings, Polyline({{0, 0, 0}, {20, 0, 0}}), 5);
  ASSERT_EQ(segments.size(), 2U);
  EXPECT_NEAR(segments[0].p0.x, 0.5, 1e-9);
  EXPECT_DOUBLE_EQ(segments[0].p1.x, 10.0);
  EXPECT_NEAR(segments[1].p1.x, 19.5, 1e-9);
}

TEST_F(StrokeDrawing, ClosedLoopsTurnAtEveryCornerAndTheirWaveCloses) {
  SketchSettings settings = PlainSettings();
  settings.randWavy = 1;
  settings.minWavy = 0.5;
  settings.maxWavy = 1.0;
  settings.windowWavy = 2;
  const TS_3dPointArray square = Polyline({{0, 0, 0}, {9, 0, 0}, {9, 9, 0}, {0, 9, 0}, {0, 0, 0}});
  const auto waved = Draw(settings, square, 8);
  ASSERT_EQ(waved.size(), 4U);
  // The wave moves points along their normals and ends where it started.
  EXPECT_NE(waved[0].p0, TS_3dPoint(0, 0, 0));
  EXPECT_EQ(waved.back().p1, waved.front().p0);
  EXPECT_EQ(waved[0].p1, waved[1].p0);

  settings.randWavy = 0;
  settings.randDir = 1;
  for (const StrokeSegment& segment : Draw(settings, square, 8)) {
    EXPECT_TRUE(segment.startDot && segment.endDot);
  }
}

TEST_F(StrokeDrawing, SameSeedGivesTheSameStrokeAndAnotherSeedDoesNot) {
  SketchSettings settings;  // the defaults: waves, ends, width and intensity cycles
  const TS_3dPointArray points = Polyline({{0, 0, 0}, {30, 2, 0}, {31, 25, 0}, {50, 40, 0}});
  const auto first = Draw(settings, points, 1234, 3);
  const auto again = Draw(settings, points, 1234, 3);
  const auto other = Draw(settings, points, 4321, 3);
  ASSERT_EQ(first.size(), again.size());
  bool differs = false;
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(first[i].p0, again[i].p0);
    EXPECT_EQ(first[i].p1, again[i].p1);
    EXPECT_EQ(first[i].width, again[i].width);
    EXPECT_EQ(first[i].colour, again[i].colour);
    differs = differs || first[i].p0 != other[i].p0 || first[i].colour != other[i].colour;
  }
  EXPECT_TRUE(differs);
}

TEST_F(StrokeDrawing, WidthAndIntensityFollowTheirCycles) {
  SketchSettings settings = PlainSettings();
  settings.minWidth = 3.0;
  // Without variation the fixed width doubles with the picture.
  EXPECT_EQ(Draw(settings, Polyline({{0, 0, 0}, {1, 0, 0}}), 1, 1, 2).front().width, 6);
  // With variation the cycle's widths are used as they are.
  settings.varWidth = 1;
  settings.windowWidth = 1;
  settings.maxWidth = 5.0;
  EXPECT_EQ(Draw(settings, Polyline({{0, 0, 0}, {1, 0, 0}}), 1, 1, 2).front().width, 5);

  settings.varInt = 1;
  settings.windowInt = 1;
  settings.minInt = 0.25;
  settings.maxInt = 0.25;
  settings.modeHue = 1;
  settings.singleHue = TS_Color(0, 0, 0);
  settings.minHue = 0.0;
  settings.maxHue = 0.0;
  // A quarter of the way from black to the white background.
  for (const StrokeSegment& segment : Draw(settings, Polyline({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}), 1)) {
    EXPECT_DOUBLE_EQ(segment.colour[0], 0.25);
  }
}

}  // namespace

}  // namespace linvale::sketch
