// File names arrive as wide strings; the file system wants UTF-8.
#pragma once

#include <string>

namespace linvale::host {

// Converts `text` to UTF-8, reading wchar_t as UTF-32 code units or, where
// a value is a UTF-16 surrogate, pairing it with the next one. Unpaired
// surrogates and values beyond U+10FFFF become U+FFFD.
std::string WideToUtf8(const std::wstring& text);

}  // namespace linvale::host
