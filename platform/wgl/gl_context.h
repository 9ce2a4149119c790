// One OpenGL rendering context. It draws into a framebuffer of its own per
// bitmap (colour and the pixel format's depth and stencil buffers) that
// lives as long as the context, so depth and stencil survive while the
// bitmap is handed out; the colour goes into the bitmap each time the
// context stops being current and comes back from it when it is made
// current again, unless the bitmap still holds just what was written back.
#pragma once

#include "gdi/gdi_objects.h"
#include "wgl/gl_displays.h"
#include "wgl/pixel_formats.h"

#include <GL/gl.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <thread>

namespace linvale::platform {

// Whether a context on `display` can draw a picture the size of `bitmap`.
bool FitsLimits(const GlDisplay& display, const Bitmap& bitmap);

class GlContext {
public:
  // Null with the error code set when the display refuses a context.
  static std::unique_ptr<GlContext> Create(const GlDisplay& display, const PixelFormat& format, int formatIndex);
  // Takes over `context`, made by CreateCompatibilityContext on `display`.
  GlContext(const GlDisplay& display, EGLContext context, const PixelFormat& format, int formatIndex)
      : mDisplay(display), mContext(context), mFormat(format), mFormatIndex(formatIndex) {}
  ~GlContext();
  GlContext(const GlContext&) = delete;
  GlContext& operator=(const GlContext&) = delete;

  int FormatIndex() const { return mFormatIndex; }
  // The thread the context is current on, if any.
  std::optional<std::thread::id> Owner() const { return mOwner; }
  bool IsBoundTo(HDC hdc, HBITMAP bitmap) const { return mOwner && mHdc == hdc && mBitmapHandle == bitmap; }
  HDC BoundDC() const { return mHdc; }

  // Makes the context current on the calling thread, drawing into `bitmap`.
  // On failure (error code set) nothing is current.
  bool Bind(HDC hdc, HBITMAP handle, std::shared_ptr<Bitmap> bitmap);
  // Writes the picture into the bitmap and makes no context current.
  void Unbind();

private:
  struct Framebuffer {
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
    // The bitmap's write count when its pixels last equalled the colour.
    std::optional<std::uint64_t> heldGeneration;
  };

  // Needs the context current.
  Framebuffer* FramebufferFor(HBITMAP handle, const Bitmap& bitmap);
  std::optional<Framebuffer> CreateFramebuffer(const Bitmap& bitmap) const;
  void DropFramebuffersOfDeletedBitmaps();
  void Release();

  const GlDisplay& mDisplay;
  EGLContext mContext;
  PixelFormat mFormat;
  int mFormatIndex;
  std::map<HBITMAP, Framebuffer> mFramebuffers;
  bool mViewportSet = false;

  std::optional<std::thread::id> mOwner;
  HDC mHdc = nullptr;
  HBITMAP mBitmapHandle = nullptr;
  std::shared_ptr<Bitmap> mBitmap;
  Framebuffer* mFramebuffer = nullptr;
};

}  // namespace linvale::platform
