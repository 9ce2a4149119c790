// Translation of POSIX failures into the Win32 error codes callers test.
#pragma once

#include <win32/base.h>

namespace linvale::platform {

DWORD Win32ErrorFromErrno(int posixError);

}  // namespace linvale::platform
