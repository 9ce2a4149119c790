#include "texture_noise.h"

#include <algorithm>
#include <cmath>

namespace sketch_textures {

std::uint64_t NoiseRandom::Next() {
  mState += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = mState;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

double NoiseRandom::Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

namespace {

int Wrap(int value, int size) {
  const int r = value % size;
  return r < 0 ? r + size : r;
}

// Quintic fade: zero first and second derivatives at the lattice points, so
// the cells do not show as a grid.
double Fade(double t) { return t * t * t * (t * (t * 6.0 - 15.0) + 10.0); }

}  // namespace

GreyImage::GreyImage(int size, double fill)
    : mSize(size), mValues(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), fill) {}

double& GreyImage::At(int x, int y) {
  return mValues[static_cast<std::size_t>(Wrap(y, mSize)) * static_cast<std::size_t>(mSize) +
                 static_cast<std::size_t>(Wrap(x, mSize))];
}

double GreyImage::At(int x, int y) const {
  return mValues[static_cast<std::size_t>(Wrap(y, mSize)) * static_cast<std::size_t>(mSize) +
                 static_cast<std::size_t>(Wrap(x, mSize))];
}

GreyImage PeriodicValueNoise(int size, int cells, std::uint64_t seed) {
  GreyImage lattice(cells);
  NoiseRandom random(seed);
  for (int y = 0; y < cells; ++y) {
    for (int x = 0; x < cells; ++x) {
      lattice.At(x, y) = random.Unit();
    }
  }
  GreyImage result(size);
  const double cellSize = static_cast<double>(size) / cells;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double gx = x / cellSize;
      const double gy = y / cellSize;
      const int cx = static_cast<int>(std::floor(gx));
      const int cy = static_cast<int>(std::floor(gy));
      const double tx = Fade(gx - cx);
      const double ty = Fade(gy - cy);
      const double top = lattice.At(cx, cy) * (1.0 - tx) + lattice.At(cx + 1, cy) * tx;
      const double bottom = lattice.At(cx, cy + 1) * (1.0 - tx) + lattice.At(cx + 1, cy + 1) * tx;
      result.At(x, y) = top * (1.0 - ty) + bottom * ty;
    }
  }
  return result;
}

GreyImage PeriodicFractalNoise(int size, int baseCells, int octaves, double persistence, std::uint64_t seed) {
  GreyImage sum(size);
  double weight = 1.0;
  int cells = baseCells;
  for (int octave = 0; octave < octaves && cells <= size; ++octave) {
    const GreyImage layer = PeriodicValueNoise(size, cells, seed + static_cast<std::uint64_t>(octave) * 7919U);
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        sum.At(x, y) += weight * layer.At(x, y);
      }
    }
    weight *= persistence;
    cells *= 2;
  }
  Normalise(sum, 0.0, 1.0);
  return sum;
}

void Normalise(GreyImage& image, double lo, double hi) {
  double minimum = image.At(0, 0);
  double maximum = minimum;
  for (int y = 0; y < image.Size(); ++y) {
    for (int x = 0; x < image.Size(); ++x) {
      minimum = std::min(minimum, image.At(x, y));
      maximum = std::max(maximum, image.At(x, y));
    }
  }
  const double range = maximum - minimum;
  for (int y = 0; y < image.Size(); ++y) {
    for (int x = 0; x < image.Size(); ++x) {
      const double t = range > 0.0 ? (image.At(x, y) - minimum) / range : 0.5;
      image.At(x, y) = lo + t * (hi - lo);
    }
  }
}

}  // namespace sketch_textures
