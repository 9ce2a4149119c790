#include "gdi/stretch_sampling.h"

#include <win32/gdi.h>

#include <algorithm>
#include <cmath>

namespace linvale::platform {

namespace {

// The source pixels one target pixel covers along one axis, with the share
// of the target pixel each covers.
struct Coverage {
  LONG first = 0;
  std::vector<double> shares;
};

// Target pixel i covers the source interval [i * s / t, (i + 1) * s / t).
std::vector<Coverage> CoverageAlong(LONG sourceLength, LONG targetLength) {
  const double step = static_cast<double>(sourceLength) / targetLength;
  std::vector<Coverage> coverage(static_cast<std::size_t>(targetLength));
  for (LONG i = 0; i < targetLength; ++i) {
    const double begin = i * step;
    const double end = std::min<double>((i + 1) * step, sourceLength);
    Coverage& entry = coverage[static_cast<std::size_t>(i)];
    entry.first = static_cast<LONG>(std::floor(begin));
    for (LONG j = entry.first; j < sourceLength && j < end; ++j) {
      const double overlap = std::min<double>(j + 1, end) - std::max<double>(j, begin);
      entry.shares.push_back(overlap / (end - begin));
    }
  }
  return coverage;
}

// Averages over the covered area. Each target row sums the source rows it
// covers, each already averaged across, so only one row of sums is held.
PixelBlock AverageArea(const PixelBlock& source, LONG width, LONG height) {
  const auto across = CoverageAlong(source.width, width);
  const auto down = CoverageAlong(source.height, height);
  PixelBlock target(width, height);
  std::vector<double> sums(static_cast<std::size_t>(width) * 4);
  for (LONG y = 0; y < height; ++y) {
    std::fill(sums.begin(), sums.end(), 0.0);
    const Coverage& rows = down[static_cast<std::size_t>(y)];
    for (std::size_t r = 0; r < rows.shares.size(); ++r) {
      const LONG sourceY = rows.first + static_cast<LONG>(r);
      for (LONG x = 0; x < width; ++x) {
        const Coverage& columns = across[static_cast<std::size_t>(x)];
        double* sum = &sums[static_cast<std::size_t>(x) * 4];
        for (std::size_t k = 0; k < columns.shares.size(); ++k) {
          const std::uint8_t* pixel = source.Pixel(columns.first + static_cast<LONG>(k), sourceY);
          const double share = columns.shares[k] * rows.shares[r];
          for (int c = 0; c < 4; ++c) {
            sum[c] += pixel[c] * share;
          }
        }
      }
    }
    for (LONG x = 0; x < width; ++x) {
      std::uint8_t* pixel = target.Pixel(x, y);
      for (int c = 0; c < 4; ++c) {
        pixel[c] = static_cast<std::uint8_t>(std::min(255.0, sums[static_cast<std::size_t>(x) * 4 + c] + 0.5));
      }
    }
  }
  return target;
}

// The source pixel nearest to the centre of each target pixel.
std::vector<LONG> NearestAlong(LONG sourceLength, LONG targetLength) {
  std::vector<LONG> nearest(static_cast<std::size_t>(targetLength));
  for (LONG i = 0; i < targetLength; ++i) {
    const auto index = static_cast<LONG>((i + 0.5) * sourceLength / targetLength);
    nearest[static_cast<std::size_t>(i)] = std::min(index, sourceLength - 1);
  }
  return nearest;
}

PixelBlock TakeNearest(const PixelBlock& source, LONG width, LONG height) {
  const auto across = NearestAlong(source.width, width);
  const auto down = NearestAlong(source.height, height);
  PixelBlock target(width, height);
  for (LONG y = 0; y < height; ++y) {
    for (LONG x = 0; x < width; ++x) {
      std::copy_n(source.Pixel(across[static_cast<std::size_t>(x)], down[static_cast<std::size_t>(y)]), 4,
                  target.Pixel(x, y));
    }
  }
  return target;
}

// The first and last source pixel each target pixel covers; an enlarged
// axis covers just the nearest one.
std::vector<std::pair<LONG, LONG>> SpanAlong(LONG sourceLength, LONG targetLength) {
  std::vector<std::pair<LONG, LONG>> spans(static_cast<std::size_t>(targetLength));
  if (sourceLength <= targetLength) {
    const auto nearest = NearestAlong(sourceLength, targetLength);
    std::transform(nearest.begin(), nearest.end(), spans.begin(), [](LONG i) { return std::pair(i, i); });
    return spans;
  }
  for (LONG i = 0; i < targetLength; ++i) {
    const auto first = static_cast<LONG>(static_cast<std::int64_t>(i) * sourceLength / targetLength);
    const auto end = static_cast<LONG>((static_cast<std::int64_t>(i) + 1) * sourceLength / targetLength);
    spans[static_cast<std::size_t>(i)] = {first, std::max(first, end - 1)};
  }
  return spans;
}

// Combines all covered pixels bitwise: AND keeps dark pixels, OR light ones.
PixelBlock CombineCovered(const PixelBlock& source, LONG width, LONG height, bool keepDark) {
  const auto across = SpanAlong(source.width, width);
  const auto down = SpanAlong(source.height, height);
  PixelBlock target(width, height);
  for (LONG y = 0; y < height; ++y) {
    for (LONG x = 0; x < width; ++x) {
      std::uint8_t* pixel = target.Pixel(x, y);
      std::fill_n(pixel, 4, keepDark ? 0xFF : 0x00);
      for (LONG sy = down[static_cast<std::size_t>(y)].first; sy <= down[static_cast<std::size_t>(y)].second; ++sy) {
        for (LONG sx = across[static_cast<std::size_t>(x)].first; sx <= across[static_cast<std::size_t>(x)].second;
             ++sx) {
          const std::uint8_t* covered = source.Pixel(sx, sy);
          for (int c = 0; c < 4; ++c) {
            pixel[c] = keepDark ? pixel[c] & covered[c] : pixel[c] | covered[c];
          }
        }
      }
    }
  }
  return target;
}

}  // namespace

PixelBlock StretchPixels(const PixelBlock& source, LONG width, LONG height, int mode) {
  switch (mode) {
    case HALFTONE: return AverageArea(source, width, height);
    case BLACKONWHITE: return CombineCovered(source, width, height, true);
    case WHITEONBLACK: return CombineCovered(source, width, height, false);
    default: return TakeNearest(source, width, height);
  }
}

}  // namespace linvale::platform
