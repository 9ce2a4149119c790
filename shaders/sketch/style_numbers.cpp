#include "style_numbers.h"

#include <array>
#include <charconv>
#include <cstring>
#include <limits>

namespace {

const char* SkipBlanks(const char* text) {
  while (*text == ' ' || *text == '\t') {
    ++text;
  }
  return text;
}

// from_chars takes a minus sign but not a plus sign.
const char* SkipPlus(const char* text) { return *text == '+' ? text + 1 : text; }

}  // namespace

std::int32_t ParseStyleWhole(const char* text) {
  const char* first = SkipPlus(SkipBlanks(text));
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(first, first + std::strlen(first), value);
  if (error == std::errc::result_out_of_range) {
    return *first == '-' ? std::numeric_limits<std::int32_t>::min() : std::numeric_limits<std::int32_t>::max();
  }
  if (error != std::errc()) {
    return 0;
  }
  if (value > std::numeric_limits<std::int32_t>::max()) {
    return std::numeric_limits<std::int32_t>::max();
  }
  if (value < std::numeric_limits<std::int32_t>::min()) {
    return std::numeric_limits<std::int32_t>::min();
  }
  return static_cast<std::int32_t>(value);
}

double ParseStyleReal(const char* text) {
  const char* first = SkipPlus(SkipBlanks(text));
  double value = 0.0;
  const auto [end, error] = std::from_chars(first, first + std::strlen(first), value);
  if (error == std::errc::result_out_of_range) {
    return *first == '-' ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  }
  return error == std::errc() ? value : 0.0;
}

std::string FormatStyleWhole(std::int32_t value) {
  std::array<char, 16> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), error == std::errc() ? end : buffer.data());
}

std::string FormatStyleReal(double value) {
  // The largest double has 309 digits before the point.
  std::array<char, 400> buffer{};
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 6);
  return std::string(buffer.data(), error == std::errc() ? end : buffer.data());
}
