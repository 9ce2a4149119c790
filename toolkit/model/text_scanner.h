// Reads the lines and words of a text model file in place; numbers come
// out as the importer's.
#pragma once

#include <charconv>
#include <span>
#include <string_view>

#include "importer_decimal.h"

namespace tessel::detail {

// True when all of `text` is one number.
template <typename Number>
bool ParseWhole(std::string_view text, Number& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && !text.empty();
}

class TextScanner {
public:
  explicit TextScanner(std::span<const char> text) : mNext(text.data()), mEnd(text.data() + text.size()) {}

  bool AtEnd() const { return mNext == mEnd; }

  // The next line without its line break (LF or CR LF).
  std::string_view NextLine() {
    const char* start = mNext;
    while (mNext != mEnd && *mNext != '\n') {
      ++mNext;
    }
    const char* stop = mNext;
    if (mNext != mEnd) {
      ++mNext;
    }
    if (stop != start && stop[-1] == '\r') {
      --stop;
    }
    return {start, static_cast<std::size_t>(stop - start)};
  }

private:
  const char* mNext;
  const char* mEnd;
};

// Words of one line, separated by spaces or tabs.
class LineWords {
public:
  explicit LineWords(std::string_view line) : mRest(line) {}

  // The next word, empty when the line has no more.
  std::string_view Next() {
    SkipBlanks();
    std::size_t length = 0;
    while (length < mRest.size() && !IsBlank(mRest[length])) {
      ++length;
    }
    const std::string_view word = mRest.substr(0, length);
    mRest.remove_prefix(length);
    return word;
  }

  // Whatever follows the words taken so far, without the blanks around it.
  std::string_view Rest() {
    SkipBlanks();
    std::string_view rest = mRest;
    while (!rest.empty() && IsBlank(rest.back())) {
      rest.remove_suffix(1);
    }
    return rest;
  }

  // A number starts with a digit after its sign: the importer's OBJ reader
  // takes ".5" for something else, so such files are left to it.
  bool NextFloat(float& value) {
    std::string_view word = Next();
    const std::size_t sign = word.starts_with('-') || word.starts_with('+') ? 1 : 0;
    const bool startsWithDigit = word.size() > sign && word[sign] >= '0' && word[sign] <= '9';
    const bool named = word.substr(sign) == "nan" || word.substr(sign) == "inf";
    return (startsWithDigit || named) && ParseImporterFloat(word, value);
  }
  bool AtEnd() { return Rest().empty(); }

private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
  void SkipBlanks() {
    while (!mRest.empty() && IsBlank(mRest.front())) {
      mRest.remove_prefix(1);
    }
  }

  std::string_view mRest;
};

}  // namespace tessel::detail
