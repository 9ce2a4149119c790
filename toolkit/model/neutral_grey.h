// The colour of objects whose file gives none: dark enough for pencil
// strokes to show on white paper, light enough for shading to show on it.
#pragma once

#include <tessel/ts_color.h>

namespace tessel::detail {

inline TS_Color NeutralGrey() { return TS_Color(128, 128, 128); }

}  // namespace tessel::detail
