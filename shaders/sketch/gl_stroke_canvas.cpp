#include "gl_stroke_canvas.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

namespace linvale::sketch {

namespace {

// Every segment has its own width, and a change of line width makes
// llvmpipe queue a copy of its shader state, about 33 KB, with the
// segment. Unflushed, a stroke pass held tens of megabytes of these copies
// at a time; flushing every few segments keeps the queue small at no cost
// in time. Opaque strokes come out the same byte for byte; the
// half-transparent ones over a textured fill move by one step in a few
// hundred bytes of a 1920 x 1080 picture, as llvmpipe's blending of them
// depends on where its queue is cut.
constexpr unsigned kSegmentsPerFlush = 32;

}  // namespace

GlStrokeCanvas::GlStrokeCanvas() {
  glGetDoublev(GL_MODELVIEW_MATRIX, mModelView.data());
  glGetDoublev(GL_PROJECTION_MATRIX, mProjection.data());
  glGetIntegerv(GL_VIEWPORT, mViewport.data());
}

std::optional<std::array<double, 3>> GlStrokeCanvas::Project(const TS_3dPoint& p) const {
  std::array<double, 3> window{};
  if (gluProject(p.x, p.y, p.z, mModelView.data(), mProjection.data(), mViewport.data(), &window[0], &window[1],
                 &window[2]) != GL_TRUE) {
    return std::nullopt;
  }
  return window;
}

std::optional<double> GlStrokeCanvas::ProjectedDistance(const TS_3dPoint& a, const TS_3dPoint& b) {
  const auto windowA = Project(a);
  const auto windowB = Project(b);
  if (!windowA || !windowB) {
    return std::nullopt;
  }
  return std::hypot((*windowA)[0] - (*windowB)[0], (*windowA)[1] - (*windowB)[1], (*windowA)[2] - (*windowB)[2]);
}

void GlStrokeCanvas::DrawSegment(const StrokeSegment& segment) {
  const auto width = static_cast<GLfloat>(segment.width);
  glLineWidth(width);
  glPointSize(width);
  glColor4d(segment.colour[0], segment.colour[1], segment.colour[2], segment.alpha);
  glBegin(GL_LINES);
  glVertex3d(segment.p0.x, segment.p0.y, segment.p0.z);
  glVertex3d(segment.p1.x, segment.p1.y, segment.p1.z);
  glEnd();
  if (segment.startDot || segment.endDot) {
    glBegin(GL_POINTS);
    if (segment.startDot) {
      glVertex3d(segment.p0.x, segment.p0.y, segment.p0.z);
    }
    if (segment.endDot) {
      glVertex3d(segment.p1.x, segment.p1.y, segment.p1.z);
    }
    glEnd();
  }
  FlushEvery(kSegmentsPerFlush);
}

void GlStrokeCanvas::FlushEvery(unsigned segments) {
  if (++mSegmentsSinceFlush == segments) {
    glFlush();
    mSegmentsSinceFlush = 0;
  }
}

}  // namespace linvale::sketch
