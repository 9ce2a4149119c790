// The off-screen context a shader render draws into, owned so that every
// way out of a render (finished, cancelled, failed, or an exception) tears
// it down in the same order.
#include <linvale/npr_gl_bitmap_context.h>

#include <linvale/npr_gl_device.h>

namespace {

constexpr unsigned char kColorBits = 32;

}  // namespace

// A bitmap nobody took with Finish belongs to a failed render: its
// half-drawn picture goes with the owner.
NprGlBitmapContext::~NprGlBitmapContext() { Release(); }

bool NprGlBitmapContext::CreateBitmapContext(SIZE size, unsigned char alphaBits, unsigned char depthBits,
                                             HANDLE* fileHandle, HANDLE* mappingHandle) {
  if (mDc.hdc != nullptr) {
    return true;
  }
  mDc = BitmapDC{};
  const NprGlDeviceChoice device = NprCurrentGlDevice();
  if (!device.refusal.empty()) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return false;
  }
  const unsigned long flags = NprGlFormatFlags(device.device);
  return wglCreateDefaultBitmapDC(&mDc, &size, alphaBits, depthBits, 0, flags, fileHandle, mappingHandle) != 0 &&
         mDc.hdc != nullptr;
}

bool NprGlBitmapContext::CreateGlContext() {
  if (mDc.hdc == nullptr) {
    return false;
  }
  if (mGlrc == nullptr) {
    mGlrc.reset(wglCreateContext(mDc.hdc));
  }
  return mGlrc != nullptr;
}

bool NprGlBitmapContext::MakeCurrent() { return mGlrc != nullptr && wglMakeCurrent(mDc.hdc, mGlrc.get()) != 0; }

void NprGlBitmapContext::ShowPicture(NprRenderer::Progress* progress) {
  if (progress == nullptr) {
    return;
  }
  HBITMAP picture = wglLockBitmap(&mDc);
  // The step is counted even when the picture cannot be handed out, so the
  // caller's progress still adds up.
  progress->Step(1, picture);
  if (picture != nullptr) {
    wglUnLockBitmap(&mDc, mGlrc.get());
  } else {
    // The lock gives up the GL context before it can fail; without it the
    // rest of the render would draw nowhere.
    MakeCurrent();
  }
}

HBITMAP NprGlBitmapContext::Finish() {
  Release();
  return mBitmap.release();
}

void NprGlBitmapContext::Release() {
  mGlrc.reset();
  if (mDc.hdc != nullptr && wglDeleteBitmapDC(&mDc) != 0) {
    mBitmap.reset(static_cast<HBITMAP>(mDc.other));
    mDc = BitmapDC{};
  }
}
