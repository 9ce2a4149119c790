// The 256-entry colour ramp that turns a light value into a hard shading
// band: shadow, base and highlight colours with narrow transitions between.
#pragma once

#include "cartoon_settings.h"

#include <array>

namespace linvale::cartoon {

struct RampColor {
  float red = 0.0f;
  float green = 0.0f;
  float blue = 0.0f;

  friend bool operator==(const RampColor&, const RampColor&) = default;
};

inline constexpr int kRampEntries = 256;
using ShadingRamp = std::array<RampColor, kRampEntries>;

// The colours the bands take for one material, before they are laid out.
struct BandColors {
  RampColor shadow;
  RampColor base;
  RampColor highlight;
  RampColor shadowToBase;
  RampColor baseToHighlight;
};

// Shadow and base blend the material towards the ambient light, the
// highlight blends it towards white; colours are fractions 0..1.
BandColors MakeBandColors(const CartoonSettings& settings, RampColor material, RampColor ambient);

// The ramp for one material. The shadow band ends at entry `shadow`, the
// highlight covers the top `specular` - 5 entries, the transitions are 10
// entries wide and, where bands overlap, the band nearer the shadow end wins.
ShadingRamp BuildShadingRamp(const CartoonSettings& settings, RampColor material, RampColor ambient);

// The entry a light value selects, as a 1-D texture of kRampEntries texels
// with nearest filtering and clamped coordinates samples it: values of 1 and
// above take the top entry, values of 0 and below the bottom one.
int RampEntryFor(double lightValue);

// A COLORREF as ramp fractions.
RampColor RampColorFrom(unsigned long colorref);

}  // namespace linvale::cartoon
