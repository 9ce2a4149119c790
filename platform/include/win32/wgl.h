// OpenGL rendering contexts on memory device contexts. A context draws into
// the bitmap selected in the device context it is current on; the bitmap
// holds the picture whenever the context is not current on it.
#pragma once

#include <win32/base.h>

struct PIXELFORMATDESCRIPTOR {
  WORD nSize;
  WORD nVersion;
  DWORD dwFlags;
  BYTE iPixelType;
  BYTE cColorBits;
  BYTE cRedBits;
  BYTE cRedShift;
  BYTE cGreenBits;
  BYTE cGreenShift;
  BYTE cBlueBits;
  BYTE cBlueShift;
  BYTE cAlphaBits;
  BYTE cAlphaShift;
  BYTE cAccumBits;
  BYTE cAccumRedBits;
  BYTE cAccumGreenBits;
  BYTE cAccumBlueBits;
  BYTE cAccumAlphaBits;
  BYTE cDepthBits;
  BYTE cStencilBits;
  BYTE cAuxBuffers;
  BYTE iLayerType;
  BYTE bReserved;
  DWORD dwLayerMask;
  DWORD dwVisibleMask;
  DWORD dwDamageMask;
};
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "callers pass the descriptor size 40");

using LPPIXELFORMATDESCRIPTOR = PIXELFORMATDESCRIPTOR*;

#define PFD_TYPE_RGBA 0
#define PFD_MAIN_PLANE 0

#define PFD_DOUBLEBUFFER 0x00000001
#define PFD_DRAW_TO_WINDOW 0x00000004
#define PFD_DRAW_TO_BITMAP 0x00000008
#define PFD_SUPPORT_GDI 0x00000010
#define PFD_SUPPORT_OPENGL 0x00000020
// Formats of the software implementation (Mesa's llvmpipe).
#define PFD_GENERIC_FORMAT 0x00000040
#define PFD_GENERIC_ACCELERATED 0x00001000

// The formats every device context offers: first the software ones, then,
// when the machine has a GPU with an EGL device, the same set run by it
// (neither generic bit set). Returns the number of formats; with a valid
// 1-based `format` also fills `descriptor` (at most `size` bytes of it).
// Format 0 only counts.
int DescribePixelFormat(HDC hdc, int format, UINT size, LPPIXELFORMATDESCRIPTOR descriptor);

// A device context's format is set once; setting another one later fails
// with ERROR_INVALID_PIXEL_FORMAT.
BOOL SetPixelFormat(HDC hdc, int format, const PIXELFORMATDESCRIPTOR* descriptor);
// The format set on `hdc`, 0 with ERROR_INVALID_PIXEL_FORMAT when none is.
int GetPixelFormat(HDC hdc);

// An OpenGL compatibility-profile context for the pixel format of `hdc`.
// Fails with ERROR_NOT_ENOUGH_MEMORY when the bitmap selected in `hdc` is
// larger than the GL implementation can draw (see docs/platform.md).
HGLRC wglCreateContext(HDC hdc);

// Makes `context` current on this thread, drawing into the bitmap selected
// in `hdc`. The context that stops being current (null `context`, another
// context, or another device context) first writes its picture into the
// bitmap it drew into. A failure leaves no context current.
BOOL wglMakeCurrent(HDC hdc, HGLRC context);

// A context current on this thread is released first (writing its
// picture); one current on another thread cannot be deleted (ERROR_BUSY).
BOOL wglDeleteContext(HGLRC context);

HGLRC wglGetCurrentContext();
HDC wglGetCurrentDC();
