// An RGB colour packed like a Windows COLORREF: red in the low byte, then
// green, then blue. Converts to and from that 32-bit value implicitly so it
// crosses interfaces that speak COLORREF unchanged.
#pragma once

#include <cstdint>

class TS_Color {
public:
  constexpr TS_Color() = default;
  constexpr TS_Color(std::uint32_t colorref) : m_value(colorref & 0x00FFFFFFu) {}
  TS_Color(int red, int green, int blue) { SetRGB(red, green, blue); }

  constexpr operator std::uint32_t() const { return m_value; }

  int Red() const { return static_cast<int>(m_value & 0xFFu); }
  int Green() const { return static_cast<int>((m_value >> 8) & 0xFFu); }
  int Blue() const { return static_cast<int>((m_value >> 16) & 0xFFu); }
  double FractionRed() const { return Red() / 255.0; }
  double FractionGreen() const { return Green() / 255.0; }
  double FractionBlue() const { return Blue() / 255.0; }

  // Channels outside 0..255 are clamped.
  void SetRGB(int red, int green, int blue);
  // Fractions outside 0..1 are clamped; a fraction maps to the nearest byte.
  void SetFractionalRGB(double red, double green, double blue);

private:
  std::uint32_t m_value = 0;
};
