#include "utf8.h"

namespace npr_render {
namespace {

// Length of the sequence a lead byte starts and the bits it carries.
bool DecodeLead(unsigned char byte, int& length, char32_t& value) {
  if (byte < 0x80) {
    length = 1;
    value = byte;
  } else if ((byte & 0xE0) == 0xC0) {
    length = 2;
    value = byte & 0x1F;
  } else if ((byte & 0xF0) == 0xE0) {
    length = 3;
    value = byte & 0x0F;
  } else if ((byte & 0xF8) == 0xF0) {
    length = 4;
    value = byte & 0x07;
  } else {
    return false;
  }
  return true;
}

// Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
bool IsValidScalar(char32_t value, int length) {
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  return value >= kSmallest[length] && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
}

}  // namespace

std::optional<Utf8Scalar> DecodeUtf8At(std::string_view text, std::size_t at) {
  int length = 0;
  char32_t value = 0;
  if (at >= text.size() || !DecodeLead(static_cast<unsigned char>(text[at]), length, value) ||
      at + static_cast<std::size_t>(length) > text.size()) {
    return std::nullopt;
  }
  for (int k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[at + static_cast<std::size_t>(k)]);
    if ((next & 0xC0) != 0x80) {
      return std::nullopt;
    }
    value = (value << 6) | (next & 0x3F);
  }
  if (!IsValidScalar(value, length)) {
    return std::nullopt;
  }
  return Utf8Scalar{value, static_cast<std::size_t>(length)};
}

std::optional<std::wstring> Utf8ToWide(const std::string& text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto scalar = DecodeUtf8At(text, i);
    if (!scalar) {
      return std::nullopt;
    }
    wide.push_back(static_cast<wchar_t>(scalar->value));
    i += scalar->length;
  }
  return wide;
}

}  // namespace npr_render
