// The few process services the renderer asks for.
#pragma once

#include <win32/base.h>

// Pseudo handle of the calling process; it needs no closing.
HANDLE GetCurrentProcess();

// Linux manages the resident set itself, so the request is accepted and
// changes nothing. Fails with ERROR_INVALID_HANDLE for any process other
// than the current one and ERROR_INVALID_PARAMETER when the minimum exceeds
// the maximum.
BOOL SetProcessWorkingSetSize(HANDLE process, SIZE_T minimumSize, SIZE_T maximumSize);
