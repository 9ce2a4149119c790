// The pixel formats device contexts offer.
#pragma once

#include "wgl/gl_displays.h"

#include <win32/wgl.h>

#include <vector>

namespace linvale::platform {

struct PixelFormat {
  GlRenderer renderer;
  BYTE alphaBits;
  BYTE depthBits;
  BYTE stencilBits;
};

// Format i is element i - 1. The software formats come first, so their
// indexes are the same on every machine.
const std::vector<PixelFormat>& OfferedPixelFormats();

}  // namespace linvale::platform
