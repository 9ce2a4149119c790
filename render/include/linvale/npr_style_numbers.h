// Numbers as the shaders keep them in their style-file sections ("%d" and
// "%f"), read and written the same whatever C locale the host process has
// set: a host running with a decimal comma must still write "0.400000" and
// read it back, or styles would not travel between machines.
#pragma once

#include <linvale/export.h>

#include <array>
#include <cstdint>

// As atoi reads it: leading blanks and a sign, digits up to the first other
// character, 0 when there are none or `text` is null; beyond the 32-bit
// range it saturates.
LINVALE_API std::int32_t NprParseStyleInt(const char* text);

// As atof reads it in the C locale: leading blanks and a sign, the longest
// number that follows, 0 when there is none or `text` is null; a number too
// large gives an infinity, one too small 0.
LINVALE_API double NprParseStyleDouble(const char* text);

// A number's text, held without the heap so that making it cannot fail.
struct NprStyleNumberText {
  // Room for the longest "%f" of a double: a sign, 309 digits, the point
  // and six decimals.
  std::array<char, 320> chars{};
  const char* c_str() const { return chars.data(); }
};

// "%d" and "%f" (six decimals) in the C locale.
LINVALE_API NprStyleNumberText NprFormatStyleInt(std::int32_t value);
LINVALE_API NprStyleNumberText NprFormatStyleDouble(double value);
