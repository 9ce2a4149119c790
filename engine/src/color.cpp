#include <quorra/color.h>

#include <algorithm>
#include <cmath>

namespace Npr::Gs {

namespace {

// NaN counts as 0: it would otherwise pass the clamp and convert to an
// undefined byte.
unsigned ByteFrom(double fraction) {
  const double clamped = std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
  return static_cast<unsigned>(clamped * 255.0);
}

}  // namespace

void Color::set(unsigned char r, unsigned char g, unsigned char b, unsigned char a) {
  mValue = static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 | static_cast<std::uint32_t>(b) << 16 |
           static_cast<std::uint32_t>(a) << 24;
}

void Color::set(double r, double g, double b, double a) {
  set(static_cast<unsigned char>(ByteFrom(r)), static_cast<unsigned char>(ByteFrom(g)),
      static_cast<unsigned char>(ByteFrom(b)), static_cast<unsigned char>(ByteFrom(a)));
}

}  // namespace Npr::Gs
