#include <linvale/npr_typed_number.h>

#include <charconv>

std::optional<long> NprParseTypedWholeNumber(std::string_view text) {
  // from_chars takes a minus only; a plus may not stand before one.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') {
      return std::nullopt;
    }
  }
  long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}
