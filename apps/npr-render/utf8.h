// Program arguments are UTF-8; the host's SaveImage takes a wide name.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace npr_render {

struct Utf8Scalar {
  char32_t value;
  std::size_t length;  // in bytes
};

// The character that starts at `text[at]`, or null where the bytes there
// are not well-formed UTF-8.
std::optional<Utf8Scalar> DecodeUtf8At(std::string_view text, std::size_t at);

// Null for text that is not well-formed UTF-8.
std::optional<std::wstring> Utf8ToWide(const std::string& text);

}  // namespace npr_render
