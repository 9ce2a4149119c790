// The background image behind a picture: stretched to the whole bitmap, so
// a wallpaper looks the same at every output size and antialias level.
// glWindowPos is GL 1.4, declared only with the extension prototypes.
#define GL_GLEXT_PROTOTYPES 1

#include "devil_image.h"

#include <linvale/npr_shader_support.h>

#include <GL/gl.h>
#include <IL/ilu.h>

namespace {

// Draws at window position (0, 0) with nothing but the raw pixels, leaving
// the caller's enables and pixel-store settings as they were.
void DrawPixelsAtLowerLeft(int width, int height, const void* pixels) {
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_1D);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glDisable(GL_LIGHTING);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glWindowPos2i(0, 0);
  glDrawPixels(width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
  glPopClientAttrib();
  glPopAttrib();
}

}  // namespace

bool NprDrawBackgroundImage(const char* fileName, SIZE bitmapSize) {
  if (bitmapSize.cx <= 0 || bitmapSize.cy <= 0) {
    return false;
  }
  linvale::shader::DevilImage image;
  if (!image.Load(fileName) || !ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE)) {
    return false;
  }
  iluImageParameter(ILU_FILTER, ILU_SCALE_TRIANGLE);
  if (!iluScale(static_cast<ILuint>(bitmapSize.cx), static_cast<ILuint>(bitmapSize.cy), 1)) {
    return false;
  }
  DrawPixelsAtLowerLeft(image.Width(), image.Height(), ilGetData());
  return true;
}
