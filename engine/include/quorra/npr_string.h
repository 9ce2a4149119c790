// Text that crosses the facade: UTF-16-style wide characters (wchar_t here)
// in a private-heap array, without terminator.
#pragma once

#include <quorra/array.h>
#include <quorra/export.h>

namespace Npr {

class QUORRA_API String {
public:
  String() = default;
  // Narrow text is UTF-8. A string that cannot get its storage ends the
  // process: there is no failure value a constructor could give.
  String(const char* text);
  String(const wchar_t* text);
  String(const String& other);
  String& operator=(const String& other);
  ~String();

  const WideCharArray& characters() const { return mCharacters; }
  unsigned length() const { return mCharacters.length(); }

private:
  void assign(const wchar_t* text, unsigned length);

  WideCharArray mCharacters;
};

}  // namespace Npr
