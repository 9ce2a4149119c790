#include "gl_limit.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>

#include <linvale/bitmap_dc.h>
#include <linvale/npr_win32_owners.h>
#include <windows.h>

namespace npr_render {
namespace {

// A one-pixel off-screen context of the kind the shaders draw on.
class ProbeContext {
public:
  ProbeContext() {
    const SIZE size{1, 1};
    for (const unsigned long flags : {static_cast<unsigned long>(PFD_GENERIC_FORMAT), 0ul}) {
      if (wglCreateDefaultBitmapDC(mDc.Get(), &size, 0, 16, 0, flags, nullptr, nullptr) != 0) {
        mGl.reset(wglCreateContext(mDc.Hdc()));
        mCurrent = mGl != nullptr && wglMakeCurrent(mDc.Hdc(), mGl.get());
        return;
      }
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

std::optional<int> LargestPictureSide() {
  ProbeContext probe;
  if (!probe.IsCurrent()) {
    return std::nullopt;
  }
  GLint texture = 0;
  std::array<GLint, 2> viewport{};
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport.data());
  const GLint limit = std::min({texture, viewport[0], viewport[1]});
  return limit > 0 ? std::optional<int>(limit) : std::nullopt;
}

}  // namespace npr_render
