// Folder creation of the kernel.
#pragma once

#include <win32/base.h>

// Creates one folder; its parent must exist. FALSE with ERROR_ALREADY_EXISTS
// when the folder (or a file of that name) is already there, with
// ERROR_PATH_NOT_FOUND when the parent is missing.
BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES security);
