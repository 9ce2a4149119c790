// The system's text for an error code.
#pragma once

#include <win32/base.h>

#include <cstdarg>

#define FORMAT_MESSAGE_ALLOCATE_BUFFER 0x00000100
#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200
#define FORMAT_MESSAGE_FROM_STRING 0x00000400
#define FORMAT_MESSAGE_FROM_HMODULE 0x00000800
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000

#define LANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define MAKELANGID(primary, sub) ((static_cast<WORD>(sub) << 10) | static_cast<WORD>(primary))

// Only FORMAT_MESSAGE_FROM_SYSTEM (with or without IGNORE_INSERTS) is
// supported: copies the English text of `messageId`, ending in "\r\n" as on
// Windows, into `buffer`. Returns the characters stored without the NUL, or
// 0 with ERROR_MR_MID_NOT_FOUND for an unknown code, ERROR_INSUFFICIENT_BUFFER
// when the text does not fit, ERROR_INVALID_PARAMETER for other flags.
DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size,
                     va_list* arguments);
