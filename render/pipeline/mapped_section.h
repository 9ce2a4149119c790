// Bitmaps whose pixels live in a page-file-backed file mapping rather than
// the heap: the off-screen context's drawing bitmap and the reduced picture
// of an antialiased render.
#pragma once

#include <linvale/npr_win32_owners.h>

#include <windows.h>

#include <cstdint>

namespace linvale::pipeline {

// A mapping holds the pixels at 32 bits whatever the section's depth, plus
// room for a bitmap header, as the callers of the off-screen context expect.
constexpr std::uint64_t kMappingHeaderBytes = sizeof(BITMAPINFOHEADER);

struct MappedSection {
  NprUniqueHandle mapping;
  NprUniqueGdiObject<HBITMAP> section;
};

// A new unnamed mapping of width x height x 4 + kMappingHeaderBytes bytes
// and a bottom-up, uncompressed section of `size` at `bitsPerPixel` on `hdc`
// over it from offset 0. The mapping is made first; when it cannot be, the
// section is not attempted. Whatever failed leaves its error code and an
// empty member.
MappedSection CreateMappedSection(HDC hdc, SIZE size, WORD bitsPerPixel);

}  // namespace linvale::pipeline
