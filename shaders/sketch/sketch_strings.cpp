#include "sketch_strings.h"

#include <linvale/npr_string_table.h>

namespace linvale::sketch {

namespace {

constexpr NprStringTable<SketchString, 12> kStrings = {{
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
    {SketchString::PaperChooserTitle, "Open paper texture in Orvelle "},
}};

}  // namespace

const char* LoadSketchString(SketchString id) { return NprLookUpString(kStrings, id); }

}  // namespace linvale::sketch
