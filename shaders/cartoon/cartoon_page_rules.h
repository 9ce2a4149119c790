// What the Cartoon property pages accept and keep, apart from any widget:
// typed text, spin steps, slider positions and the order of the shading
// blends. The preview's ramp and hemisphere live here too, so that the
// bands it shows can be checked without a window.
#pragma once

#include "cartoon_settings.h"

#include <array>
#include <vector>

namespace linvale::cartoon {

// Line widths: 1 to 10 pixels, typed or stepped by 1.
inline constexpr int kMinLineWidth = 1;
inline constexpr int kMaxLineWidth = 10;
int TypedLineWidth(long typed);
int SteppedLineWidth(int width, int steps);

// The crease threshold: typed as a whole number, stepped by 0.5, 0 to 180.
double TypedThreshold(long typed);
double SteppedThreshold(double threshold, int steps);

// Colour blends shown on sliders of 0 to 100.
double BlendFromSlider(int position);
int SliderFromBlend(double blend);

// The two angle sliders run from 0 at the top to 128 at the bottom; the
// band widths grow towards the top.
inline constexpr int kAngleSliderRange = 128;
int AngleFromSlider(int position);
int SliderFromAngle(int angle);

// The base colour may never be nearer the ambient light than the shadow:
// each slider stops at the other one.
double BaseBlendFromSlider(int position, double shadowBlend);
double ShadowBlendFromSlider(int position, double baseBlend);

// The preview's ramp: the render's three bands without their blended
// transitions, on a grey material of 0.8 under black ambient light.
inline constexpr int kPreviewRampSize = 256;
std::array<float, kPreviewRampSize> PreviewRamp(const CartoonSettings& settings);

// The preview's fixed light direction, towards the upper left and away
// from the viewer.
struct PreviewVector {
  double x;
  double y;
  double z;
};
inline constexpr PreviewVector kPreviewLight{-0.325, 0.325, -0.35};

// The preview hemisphere: radius 8 round the origin, from the equator
// (z = 0) to the pole at z = -8, as triangles (three points each) whose
// normals are the unit position vectors.
std::vector<PreviewVector> PreviewHemisphere();

// The ramp coordinate of a point whose unit normal is `normal`.
double PreviewRampCoordinate(const PreviewVector& normal);

}  // namespace linvale::cartoon
