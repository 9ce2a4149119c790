// Moving a bitmap's pixels in and out of 32-bit bottom-up buffers.
#pragma once

#include "pixel_buffer.h"

#include <windows.h>

namespace linvale {

// The header of a 32-bit, bottom-up, uncompressed device-independent
// bitmap of the given size.
BITMAPINFO Dib32Header(LONG width, LONG height);

// A copy of all of `bitmap`'s pixels as 32-bit bottom-up rows; empty (the
// error code set) when the bitmap cannot be read.
PixelBuffer ReadDib32(HDC hdc, HBITMAP bitmap, LONG width, LONG height);

}  // namespace linvale
