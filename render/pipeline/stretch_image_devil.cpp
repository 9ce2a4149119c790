// Stretching with DevIL's filters. DevIL gets the pixels as packed 24-bit
// rows, bottom row first, which is its own lower-left origin.
#include "image_resampling.h"

#include <linvale/dib_pixels.h>

#include <IL/il.h>
#include <IL/ilu.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace linvale::pipeline {

namespace {

std::size_t Stride24(LONG width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

// Rows are read one at a time and packed at width x 3 bytes; each call
// writes a padded row, hence the room after the last.
bool ReadPackedRows(HDC hdc, HBITMAP bitmap, LONG width, LONG height, std::vector<std::uint8_t>& pixels) {
  const std::size_t packed = static_cast<std::size_t>(width) * 3;
  pixels.assign(packed * static_cast<std::size_t>(height) + (Stride24(width) - packed), 0);
  BITMAPINFO info = NprDibHeader(width, height, 24);
  for (LONG row = 0; row < height; ++row) {
    if (GetDIBits(hdc, bitmap, static_cast<UINT>(row), 1, pixels.data() + packed * static_cast<std::size_t>(row), &info,
                  DIB_RGB_COLORS) != 1) {
      return false;
    }
  }
  return true;
}

// One DevIL image, bound while it lives.
class BoundImage {
public:
  BoundImage() : mName(ilGenImage()) { ilBindImage(mName); }
  ~BoundImage() {
    ilBindImage(0);
    ilDeleteImage(mName);
  }
  BoundImage(const BoundImage&) = delete;
  BoundImage& operator=(const BoundImage&) = delete;

private:
  ILuint mName;
};

bool ScaleBound(LONG width, LONG height, std::vector<std::uint8_t>& pixels, SIZE size) {
  if (!ilTexImage(static_cast<ILuint>(width), static_cast<ILuint>(height), 1, 3, IL_BGR, IL_UNSIGNED_BYTE,
                  pixels.data())) {
    return false;
  }
  iluBlurGaussian(1);
  iluImageParameter(ILU_FILTER, ILU_BILINEAR);
  return iluScale(static_cast<ILuint>(size.cx), static_cast<ILuint>(size.cy), 1) == IL_TRUE;
}

// Copies the bound image into a new section, row by row since DevIL packs
// rows and a bitmap pads them.
HBITMAP CopyBoundToSection(HDC hdc, SIZE size) {
  const BITMAPINFO info = NprDibHeader(size.cx, size.cy, 24);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr) {
    return nullptr;
  }
  const std::size_t packed = static_cast<std::size_t>(size.cx) * 3;
  std::vector<std::uint8_t> scaled(packed * static_cast<std::size_t>(size.cy));
  ilCopyPixels(0, 0, 0, static_cast<ILuint>(size.cx), static_cast<ILuint>(size.cy), 1, IL_BGR, IL_UNSIGNED_BYTE,
               scaled.data());
  auto* rows = static_cast<std::uint8_t*>(bits);
  for (LONG row = 0; row < size.cy; ++row) {
    std::memcpy(rows + Stride24(size.cx) * static_cast<std::size_t>(row),
                scaled.data() + packed * static_cast<std::size_t>(row), packed);
  }
  return section;
}

}  // namespace

HBITMAP StretchImageDevIL(HDC hdc, HBITMAP source, SIZE size) {
  BITMAP sourceInfo{};
  if (GetObject(source, sizeof sourceInfo, &sourceInfo) == 0) {
    return nullptr;
  }
  if (sourceInfo.bmWidth == size.cx || sourceInfo.bmHeight == size.cy) {
    return source;
  }
  if (size.cx <= 0 || size.cy <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::vector<std::uint8_t> pixels;
  if (!ReadPackedRows(hdc, source, sourceInfo.bmWidth, sourceInfo.bmHeight, pixels)) {
    return nullptr;
  }
  HBITMAP output = nullptr;
  {
    const BoundImage image;
    if (!ScaleBound(sourceInfo.bmWidth, sourceInfo.bmHeight, pixels, size)) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    output = CopyBoundToSection(hdc, size);
  }
  if (output != nullptr) {
    DeleteObject(source);
  }
  return output;
}

}  // namespace linvale::pipeline
