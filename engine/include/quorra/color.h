// A 32-bit RGBA colour: red in the lowest byte, then green, blue and alpha,
// so the low three bytes read as a Windows COLORREF.
#pragma once

#include <quorra/export.h>

#include <cstdint>

namespace Npr::Gs {

class QUORRA_API Color {
public:
  // Opaque black.
  Color() : mValue(0xFF000000u) {}
  Color(unsigned value) : mValue(value) {}
  Color(unsigned char r, unsigned char g, unsigned char b, unsigned char a) { set(r, g, b, a); }
  // Each value clamped to [0, 1], times 255, truncated.
  Color(double r, double g, double b, double a) { set(r, g, b, a); }

  void set(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
  void set(double r, double g, double b, double a);

  double red() const { return byteAt(0) / 255.0; }
  double green() const { return byteAt(8) / 255.0; }
  double blue() const { return byteAt(16) / 255.0; }
  double alpha() const { return byteAt(24) / 255.0; }

  operator unsigned() const { return mValue; }

  friend bool operator==(const Color&, const Color&) = default;

private:
  unsigned byteAt(int shift) const { return (mValue >> shift) & 0xFFu; }

  std::uint32_t mValue;
};

}  // namespace Npr::Gs
