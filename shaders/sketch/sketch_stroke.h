// Turns one edge polyline into hand-drawn strokes: resampled by its
// on-screen length, then drawn any number of times, each time with its own
// random colour, start in the width and intensity cycles, wave along the
// point normals and overshoot at the ends. For one polyline the calls come
// in the order Resample, SetMaterial, Prepare, DrawStroke (once per line),
// Clear.
#pragma once

#include "sketch_settings.h"
#include "stroke_canvas.h"

#include <tessel/ts_array.h>
#include <tessel/ts_material.h>
#include <tessel/ts_point.h>

#include <array>
#include <vector>

namespace linvale::sketch {

class SketchStroke {
public:
  // Builds the width and intensity cycles of the settings, which must be
  // within the page ranges (ClampToPageRanges). Both references must outlive
  // the stroke.
  SketchStroke(const SketchSettings& settings, StrokeCanvas& canvas);
  virtual ~SketchStroke() = default;

  SketchStroke(const SketchStroke&) = delete;
  SketchStroke& operator=(const SketchStroke&) = delete;

  // 2 for the best antialiasing (the picture is drawn at twice the size),
  // else 1; scales the fixed line width.
  void SetAntialiasFactor(int factor) { mAntialiasFactor = factor; }
  // Half-transparent lines, over a textured face fill.
  void SetBlend(bool blend) { mBlend = blend; }
  // Background colour, channels 0..1: where the intensity cycle fades to.
  void SetBackground(const std::array<double, 3>& background) { mBackground = background; }

  // Appends a copy of the polyline, each segment cut into pieces by its
  // on-screen length (ResamplePieceCount); inserted points take the normal
  // of the segment's start.
  void Resample(const TS_3dPointArray& points, const TS_3dPointArray& normals, int factor);
  void SetMaterial(const TS_Material& material) { mMaterial = material; }
  // Wave and overshoot are measured in hundredths of the image width.
  void Prepare(int imageWidth, const TS_3dPoint& cameraLocation, const TS_3dPoint& cameraTarget);
  void DrawStroke();
  void Clear();

  const TS_3dPointArray& Points() const { return mPoints; }
  const TS_3dPointArray& Normals() const { return mNormals; }

private:
  void ChooseLineColour();
  void BuildWaveOffsets();
  double WaveAmplitude(const TS_3dPoint& p, const TS_3dPoint& neighbour, double a, double b, int m);
  // World units per pixel at p, across the view.
  double WorldPerPixel(const TS_3dPoint& p);
  TS_3dVector EndExtension(const TS_3dPoint& p, const TS_3dVector& v);
  void DrawSegmentOf(int first, int styleIndex, int widthStart, int intensityStart);
  void ApplySegmentStyle(StrokeSegment& segment, int styleIndex, int widthStart, int intensityStart) const;

  const SketchSettings& mSettings;
  StrokeCanvas& mCanvas;
  TS_3dPointArray mPoints;
  TS_3dPointArray mNormals;
  int mAntialiasFactor = 1;
  TS_Material mMaterial;
  std::array<double, 3> mBackground{1.0, 1.0, 1.0};
  std::vector<int> mWidthCycle;
  std::vector<double> mIntensityCycle;
  std::vector<double> mWaveOffsets;
  bool mClosed = false;
  std::array<double, 3> mLineColour{};
  TS_3dPoint mCameraLocation;
  TS_3dPoint mCameraTarget;
  int mImageWidth = 0;
  bool mBlend = false;
};

}  // namespace linvale::sketch
