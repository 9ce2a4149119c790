// The largest picture side the OpenGL implementation draws, so that a size
// beyond it is refused before anything is rendered.
#pragma once

#include <optional>

namespace npr_render {

// Null when no OpenGL context can be made at all.
std::optional<int> LargestPictureSide();

}  // namespace npr_render
