// Private-profile ("ini") files: the layout style files are kept in.
#pragma once

#include <win32/base.h>

// Copies the value of `keyName` in `appName` of `fileName` into `returned`,
// or `defaultValue` when the file, the section or the key is missing. At most
// `size` - 1 characters are copied and the copy is always terminated; the
// result is the number of characters copied. A null `appName` lists the
// section names, a null `keyName` the keys of the section, each name
// terminated by a NUL and the list by a second one.
DWORD GetPrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue, LPSTR returned, DWORD size,
                               LPCSTR fileName);

// Sets `keyName` in `appName` of `fileName` to `value`, creating the file,
// the section or the key when missing and keeping every other line as it was.
// A null `value` removes the key, a null `keyName` the whole section. The file
// is replaced atomically; on failure the result is FALSE, the file is left as
// it was and GetLastError tells why. Names or values that would change the
// structure of the file (line breaks, a '=' in a key, a ']' in a section) are
// refused with ERROR_INVALID_PARAMETER.
BOOL WritePrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR value, LPCSTR fileName);
