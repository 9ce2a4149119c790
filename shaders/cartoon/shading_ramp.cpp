#include "shading_ramp.h"

#include <cstdint>

namespace linvale::cartoon {

namespace {

// 10-entry transitions centred on the band ends; the highlight end is
// shifted by 5 so that `specular` 0 still leaves a sliver of transition.
constexpr int kHalfTransition = 5;
constexpr int kHighlightStart = 256 - kHalfTransition;

RampColor Mix(RampColor from, RampColor to, double amount) {
  amount = UsableBlend(amount);
  const auto mix = [amount](float a, float b) { return static_cast<float>(a * (1.0 - amount) + b * amount); };
  return {mix(from.red, to.red), mix(from.green, to.green), mix(from.blue, to.blue)};
}

RampColor Midpoint(RampColor a, RampColor b) { return Mix(a, b, 0.5); }

}  // namespace

BandColors MakeBandColors(const CartoonSettings& settings, RampColor material, RampColor ambient) {
  constexpr RampColor white{1.0f, 1.0f, 1.0f};
  BandColors colors;
  colors.shadow = Mix(material, ambient, settings.varShadow);
  colors.base = Mix(material, ambient, settings.varDiffuse);
  colors.highlight = Mix(material, white, settings.varSpecular);
  colors.shadowToBase = Midpoint(colors.shadow, colors.base);
  colors.baseToHighlight = Midpoint(colors.base, colors.highlight);
  return colors;
}

ShadingRamp BuildShadingRamp(const CartoonSettings& settings, RampColor material, RampColor ambient) {
  const BandColors colors = MakeBandColors(settings, material, ambient);
  // Band ends are worked out in 64 bits: a style may hold any 32-bit value,
  // and the band arithmetic on one near the limits would overflow.
  const std::int64_t shadow = settings.shadow;
  const std::int64_t specular = settings.specular;
  ShadingRamp ramp;
  for (std::int64_t entry = 0; entry < kRampEntries; ++entry) {
    RampColor& color = ramp[static_cast<std::size_t>(entry)];
    if (entry < shadow - kHalfTransition) {
      color = colors.shadow;
    } else if (entry < shadow + kHalfTransition) {
      color = colors.shadowToBase;
    } else if (entry < kHighlightStart - specular) {
      color = colors.base;
    } else if (entry < kHighlightStart + 2 * kHalfTransition - specular) {
      color = colors.baseToHighlight;
    } else {
      color = colors.highlight;
    }
  }
  return ramp;
}

int RampEntryFor(double lightValue) {
  if (!(lightValue > 0.0)) {
    return 0;
  }
  if (lightValue >= 1.0) {
    return kRampEntries - 1;
  }
  return static_cast<int>(lightValue * kRampEntries);
}

RampColor RampColorFrom(unsigned long colorref) {
  const auto fraction = [colorref](int shift) { return static_cast<float>(((colorref >> shift) & 0xFFu) / 255.0); };
  return {fraction(0), fraction(8), fraction(16)};
}

}  // namespace linvale::cartoon
