// Copying texts into the fixed-size fields of the settings records.
#pragma once

#include <cstddef>
#include <cstring>

namespace linvale::settings {

// Copies as much of `text` as fits with its NUL (a null text is empty), so a
// longer text is cut instead of written past the field. The text may be the
// field itself (a setter fed its own getter), hence memmove.
template <std::size_t N>
void CopyToField(char (&field)[N], const char* text) {
  static_assert(N > 0);
  const std::size_t length = text != nullptr ? strnlen(text, N - 1) : 0;
  std::memmove(field, text != nullptr ? text : "", length);
  field[length] = '\0';
}

}  // namespace linvale::settings
