// The character encodings a profile file may come in. Files are parsed as
// UTF-8 text; a byte order mark at the start tells the other encodings apart.
// Free of any platform call, so the fuzzer drives it with the parser.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace linvale::platform {

enum class ProfileEncoding { Utf8, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

struct DecodedProfile {
  ProfileEncoding encoding = ProfileEncoding::Utf8;
  std::string text;  // UTF-8 (or whatever bytes a file without a mark holds)
};

// Removes the byte order mark and converts UTF-16 to UTF-8. Units that are no
// UTF-16 (a lone surrogate, an odd last byte) become U+FFFD.
DecodedProfile DecodeProfileText(std::string_view bytes);

// The bytes to write for `text` in a file read as `encoding`: a UTF-8 mark is
// kept. UTF-16 files are never rewritten (nullopt): they come from editing
// by hand, and turning them back into UTF-16 could change lines the writer
// never meant to touch.
std::optional<std::string> EncodeProfileText(std::string_view text, ProfileEncoding encoding);

}  // namespace linvale::platform
