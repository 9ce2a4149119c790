#include "gdi/pixel_rows.h"

#include <cstring>

namespace linvale::platform {

void ConvertRow(const std::byte* source, WORD sourceBits, std::byte* target, WORD targetBits, LONG width) {
  if (sourceBits == targetBits) {
    std::memcpy(target, source, static_cast<std::size_t>(width) * sourceBits / 8);
    return;
  }
  const std::size_t sourceStep = sourceBits / 8;
  const std::size_t targetStep = targetBits / 8;
  for (LONG x = 0; x < width; ++x) {
    std::memcpy(target, source, 3);
    if (targetStep == 4) {
      target[3] = std::byte{0};
    }
    source += sourceStep;
    target += targetStep;
  }
}

}  // namespace linvale::platform
