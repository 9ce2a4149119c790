// The three outline kinds in drawing order (borders before creases), with
// the style values each is drawn with; the picture and the vector drawing
// read the same table.
#pragma once

#include "cartoon_settings.h"
#include "cartoon_strings.h"

#include <linvale/npr_edge_kinds.h>

#include <cstdint>

namespace linvale::cartoon {

struct OutlineKind {
  NprEdgeKind kind;
  std::int32_t CartoonSettings::*width;
  TS_Color CartoonSettings::*color;
  double CartoonSettings::*towardsMaterial;
  CartoonString taskName;
};

inline constexpr OutlineKind kOutlineKinds[] = {
    {NprEdgeKind::Silhouette, &CartoonSettings::widthSil, &CartoonSettings::silColor, &CartoonSettings::varSilColor,
     CartoonString::RenderingSilhouettes},
    {NprEdgeKind::Border, &CartoonSettings::widthEnd, &CartoonSettings::endColor, &CartoonSettings::varEndColor,
     CartoonString::RenderingBorders},
    {NprEdgeKind::Crease, &CartoonSettings::widthDis, &CartoonSettings::disColor, &CartoonSettings::varDisColor,
     CartoonString::RenderingCreases},
};

}  // namespace linvale::cartoon
