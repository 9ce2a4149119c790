#include "default_picture.h"

#include <cstring>

HBITMAP CreateDefaultPictureBitmap() {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = kDefaultPictureSize;
  info.bmiHeader.biHeight = kDefaultPictureSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr || bits == nullptr) {
    return nullptr;
  }
  const std::vector<std::uint32_t> pixels = DrawDefaultPicture();
  std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
  return bitmap;
}
