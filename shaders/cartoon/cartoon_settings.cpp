#include "cartoon_settings.h"

#include <algorithm>

namespace {

// Written so that NaN, which fails every comparison, lands on `low`.
double ClampDouble(double value, double low, double high) {
  if (!(value >= low)) {
    return low;
  }
  return std::min(value, high);
}

void ClampInt(std::int32_t& value, std::int32_t low, std::int32_t high) { value = std::clamp(value, low, high); }

void ClampFlag(std::int32_t& flag) { flag = flag != 0 ? 1 : 0; }

void ClampFraction(double& value) { value = ClampDouble(value, 0.0, 1.0); }

}  // namespace

void ClampToPageRanges(CartoonSettings& settings) {
  ClampFlag(settings.silEdges);
  ClampFlag(settings.endEdges);
  ClampFlag(settings.disEdges);
  ClampInt(settings.widthSil, kMinLineWidth, kMaxLineWidth);
  ClampInt(settings.widthEnd, kMinLineWidth, kMaxLineWidth);
  ClampInt(settings.widthDis, kMinLineWidth, kMaxLineWidth);
  ClampFraction(settings.varSilColor);
  ClampFraction(settings.varEndColor);
  ClampFraction(settings.varDisColor);
  settings.thresholdDegree = ClampDouble(settings.thresholdDegree, 0.0, kMaxThresholdDegree);
  ClampInt(settings.specular, 0, kMaxBandWidth);
  ClampInt(settings.shadow, 0, kMaxBandWidth);
  ClampFraction(settings.varShadow);
  ClampFraction(settings.varSpecular);
  // The base slider stops at the shadow slider.
  settings.varDiffuse = ClampDouble(settings.varDiffuse, 0.0, settings.varShadow);
}
