// The fixed picture that stands for the Cartoon style where no preview can
// be rendered: a banded sphere with a black outline on white.
#pragma once

#include <cstdint>
#include <vector>

namespace linvale::cartoon {

inline constexpr int kDefaultPictureSize = 160;

// The picture's pixels as a 32-bit bottom-up bitmap holds them (blue in the
// low byte), kDefaultPictureSize rows of kDefaultPictureSize pixels.
std::vector<std::uint32_t> PaintDefaultPicture();

}  // namespace linvale::cartoon
