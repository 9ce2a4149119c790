// Deterministic noise for the generated texture images. Everything here is
// integer-seeded and free of library distributions, so the same build makes
// the same images on every machine.
#pragma once

#include <cstdint>
#include <vector>

namespace sketch_textures {

// A small, fast generator (SplitMix64) with a fixed sequence for a seed.
class NoiseRandom {
public:
  explicit NoiseRandom(std::uint64_t seed) : mState(seed) {}
  std::uint64_t Next();
  // Uniform in [0, 1).
  double Unit();
  // Uniform in [lo, hi).
  double Between(double lo, double hi) { return lo + Unit() * (hi - lo); }

private:
  std::uint64_t mState;
};

// A square grey image, values in [0, 1], addressed with wrap-around so that
// everything drawn into it tiles seamlessly.
class GreyImage {
public:
  explicit GreyImage(int size, double fill = 0.0);
  int Size() const { return mSize; }
  double& At(int x, int y);
  double At(int x, int y) const;

private:
  int mSize;
  std::vector<double> mValues;
};

// Smooth value noise whose lattice of `cells` by `cells` random values wraps,
// so the result is periodic over the image. Values in [0, 1].
GreyImage PeriodicValueNoise(int size, int cells, std::uint64_t seed);

// Sum of octaves of periodic value noise, each of twice the frequency and
// `persistence` times the weight of the previous one, normalised to [0, 1].
GreyImage PeriodicFractalNoise(int size, int baseCells, int octaves, double persistence, std::uint64_t seed);

// Stretches the values linearly so that they span [lo, hi].
void Normalise(GreyImage& image, double lo, double hi);

}  // namespace sketch_textures
