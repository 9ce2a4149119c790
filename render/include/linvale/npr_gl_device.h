// Which OpenGL implementation the off-screen contexts of a render draw
// with: a GPU's EGL device where the machine offers one, else Mesa's
// software rasteriser (llvmpipe). The environment variable
// LINVALE_GL_DEVICE picks one: "software" (or "llvmpipe") or "gpu"; unset,
// empty or "auto" takes the GPU when there is one.
#pragma once

#include <linvale/export.h>

#include <string>

enum class NprGlDevice { Software, Gpu };

struct NprGlDeviceChoice {
  NprGlDevice device = NprGlDevice::Software;
  // Why the request cannot be met, in one line; empty when it can.
  std::string refusal;
};

// The choice for the variable's value `request` (null when unset) on a
// machine that does or does not offer a GPU's pixel formats.
LINVALE_API NprGlDeviceChoice NprChooseGlDevice(const char* request, bool gpuOffered);

// The choice for this process: its environment and the pixel formats the
// machine offers.
LINVALE_API NprGlDeviceChoice NprCurrentGlDevice();

// The pixel format flags that select `device` (wglCreateDefaultBitmapDC).
LINVALE_API unsigned long NprGlFormatFlags(NprGlDevice device);
