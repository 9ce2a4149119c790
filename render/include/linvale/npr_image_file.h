// Writing a rendered bitmap to an image file and learning whether it worked.
#pragma once

#include <linvale/export.h>
#include <windows.h>

// Writes `bitmap` to `file` in the format its extension names; the caller
// keeps the bitmap. 0 only when every byte reached the file. Otherwise no
// file is left at `file` and the result is the reason as an errno value:
// ENOTSUP for an extension with no encoder, EINVAL for a missing name or a
// handle that is not a bitmap, ENOMEM, or the file system's own reason
// (ENOSPC, EFBIG, ...). The host services' SaveImage writes through it.
LINVALE_API int NprSaveImageFile(HBITMAP bitmap, const wchar_t* file);
