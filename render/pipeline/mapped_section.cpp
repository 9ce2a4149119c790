#include "mapped_section.h"

#include <linvale/dib_pixels.h>

#include <algorithm>

namespace linvale::pipeline {

namespace {

// Computed in 64 bits: large pictures exceed 4 GiB. A size that is no size
// gets just the header, and the section then fails to fit.
NprUniqueHandle CreatePixelMapping(SIZE size) {
  const auto width = static_cast<std::uint64_t>(std::max<LONG>(size.cx, 0));
  const auto height = static_cast<std::uint64_t>(std::max<LONG>(size.cy, 0));
  const std::uint64_t bytes = width * height * 4 + kMappingHeaderBytes;
  return NprUniqueHandle(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                            static_cast<DWORD>(bytes >> 32), static_cast<DWORD>(bytes & 0xFFFFFFFFU),
                                            nullptr));
}

}  // namespace

MappedSection CreateMappedSection(HDC hdc, SIZE size, WORD bitsPerPixel) {
  MappedSection made{CreatePixelMapping(size), nullptr};
  if (made.mapping) {
    const BITMAPINFO info = NprDibHeader(size.cx, size.cy, bitsPerPixel);
    void* bits = nullptr;
    made.section.reset(CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, made.mapping.get(), 0));
  }
  return made;
}

}  // namespace linvale::pipeline
