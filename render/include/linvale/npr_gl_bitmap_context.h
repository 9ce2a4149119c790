// The off-screen drawing surface of one shader render: the bitmap context
// and the GL context on it, torn down together on every way out.
#pragma once

#include <linvale/bitmap_dc.h>
#include <linvale/export.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_win32_owners.h>
#include <windows.h>

// The bitmap context and GL context of one render. The destructor runs the
// common end of every render (no context current, GL context deleted, bitmap
// context deleted) on whatever path the render leaves by; the drawing bitmap
// is deleted with it unless Finish handed it over first.
class LINVALE_API NprGlBitmapContext {
public:
  NprGlBitmapContext() = default;
  ~NprGlBitmapContext();
  NprGlBitmapContext(const NprGlBitmapContext&) = delete;
  NprGlBitmapContext& operator=(const NprGlBitmapContext&) = delete;

  // Creates the 32-bit off-screen bitmap context of `size` on the device
  // NprCurrentGlDevice picks (the GPU where there is one, else llvmpipe).
  // May be called again after a failure, e.g. with fewer alpha bits. False
  // with the system error set when it cannot be created, or
  // ERROR_NOT_SUPPORTED when the device asked for is missing.
  bool CreateBitmapContext(SIZE size, unsigned char alphaBits, unsigned char depthBits, HANDLE* fileHandle,
                           HANDLE* mappingHandle);
  // Creates the GL context on the bitmap context; false when there is none.
  bool CreateGlContext();
  // Makes the GL context current on the bitmap context.
  bool MakeCurrent();

  // Hands the picture so far to `progress` as one step: the bitmap is locked
  // out of GL while the caller looks at it, then the GL context is current
  // again. Nothing happens without a progress object; when the bitmap cannot
  // be locked the step is still counted, without a picture.
  void ShowPicture(NprRenderer::Progress* progress);

  // Runs the common end and gives the drawn bitmap to the caller (null when
  // no bitmap context was ever created).
  HBITMAP Finish();

private:
  void Release();

  // The bitmap context is deleted by hand in Release: the drawing bitmap it
  // leaves is the picture, kept for Finish rather than deleted with it.
  BitmapDC mDc{};
  NprUniqueGlContext mGlrc;
  NprUniqueGdiObject<HBITMAP> mBitmap;
};
