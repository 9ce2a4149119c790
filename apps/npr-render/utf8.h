// Program arguments are UTF-8; the host's SaveImage takes a wide name.
#pragma once

#include <optional>
#include <string>

namespace npr_render {

// Null for text that is not well-formed UTF-8.
std::optional<std::wstring> Utf8ToWide(const std::string& text);

}  // namespace npr_render
