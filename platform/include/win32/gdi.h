// Device contexts and bitmaps as the renderer uses them: memory contexts,
// device-independent bitmap sections, bitmap bits and block transfers.
// There is no display: the "screen" is a 32-bit device without pixels of
// its own, so every drawing surface is a bitmap in a memory context.
#pragma once

#include <win32/base.h>

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

struct BITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // positive: rows from the bottom up; negative: top down
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40, "the header size is part of file and mapping layouts");

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

struct DIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
};

using LPBITMAPINFO = BITMAPINFO*;

#define BI_RGB 0L
#define DIB_RGB_COLORS 0

// GetDeviceCaps indexes.
#define BITSPIXEL 12
#define PLANES 14

// Raster operation: the only one supported.
#define SRCCOPY 0x00CC0020

// Stretch modes. BLACKONWHITE and WHITEONBLACK keep the darkest or the
// lightest of the pixels a reduction drops (bitwise AND or OR), COLORONCOLOR
// takes the nearest pixel, HALFTONE averages the area each target pixel
// covers.
#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4

// GetGuiResources kind.
#define GR_GDIOBJECTS 0

// GetDC(NULL) gives a new screen context (32 bits per pixel) that
// ReleaseDC ends; window contexts do not exist (ERROR_INVALID_HANDLE).
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC hdc);

// A memory context with the stock 1x1 bitmap selected; `hdc` null means
// compatible with the screen.
HDC CreateCompatibleDC(HDC hdc);
// The bitmap selected in the context is deselected, not deleted.
BOOL DeleteDC(HDC hdc);

// BITSPIXEL (32) and PLANES (1); 0 for any other index.
int GetDeviceCaps(HDC hdc, int index);

// Selects a bitmap into a memory context and returns the one it replaces.
// A bitmap is selected into at most one context at a time; null on failure.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);

// Fails (FALSE) for a bitmap selected into a context; stock objects are
// accepted and stay.
BOOL DeleteObject(HGDIOBJ object);

// A 32-bit, zeroed bitmap whatever `hdc` is (every context here is 32-bit).
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);

// An uncompressed 24- or 32-bit section. With `section` its pixels live in
// that file mapping from `offset` (a multiple of 4) in a view of the
// bitmap's own, so the mapping handle may be closed at once; without, in
// zeroed memory. `*bits` receives the pixels' address.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);

// Fills a BITMAP (bmBits set for sections only) or, for a section and a
// buffer large enough, a DIBSECTION; returns the bytes written. A null
// buffer returns the size a BITMAP needs.
int GetObjectA(HGDIOBJ object, int bufferSize, LPVOID buffer);
inline int GetObject(HGDIOBJ object, int bufferSize, LPVOID buffer) { return GetObjectA(object, bufferSize, buffer); }

// Copy `lines` scan lines from `start` (counted from the bottom) out of or
// into a bitmap, converting to or from the 24- or 32-bit layout `info`
// describes (biWidth must be the bitmap's width). Rows in the buffer are
// padded to 4 bytes and run bottom-up or, with a negative biHeight, top
// down. Return the number of lines copied, 0 on failure. GetDIBits with
// null `bits` fills the header with the bitmap's own format instead.
int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, BITMAPINFO* info, UINT usage);
int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);

// Returns the previous mode, 0 for an unknown mode.
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);

// Copies between the bitmaps selected in two memory contexts (coordinates
// from the top left, extents positive, SRCCOPY only), clipped to both.
BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
BOOL StretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth,
                int sourceHeight, DWORD rop);

// Live GDI objects of the process: contexts and bitmaps (the current-process
// pseudo handle only).
DWORD GetGuiResources(HANDLE process, DWORD kind);
