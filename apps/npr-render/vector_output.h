// Drawings written as SVG or PDF instead of a picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_vector_drawing.h>
#include <linvale/scene.h>
#include <tessel/ts_viewport.h>

namespace npr_render {

struct VectorOutput {
  std::string path;
  NprHiddenLines hiddenLines = NprHiddenLines::Omitted;
  bool fills = false;
  std::vector<std::string> nodeNames;
};

struct VectorResult {
  bool rendered = false;
  std::string writeError;  // empty when the file was written
  std::uintmax_t fileSize = 0;
};

VectorResult RenderVectorFile(NprRenderer& renderer, Scene& scene, const TS_Viewport& viewport,
                              const NprRenderSettings& settings, const VectorOutput& output);

}  // namespace npr_render
