#include "cartoon_page_rules.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace linvale::cartoon {

int TypedLineWidth(long typed) {
  return static_cast<int>(std::clamp<long>(typed, kMinLineWidth, kMaxLineWidth));
}

int SteppedLineWidth(int width, int steps) {
  return std::clamp(width + steps, kMinLineWidth, kMaxLineWidth);
}

double TypedThreshold(long typed) { return static_cast<double>(std::clamp<long>(typed, 0, 180)); }

double SteppedThreshold(double threshold, int steps) { return std::clamp(threshold + 0.5 * steps, 0.0, 180.0); }

double BlendFromSlider(int position) { return position * 0.01; }

int SliderFromBlend(double blend) { return static_cast<int>(std::lround(blend * 100.0)); }

int AngleFromSlider(int position) { return kAngleSliderRange - position; }

int SliderFromAngle(int angle) { return kAngleSliderRange - angle; }

double BaseBlendFromSlider(int position, double shadowBlend) {
  return std::min(BlendFromSlider(position), shadowBlend);
}

double ShadowBlendFromSlider(int position, double baseBlend) {
  return std::max(BlendFromSlider(position), baseBlend);
}

std::array<float, kPreviewRampSize> PreviewRamp(const CartoonSettings& settings) {
  constexpr double grey = 0.8;
  const auto shadowTone = static_cast<float>((1.0 - settings.varShadow) * grey);
  const auto baseTone = static_cast<float>((1.0 - settings.varDiffuse) * grey);
  const auto highlightTone = static_cast<float>(settings.varSpecular + (1.0 - settings.varSpecular) * grey);
  const int highlightStart = kPreviewRampSize - settings.specular;
  std::array<float, kPreviewRampSize> ramp{};
  for (int entry = 0; entry < kPreviewRampSize; ++entry) {
    ramp[static_cast<std::size_t>(entry)] = entry < settings.shadow   ? shadowTone
                                            : entry < highlightStart ? baseTone
                                                                     : highlightTone;
  }
  return ramp;
}

namespace {

constexpr double kHemisphereRadius = 8.0;
constexpr int kAroundSteps = 40;
constexpr int kDownSteps = 20;

PreviewVector SpherePoint(int around, int down) {
  const double azimuth = around * 2.0 * std::numbers::pi / kAroundSteps;
  const double elevation = down * std::numbers::pi / 40.0;
  const double ring = kHemisphereRadius * std::cos(elevation);
  return {ring * std::cos(azimuth), ring * std::sin(azimuth), -kHemisphereRadius * std::sin(elevation)};
}

}  // namespace

std::vector<PreviewVector> PreviewHemisphere() {
  std::vector<PreviewVector> triangles;
  triangles.reserve(kAroundSteps * kDownSteps * 6);
  for (int down = 0; down < kDownSteps; ++down) {
    for (int around = 0; around < kAroundSteps; ++around) {
      const PreviewVector a = SpherePoint(around, down);
      const PreviewVector b = SpherePoint(around + 1, down);
      const PreviewVector c = SpherePoint(around + 1, down + 1);
      const PreviewVector d = SpherePoint(around, down + 1);
      triangles.insert(triangles.end(), {a, b, c, a, c, d});
    }
  }
  return triangles;
}

double PreviewRampCoordinate(const PreviewVector& normal) {
  const double length = std::hypot(normal.x, normal.y, normal.z);
  const double lightLength = std::hypot(kPreviewLight.x, kPreviewLight.y, kPreviewLight.z);
  if (length == 0.0) {
    return 0.0;
  }
  const double dot = normal.x * kPreviewLight.x + normal.y * kPreviewLight.y + normal.z * kPreviewLight.z;
  return std::max(0.0, dot / (length * lightLength));
}

}  // namespace linvale::cartoon
