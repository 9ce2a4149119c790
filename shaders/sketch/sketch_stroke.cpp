#include "sketch_stroke.h"

#include "stroke_rules.h"

#include <algorithm>
#include <cmath>

namespace linvale::sketch {

namespace {

// Below this many pixels between neighbouring points the wave is damped
// quadratically, so short segments do not zigzag.
constexpr double kWaveDampingPixels = 10.0;

TS_3dVector Unit(TS_3dVector v) {
  v.Unitize();
  return v;
}

TS_3dPoint Lerp(const TS_3dPoint& a, const TS_3dPoint& b, double t) { return a + (b - a) * t; }

// Any unit vector across the view direction.
TS_3dVector AcrossView(const TS_3dVector& view) {
  const TS_3dVector helper = std::abs(view.x) < 0.9 ? TS_3dVector(1.0, 0.0, 0.0) : TS_3dVector(0.0, 1.0, 0.0);
  return Unit(TS_CrossProduct(view, helper));
}

std::array<double, 3> Fractions(const TS_Color& colour) {
  return {colour.FractionRed(), colour.FractionGreen(), colour.FractionBlue()};
}

}  // namespace

SketchStroke::SketchStroke(const SketchSettings& settings, StrokeCanvas& canvas)
    : mSettings(settings), mCanvas(canvas) {
  if (settings.varWidth != 0) {
    mWidthCycle = BuildWidthCycle(settings.windowWidth, settings.minWidth, settings.maxWidth);
  }
  if (settings.varInt != 0) {
    mIntensityCycle = BuildIntensityCycle(settings.windowInt, settings.minInt, settings.maxInt);
  }
}

void SketchStroke::Resample(const TS_3dPointArray& points, const TS_3dPointArray& normals, int factor) {
  const int count = std::min(points.Count(), normals.Count());
  if (count == 0) {
    return;
  }
  mPoints.Append(points[0]);
  mNormals.Append(normals[0]);
  for (int i = 1; i < count; ++i) {
    const int pieces = ResamplePieceCount(mCanvas.ProjectedDistance(points[i - 1], points[i]), factor);
    for (int j = 1; j < pieces; ++j) {
      mPoints.Append(Lerp(points[i - 1], points[i], static_cast<double>(j) / pieces));
      mNormals.Append(normals[i - 1]);
    }
    mPoints.Append(points[i]);
    mNormals.Append(normals[i]);
  }
}

void SketchStroke::Prepare(int imageWidth, const TS_3dPoint& cameraLocation, const TS_3dPoint& cameraTarget) {
  mImageWidth = imageWidth;
  mCameraLocation = cameraLocation;
  mCameraTarget = cameraTarget;
  mClosed = mPoints.Count() > 0 && mPoints[0] == mPoints[mPoints.Count() - 1];
}

void SketchStroke::Clear() {
  mWaveOffsets.clear();
  mPoints.Empty();
  mNormals.Empty();
}

void SketchStroke::DrawStroke() {
  const int n = mPoints.Count();
  if (n < 2) {
    return;
  }
  // The order of the random draws is fixed, so a seed always gives the same
  // stroke: cycle starts, colour, waves, then the ends segment by segment.
  const int widthStart = static_cast<int>(std::trunc(RandomBetween(0.0, 2.0 * mSettings.windowWidth)));
  const int intensityStart = static_cast<int>(std::trunc(RandomBetween(0.0, 2.0 * mSettings.windowInt)));
  ChooseLineColour();
  if (mSettings.randWavy != 0) {
    BuildWaveOffsets();
  }
  DrawSegmentOf(0, 0, widthStart, intensityStart);
  for (int i = 1; i <= n - 3; ++i) {
    DrawSegmentOf(i, i, widthStart, intensityStart);
  }
  // With two points the first segment is also the last and is drawn again.
  DrawSegmentOf(n - 2, 0, widthStart, intensityStart);
  mCanvas.EndStroke();
}

void SketchStroke::ChooseLineColour() {
  switch (mSettings.modeHue) {
    case 2:
      mLineColour[0] = RandomBetween(mSettings.minRed, mSettings.maxRed);
      mLineColour[1] = RandomBetween(mSettings.minGreen, mSettings.maxGreen);
      mLineColour[2] = RandomBetween(mSettings.minBlue, mSettings.maxBlue);
      return;
    case 1:
    default: {
      const double shift = RandomBetween(-mSettings.minHue, mSettings.maxHue);
      const std::array<double, 3> base = Fractions(mSettings.modeHue == 1 ? mSettings.singleHue : mMaterial.Diffuse());
      for (std::size_t c = 0; c < base.size(); ++c) {
        mLineColour[c] = base[c] + shift;
      }
    }
  }
}

void SketchStroke::BuildWaveOffsets() {
  const int n = mPoints.Count();
  const int period = mSettings.windowWavy;
  double a = RandomBetween(mSettings.minWavy, mSettings.maxWavy);
  double b = RandomBetween(mSettings.minWavy, mSettings.maxWavy);
  // A closed polyline blends towards its first offset over its last whole
  // period, so the wave closes without a jump.
  const int last = mClosed ? ((n - 1) / period) * period : n - 1;
  mWaveOffsets.assign(static_cast<std::size_t>(n), 0.0);
  for (int i = 0; i < n; ++i) {
    const int m = i % period;
    if (m == 0) {
      a = b;
    }
    if (mClosed && i == last && i > 0) {
      b = mWaveOffsets[0];
    }
    if (mClosed && i == n - 1) {
      mWaveOffsets[static_cast<std::size_t>(i)] = mWaveOffsets[0];
    } else {
      const int neighbour = i + 1 < n ? i + 1 : i - 1;
      mWaveOffsets[static_cast<std::size_t>(i)] = WaveAmplitude(mPoints[i], mPoints[neighbour], a, b, m);
    }
  }
}

double SketchStroke::WaveAmplitude(const TS_3dPoint& p, const TS_3dPoint& neighbour, double a, double b, int m) {
  const int period = mSettings.windowWavy;
  const double scale = WorldPerPixel(p);
  double amplitude = RandomBetween(mSettings.minWavy, mSettings.maxWavy) * 0.01 * mImageWidth * scale * 0.01;
  const std::optional<double> spacing = mCanvas.ProjectedDistance(neighbour, p);
  // A point whose neighbour cannot be placed on screen is not displaced.
  const double pixels = spacing.value_or(0.0);
  if (pixels < kWaveDampingPixels) {
    amplitude *= pixels * pixels * 0.01;
  }
  return amplitude * ((period - m) * a + m * b) / period;
}

double SketchStroke::WorldPerPixel(const TS_3dPoint& p) {
  const TS_3dVector across = AcrossView(mCameraTarget - mCameraLocation);
  const std::optional<double> pixels = mCanvas.ProjectedDistance(p + across, p);
  if (pixels && std::abs(*pixels) > 0.0001) {
    return 1.0 / *pixels;
  }
  return 1.0;
}

TS_3dVector SketchStroke::EndExtension(const TS_3dPoint& p, const TS_3dVector& v) {
  const double scale = WorldPerPixel(p);
  const double pixels = RandomBetween(mSettings.minDir, mSettings.maxDir) * 0.01 * mImageWidth;
  return Unit(v) * (pixels * scale);
}

void SketchStroke::DrawSegmentOf(int first, int styleIndex, int widthStart, int intensityStart) {
  const int second = first + 1;
  StrokeSegment segment;
  segment.p0 = mPoints[first];
  segment.p1 = mPoints[second];
  if (mSettings.randWavy != 0) {
    segment.p0 += TS_3dVector(mNormals[first]) * mWaveOffsets[static_cast<std::size_t>(first)];
    segment.p1 += TS_3dVector(mNormals[second]) * mWaveOffsets[static_cast<std::size_t>(second)];
  }
  if (mSettings.randDir != 0) {
    const TS_3dVector v = Unit(mPoints[second] - mPoints[first]);
    const SegmentEnds ends =
        mSettings.everySegment != 0 ? SegmentEnds{true, true} : EndsAtCorners(mPoints, first, mClosed);
    if (ends.extendStart) {
      segment.p0 -= EndExtension(segment.p0, v);
      segment.startDot = true;
    }
    if (ends.extendEnd) {
      segment.p1 += EndExtension(segment.p1, v);
      segment.endDot = true;
    }
  }
  ApplySegmentStyle(segment, styleIndex, widthStart, intensityStart);
  mCanvas.DrawSegment(segment);
}

void SketchStroke::ApplySegmentStyle(StrokeSegment& segment, int styleIndex, int widthStart, int intensityStart) const {
  if (mSettings.varWidth != 0) {
    const int cycle = static_cast<int>(mWidthCycle.size());
    segment.width = mWidthCycle[static_cast<std::size_t>((widthStart + styleIndex) % cycle)];
  } else {
    segment.width = static_cast<int>(std::trunc(mAntialiasFactor * mSettings.minWidth));
  }
  segment.colour = mLineColour;
  if (mSettings.varInt != 0) {
    const int cycle = 2 * mSettings.windowInt;
    const double x = mIntensityCycle[static_cast<std::size_t>((intensityStart + styleIndex) % cycle)];
    for (std::size_t c = 0; c < segment.colour.size(); ++c) {
      segment.colour[c] = x * mBackground[c] + (1.0 - x) * mLineColour[c];
    }
  }
  segment.alpha = mBlend ? 0.5 : 1.0;
}

}  // namespace linvale::sketch
