// Drawings written as SVG or PDF instead of a picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_vector_drawing.h>
#include <linvale/scene.h>
#include <tessel/ts_viewport.h>

namespace npr_render {

// Nothing when the style's shader has no vector form or no GL context
// could be made.
std::optional<NprVectorDrawing> DrawScene(NprRenderer& renderer, Scene& scene, const TS_Viewport& viewport,
                                          const NprRenderSettings& settings, const NprVectorOptions& options);

struct WrittenDrawing {
  std::string error;  // empty when the file was written
  std::uintmax_t fileSize = 0;
};

// Written beside the target and moved over it, as pictures are.
WrittenDrawing WriteDrawing(const NprVectorDrawing& drawing, const std::string& path);

}  // namespace npr_render
