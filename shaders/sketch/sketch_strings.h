// The plug-in's string table: texts shown to the user, by number.
#pragma once

namespace linvale::sketch {

enum class SketchString : int {
  ErrorCaption = 1,
  BackgroundImageError = 2,
  CalculatingEdges = 3,
  SettingUp = 4,
  RenderingBackground = 5,
  RenderingFaces = 6,
  RenderingSilhouettes = 7,
  RenderingCreases = 8,
  RenderingBorders = 9,
  RenderingPaper = 10,
  ShaderName = 11,
  PaperChooserTitle = 25,
};

// The text of a string; empty for a number the table does not hold. The
// texts live as long as the module.
const char* LoadSketchString(SketchString id);

}  // namespace linvale::sketch
