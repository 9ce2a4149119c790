#include <linvale/dib_pixels.h>

#include <linvale/npr_win32_owners.h>

#include <cstring>

BITMAPINFO NprDibHeader(LONG width, LONG height, WORD bitsPerPixel) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = bitsPerPixel;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

HBITMAP NprCreateDib32(LONG width, LONG height, std::span<const std::uint32_t> pixels) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return nullptr;
  }
  const BITMAPINFO info = NprDibHeader(width, height, 32);
  void* bits = nullptr;
  NprUniqueGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) {
    return nullptr;
  }
  // 32-bit rows need no padding, so the pixels go in as one block.
  std::memcpy(bits, pixels.data(), pixels.size_bytes());
  return bitmap.release();
}
