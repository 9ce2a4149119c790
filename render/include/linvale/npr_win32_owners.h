// Owners for the Win32 objects Linvale, its plug-ins and its hosts make: each
// releases its object the one right way when it goes, and `release()` hands
// the object on to whoever keeps it beyond the scope (a bitmap returned to
// the caller, a mapping stored in a handle slot).
#pragma once

#include <linvale/bitmap_dc.h>
#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

struct NprGdiObjectDeleter {
  void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};

struct NprHandleCloser {
  void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};

struct NprMemoryDCDeleter {
  void operator()(HDC hdc) const noexcept { DeleteDC(hdc); }
};

struct NprScreenDCReleaser {
  void operator()(HDC hdc) const noexcept { ReleaseDC(nullptr, hdc); }
};

struct NprGlContextDeleter {
  void operator()(HGLRC glrc) const noexcept { wglDeleteContext(glrc); }
};

// A bitmap (or other GDI object) ended with DeleteObject. It must not be
// selected in a device context when the owner goes.
template <typename Object = HGDIOBJ>
using NprUniqueGdiObject = std::unique_ptr<std::remove_pointer_t<Object>, NprGdiObjectDeleter>;

// A kernel handle ended with CloseHandle: here, a file mapping.
using NprUniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, NprHandleCloser>;

// A memory device context from CreateCompatibleDC, ended with DeleteDC.
using NprUniqueDC = std::unique_ptr<std::remove_pointer_t<HDC>, NprMemoryDCDeleter>;

// The screen's device context from GetDC(NULL), ended with ReleaseDC.
using NprScreenDC = std::unique_ptr<std::remove_pointer_t<HDC>, NprScreenDCReleaser>;

// An OpenGL context from wglCreateContext, ended with wglDeleteContext,
// which first makes nothing current when it is the thread's current one.
using NprUniqueGlContext = std::unique_ptr<std::remove_pointer_t<HGLRC>, NprGlContextDeleter>;

// An off-screen bitmap context that wglCreateDefaultBitmapDC or
// wglCreateCompatibleBitmapDC fills in through Get(). When the owner goes the
// memory context is deleted and then the drawing bitmap it leaves behind; a
// GL context drawing on it must go first, so declare its owner after this.
class NprUniqueBitmapDC {
public:
  NprUniqueBitmapDC() = default;
  ~NprUniqueBitmapDC() {
    if (mDc.hdc != nullptr && wglDeleteBitmapDC(&mDc) != 0) {
      DeleteObject(mDc.other);
    }
  }
  NprUniqueBitmapDC(const NprUniqueBitmapDC&) = delete;
  NprUniqueBitmapDC& operator=(const NprUniqueBitmapDC&) = delete;

  BitmapDC* Get() { return &mDc; }
  HDC Hdc() const { return mDc.hdc; }

private:
  BitmapDC mDc{};
};

// The screen's device context until the owner goes; null when the system
// has none to give (GDI takes a null context for the screen's).
inline NprScreenDC NprGetScreenDC() { return NprScreenDC(GetDC(nullptr)); }

// Keeps the calling thread's last error as it was when the scope began and
// puts it back when the scope ends. Clean-up after a failure runs inside
// one, so that the caller learns why the operation failed, not whether the
// clean-up did.
class NprLastErrorScope {
public:
  NprLastErrorScope() : mError(GetLastError()) {}
  ~NprLastErrorScope() { SetLastError(mError); }
  NprLastErrorScope(const NprLastErrorScope&) = delete;
  NprLastErrorScope& operator=(const NprLastErrorScope&) = delete;

private:
  DWORD mError;
};

// Closes the handle a caller's slot holds, if there is a slot and a handle,
// and leaves the slot empty: the off-screen context's and the renderer's
// file and mapping slots.
inline void NprCloseHandleSlot(HANDLE* slot) {
  if (slot != nullptr && *slot != nullptr) {
    CloseHandle(std::exchange(*slot, nullptr));
  }
}
