// Off-screen OpenGL bitmap contexts: a memory device context with a bitmap
// selected and a pixel format set, on which a shader creates its OpenGL
// context. The bitmap can be handed out while drawing goes on (to show the
// picture so far) and is left to the caller at the end.
//
// Every function returns 0 (null for wglLockBitmap) on failure and leaves a
// Windows error code; a null BitmapDC gives ERROR_BAD_ARGUMENTS.
#pragma once

#include <linvale/export.h>
#include <windows.h>

// The state of one off-screen context, owned by the caller.
struct BitmapDC {
  // On entry to the create functions: the context to be compatible with;
  // after creation: the memory context OpenGL draws into.
  HDC hdc;
  // The bitmap not selected in `hdc` right now: after creation the memory
  // context's stock bitmap; while locked, and after deletion, the drawing
  // bitmap.
  HGDIOBJ other;
};

// Sets the first pixel format of `hdc` that can draw to a bitmap with
// OpenGL, has at least the given colour, alpha, depth and accumulation
// bits, and whose software and accelerated bits (0x40 and 0x1000) equal
// those of `flags`. Returns its 1-based index, or 0 with
// ERROR_INVALID_PIXEL_FORMAT.
LINVALE_API int wglSetPixelFormat(HDC hdc, unsigned char colorBits, unsigned char alphaBits, unsigned char depthBits,
                                  unsigned char accumBits, unsigned long flags);

extern "C" {

// Makes a memory context compatible with `dc->hdc` with a `size` bitmap
// selected and a pixel format set; returns the format's index. With a
// `fileHandle` slot the bitmap is a 32-bit bottom-up section whose pixels
// live in a new unnamed file mapping of width x height x 4 + 40 bytes, whose
// handle goes to `*mappingHandle` and belongs to the caller; without one it
// is an ordinary bitmap compatible with `dc->hdc`. A failure leaves no
// context, bitmap or mapping behind.
LINVALE_API int wglCreateCompatibleBitmapDC(BitmapDC* dc, const SIZE* size, unsigned char alphaBits,
                                            unsigned char depthBits, unsigned char accumBits, unsigned long flags,
                                            HANDLE* fileHandle, HANDLE* mappingHandle);

// The same, compatible with the screen.
LINVALE_API int wglCreateDefaultBitmapDC(BitmapDC* dc, const SIZE* size, unsigned char alphaBits,
                                         unsigned char depthBits, unsigned char accumBits, unsigned long flags,
                                         HANDLE* fileHandle, HANDLE* mappingHandle);

// Finishes all OpenGL drawing, makes no rendering context current and
// returns the drawing bitmap, selected nowhere and safe to read.
LINVALE_API HBITMAP wglLockBitmap(BitmapDC* dc);

// Selects the drawing bitmap again; with `glrc` makes it current on the
// memory context and returns what wglMakeCurrent returns, else returns 1.
LINVALE_API int wglUnLockBitmap(BitmapDC* dc, HGLRC glrc);

// Deletes the memory context, leaving the drawing bitmap, with the picture,
// in `dc->other` for the caller; sets `dc->hdc` to null.
LINVALE_API int wglDeleteBitmapDC(BitmapDC* dc);

}  // extern "C"
