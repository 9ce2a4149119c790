// Whether an image file can be used before a render needs it: the pages
// that choose texture files switch a texture off when its file will not
// load, without a message.
#pragma once

#include <linvale/export.h>

// True when DevIL reads `fileName` as an image; the pixels are dropped at
// once. False for a null or empty name and for anything but a regular file.
LINVALE_API bool NprImageFileLoads(const char* fileName);
