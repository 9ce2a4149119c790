// A GL texture name that is deleted with its owner, so that no way out of a
// drawing step leaves the texture behind in the context.
#pragma once

#include <GL/gl.h>

#include <utility>

// The context the texture was made in must be current when the owner goes.
// `Release` hands the name on to a caller that keeps it.
class NprGlTexture {
public:
  explicit NprGlTexture(GLuint name = 0) : mName(name) {}
  ~NprGlTexture() {
    if (mName != 0) {
      glDeleteTextures(1, &mName);
    }
  }
  NprGlTexture(NprGlTexture&& other) noexcept : mName(other.Release()) {}
  NprGlTexture& operator=(NprGlTexture&& other) noexcept {
    std::swap(mName, other.mName);
    return *this;
  }
  NprGlTexture(const NprGlTexture&) = delete;
  NprGlTexture& operator=(const NprGlTexture&) = delete;

  GLuint Name() const { return mName; }
  GLuint Release() { return std::exchange(mName, 0); }

private:
  GLuint mName;
};
