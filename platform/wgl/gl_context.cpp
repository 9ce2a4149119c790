// Before any GL header: the framebuffer functions are called directly.
#define GL_GLEXT_PROTOTYPES
#include "wgl/gl_context.h"

#include <GL/glext.h>

#include <algorithm>
#include <array>
#include <vector>

namespace linvale::platform {

namespace {

// Moving pixels between bitmap and framebuffer must not depend on the
// caller's pixel-store and pixel-transfer settings, nor change them: they
// are saved, set to the byte-exact defaults and restored.
class NeutralPixelTransfer {
public:
  NeutralPixelTransfer() {
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPushAttrib(GL_PIXEL_MODE_BIT);
    glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &mPackBuffer);
    glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &mUnpackBuffer);
    glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    for (const GLenum store : {GL_PACK_ALIGNMENT, GL_UNPACK_ALIGNMENT}) {
      glPixelStorei(store, 4);  // device-independent rows are padded to 4 bytes
    }
    for (const GLenum store : {GL_PACK_ROW_LENGTH, GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS, GL_PACK_SWAP_BYTES,
                               GL_PACK_LSB_FIRST, GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS,
                               GL_UNPACK_SWAP_BYTES, GL_UNPACK_LSB_FIRST}) {
      glPixelStorei(store, 0);
    }
    glPixelTransferi(GL_MAP_COLOR, GL_FALSE);
    for (const GLenum scale : {GL_RED_SCALE, GL_GREEN_SCALE, GL_BLUE_SCALE, GL_ALPHA_SCALE}) {
      glPixelTransferf(scale, 1.0F);
    }
    for (const GLenum bias : {GL_RED_BIAS, GL_GREEN_BIAS, GL_BLUE_BIAS, GL_ALPHA_BIAS}) {
      glPixelTransferf(bias, 0.0F);
    }
  }
  ~NeutralPixelTransfer() {
    glBindBuffer(GL_PIXEL_PACK_BUFFER, static_cast<GLuint>(mPackBuffer));
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(mUnpackBuffer));
    glPopAttrib();
    glPopClientAttrib();
  }
  NeutralPixelTransfer(const NeutralPixelTransfer&) = delete;
  NeutralPixelTransfer& operator=(const NeutralPixelTransfer&) = delete;

private:
  GLint mPackBuffer = 0;
  GLint mUnpackBuffer = 0;
};

GLenum PixelLayout(const Bitmap& bitmap) { return bitmap.bitsPerPixel == 32 ? GL_BGRA : GL_BGR; }

// GL's row 0 is the bottom row, like a bottom-up bitmap's; only top-down
// sections need their rows taken one at a time.
void UploadPixels(GLuint texture, const Bitmap& bitmap) {
  const NeutralPixelTransfer neutral;
  if (!bitmap.topDown) {
    glTextureSubImage2D(texture, 0, 0, 0, bitmap.width, bitmap.height, PixelLayout(bitmap), GL_UNSIGNED_BYTE,
                        bitmap.pixels.Data());
    return;
  }
  for (LONG row = 0; row < bitmap.height; ++row) {
    glTextureSubImage2D(texture, 0, 0, row, bitmap.width, 1, PixelLayout(bitmap), GL_UNSIGNED_BYTE, bitmap.Row(row));
  }
}

void ReversePictureRows(const Bitmap& bitmap) {
  for (LONG top = 0, bottom = bitmap.height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(bitmap.Row(top), bitmap.Row(top) + bitmap.Stride(), bitmap.Row(bottom));
  }
}

void DownloadPixels(GLuint texture, const Bitmap& bitmap) {
  const NeutralPixelTransfer neutral;
  glGetTextureImage(texture, 0, PixelLayout(bitmap), GL_UNSIGNED_BYTE,
                    static_cast<GLsizei>(bitmap.Stride() * static_cast<std::size_t>(bitmap.height)),
                    bitmap.pixels.Data());
  if (bitmap.topDown) {
    ReversePictureRows(bitmap);
  }
}

// A section's pixels can be written through its bits pointer without any
// count seeing it, so only other bitmaps can be trusted to be unchanged.
bool StillHolds(const std::optional<std::uint64_t>& heldGeneration, const Bitmap& bitmap) {
  return !bitmap.isSection && heldGeneration == bitmap.generation;
}

GLenum DepthStorage(const PixelFormat& format) {
  if (format.stencilBits != 0) {
    return GL_DEPTH24_STENCIL8;
  }
  switch (format.depthBits) {
    case 16: return GL_DEPTH_COMPONENT16;
    case 24: return GL_DEPTH_COMPONENT24;
    default: return GL_DEPTH_COMPONENT32;
  }
}

bool HasEightBitChannels(GLuint texture) {
  return std::ranges::all_of(
      std::array<GLenum, 4>{GL_TEXTURE_RED_SIZE, GL_TEXTURE_GREEN_SIZE, GL_TEXTURE_BLUE_SIZE, GL_TEXTURE_ALPHA_SIZE},
      [texture](GLenum channel) {
        GLint bits = 0;
        glGetTextureLevelParameteriv(texture, 0, channel, &bits);
        return bits == 8;
      });
}

// Asked for by the layout of the pixels it will hold, the implementation
// may store the colour in the bitmap's own byte order, which turns every
// upload and read-back into a plain copy instead of a per-pixel swizzle.
// Only a store of 8 bits per channel keeps the pixels exact, so anything
// else is replaced by the usual one.
void AllocateColour(GLuint texture, const Bitmap& bitmap) {
  const NeutralPixelTransfer neutral;  // no unpack buffer may stand in for the missing pixels
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, bitmap.width, bitmap.height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  if (!HasEightBitChannels(texture)) {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, bitmap.width, bitmap.height, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
  }
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

void DeleteFramebufferObjects(GLuint framebuffer, GLuint colour, GLuint depth) {
  glDeleteFramebuffers(1, &framebuffer);
  glDeleteTextures(1, &colour);
  glDeleteRenderbuffers(1, &depth);
}

}  // namespace

