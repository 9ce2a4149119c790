// Narrow (UTF-8) and wide strings with the toolkit's accessors.
#pragma once

#include <string>

class TS_String : public std::string {
public:
  using std::string::string;
  TS_String() = default;
  TS_String(const std::string& s) : std::string(s) {}

  const char* Array() const { return c_str(); }
  int Length() const { return static_cast<int>(size()); }
  bool IsEmpty() const { return empty(); }
  void Empty() { clear(); }
};

class TS_wString : public std::wstring {
public:
  using std::wstring::wstring;
  TS_wString() = default;
  TS_wString(const std::wstring& s) : std::wstring(s) {}

  const wchar_t* Array() const { return c_str(); }
  int Length() const { return static_cast<int>(size()); }
  bool IsEmpty() const { return empty(); }
  void Empty() { clear(); }
};
