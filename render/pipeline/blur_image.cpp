// In-place smoothing of a bitmap's colours.
#include <linvale/dib_pixels.h>

#include "dib_reading.h"
#include "image_resampling.h"

#include <array>
#include <cstdint>
#include <cstdlib>

namespace linvale::pipeline {

namespace {

struct Tap {
  int rowOffset;
  int columnOffset;
  int weight;
};

// The kernel 1 2 1 / 2 4 2 / 1 2 1.
constexpr std::array<Tap, 9> kernel{{
    {-1, -1, 1},
    {-1, 0, 2},
    {-1, 1, 1},
    {0, -1, 2},
    {0, 0, 4},
    {0, 1, 2},
    {1, -1, 1},
    {1, 0, 2},
    {1, 1, 1},
}};

// Neighbours are found by offset in memory, rows wrapping into their
// neighbours: before the buffer means its first pixel, beyond it the pixel
// itself.
std::int64_t NeighbourIndex(std::int64_t pixel, const Tap& tap, LONG width, std::int64_t count) {
  const std::int64_t index = pixel + static_cast<std::int64_t>(tap.rowOffset) * width + tap.columnOffset;
  if (index < 0) {
    return 0;
  }
  return index >= count ? pixel : index;
}

void SmoothInPlace(std::uint8_t* pixels, LONG width, LONG height, unsigned char threshold) {
  const std::int64_t count = static_cast<std::int64_t>(width) * height;
  for (std::int64_t pixel = 1; pixel < count; ++pixel) {
    std::array<int, 3> sums{};
    for (const Tap& tap : kernel) {
      const std::uint8_t* neighbour = pixels + NeighbourIndex(pixel, tap, width, count) * 4;
      for (int c = 0; c < 3; ++c) {
        sums[static_cast<std::size_t>(c)] += neighbour[c] * tap.weight;
      }
    }
    std::uint8_t* current = pixels + pixel * 4;
    for (int c = 0; c < 3; ++c) {
      const int smoothed = sums[static_cast<std::size_t>(c)] >> 4;
      if (std::abs(smoothed - current[c]) > threshold) {
        current[c] = static_cast<std::uint8_t>(smoothed);
      }
    }
  }
}

}  // namespace

void BlurImage(HDC hdc, HBITMAP bitmap, unsigned char threshold) {
  BITMAP info{};
  if (GetObject(bitmap, sizeof info, &info) == 0) {
    return;
  }
  PixelBuffer pixels = ReadDib32(hdc, bitmap, info.bmWidth, info.bmHeight);
  if (!pixels) {
    return;
  }
  SmoothInPlace(pixels.Data(), info.bmWidth, info.bmHeight, threshold);
  const BITMAPINFO header = NprDibHeader(info.bmWidth, info.bmHeight, 32);
  SetDIBits(hdc, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.Data(), &header, DIB_RGB_COLORS);
}

}  // namespace linvale::pipeline
