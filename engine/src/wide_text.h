// Texts cross the facade as wide characters and reach the renderer as
// UTF-8; these convert at that boundary.
#pragma once

#include <string>
#include <string_view>

namespace quorra {

// wchar_t values are read as UTF-32, or as UTF-16 where a surrogate pair
// appears; unpaired surrogates and values beyond U+10FFFF become U+FFFD.
std::string ToUtf8(std::wstring_view text);
// Null reads as empty.
std::string ToUtf8(const wchar_t* text);
// Malformed sequences become U+FFFD, one per offending byte.
std::wstring ToWide(std::string_view text);
// Copies `text` with its terminator into `buffer` of `size` characters;
// false (buffer untouched) when it does not fit.
bool CopyWide(const std::wstring& text, wchar_t* buffer, unsigned long size);

}  // namespace quorra
