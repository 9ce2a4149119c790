// The reduction that ends an antialiased render.
#include <linvale/dib_pixels.h>

#include "bilinear_resampling.h"
#include "dib_reading.h"
#include "image_resampling.h"

#include <algorithm>
#include <cstdint>

namespace linvale {

namespace {

// Room for the 32-bit pixels plus a bitmap header, like the mapping of
// the render's own bitmap.
HANDLE CreateOutputMapping(SIZE size) {
  const auto width = static_cast<std::uint64_t>(std::max<LONG>(size.cx, 0));
  const auto height = static_cast<std::uint64_t>(std::max<LONG>(size.cy, 0));
  const std::uint64_t bytes = width * height * 4 + 40;
  return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(bytes >> 32),
                            static_cast<DWORD>(bytes & 0xFFFFFFFFU), nullptr);
}

// Deletes what a failed reduction made, and the source, keeping the error
// code of the step that failed.
HBITMAP Fail(HBITMAP source, HBITMAP output, HANDLE mapping) {
  const DWORD error = GetLastError();
  if (output != nullptr) {
    DeleteObject(output);
  }
  if (mapping != nullptr) {
    CloseHandle(mapping);
  }
  DeleteObject(source);
  SetLastError(error);
  return nullptr;
}

void HandOverMapping(HANDLE mapping, HANDLE* fileSlot, HANDLE* mappingSlot) {
  for (HANDLE* slot : {fileSlot, mappingSlot}) {
    if (slot != nullptr && *slot != nullptr) {
      CloseHandle(*slot);
      *slot = nullptr;
    }
  }
  if (mappingSlot != nullptr) {
    *mappingSlot = mapping;
  } else {
    CloseHandle(mapping);
  }
}

}  // namespace

HBITMAP StretchImageBilinear(HDC hdc, HBITMAP source, SIZE size, HANDLE* fileSlot, HANDLE* mappingSlot) {
  BITMAP sourceInfo{};
  if (GetObject(source, sizeof sourceInfo, &sourceInfo) == 0) {
    return nullptr;
  }
  HANDLE mapping = CreateOutputMapping(size);
  if (mapping == nullptr) {
    return Fail(source, nullptr, nullptr);
  }
  const BITMAPINFO outputHeader = NprDibHeader(size.cx, size.cy, 32);
  void* outputBits = nullptr;
  HBITMAP output = CreateDIBSection(hdc, &outputHeader, DIB_RGB_COLORS, &outputBits, mapping, 0);
  if (output == nullptr) {
    return Fail(source, nullptr, mapping);
  }

  PixelBuffer sourcePixels = ReadDib32(hdc, source, sourceInfo.bmWidth, sourceInfo.bmHeight);
  if (!sourcePixels) {
    return Fail(source, output, mapping);
  }
  const PixelBuffer resampled =
      ResampleBilinear(std::move(sourcePixels), sourceInfo.bmWidth, sourceInfo.bmHeight, size.cx, size.cy);
  if (!resampled) {
    return Fail(source, output, mapping);
  }
  DeleteObject(source);
  SetDIBits(hdc, output, 0, static_cast<UINT>(size.cy), resampled.Data(), &outputHeader, DIB_RGB_COLORS);

  HandOverMapping(mapping, fileSlot, mappingSlot);
  return output;
}

}  // namespace linvale
