#include "dib_reading.h"

#include <linvale/dib_pixels.h>

namespace linvale::pipeline {

PixelBuffer ReadDib32(HDC hdc, HBITMAP bitmap, LONG width, LONG height) {
  PixelBuffer pixels(width, height);
  if (!pixels) {
    return {};
  }
  BITMAPINFO info = NprDibHeader(width, height, 32);
  if (GetDIBits(hdc, bitmap, 0, static_cast<UINT>(height), pixels.Data(), &info, DIB_RGB_COLORS) != height) {
    return {};
  }
  return pixels;
}

}  // namespace linvale::pipeline
