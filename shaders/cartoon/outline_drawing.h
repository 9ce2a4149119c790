// The outlines of the nodes: every edge of one kind as its own GL line.
#pragma once

#include <tessel/ts_array.h>
#include <tessel/ts_color.h>
#include <tessel/ts_line.h>
#include <tessel/ts_material.h>

#include <cstddef>

namespace linvale::cartoon {

// The line colour blended towards the material's diffuse colour by
// `towardsMaterial` (0: the line colour, 1: the material colour).
struct OutlineColor {
  double red;
  double green;
  double blue;
};
OutlineColor BlendOutlineColor(TS_Color lineColor, TS_Color materialColor, double towardsMaterial);

// Draws the outlines of one node after another, flushing GL every so many
// lines so that they do not pile up waiting for the rasteriser.
class OutlinePen {
public:
  // Draws `lines` in `color` with the current line width and GL state.
  void Draw(const TS_ClassArray<TS_Line>& lines, OutlineColor color);

private:
  std::size_t mLinesSinceFlush = 0;
};

}  // namespace linvale::cartoon
