#include "bitmap_image.h"

#include <linvale/dib_pixels.h>
#include <linvale/npr_win32_owners.h>

namespace linvale::ui {

QImage ImageFromBitmap(HBITMAP bitmap) {
  BITMAP header{};
  if (bitmap == nullptr || GetObject(bitmap, sizeof header, &header) == 0 || header.bmWidth <= 0 ||
      header.bmHeight <= 0) {
    return {};
  }
  QImage image(header.bmWidth, header.bmHeight, QImage::Format_RGB32);
  BITMAPINFO info = NprDibHeader(header.bmWidth, header.bmHeight, 32);
  const NprScreenDC screen = NprGetScreenDC();
  // Bottom-up rows, blue in the low byte: the layout of Format_RGB32 on a
  // little-endian machine, so each row is copied as it is.
  for (int row = 0; row < header.bmHeight; ++row) {
    if (GetDIBits(screen.get(), bitmap, static_cast<UINT>(header.bmHeight - 1 - row), 1, image.scanLine(row), &info,
                  DIB_RGB_COLORS) == 0) {
      return {};
    }
    // The fourth byte of a DIB pixel is no alpha; Qt wants it opaque.
    auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(row));
    for (int column = 0; column < header.bmWidth; ++column) {
      pixels[column] |= 0xFF000000u;
    }
  }
  return image;
}

}  // namespace linvale::ui
