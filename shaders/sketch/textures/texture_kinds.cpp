#include "texture_kinds.h"

#include "texture_noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <unordered_map>

namespace sketch_textures {

namespace {

constexpr int kGrainSize = 256;
constexpr int kPaperSize = 1024;

std::uint8_t ToByte(double value) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

RgbImage ToRgb(const GreyImage& grey, double red = 1.0, double green = 1.0, double blue = 1.0) {
  RgbImage image;
  image.width = grey.Size();
  image.height = grey.Size();
  image.pixels.reserve(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3U);
  for (int y = 0; y < grey.Size(); ++y) {
    for (int x = 0; x < grey.Size(); ++x) {
      const double v = grey.At(x, y);
      image.pixels.push_back(ToByte(v * red));
      image.pixels.push_back(ToByte(v * green));
      image.pixels.push_back(ToByte(v * blue));
    }
  }
  return image;
}

struct PencilStroke {
  double x = 0.0;
  double y = 0.0;
  double angle = 0.0;
  double length = 0.0;
  double bow = 0.0;
  double radius = 0.0;
  double darkness = 0.0;
};

PencilStroke RandomStroke(NoiseRandom& random, double baseAngle) {
  PencilStroke stroke;
  stroke.x = random.Between(0.0, kGrainSize);
  stroke.y = random.Between(0.0, kGrainSize);
  stroke.angle = baseAngle + random.Between(-4.0, 4.0) * std::numbers::pi / 180.0;
  stroke.length = random.Between(24.0, 90.0);
  stroke.bow = random.Between(-2.5, 2.5);
  stroke.radius = random.Between(0.6, 1.3);
  stroke.darkness = random.Between(0.25, 0.75);
  return stroke;
}

// Ink the stroke leaves, per pixel, as the strongest coverage any of its
// samples gives there; overlapping samples of one stroke do not pile up.
std::unordered_map<long, double> StrokeInk(const PencilStroke& stroke) {
  std::unordered_map<long, double> ink;
  const double dx = std::cos(stroke.angle);
  const double dy = std::sin(stroke.angle);
  const int samples = static_cast<int>(stroke.length / 0.35);
  const int reach = static_cast<int>(std::ceil(stroke.radius + 1.0));
  for (int s = 0; s <= samples; ++s) {
    const double t = static_cast<double>(s) / samples;
    // Pressure rises and falls along the stroke like a hand lifting the pencil.
    const double pressure = std::sin(std::numbers::pi * t);
    const double offset = stroke.bow * std::sin(std::numbers::pi * t);
    const double cx = stroke.x + dx * t * stroke.length - dy * offset;
    const double cy = stroke.y + dy * t * stroke.length + dx * offset;
    for (int py = static_cast<int>(cy) - reach; py <= static_cast<int>(cy) + reach; ++py) {
      for (int px = static_cast<int>(cx) - reach; px <= static_cast<int>(cx) + reach; ++px) {
        const double distance = std::hypot(px + 0.5 - cx, py + 0.5 - cy);
        const double coverage = std::clamp(stroke.radius + 0.5 - distance, 0.0, 1.0);
        if (coverage <= 0.0) {
          continue;
        }
        const long wrappedX = ((px % kGrainSize) + kGrainSize) % kGrainSize;
        const long wrappedY = ((py % kGrainSize) + kGrainSize) % kGrainSize;
        double& cell = ink[wrappedY * kGrainSize + wrappedX];
        cell = std::max(cell, stroke.darkness * pressure * coverage);
      }
    }
  }
  return ink;
}

}  // namespace

RgbImage MakePencilGrain(int density) {
  static constexpr int kStrokes[] = {0, 220, 520, 1100};
  const int level = std::clamp(density, 1, 3);
  NoiseRandom random(0x5EC7C40U + static_cast<std::uint64_t>(level));
  const GreyImage tooth = PeriodicValueNoise(kGrainSize, 128, 0x7007U + static_cast<std::uint64_t>(level));
  GreyImage paper(kGrainSize, 1.0);
  const double hatch = 62.0 * std::numbers::pi / 180.0;
  const double crossing = hatch + std::numbers::pi / 2.0;
  for (int i = 0; i < kStrokes[level]; ++i) {
    const bool crosses = level == 3 && random.Unit() < 0.35;
    const PencilStroke stroke = RandomStroke(random, crosses ? crossing : hatch);
    for (const auto& [index, amount] : StrokeInk(stroke)) {
      const int x = static_cast<int>(index % kGrainSize);
      const int y = static_cast<int>(index / kGrainSize);
      // Graphite catches on the tops of the paper's tooth only.
      const double caught = amount * (0.4 + 0.6 * tooth.At(x, y));
      paper.At(x, y) *= 1.0 - caught;
    }
  }
  for (int y = 0; y < kGrainSize; ++y) {
    for (int x = 0; x < kGrainSize; ++x) {
      paper.At(x, y) *= 0.97 + 0.03 * tooth.At(x, y);
    }
  }
  return ToRgb(paper);
}

RgbImage MakeWaterColourWash(int depth) {
  static constexpr double kPalest[] = {0.0, 0.65, 0.45, 0.25};
  static constexpr double kBrightest[] = {0.0, 1.0, 0.95, 0.85};
  const int level = std::clamp(depth, 1, 3);
  const std::uint64_t seed = 0xAC0A1U + static_cast<std::uint64_t>(level) * 101U;
  GreyImage wash = PeriodicFractalNoise(kGrainSize, 4, 5, 0.55, seed);
  const GreyImage rims = PeriodicFractalNoise(kGrainSize, 4, 4, 0.5, seed + 17U);
  const GreyImage granules = PeriodicFractalNoise(kGrainSize, 64, 2, 0.6, seed + 31U);
  for (int y = 0; y < kGrainSize; ++y) {
    for (int x = 0; x < kGrainSize; ++x) {
      double v = kPalest[level] + (kBrightest[level] - kPalest[level]) * wash.At(x, y);
      // Pigment pools where a wash dried: darker just inside the edge of
      // each wet area (a level line of a second noise field), fading inwards
      // and cut sharply outside it.
      const double inside = rims.At(x, y) - 0.5;
      const double rim = inside >= 0.0 ? std::exp(-inside / 0.06) : std::exp(-(inside * inside) / 0.0002);
      v *= 1.0 - 0.18 * rim;
      v *= 0.93 + 0.07 * granules.At(x, y);
      wash.At(x, y) = v;
    }
  }
  return ToRgb(wash);
}

RgbImage MakeColdPressPaper() {
  const GreyImage height = PeriodicFractalNoise(kPaperSize, 32, 5, 0.5, 0xC01DU);
  GreyImage shade(kPaperSize);
  for (int y = 0; y < kPaperSize; ++y) {
    for (int x = 0; x < kPaperSize; ++x) {
      // Light grazing from the upper left raises the tooth.
      const double slope = height.At(x, y) - height.At(x + 1, y + 1);
      shade.At(x, y) = std::clamp(0.965 + 1.2 * slope + 0.03 * (height.At(x, y) - 0.5), 0.9, 1.0);
    }
  }
  return ToRgb(shade, 1.0, 0.985, 0.95);
}

RgbImage MakeLaidPaper() {
  const GreyImage mottle = PeriodicFractalNoise(kPaperSize, 8, 5, 0.55, 0x1A1DU);
  GreyImage shade(kPaperSize);
  for (int y = 0; y < kPaperSize; ++y) {
    for (int x = 0; x < kPaperSize; ++x) {
      const double wobble = 0.8 * std::sin(2.0 * std::numbers::pi * x / 256.0);
      const double laid = 0.5 + 0.5 * std::sin(2.0 * std::numbers::pi * (y + wobble) / 6.0);
      const double chainDistance = std::abs(((x + 48) % 96) - 48);
      const double chain = 0.03 * std::exp(-chainDistance * chainDistance / 3.0);
      shade.At(x, y) = 0.965 - 0.03 * laid - chain - 0.06 * mottle.At(x, y);
    }
  }
  return ToRgb(shade, 1.0, 0.98, 0.93);
}

std::optional<RgbImage> MakeTexture(const std::string& kind) {
  if (kind.size() == 3 && (kind.starts_with("pl") || kind.starts_with("wc")) && kind[2] >= '1' && kind[2] <= '3') {
    const int level = kind[2] - '0';
    return kind.starts_with("pl") ? MakePencilGrain(level) : MakeWaterColourWash(level);
  }
  if (kind == "paper-cold-press") {
    return MakeColdPressPaper();
  }
  if (kind == "paper-laid") {
    return MakeLaidPaper();
  }
  return std::nullopt;
}

}  // namespace sketch_textures
