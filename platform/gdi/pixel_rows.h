// Converting rows of pixels between the 24- and 32-bit layouts.
#pragma once

#include <win32/base.h>

#include <cstddef>

namespace linvale::platform {

// Copies `width` pixels; a 32-bit target gets a fourth byte of 0 from a
// 24-bit source, a 24-bit target drops the fourth byte.
void ConvertRow(const std::byte* source, WORD sourceBits, std::byte* target, WORD targetBits, LONG width);

}  // namespace linvale::platform
