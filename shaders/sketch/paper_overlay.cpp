#include "paper_overlay.h"

#include <linvale/npr_gl_texture.h>
#include <linvale/npr_shader_support.h>

#include <GL/gl.h>

namespace linvale::sketch {

namespace {

void LoadIdentity(GLenum matrix) {
  glMatrixMode(matrix);
  glLoadIdentity();
}

void DrawFullPictureQuad() {
  glColor4d(1.0, 1.0, 1.0, 0.7);
  glNormal3d(0.0, 0.0, 1.0);
  glBegin(GL_QUADS);
  glTexCoord2d(0.0, 0.0);
  glVertex3d(-1.0, -1.0, 1.0);
  glTexCoord2d(1.0, 0.0);
  glVertex3d(1.0, -1.0, 1.0);
  glTexCoord2d(1.0, 1.0);
  glVertex3d(1.0, 1.0, 1.0);
  glTexCoord2d(0.0, 1.0);
  glVertex3d(-1.0, 1.0, 1.0);
  glEnd();
}

}  // namespace

bool DrawPaperOverlay(const char* paperFile) {
  const NprGlTexture texture(NprLoadTexture(paperFile));
  if (texture.Name() == 0) {
    return false;
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  LoadIdentity(GL_PROJECTION);
  glOrtho(-1.0, 1.0, -1.0, 1.0, -1.0, 1.0);
  LoadIdentity(GL_TEXTURE);
  LoadIdentity(GL_MODELVIEW);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  // destination = destination x source colour: the picture times the paper.
  glBlendFunc(GL_ZERO, GL_SRC_COLOR);
  DrawFullPictureQuad();
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  return true;
}

}  // namespace linvale::sketch
