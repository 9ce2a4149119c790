#include "fill_rules.h"

#include <algorithm>
#include <cmath>

namespace linvale::sketch {

int FillPassImageNumber(int pass) {
  static constexpr int kImages[] = {0, 2, 1, 3};
  return kImages[std::clamp(pass, 1, 3)];
}

double RecolourGrain(int pass, double t, double m, double g) {
  switch (pass) {
    case 1: return (1.0 - t) * m + t * g;
    case 2: return t + (1.0 - t) * m;
    default: return 1.0 - (2.0 - t) * (1.0 - m);
  }
}

std::array<double, 4> FillVertexColour(int pass, double u) {
  if (pass != 3) {
    return {1.0, 1.0, 1.0, std::clamp(u, 0.0, 1.0)};
  }
  if (u < 0.0) {
    return {0.0, 0.0, 0.0, 1.0};
  }
  if (u > 1.0) {
    return {1.0, 1.0, 1.0, 0.0};
  }
  const double w = std::sqrt(u);
  return {w, w, w, std::sqrt(1.0 - u)};
}

}  // namespace linvale::sketch
