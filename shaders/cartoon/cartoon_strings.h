// The Cartoon plug-in's string table: its display name and the texts it
// shows while rendering.
#pragma once

namespace linvale::cartoon {

enum class CartoonString {
  BackgroundImageError = 1,
  ErrorCaption = 2,
  CalculatingEdges = 3,
  SettingUp = 4,
  RenderingBackground = 5,
  RenderingFaces = 6,
  RenderingSilhouettes = 7,
  RenderingBorders = 8,
  RenderingCreases = 9,
  Name = 10,
};

// The text of a string; it lives as long as the plug-in is loaded.
const char* LoadCartoonString(CartoonString id);

}  // namespace linvale::cartoon
