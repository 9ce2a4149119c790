#include <linvale/npr_style_numbers.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>
#include <string_view>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// The text from the number's first digit or minus sign on. from_chars takes
// a minus sign but not a plus sign, so a plus is passed over here; a sign
// after a plus is no number at all.
std::string_view NumberText(const char* text) {
  while (IsBlank(*text)) {
    ++text;
  }
  if (*text == '+') {
    ++text;
    if (*text == '-' || *text == '+') {
      return {};
    }
  }
  return {text, std::strlen(text)};
}

// from_chars says only that `number` is out of range; the C library tells
// too large (an infinity) from too small (zero or a denormal) as atof does.
// It reads the same digits: from_chars stopped where the number ends.
double OutOfRange(std::string_view number) {
  static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
  return cLocale != nullptr ? strtod_l(number.data(), nullptr, cLocale) : 0.0;
}

}  // namespace

std::int32_t NprParseStyleInt(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  const std::string_view number = NumberText(text);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    return number.front() == '-' ? std::numeric_limits<std::int32_t>::min() : std::numeric_limits<std::int32_t>::max();
  }
  return error == std::errc() ? value : 0;
}

double NprParseStyleDouble(const char* text) {
  if (text == nullptr) {
    return 0.0;
  }
  const std::string_view number = NumberText(text);
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    return OutOfRange(number);
  }
  return error == std::errc() ? value : 0.0;
}

NprStyleNumberText NprFormatStyleInt(std::int32_t value) {
  NprStyleNumberText text;
  // Leaves room for the terminator, which the zeroed array holds already.
  std::to_chars(text.chars.data(), text.chars.data() + text.chars.size() - 1, value);
  return text;
}

NprStyleNumberText NprFormatStyleDouble(double value) {
  NprStyleNumberText text;
  std::to_chars(text.chars.data(), text.chars.data() + text.chars.size() - 1, value, std::chars_format::fixed, 6);
  return text;
}
