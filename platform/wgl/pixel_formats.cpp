#include "wgl/pixel_formats.h"

#include "gdi/gdi_objects.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace linvale::platform {

namespace {

struct Buffers {
  BYTE alphaBits;
  BYTE depthBits;
  BYTE stencilBits;
};

// Smallest buffers first, so that the first format meeting a minimum is
// the cheapest one that does.
constexpr std::array<Buffers, 8> bufferChoices{{
    {0, 16, 0},
    {0, 24, 0},
    {0, 24, 8},
    {0, 32, 0},
    {8, 16, 0},
    {8, 24, 0},
    {8, 24, 8},
    {8, 32, 0},
}};

void AddFormats(std::vector<PixelFormat>& formats, GlRenderer renderer) {
  if (DisplayFor(renderer) == nullptr) {
    return;
  }
  for (const Buffers& buffers : bufferChoices) {
    formats.push_back({renderer, buffers.alphaBits, buffers.depthBits, buffers.stencilBits});
  }
}

// The colour layout is that of a 32-bit bitmap: blue, green, red, alpha.
PIXELFORMATDESCRIPTOR Describe(const PixelFormat& format) {
  PIXELFORMATDESCRIPTOR descriptor{};
  descriptor.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  descriptor.nVersion = 1;
  descriptor.dwFlags = PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL;
  if (format.renderer == GlRenderer::Software) {
    descriptor.dwFlags |= PFD_GENERIC_FORMAT;
  }
  descriptor.iPixelType = PFD_TYPE_RGBA;
  descriptor.cColorBits = 32;
  descriptor.cRedBits = 8;
  descriptor.cRedShift = 16;
  descriptor.cGreenBits = 8;
  descriptor.cGreenShift = 8;
  descriptor.cBlueBits = 8;
  descriptor.cBlueShift = 0;
  descriptor.cAlphaBits = format.alphaBits;
  descriptor.cAlphaShift = format.alphaBits != 0 ? 24 : 0;
  descriptor.cDepthBits = format.depthBits;
  descriptor.cStencilBits = format.stencilBits;
  descriptor.iLayerType = PFD_MAIN_PLANE;
  return descriptor;
}

bool IsKnownContext(HDC hdc) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  return objects.Contexts().Find(hdc) != nullptr;
}

}  // namespace

const std::vector<PixelFormat>& OfferedPixelFormats() {
  static const std::vector<PixelFormat> formats = [] {
    std::vector<PixelFormat> offered;
    AddFormats(offered, GlRenderer::Software);
    AddFormats(offered, GlRenderer::Hardware);
    return offered;
  }();
  return formats;
}

}  // namespace linvale::platform

using linvale::platform::GdiObjects;
using linvale::platform::OfferedPixelFormats;

int DescribePixelFormat(HDC hdc, int format, UINT size, LPPIXELFORMATDESCRIPTOR descriptor) {
  if (!linvale::platform::IsKnownContext(hdc)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  const auto& formats = OfferedPixelFormats();
  const int count = static_cast<int>(formats.size());
  if (count == 0) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return 0;
  }
  if (format < 0 || format > count) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (format > 0 && descriptor != nullptr) {
    const PIXELFORMATDESCRIPTOR described = linvale::platform::Describe(formats[static_cast<std::size_t>(format - 1)]);
    std::memcpy(descriptor, &described, std::min<std::size_t>(size, sizeof described));
  }
  return count;
}

BOOL SetPixelFormat(HDC hdc, int format, const PIXELFORMATDESCRIPTOR*) {
  const int count = static_cast<int>(OfferedPixelFormats().size());
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto context = objects.Contexts().FindOrFail(hdc);
  if (!context) {
    return FALSE;
  }
  if (format < 1 || format > count || (context->pixelFormat != 0 && context->pixelFormat != format)) {
    SetLastError(ERROR_INVALID_PIXEL_FORMAT);
    return FALSE;
  }
  context->pixelFormat = format;
  return TRUE;
}

int GetPixelFormat(HDC hdc) {
  auto& objects = GdiObjects::Instance();
  const auto lock = objects.Lock();
  const auto context = objects.Contexts().FindOrFail(hdc);
  if (!context) {
    return 0;
  }
  if (context->pixelFormat == 0) {
    SetLastError(ERROR_INVALID_PIXEL_FORMAT);
  }
  return context->pixelFormat;
}
