// Reading a bitmap's pixels into a 32-bit bottom-up buffer.
#pragma once

#include "pixel_buffer.h"

#include <windows.h>

namespace linvale::pipeline {

// A copy of all of `bitmap`'s pixels as 32-bit bottom-up rows; empty (the
// error code set) when the bitmap cannot be read.
PixelBuffer ReadDib32(HDC hdc, HBITMAP bitmap, LONG width, LONG height);

}  // namespace linvale::pipeline
