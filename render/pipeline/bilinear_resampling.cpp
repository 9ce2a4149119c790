#include "bilinear_resampling.h"

#include <cmath>
#include <cstddef>

namespace linvale::pipeline {

namespace {

double Triangle(double t) {
  const double distance = std::fabs(t);
  return distance < 1.0 ? 1.0 - distance : 0.0;
}

// Rounds half up and keeps the low 8 bits, as the filter always has.
std::uint8_t Quantise(double value) { return static_cast<std::uint8_t>(static_cast<long long>(value + 0.5) & 0xFF); }

void ResampleRows(const std::uint8_t* source, LONG sourceWidth, LONG rows, std::uint8_t* output, LONG width) {
  const ContributionList across(sourceWidth, width);
  for (LONG y = 0; y < rows; ++y) {
    const std::uint8_t* sourceRow = source + static_cast<std::size_t>(y) * sourceWidth * 4;
    std::uint8_t* outputRow = output + static_cast<std::size_t>(y) * width * 4;
    for (LONG x = 0; x < width; ++x) {
      FilterPixel(sourceRow + static_cast<std::ptrdiff_t>(across.First(x)) * 4, 4, across.Weights(x),
                  across.Last(x) - across.First(x) + 1, outputRow + static_cast<std::size_t>(x) * 4);
    }
  }
}

// Goes down the columns one output row at a time, so that memory is read
// a few rows abreast rather than a column at a time.
void ResampleColumns(const std::uint8_t* source, LONG sourceHeight, LONG columns, std::uint8_t* output, LONG height) {
  const ContributionList down(sourceHeight, height);
  const std::ptrdiff_t rowBytes = static_cast<std::ptrdiff_t>(columns) * 4;
  for (LONG y = 0; y < height; ++y) {
    const std::uint8_t* firstRow = source + down.First(y) * rowBytes;
    std::uint8_t* outputRow = output + y * rowBytes;
    const int count = down.Last(y) - down.First(y) + 1;
    for (LONG x = 0; x < columns; ++x) {
      FilterPixel(firstRow + static_cast<std::ptrdiff_t>(x) * 4, rowBytes, down.Weights(y), count,
                  outputRow + static_cast<std::ptrdiff_t>(x) * 4);
    }
  }
}

}  // namespace

// One output pixel from `count` source pixels `step` bytes apart, starting
// at `first`. Unrolled by four contributions: this is the inner loop of
// every antialiased render.
void FilterPixel(const std::uint8_t* first, std::ptrdiff_t step, const double* weights, int count,
                 std::uint8_t* output) {
  double blue = 0.0;
  double green = 0.0;
  double red = 0.0;
  int k = 0;
  for (; k + 4 <= count; k += 4) {
    const std::uint8_t* p0 = first + k * step;
    const std::uint8_t* p1 = p0 + step;
    const std::uint8_t* p2 = p1 + step;
    const std::uint8_t* p3 = p2 + step;
    const double w0 = weights[k];
    const double w1 = weights[k + 1];
    const double w2 = weights[k + 2];
    const double w3 = weights[k + 3];
    blue += p0[0] * w0 + p1[0] * w1 + p2[0] * w2 + p3[0] * w3;
    green += p0[1] * w0 + p1[1] * w1 + p2[1] * w2 + p3[1] * w3;
    red += p0[2] * w0 + p1[2] * w1 + p2[2] * w2 + p3[2] * w3;
  }
  for (; k < count; ++k) {
    const std::uint8_t* pixel = first + k * step;
    blue += pixel[0] * weights[k];
    green += pixel[1] * weights[k];
    red += pixel[2] * weights[k];
  }
  output[0] = Quantise(blue);
  output[1] = Quantise(green);
  output[2] = Quantise(red);
  output[3] = 0;
}

ContributionList::ContributionList(int sourceLength, int outputLength)
    : mFirst(static_cast<std::size_t>(outputLength)), mLast(static_cast<std::size_t>(outputLength)) {
  const double scale = static_cast<double>(outputLength) / sourceLength;
  double width = 1.0;
  double filterScale = 1.0;
  if (scale < 1.0) {
    width = 1.0 / scale;
    filterScale = scale;
  }
  mRoom = 2 * static_cast<std::size_t>(std::ceil(width)) + 1;
  mWeights.assign(mRoom * static_cast<std::size_t>(outputLength), 0.0);

  for (int i = 0; i < outputLength; ++i) {
    const double center = i / scale;
    int left = static_cast<int>(std::floor(center - width));
    int right = static_cast<int>(std::ceil(center + width));
    if (left < 0) {
      left = 0;
    }
    if (right > sourceLength - 1) {
      right = sourceLength - 1;
    }
    if (static_cast<std::size_t>(right - left + 1) > mRoom) {
      if (left < sourceLength) {
        ++left;
      } else {
        --right;
      }
    }
    mFirst[static_cast<std::size_t>(i)] = left;
    mLast[static_cast<std::size_t>(i)] = right;

    double* weights = &mWeights[static_cast<std::size_t>(i) * mRoom];
    double sum = 0.0;
    for (int j = left; j <= right; ++j) {
      const double weight = Triangle((center - j) * filterScale) * filterScale;
      weights[j - left] = weight;
      sum += weight;
    }
    if (sum > 0.0) {
      for (int j = left; j <= right; ++j) {
        weights[j - left] /= sum;
      }
    }
  }
}

PixelBuffer ResampleBilinear(PixelBuffer source, LONG sourceWidth, LONG sourceHeight, LONG width, LONG height) {
  PixelBuffer intermediate(width, sourceHeight);
  if (!intermediate) {
    return {};
  }
  ResampleRows(source.Data(), sourceWidth, sourceHeight, intermediate.Data(), width);
  source.Free();

  PixelBuffer output(width, height);
  if (!output) {
    return {};
  }
  ResampleColumns(intermediate.Data(), sourceHeight, width, output.Data(), height);
  return output;
}

}  // namespace linvale::pipeline
