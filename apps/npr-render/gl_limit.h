// What the OpenGL implementation the render will use can draw, so that a
// size beyond it is refused before anything is rendered, and which one it
// is, for --verbose.
#pragma once

#include <optional>
#include <string>

namespace npr_render {

struct GlDrawing {
  // The largest picture side; null when no OpenGL context can be made.
  std::optional<int> largestSide;
  // GL_RENDERER of the device the shaders' contexts use, as "llvmpipe
  // (LLVM 15.0.6, 256 bits)"; empty without a context.
  std::string renderer;
};

// Probes the device NprCurrentGlDevice picks with a one-pixel context.
GlDrawing ProbeGlDrawing();

}  // namespace npr_render
