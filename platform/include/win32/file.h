// Searching a folder for files whose names match a wildcard pattern.
#pragma once

#include <win32/base.h>

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_NORMAL 0x00000080

// 100-nanosecond intervals since 1 January 1601 (UTC).
struct FILETIME {
  DWORD dwLowDateTime;
  DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh;
  DWORD nFileSizeLow;
  DWORD dwReserved0;
  DWORD dwReserved1;
  char cFileName[MAX_PATH];
  char cAlternateFileName[14];
};
using LPWIN32_FIND_DATAA = WIN32_FIND_DATAA*;

// `pattern` is a folder followed by a file name pattern, e.g.
// "/opt/app/Shaders/*.so"; "*" and "?" are the wildcards and matching
// ignores case. Entries come in name order; "." and ".." are never listed.
// Returns INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when nothing
// matches and ERROR_PATH_NOT_FOUND when the folder cannot be read.
HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);

// FALSE with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data);

BOOL FindClose(HANDLE search);
