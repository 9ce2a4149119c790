#include <linvale/npr_ramp_texture.h>

NprGlTexture NprBindRampTexture(const float* rgb, int entries) {
  GLuint name = 0;
  glGenTextures(1, &name);
  NprGlTexture texture(name);
  glBindTexture(GL_TEXTURE_1D, texture.Name());
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_1D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexImage1D(GL_TEXTURE_1D, 0, GL_RGB, entries, 0, GL_RGB, GL_FLOAT, rgb);
  glEnable(GL_TEXTURE_1D);
  return texture;
}
