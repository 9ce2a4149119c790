// Images as GL textures without DevIL's GL binding: the pixels DevIL holds
// go straight to glTexImage2D, whose format names DevIL shares.
#include "devil_image.h"

#include <linvale/npr_gl_texture.h>
#include <linvale/npr_shader_support.h>

#include <GL/gl.h>

namespace {

bool IsFormatGlTakes(ILint format) {
  switch (format) {
    case IL_RGB:
    case IL_RGBA:
    case IL_BGR:
    case IL_BGRA:
    case IL_LUMINANCE:
    case IL_LUMINANCE_ALPHA: return true;
    default: return false;
  }
}

bool IsTypeGlTakes(ILint type) { return type == IL_UNSIGNED_BYTE || type == IL_FLOAT; }

GLint InternalFormatFor(ILint format) {
  switch (format) {
    case IL_RGBA:
    case IL_BGRA: return GL_RGBA;
    case IL_LUMINANCE: return GL_LUMINANCE;
    case IL_LUMINANCE_ALPHA: return GL_LUMINANCE_ALPHA;
    default: return GL_RGB;
  }
}

// Errors left by earlier calls would be taken for a refused upload. The
// bound keeps a missing context (which reports an error forever) from hanging.
void DiscardGlErrors() {
  for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
  }
}

}  // namespace

unsigned int NprTextureFromBoundImage() {
  const ILint width = ilGetInteger(IL_IMAGE_WIDTH);
  const ILint height = ilGetInteger(IL_IMAGE_HEIGHT);
  if (width <= 0 || height <= 0 || ilGetData() == nullptr) {
    return 0;
  }
  // Palette and 16-bit images are widened in place; the caller's image is
  // meant to be released right after anyway.
  if (!IsFormatGlTakes(ilGetInteger(IL_IMAGE_FORMAT)) || !IsTypeGlTakes(ilGetInteger(IL_IMAGE_TYPE))) {
    if (!ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE)) {
      return 0;
    }
  }
  const ILint format = ilGetInteger(IL_IMAGE_FORMAT);
  GLuint name = 0;
  glGenTextures(1, &name);
  NprGlTexture texture(name);
  if (texture.Name() == 0) {
    return 0;
  }
  glBindTexture(GL_TEXTURE_2D, texture.Name());
  // Without mipmaps the default minification filter would leave the
  // texture incomplete, so set one that needs none.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  DiscardGlErrors();
  glTexImage2D(GL_TEXTURE_2D, 0, InternalFormatFor(format), width, height, 0, static_cast<GLenum>(format),
               static_cast<GLenum>(ilGetInteger(IL_IMAGE_TYPE)), ilGetData());
  glPopClientAttrib();
  if (glGetError() != GL_NO_ERROR) {
    glBindTexture(GL_TEXTURE_2D, 0);
    return 0;
  }
  return texture.Release();
}

unsigned int NprLoadTexture(const char* fileName) {
  linvale::shader::DevilImage image;
  if (!image.Load(fileName)) {
    return 0;
  }
  return NprTextureFromBoundImage();
}
