#include "dib_pixels.h"

namespace linvale {

BITMAPINFO Dib32Header(LONG width, LONG height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

PixelBuffer ReadDib32(HDC hdc, HBITMAP bitmap, LONG width, LONG height) {
  PixelBuffer pixels(width, height);
  if (!pixels) {
    return {};
  }
  BITMAPINFO info = Dib32Header(width, height);
  if (GetDIBits(hdc, bitmap, 0, static_cast<UINT>(height), pixels.Data(), &info, DIB_RGB_COLORS) != height) {
    return {};
  }
  return pixels;
}

}  // namespace linvale
