// Strokes on a vector canvas: the same segments the picture gets, joined
// into one path while they meet end to end and look alike.
#include "sketch_stroke.h"
#include "vector_stroke_canvas.h"

#include <linvale/npr_random.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace linvale::sketch {

namespace {

// World x and y from -1 to 1 fill a window of 200 pixels: identity
// matrices, so a world unit is 100 pixels.
NprVectorView SquareView() {
  NprVectorView view;
  for (int i = 0; i < 4; ++i) {
    view.modelView[static_cast<std::size_t>(i * 5)] = 1.0;
    view.projection[static_cast<std::size_t>(i * 5)] = 1.0;
  }
  view.viewport = {0, 0, 200, 200};
  return view;
}

NprPagePoint OnPage(const TS_3dPoint& p) { return {(p.x + 1.0) * 100.0, 200.0 - (p.y + 1.0) * 100.0}; }

class RecordingCanvas : public StrokeCanvas {
public:
  std::optional<double> ProjectedDistance(const TS_3dPoint& a, const TS_3dPoint& b) override {
    return std::hypot(a.x - b.x, a.y - b.y) * 100.0;
  }
  void DrawSegment(const StrokeSegment& segment) override { segments.push_back(segment); }
  std::vector<StrokeSegment> segments;
};

// A zigzag of short legs, so no point is dropped as collinear.
TS_3dPointArray Zigzag(TS_3dPointArray& normals) {
  TS_3dPointArray points;
  for (int i = 0; i < 6; ++i) {
    points.Append(TS_3dPoint(-0.6 + 0.2 * i, (i % 2 == 0) ? 0.0 : 0.3, 0.0));
    normals.Append(TS_3dPoint(0.0, 1.0, 0.0));
  }
  return points;
}

template <typename Canvas>
void DrawZigzag(const SketchSettings& settings, Canvas& canvas, int lines) {
  SketchStroke stroke(settings, canvas);
  stroke.SetBackground({1.0, 1.0, 1.0});
  TS_3dPointArray normals;
  const TS_3dPointArray points = Zigzag(normals);
  stroke.Resample(points, normals, 1);
  stroke.Prepare(200, TS_3dPoint(0, 0, 10), TS_3dPoint(0, 0, 9));
  NprSrand(11);
  for (int line = 0; line < lines; ++line) {
    stroke.DrawStroke();
  }
  stroke.Clear();
}

std::vector<NprVectorPath> AllPaths(NprVectorCanvas& canvas) {
  const NprVectorDrawing drawing = canvas.TakeDrawing(200, 200, {1, 1, 1});
  return drawing.groups.empty() ? std::vector<NprVectorPath>{} : drawing.groups[0].paths;
}

SketchSettings WavySettings(bool varyWidth) {
  SketchSettings settings;
  settings.randWavy = 1;
  settings.randDir = 1;
  settings.everySegment = 0;
  settings.varWidth = varyWidth ? 1 : 0;
  settings.varInt = 0;
  settings.windowWidth = 3;
  return settings;
}

TEST(VectorStrokes, AStrokeOfOneLookIsOnePathThroughThePicturesSegmentEnds) {
  const SketchSettings settings = WavySettings(false);
  RecordingCanvas recording;
  DrawZigzag(settings, recording, 1);
  NprVectorCanvas vector(SquareView(), {});
  VectorStrokeCanvas strokes(vector);
  DrawZigzag(settings, strokes, 1);

  const std::vector<NprVectorPath> paths = AllPaths(vector);
  // Waves move the inner points, overshoot the two ends; segments still
  // meet end to end, so one path.
  ASSERT_EQ(paths.size(), 1u);
  ASSERT_EQ(paths[0].points.size(), recording.segments.size() + 1);
  for (std::size_t i = 0; i < recording.segments.size(); ++i) {
    const NprPagePoint expected = OnPage(recording.segments[i].p0);
    EXPECT_NEAR(paths[0].points[i].x, expected.x, 1e-9) << i;
    EXPECT_NEAR(paths[0].points[i].y, expected.y, 1e-9) << i;
  }
  EXPECT_EQ(paths[0].stroke.width, recording.segments[0].width);
  EXPECT_FALSE(paths[0].stroke.joinTouching);
}

TEST(VectorStrokes, AChangeOfWidthStartsANewPathAndEveryStrokeHasItsOwn) {
  const SketchSettings settings = WavySettings(true);
  RecordingCanvas recording;
  DrawZigzag(settings, recording, 2);
  std::size_t runs = 0;
  for (std::size_t i = 0; i < recording.segments.size(); ++i) {
    const bool continues = i > 0 && recording.segments[i].p0 == recording.segments[i - 1].p1 &&
                           recording.segments[i].width == recording.segments[i - 1].width;
    runs += continues ? 0 : 1;
  }
  NprVectorCanvas vector(SquareView(), {});
  VectorStrokeCanvas strokes(vector);
  DrawZigzag(settings, strokes, 2);
  const std::vector<NprVectorPath> paths = AllPaths(vector);
  EXPECT_GT(runs, 2u);
  EXPECT_EQ(paths.size(), runs);
  double widthSum = 0.0;
  for (const NprVectorPath& path : paths) {
    widthSum += path.stroke.width;
  }
  EXPECT_NE(widthSum, paths.front().stroke.width * static_cast<double>(paths.size())) << "the widths did not vary";
}

}  // namespace

}  // namespace linvale::sketch
