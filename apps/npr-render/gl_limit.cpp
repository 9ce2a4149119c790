#include "gl_limit.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>

#include <linvale/bitmap_dc.h>
#include <linvale/npr_gl_device.h>
#include <linvale/npr_win32_owners.h>
#include <windows.h>

namespace npr_render {
namespace {

// A one-pixel off-screen context of the kind the shaders draw on.
class ProbeContext {
public:
  ProbeContext() {
    const SIZE size{1, 1};
    const unsigned long flags = NprGlFormatFlags(NprCurrentGlDevice().device);
    if (wglCreateDefaultBitmapDC(mDc.Get(), &size, 0, 16, 0, flags, nullptr, nullptr) != 0) {
      mGl.reset(wglCreateContext(mDc.Hdc()));
      mCurrent = mGl != nullptr && wglMakeCurrent(mDc.Hdc(), mGl.get());
    }
  }

  bool IsCurrent() const { return mCurrent; }

private:
  // The GL context goes before the bitmap context it draws on.
  NprUniqueBitmapDC mDc;
  NprUniqueGlContext mGl;
  bool mCurrent = false;
};

}  // namespace

GlDrawing ProbeGlDrawing() {
  ProbeContext probe;
  if (!probe.IsCurrent()) {
    return {};
  }
  GLint texture = 0;
  std::array<GLint, 2> viewport{};
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport.data());
  const GLint limit = std::min({texture, viewport[0], viewport[1]});
  const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  return {limit > 0 ? std::optional<int>(limit) : std::nullopt, renderer != nullptr ? renderer : ""};
}

}  // namespace npr_render
