// The fixed picture that stands for the Sketch style where no preview can
// be rendered: a box drawn in a few loose pencil strokes on white.
#pragma once

#include <cstdint>
#include <vector>

namespace linvale::sketch {

inline constexpr int kDefaultPictureSize = 160;

// Pixels of the picture as 32-bit blue-green-red-unused values, bottom row
// first, kDefaultPictureSize by kDefaultPictureSize. The same every time.
std::vector<std::uint32_t> DrawDefaultPicture();

}  // namespace linvale::sketch