std::unique_ptr<GlContext> GlContext::Create(const GlDisplay& display, const PixelFormat& format, int formatIndex) {
  const EGLContext context = CreateCompatibilityContext(display);
  if (context == EGL_NO_CONTEXT) {
    SetLastError(eglGetError() == EGL_BAD_ALLOC ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_PIXEL_FORMAT);
    return nullptr;
  }
  return std::make_unique<GlContext>(display, context, format, formatIndex);
}

// Destroying the context frees its framebuffers with it.
GlContext::~GlContext() { eglDestroyContext(mDisplay.display, mContext); }

bool FitsLimits(const GlDisplay& display, const Bitmap& bitmap) {
  return bitmap.width <= display.maxDimension && bitmap.height <= display.maxDimension;
}

bool GlContext::Bind(HDC hdc, HBITMAP handle, std::shared_ptr<Bitmap> bitmap) {
  if (!FitsLimits(mDisplay, *bitmap)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  if (eglMakeCurrent(mDisplay.display, EGL_NO_SURFACE, EGL_NO_SURFACE, mContext) != EGL_TRUE) {
    SetLastError(eglGetError() == EGL_BAD_ACCESS ? ERROR_BUSY : ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  DropFramebuffersOfDeletedBitmaps();
  Framebuffer* framebuffer = FramebufferFor(handle, *bitmap);
  if (framebuffer == nullptr) {
    eglMakeCurrent(mDisplay.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return false;
  }
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer->framebuffer);
  {
    const auto lock = GdiObjects::Instance().Lock();
    if (!StillHolds(framebuffer->heldGeneration, *bitmap)) {
      // Every pixel is read now and written back when the context lets go;
      // a bitmap this framebuffer never held may not have its pages yet.
      if (!framebuffer->heldGeneration) {
        bitmap->pixels.BackAllPages();
      }
      UploadPixels(framebuffer->colour, *bitmap);
      framebuffer->heldGeneration = bitmap->generation;
    }
  }
  // As on a window, the first surface a context is made current on sets
  // its viewport and scissor box.
  if (!mViewportSet) {
    glViewport(0, 0, bitmap->width, bitmap->height);
    glScissor(0, 0, bitmap->width, bitmap->height);
    mViewportSet = true;
  }
  mOwner = std::this_thread::get_id();
  mHdc = hdc;
  mBitmapHandle = handle;
  mBitmap = std::move(bitmap);
  mFramebuffer = framebuffer;
  return true;
}

void GlContext::Unbind() {
  if (!mOwner) {
    return;
  }
  {
    const auto lock = GdiObjects::Instance().Lock();
    DownloadPixels(mFramebuffer->colour, *mBitmap);
    mBitmap->MarkWritten();
    mFramebuffer->heldGeneration = mBitmap->generation;
  }
  Release();
}

void GlContext::Release() {
  eglMakeCurrent(mDisplay.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  mOwner.reset();
  mHdc = nullptr;
  mBitmapHandle = nullptr;
  mBitmap.reset();
  mFramebuffer = nullptr;
}

GlContext::Framebuffer* GlContext::FramebufferFor(HBITMAP handle, const Bitmap& bitmap) {
  if (const auto found = mFramebuffers.find(handle); found != mFramebuffers.end()) {
    return &found->second;
  }
  const auto created = CreateFramebuffer(bitmap);
  if (!created) {
    return nullptr;
  }
  return &mFramebuffers.emplace(handle, *created).first->second;
}

std::optional<GlContext::Framebuffer> GlContext::CreateFramebuffer(const Bitmap& bitmap) const {
  Framebuffer created;
  glCreateTextures(GL_TEXTURE_2D, 1, &created.colour);
  glTextureParameteri(created.colour, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  AllocateColour(created.colour, bitmap);
  glCreateFramebuffers(1, &created.framebuffer);
  glNamedFramebufferTexture(created.framebuffer, GL_COLOR_ATTACHMENT0, created.colour, 0);
  glCreateRenderbuffers(1, &created.depth);
  glNamedRenderbufferStorage(created.depth, DepthStorage(mFormat), bitmap.width, bitmap.height);
  const GLenum attachment = mFormat.stencilBits != 0 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
  glNamedFramebufferRenderbuffer(created.framebuffer, attachment, GL_RENDERBUFFER, created.depth);
  // Storage the implementation could not allocate leaves the framebuffer
  // incomplete, which is all there is to check.
  if (glCheckNamedFramebufferStatus(created.framebuffer, GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    DeleteFramebufferObjects(created.framebuffer, created.colour, created.depth);
    return std::nullopt;
  }
  return created;
}

// Handles are never reused, so a framebuffer whose bitmap is gone will
// never be drawn again.
void GlContext::DropFramebuffersOfDeletedBitmaps() {
  std::vector<HBITMAP> deleted;
  {
    auto& objects = GdiObjects::Instance();
    const auto lock = objects.Lock();
    for (const auto& entry : mFramebuffers) {
      if (!objects.Bitmaps().Find(entry.first)) {
        deleted.push_back(entry.first);
      }
    }
  }
  for (const HBITMAP handle : deleted) {
    const Framebuffer& framebuffer = mFramebuffers.at(handle);
    DeleteFramebufferObjects(framebuffer.framebuffer, framebuffer.colour, framebuffer.depth);
    mFramebuffers.erase(handle);
  }
}

}  // namespace linvale::platform
