#include "style_numbers.h"

#include <array>
#include <charconv>
#include <climits>
#include <cstring>

namespace {

const char* SkipBlanksAndPlus(const char* text, bool& negative) {
  while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r' || *text == '\f' || *text == '\v') {
    ++text;
  }
  negative = false;
  // from_chars takes a minus sign but not a plus sign.
  if (*text == '+') {
    ++text;
  } else if (*text == '-') {
    negative = true;
  }
  return text;
}

}  // namespace

int ParseLeadingInt(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  bool negative = false;
  const char* first = SkipBlanksAndPlus(text, negative);
  int value = 0;
  const auto [end, error] = std::from_chars(first, first + std::strlen(first), value);
  if (error == std::errc::result_out_of_range) {
    return negative ? INT_MIN : INT_MAX;
  }
  return error == std::errc{} ? value : 0;
}

double ParseLeadingDouble(const char* text) {
  if (text == nullptr) {
    return 0.0;
  }
  bool negative = false;
  const char* first = SkipBlanksAndPlus(text, negative);
  double value = 0.0;
  const auto [end, error] = std::from_chars(first, first + std::strlen(first), value);
  return error == std::errc{} ? value : 0.0;
}

std::string FormatInt(int value) {
  std::array<char, 16> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), end);
}

std::string FormatDouble(double value) {
  // Wide enough for the largest double in fixed notation.
  std::array<char, 512> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed, 6);
  if (error != std::errc{}) {
    return "0.000000";
  }
  return std::string(buffer.data(), end);
}
