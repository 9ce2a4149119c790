#include <linvale/npr_image_probe.h>

#include "devil_image.h"

bool NprImageFileLoads(const char* fileName) {
  if (fileName == nullptr || fileName[0] == '\0') {
    return false;
  }
  // Renders bind an image of their own each time, so this one may go.
  linvale::shader::DevilImage image;
  return image.Load(fileName);
}
