#include <quorra/npr_string.h>

#include "wide_text.h"

#include <cwchar>
#include <exception>
#include <string>

template class Npr::Array<wchar_t, Npr::MemoryDynBuffer<wchar_t>, 8>;

namespace Npr {

String::String(const char* text) {
  if (text == nullptr) {
    return;
  }
  // Out of memory while converting is as fatal as out of storage.
  try {
    const std::wstring wide = quorra::ToWide(text);
    assign(wide.data(), static_cast<unsigned>(wide.size()));
  } catch (...) {
    std::terminate();
  }
}

String::String(const wchar_t* text) {
  if (text != nullptr) {
    assign(text, static_cast<unsigned>(std::wcslen(text)));
  }
}

String::String(const String& other) : mCharacters(other.mCharacters) {
  if (mCharacters.length() != other.mCharacters.length()) {
    std::terminate();
  }
}

String& String::operator=(const String& other) {
  mCharacters = other.mCharacters;
  if (mCharacters.length() != other.mCharacters.length()) {
    std::terminate();
  }
  return *this;
}

String::~String() = default;

// The storage holds exactly the characters.
void String::assign(const wchar_t* text, unsigned length) {
  if (length == 0) {
    return;
  }
  if (!mCharacters.setLogicalLength(length)) {
    std::terminate();
  }
  for (unsigned i = 0; i < length; ++i) {
    mCharacters.setAt(i, text[i]);
  }
}

}  // namespace Npr
