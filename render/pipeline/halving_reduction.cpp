#include "halving_reduction.h"

#include "bilinear_resampling.h"

#include <algorithm>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace linvale::pipeline {
namespace {

constexpr std::size_t kPixelBytes = 4;
// Fewer rows than this are not worth a thread of their own.
constexpr LONG kRowsPerBand = 64;

// 1/4, 1/2, 1/4 rounded half up: exact, since the general filter's sums of
// these weights times bytes are exact in double precision.
inline std::uint8_t Quarter(unsigned a, unsigned b, unsigned c) {
  return static_cast<std::uint8_t>((a + 2 * b + c + 2) >> 2);
}

// The general filter's weights where the filter meets the picture's start
// (2/3, 1/3): those are not exact in binary, so the general code computes them.
class EdgeFilter {
public:
  EdgeFilter(LONG width, LONG height)
      : mAcross(static_cast<int>(width) * 2, static_cast<int>(width)),
        mDown(static_cast<int>(height) * 2, static_cast<int>(height)) {}

  void FirstColumn(const std::uint8_t* sourceRow, std::uint8_t* output) const {
    FilterPixel(sourceRow, static_cast<std::ptrdiff_t>(kPixelBytes), mAcross.Weights(0), Taps(mAcross), output);
  }
  void FirstRow(const std::uint8_t* firstRow, std::ptrdiff_t rowBytes, std::uint8_t* output) const {
    FilterPixel(firstRow, rowBytes, mDown.Weights(0), Taps(mDown), output);
  }

private:
  static int Taps(const ContributionList& list) { return list.Last(0) - list.First(0) + 1; }

  ContributionList mAcross;
  ContributionList mDown;
};

// One source row filtered across into `width` pixels.
void HalveRow(const std::uint8_t* source, LONG width, const EdgeFilter& edges, std::uint8_t* output) {
  edges.FirstColumn(source, output);
  for (LONG x = 1; x < width; ++x) {
    const std::uint8_t* centre = source + static_cast<std::size_t>(x) * 2 * kPixelBytes;
    std::uint8_t* pixel = output + static_cast<std::size_t>(x) * kPixelBytes;
    for (std::size_t byte = 0; byte < 3; ++byte) {
      pixel[byte] = Quarter(centre[byte - kPixelBytes], centre[byte], centre[byte + kPixelBytes]);
    }
    pixel[3] = 0;
  }
}

// Output rows [first, last): each from the source rows 2y - 1, 2y and
// 2y + 1 filtered across, the last of which is the first of the next.
void HalveBand(const std::uint8_t* source, LONG width, LONG height, const EdgeFilter& edges, LONG first, LONG last,
               std::uint8_t* output) {
  const std::size_t sourceRowBytes = static_cast<std::size_t>(width) * 2 * kPixelBytes;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * kPixelBytes;
  auto sourceRow = [&](LONG row) { return source + static_cast<std::size_t>(row) * sourceRowBytes; };
  // Three filtered rows, one after the other, as the first output row needs them.
  std::vector<std::uint8_t> rows(3 * rowBytes);
  std::uint8_t* above = rows.data();
  std::uint8_t* middle = above + rowBytes;
  std::uint8_t* below = middle + rowBytes;
  for (LONG y = first; y < last; ++y) {
    std::uint8_t* outputRow = output + static_cast<std::size_t>(y) * rowBytes;
    if (y == 0) {
      HalveRow(sourceRow(0), width, edges, above);
      HalveRow(sourceRow(1), width, edges, middle);
      HalveRow(sourceRow(std::min<LONG>(2, 2 * height - 1)), width, edges, below);
      for (LONG x = 0; x < width; ++x) {
        edges.FirstRow(above + static_cast<std::size_t>(x) * kPixelBytes, static_cast<std::ptrdiff_t>(rowBytes),
                       outputRow + static_cast<std::size_t>(x) * kPixelBytes);
      }
      std::swap(middle, below);  // row 1 is the first of the next output row
      continue;
    }
    if (y == first) {
      HalveRow(sourceRow(2 * y - 1), width, edges, above);
    } else {
      std::swap(above, below);  // row 2y - 1 is the last row of the previous output row
    }
    HalveRow(sourceRow(2 * y), width, edges, middle);
    HalveRow(sourceRow(2 * y + 1), width, edges, below);
    for (std::size_t byte = 0; byte < rowBytes; ++byte) {
      outputRow[byte] = Quarter(above[byte], middle[byte], below[byte]);
    }
  }
}

}  // namespace

void HalvePixels(const std::uint8_t* source, LONG width, LONG height, std::uint8_t* output) {
  const EdgeFilter edges(width, height);
  const LONG bands = std::clamp<LONG>(height / kRowsPerBand, 1, std::max(1u, std::thread::hardware_concurrency()));
  auto halveBand = [=, &edges](LONG band) {
    HalveBand(source, width, height, edges, height * band / bands, height * (band + 1) / bands, output);
  };
  std::vector<std::jthread> workers;
  for (LONG band = 1; band < bands; ++band) {
    try {
      workers.emplace_back(halveBand, band);
    } catch (const std::system_error&) {
      halveBand(band);  // no thread to be had: this one does it
    }
  }
  halveBand(0);
}

}  // namespace linvale::pipeline
