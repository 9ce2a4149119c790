#include "cartoon_strings.h"

const char* LoadCartoonString(CartoonString id) {
  switch (id) {
    case CartoonString::BackgroundImageError:
      return "Error Background Image";
    case CartoonString::ErrorCaption:
      return "Orvelle Error";
    case CartoonString::CalculatingEdges:
      return "Calculating edges...";
    case CartoonString::SettingUp:
      return "Setting up NPR Render...";
    case CartoonString::RenderingBackground:
      return "Rendering background image...";
    case CartoonString::RenderingFaces:
      return "Rendering faces...";
    case CartoonString::RenderingSilhouettes:
      return "Rendering Silhouettes edges...";
    case CartoonString::RenderingBorders:
      return "Rendering Border edges...";
    case CartoonString::RenderingCreases:
      return "Rendering Discontinuity of Mesh edges...";
    case CartoonString::Name:
      return "Cartoon";
  }
  return "";
}
