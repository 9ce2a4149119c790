#include "devil_image.h"

#include <IL/ilu.h>

bool DevilImage::Load(const char* fileName) {
  if (fileName == nullptr || fileName[0] == '\0' || !ilLoadImage(fileName)) {
    return false;
  }
  if (ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_UPPER_LEFT) {
    iluFlipImage();
  }
  return true;
}
