#include "devil_image.h"

#include <IL/ilu.h>

#include <linvale/npr_regular_file.h>

namespace linvale::shader {

bool DevilImage::Load(const char* fileName) {
  if (!NprIsRegularFile(fileName) || !ilLoadImage(fileName)) {
    return false;
  }
  if (ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_UPPER_LEFT) {
    iluFlipImage();
  }
  return true;
}

}  // namespace linvale::shader
