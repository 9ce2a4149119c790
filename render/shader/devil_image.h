// A DevIL image name that is bound while it lives and deleted with it, so
// that no path out of an image operation leaks the pixels.
#pragma once

#include <IL/il.h>

namespace linvale::shader {

class DevilImage {
public:
  DevilImage() {
    ilGenImages(1, &mName);
    ilBindImage(mName);
  }
  ~DevilImage() { ilDeleteImages(1, &mName); }
  DevilImage(const DevilImage&) = delete;
  DevilImage& operator=(const DevilImage&) = delete;

  // Reads the file into this image, with the first row at the bottom as GL
  // expects it whatever the file stores.
  bool Load(const char* fileName);

  int Width() const { return ilGetInteger(IL_IMAGE_WIDTH); }
  int Height() const { return ilGetInteger(IL_IMAGE_HEIGHT); }

private:
  ILuint mName = 0;
};

}  // namespace linvale::shader
