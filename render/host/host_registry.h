// The registry locations of the host's preferences and small typed reads
// and writes of them. A key is only ever opened here, never created: a key
// that does not exist makes a read fail and a write do nothing.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace linvale::host {

// "SOFTWARE\Brisco\OrvelleRuza".
extern const char* const kProductKey;
// The product key followed by "\1.0\" and the library's build date.
std::string PerBuildKey();

// A REG_SZ value into `buffer` (capacity `size`, also the size the read may
// fill); false when the key or value is missing, not a string or too long.
bool ReadRegistryString(HKEY root, const char* key, const char* value, char* buffer, unsigned long size);
std::optional<DWORD> ReadRegistryDword(HKEY root, const char* key, const char* value);
// Both write only when the key opens for writing; true when written.
bool WriteRegistryDword(HKEY root, const char* key, const char* value, DWORD data);
bool WriteRegistryString(HKEY root, const char* key, const char* value, const char* text);

}  // namespace linvale::host
