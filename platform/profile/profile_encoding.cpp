#include "profile/profile_encoding.h"

namespace linvale::platform {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
  const auto unitAt = [&](std::size_t index) {
    const auto first = static_cast<unsigned char>(bytes[2 * index]);
    const auto second = static_cast<unsigned char>(bytes[2 * index + 1]);
    return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  };
  const std::size_t units = bytes.size() / 2;
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < units; ++i) {
    const char16_t unit = unitAt(i);
    if (IsHighSurrogate(unit) && i + 1 < units && IsLowSurrogate(unitAt(i + 1))) {
      const char16_t low = unitAt(++i);
      AppendUtf8(text, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(text, kReplacement);
    } else {
      AppendUtf8(text, unit);
    }
  }
  if (bytes.size() % 2 != 0) {
    AppendUtf8(text, kReplacement);
  }
  return text;
}

}  // namespace

DecodedProfile DecodeProfileText(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) {
    return {ProfileEncoding::Utf8WithMark, std::string(bytes.substr(kUtf8Mark.size()))};
  }
  if (bytes.starts_with(kUtf16LittleEndianMark)) {
    return {ProfileEncoding::Utf16LittleEndian, Utf16ToUtf8(bytes.substr(2), false)};
  }
  if (bytes.starts_with(kUtf16BigEndianMark)) {
    return {ProfileEncoding::Utf16BigEndian, Utf16ToUtf8(bytes.substr(2), true)};
  }
  return {ProfileEncoding::Utf8, std::string(bytes)};
}

std::optional<std::string> EncodeProfileText(std::string_view text, ProfileEncoding encoding) {
  switch (encoding) {
    case ProfileEncoding::Utf8: return std::string(text);
    case ProfileEncoding::Utf8WithMark: return std::string(kUtf8Mark) + std::string(text);
    case ProfileEncoding::Utf16LittleEndian:
    case ProfileEncoding::Utf16BigEndian: return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace linvale::platform
