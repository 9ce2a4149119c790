// The EGL displays OpenGL contexts run on: Mesa's software rasteriser
// (llvmpipe), and a GPU's EGL device where the machine has one. No window
// system is involved, so contexts work on headless machines.
#pragma once

#include <EGL/egl.h>

namespace linvale::platform {

enum class GlRenderer { Software, Hardware };

struct GlDisplay {
  EGLDisplay display = EGL_NO_DISPLAY;
  // Whether contexts need a config (the display lacks configless contexts).
  EGLConfig config = nullptr;
  // The largest width and height a context on this display can draw.
  int maxDimension = 0;
};

// The display of a renderer, set up on first use; null when the machine
// has none that can run an OpenGL 4.5 compatibility-profile context.
const GlDisplay* DisplayFor(GlRenderer renderer);

// A new compatibility-profile context on `display`, or EGL_NO_CONTEXT.
EGLContext CreateCompatibilityContext(const GlDisplay& display);

}  // namespace linvale::platform
