// Case-insensitive matching of profile and registry names. Windows folds
// case for these names; only ASCII letters are folded, so a UTF-8 name
// matches itself and nothing else beyond them.
#pragma once

#include <algorithm>
#include <string_view>

namespace linvale::platform {

inline char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

}  // namespace linvale::platform
