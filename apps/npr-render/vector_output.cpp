#include "vector_output.h"

#include <linvale/npr_vector_render.h>

#include <filesystem>

namespace npr_render {

VectorResult RenderVectorFile(NprRenderer& renderer, Scene& scene, const TS_Viewport& viewport,
                              const NprRenderSettings& settings, const VectorOutput& output) {
  NprVectorOptions options;
  options.hiddenLines = output.hiddenLines;
  options.fills = output.fills;
  options.nodeNames = output.nodeNames;
  NprVectorDrawing drawing;
  VectorResult result;
  result.rendered = NprRenderVector(renderer, &scene, viewport, settings, options, drawing);
  if (!result.rendered) {
    return result;
  }
  result.writeError = NprWriteVectorFile(drawing, output.path);
  std::error_code error;
  result.fileSize = std::filesystem::file_size(output.path, error);
  return result;
}

}  // namespace npr_render
