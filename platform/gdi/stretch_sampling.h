// Resizing a block of 32-bit pixels by the rule of a stretch mode.
#pragma once

#include <win32/base.h>

#include <cstdint>
#include <vector>

namespace linvale::platform {

// 32-bit pixels, four bytes each, rows top down without padding.
struct PixelBlock {
  LONG width = 0;
  LONG height = 0;
  std::vector<std::uint8_t> bytes;

  PixelBlock(LONG blockWidth, LONG blockHeight)
      : width(blockWidth), height(blockHeight), bytes(static_cast<std::size_t>(blockWidth) * blockHeight * 4) {}
  std::uint8_t* Pixel(LONG x, LONG y) { return bytes.data() + (static_cast<std::size_t>(y) * width + x) * 4; }
  const std::uint8_t* Pixel(LONG x, LONG y) const {
    return bytes.data() + (static_cast<std::size_t>(y) * width + x) * 4;
  }
};

// `source` resized to `width` x `height` with a stretch mode of gdi.h;
// all four bytes of a pixel are treated alike.
PixelBlock StretchPixels(const PixelBlock& source, LONG width, LONG height, int mode);

}  // namespace linvale::platform
