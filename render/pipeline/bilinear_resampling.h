// Filtered rescaling of 32-bit pixels with a triangle filter of support 1,
// separable: across every row, then down every column.
#pragma once

#include "pixel_buffer.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace linvale::pipeline {

// For one direction, which source pixels make up each output pixel and
// with what weights. Output pixel i is centred on source position i / scale
// (output pixel 0 on source pixel 0), and a reduction widens the filter by
// 1 / scale so that every source pixel contributes.
class ContributionList {
public:
  ContributionList(int sourceLength, int outputLength);

  // First and last contributing source pixel (inclusive) of output `i`.
  int First(int i) const { return mFirst[static_cast<std::size_t>(i)]; }
  int Last(int i) const { return mLast[static_cast<std::size_t>(i)]; }
  // The weights of First(i) to Last(i), in order; they sum to 1.
  const double* Weights(int i) const { return &mWeights[static_cast<std::size_t>(i) * mRoom]; }

private:
  std::size_t mRoom;
  std::vector<int> mFirst;
  std::vector<int> mLast;
  std::vector<double> mWeights;
};

// One output pixel from `count` source pixels `step` bytes apart, starting
// at `first`, with the weights of one output pixel of a ContributionList.
void FilterPixel(const std::uint8_t* first, std::ptrdiff_t step, const double* weights, int count,
                 std::uint8_t* output);

// Resamples `source` (bottom-up rows of blue, green, red and a fourth byte)
// from sourceWidth x sourceHeight to width x height. The first three bytes
// are filtered, the fourth is 0 in every output pixel. `source` is freed as
// soon as the first pass is done, so no more than two of the three buffers
// (source, intermediate, output) exist at once. Empty when memory runs out.
PixelBuffer ResampleBilinear(PixelBuffer source, LONG sourceWidth, LONG sourceHeight, LONG width, LONG height);

}  // namespace linvale::pipeline
