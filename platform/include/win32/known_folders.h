// The shell's known folders and folder creation.
#pragma once

#include <win32/base.h>

#define CSIDL_PERSONAL 0x0005
#define CSIDL_APPDATA 0x001a
#define CSIDL_COMMON_APPDATA 0x0023
#define CSIDL_FLAG_CREATE 0x8000
#define CSIDL_FLAG_MASK 0xFF00

#define SHGFP_TYPE_CURRENT 0
#define SHGFP_TYPE_DEFAULT 1

// Writes the folder's path (at most MAX_PATH characters with the NUL, no
// trailing separator) into `path`: CSIDL_APPDATA is the XDG data home,
// CSIDL_PERSONAL the XDG documents folder, CSIDL_COMMON_APPDATA the first
// XDG data dir. With CSIDL_FLAG_CREATE the folder is created when missing.
// E_INVALIDARG for another folder, E_FAIL when it cannot be determined or
// does not fit.
HRESULT SHGetFolderPathA(HWND owner, int folder, HANDLE token, DWORD flags, LPSTR path);

// Creates `path` and every missing folder above it. ERROR_SUCCESS, or
// ERROR_ALREADY_EXISTS when it was there, ERROR_BAD_PATHNAME for a relative
// path, or the reason it could not be created.
int SHCreateDirectoryExA(HWND owner, LPCSTR path, const SECURITY_ATTRIBUTES* security);
