#include <tessel/ts_color.h>

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t ChannelByte(int value) { return static_cast<std::uint32_t>(std::clamp(value, 0, 255)); }

int FractionToByte(double fraction) {
  if (!(fraction > 0.0)) {
    return 0;  // also catches NaN
  }
  return static_cast<int>(std::lround(std::min(fraction, 1.0) * 255.0));
}

}  // namespace

void TS_Color::SetRGB(int red, int green, int blue) {
  m_value = ChannelByte(red) | (ChannelByte(green) << 8) | (ChannelByte(blue) << 16);
}

void TS_Color::SetFractionalRGB(double red, double green, double blue) {
  SetRGB(FractionToByte(red), FractionToByte(green), FractionToByte(blue));
}
