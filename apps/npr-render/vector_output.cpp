#include "vector_output.h"

#include "image_output.h"

#include <linvale/npr_vector_render.h>

#include <filesystem>

namespace npr_render {

std::optional<NprVectorDrawing> DrawScene(NprRenderer& renderer, Scene& scene, const TS_Viewport& viewport,
                                          const NprRenderSettings& settings, const NprVectorOptions& options) {
  NprVectorDrawing drawing;
  if (!NprRenderVector(renderer, &scene, viewport, settings, options, drawing)) {
    return std::nullopt;
  }
  return drawing;
}

WrittenDrawing WriteDrawing(const NprVectorDrawing& drawing, const std::string& path) {
  WrittenDrawing written;
  written.error = WriteReplacing(path, [&drawing](const std::string& temporary) {
    return NprWriteVectorFile(drawing, temporary);
  });
  std::error_code error;
  written.fileSize = std::filesystem::file_size(path, error);
  return written;
}

}  // namespace npr_render
