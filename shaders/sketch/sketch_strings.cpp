#include "sketch_strings.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<SketchString, const char*>, 11> kStrings = {{
    {SketchString::ErrorCaption, "Orvelle Error"},
    {SketchString::BackgroundImageError, "Error Background Image"},
    {SketchString::CalculatingEdges, "Calculating edges..."},
    {SketchString::SettingUp, "Setting up..."},
    {SketchString::RenderingBackground, "Rendering background image..."},
    {SketchString::RenderingFaces, "Rendering faces..."},
    {SketchString::RenderingSilhouettes, "Rendering Silhouettes edges..."},
    {SketchString::RenderingCreases, "Rendering Discontinuity edges..."},
    {SketchString::RenderingBorders, "Rendering Border edges..."},
    {SketchString::RenderingPaper, "Rendering paper texture..."},
    {SketchString::ShaderName, "Sketch"},
}};

}  // namespace

const char* LoadSketchString(SketchString id) {
  for (const auto& [key, text] : kStrings) {
    if (key == id) {
      return text;
    }
  }
  return "";
}
