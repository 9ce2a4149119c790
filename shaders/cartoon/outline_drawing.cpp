#include "outline_drawing.h"

#include "cartoon_settings.h"

#include <GL/gl.h>

namespace linvale::cartoon {

OutlineColor BlendOutlineColor(TS_Color lineColor, TS_Color materialColor, double towardsMaterial) {
  towardsMaterial = UsableBlend(towardsMaterial);
  const auto blend = [towardsMaterial](double line, double material) {
    return (1.0 - towardsMaterial) * line + towardsMaterial * material;
  };
  return {blend(lineColor.FractionRed(), materialColor.FractionRed()),
          blend(lineColor.FractionGreen(), materialColor.FractionGreen()),
          blend(lineColor.FractionBlue(), materialColor.FractionBlue())};
}

void DrawOutlines(const TS_ClassArray<TS_Line>& lines, OutlineColor color) {
  if (lines.Count() == 0) {
    return;
  }
  glColor3d(color.red, color.green, color.blue);
  glBegin(GL_LINES);
  for (const TS_Line& line : lines) {
    glVertex3d(line.from.x, line.from.y, line.from.z);
    glVertex3d(line.to.x, line.to.y, line.to.z);
  }
  glEnd();
}

}  // namespace linvale::cartoon
