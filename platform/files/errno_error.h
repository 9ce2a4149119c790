// Translation of POSIX failures into the Win32 error codes callers test.
#pragma once

#include <win32/base.h>

namespace linvale::platform {

DWORD Win32ErrorFromErrno(int posixError);

// Sets the calling thread's last error from errno and returns it.
DWORD SetLastErrorFromErrno();

}  // namespace linvale::platform
