#include "terminal_text.h"

#include <cstdio>

#include "utf8.h"

namespace npr_render {
namespace {

std::string Escaped(const char* format, unsigned value) {
  char text[8] = {};
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string EscapeControl(char32_t c) {
  switch (c) {
    case '\n': return "\\n";
    case '\r': return "\\r";
    case '\t': return "\\t";
    default: return Escaped(c < 0x80 ? "\\x%02x" : "\\u%04x", static_cast<unsigned>(c));
  }
}

bool IsControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace

std::string Printable(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto scalar = DecodeUtf8At(text, i);
    if (!scalar) {
      shown += Escaped("\\x%02x", static_cast<unsigned char>(text[i]));
      ++i;
      continue;
    }
    if (IsControl(scalar->value)) {
      shown += EscapeControl(scalar->value);
    } else {
      shown.append(text.substr(i, scalar->length));
    }
    i += scalar->length;
  }
  return shown;
}

}  // namespace npr_render
