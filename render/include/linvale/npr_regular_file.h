// DevIL opens whatever name it is given and waits forever on a FIFO or a
// device that never ends, so Linvale and its plug-ins hand it regular files
// only; anything else is treated like a missing image.
#pragma once

#include <linvale/export.h>

// True when `path` names a regular file, or a link to one.
LINVALE_API bool NprIsRegularFile(const char* path);
