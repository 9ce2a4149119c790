#include "importer_decimal.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace tessel::detail {
namespace {

constexpr std::size_t kFractionDigits = 15;
constexpr std::array<double, kFractionDigits + 1> kFractionScale = {
    0.0, 0.1, 0.01, 0.001, 0.0001, 0.00001, 0.000001, 0.0000001, 0.00000001, 0.000000001, 0.0000000001,
    0.00000000001, 0.000000000001, 0.0000000000001, 0.00000000000001, 0.000000000000001};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at the start of `text`, of which the first `most` count.
// False when they overflow 64 bits.
bool TakeDigits(std::string_view& text, std::uint64_t& value, std::size_t& counted,
                std::size_t most = std::numeric_limits<std::size_t>::max()) {
  value = 0;
  counted = 0;
  while (!text.empty() && IsDigit(text.front())) {
    if (counted < most) {
      const std::uint64_t digit = static_cast<std::uint64_t>(text.front() - '0');
      if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
        return false;
      }
      value = value * 10 + digit;
      ++counted;
    }
    text.remove_prefix(1);
  }
  return true;
}

bool IsWord(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) {
    return false;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((text[i] | 0x20) != word[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool ParseImporterFloat(std::string_view text, float& value) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (negative || text.front() == '+')) {
    text.remove_prefix(1);
  }
  if (IsWord(text, "nan")) {
    value = std::numeric_limits<float>::quiet_NaN();
    return true;
  }
  if (IsWord(text, "inf") || IsWord(text, "infinity")) {
    value = negative ? -std::numeric_limits<float>::infinity() : std::numeric_limits<float>::infinity();
    return true;
  }
  std::uint64_t digits = 0;
  std::size_t count = 0;
  if (!TakeDigits(text, digits, count)) {
    return false;
  }
  float result = static_cast<float>(digits);
  bool anyDigit = count > 0;
  if (!text.empty() && text.front() == '.') {
    text.remove_prefix(1);
    if (!TakeDigits(text, digits, count, kFractionDigits)) {
      return false;
    }
    result += static_cast<float>(static_cast<double>(digits) * kFractionScale[count]);
    anyDigit = anyDigit || count > 0;
  }
  if (!anyDigit) {
    return false;
  }
  if (!text.empty() && (text.front() == 'e' || text.front() == 'E')) {
    text.remove_prefix(1);
    const bool negativeExponent = !text.empty() && text.front() == '-';
    if (!text.empty() && (negativeExponent || text.front() == '+')) {
      text.remove_prefix(1);
    }
    if (!TakeDigits(text, digits, count) || count == 0) {
      return false;
    }
    const float exponent = static_cast<float>(digits);
    result *= std::pow(10.0f, negativeExponent ? -exponent : exponent);
  }
  value = negative ? -result : result;
  return text.empty();
}

}  // namespace tessel::detail
