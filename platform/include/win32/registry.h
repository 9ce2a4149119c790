// The registry: keys of named values under the current user's and the
// machine's root. Each root is kept in one text file (see docs/platform.md);
// every call reads or updates that file, so other processes see a change at
// once.
#pragma once

#include <win32/base.h>

using REGSAM = DWORD;
using PHKEY = HKEY*;
using LPDWORD = DWORD*;
using LPBYTE = BYTE*;

#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000001))))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000002))))

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4

#define REG_OPTION_NON_VOLATILE 0x0000

#define REG_CREATED_NEW_KEY 0x0001
#define REG_OPENED_EXISTING_KEY 0x0002

#define ERROR_KEY_DELETED 1018L

// Opens an existing key; ERROR_FILE_NOT_FOUND when it was never created.
// Asking for write access to a root whose file cannot be written gives
// ERROR_ACCESS_DENIED.
LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);

// Opens the key, creating it and every missing parent. A root whose file
// could not be parsed is never rewritten: the call fails with ERROR_BADDB.
LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM desired,
                     const SECURITY_ATTRIBUTES* security, PHKEY result, LPDWORD disposition);

// Reads a value (null or "" names the key's default value). With `data`
// null only the type and size are reported; a buffer smaller than the value
// gives ERROR_MORE_DATA and the size needed. REG_SZ data always ends in NUL.
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize);

// Stores a value; the key must have been opened with KEY_SET_VALUE. A REG_SZ
// value is kept up to its first NUL, a REG_DWORD needs four bytes.
LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);

LONG RegCloseKey(HKEY key);
