// Numbers in style files, read and written the same whatever C locale the
// host process has set: a host running with a decimal comma must still
// write "0.400000" and read it back.
#pragma once

#include <cstdint>
#include <string>

// Like atoi: leading blanks and a sign, digits up to the first other
// character, 0 when there are none; beyond the int range it saturates.
std::int32_t ParseStyleWhole(const char* text);

// Like atof in the C locale: leading blanks and a sign, the longest number
// that follows, 0 when there is none; overflow gives an infinity.
double ParseStyleReal(const char* text);

// "%d" and "%f" (six decimals) in the C locale.
std::string FormatStyleWhole(std::int32_t value);
std::string FormatStyleReal(double value);
