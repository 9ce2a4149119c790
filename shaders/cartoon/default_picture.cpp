// Painted on the CPU with the shader's own ramp, so the picture shows the
// same bands a render of a sphere would, without needing a GL context.
#include "default_picture.h"

#include "cartoon_settings.h"
#include "shading_ramp.h"

#include <algorithm>
#include <cmath>

namespace linvale::cartoon {

namespace {

constexpr double kCentre = kDefaultPictureSize / 2.0;
constexpr double kRadius = 66.0;
constexpr double kOutlineWidth = 4.0;
constexpr std::uint32_t kWhite = 0x00FFFFFFu;
constexpr std::uint32_t kBlack = 0x00000000u;

// A warm orange under a dusky blue ambient light reads as a cartoon at a
// glance; the light comes from the upper left, in front of the sphere.
constexpr RampColor kMaterial{0.92f, 0.55f, 0.16f};
constexpr RampColor kAmbient{0.16f, 0.16f, 0.36f};
constexpr double kLight[3] = {-0.5, 0.6, 0.62};

std::uint32_t ToPixel(RampColor color) {
  const auto byte = [](float fraction) {
    return static_cast<std::uint32_t>(std::lround(std::clamp(fraction, 0.0f, 1.0f) * 255.0f));
  };
  return (byte(color.red) << 16) | (byte(color.green) << 8) | byte(color.blue);
}

double LightValueOnSphere(double nx, double ny, double nz) {
  const double length = std::sqrt(kLight[0] * kLight[0] + kLight[1] * kLight[1] + kLight[2] * kLight[2]);
  return (nx * kLight[0] + ny * kLight[1] + nz * kLight[2]) / length;
}

}  // namespace

std::vector<std::uint32_t> PaintDefaultPicture() {
  const ShadingRamp ramp = BuildShadingRamp(CartoonSettings{}, kMaterial, kAmbient);
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kDefaultPictureSize) * kDefaultPictureSize, kWhite);
  for (int row = 0; row < kDefaultPictureSize; ++row) {
    for (int column = 0; column < kDefaultPictureSize; ++column) {
      // Rows run bottom-up, so y grows upwards like the light's.
      const double x = column + 0.5 - kCentre;
      const double y = row + 0.5 - kCentre;
      const double distance = std::hypot(x, y);
      std::uint32_t& pixel = pixels[static_cast<std::size_t>(row) * kDefaultPictureSize + column];
      if (distance > kRadius) {
        continue;
      }
      if (distance > kRadius - kOutlineWidth) {
        pixel = kBlack;
        continue;
      }
      const double nx = x / kRadius;
      const double ny = y / kRadius;
      const double nz = std::sqrt(std::max(0.0, 1.0 - nx * nx - ny * ny));
      pixel = ToPixel(ramp[static_cast<std::size_t>(RampEntryFor(LightValueOnSphere(nx, ny, nz)))]);
    }
  }
  return pixels;
}

}  // namespace linvale::cartoon
