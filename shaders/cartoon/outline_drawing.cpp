#include "outline_drawing.h"

#include "cartoon_settings.h"

#include <GL/gl.h>

namespace linvale::cartoon {

namespace {

// Wide smooth lines at the supersampled size take llvmpipe a lot of memory
// while they wait in its queue: unflushed, the outlines of the engine model
// held about 25 MB there at the end of a render. Flushing much more often
// made it worse where llvmpipe rasterises on threads of its own, which
// queue the flushed work instead. Outlines of one colour come out the same
// byte for byte; where they take their nodes' colours, a few hundred bytes
// of a 1920 x 1080 picture move by up to two steps, as llvmpipe's blending
// of smooth lines depends on where its queue is cut.
constexpr std::size_t kLinesPerFlush = 8192;

}  // namespace

OutlineColor BlendOutlineColor(TS_Color lineColor, TS_Color materialColor, double towardsMaterial) {
  towardsMaterial = UsableBlend(towardsMaterial);
  const auto blend = [towardsMaterial](double line, double material) {
    return (1.0 - towardsMaterial) * line + towardsMaterial * material;
  };
  return {blend(lineColor.FractionRed(), materialColor.FractionRed()),
          blend(lineColor.FractionGreen(), materialColor.FractionGreen()),
          blend(lineColor.FractionBlue(), materialColor.FractionBlue())};
}

void OutlinePen::Draw(const TS_ClassArray<TS_Line>& lines, OutlineColor color) {
  if (lines.Count() == 0) {
    return;
  }
  glColor3d(color.red, color.green, color.blue);
  glBegin(GL_LINES);
  for (const TS_Line& line : lines) {
    glVertex3d(line.from.x, line.from.y, line.from.z);
    glVertex3d(line.to.x, line.to.y, line.to.z);
    if (++mLinesSinceFlush == kLinesPerFlush) {
      glEnd();
      glFlush();
      mLinesSinceFlush = 0;
      glBegin(GL_LINES);
    }
  }
  glEnd();
}

}  // namespace linvale::cartoon
