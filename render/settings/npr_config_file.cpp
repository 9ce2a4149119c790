#include <linvale/npr_config_file.h>

#include "text_field.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <cstdio>
#include <cstdlib>

namespace {

// atoi, without its undefined behaviour for numbers past the int range:
// those are clamped.
int DecimalValue(const char* text) {
  const long long value = std::strtoll(text, nullptr, 10);
  if (value > INT_MAX) {
    return INT_MAX;
  }
  return value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

}  // namespace

NprConfigFile::NprConfigFile(const char* fileName) : mFileName() {
  // A cut path would name another file; a name that does not fit leaves the
  // file unnamed, so reads give defaults and writes fail.
  if (fileName != nullptr && strnlen(fileName, BufferSize) < BufferSize) {
    linvale::settings::CopyToField(mFileName, fileName);
  }
}

const char* NprConfigFile::GetFileName() const { return mFileName; }

int NprConfigFile::GetString(const char* section, const char* key, char* out, const char* defaultValue) const {
  return static_cast<int>(GetPrivateProfileStringA(section, key, defaultValue, out, BufferSize, mFileName));
}

int NprConfigFile::GetUInt(const char* section, const char* key, unsigned* out, unsigned defaultValue) const {
  char fallback[16];
  std::snprintf(fallback, sizeof fallback, "%u", defaultValue);
  char text[BufferSize];
  const int count = GetString(section, key, text, fallback);
  if (out != nullptr) {
    *out = static_cast<unsigned>(DecimalValue(text));
  }
  return count;
}

int NprConfigFile::WriteString(const char* section, const char* key, const char* value) const {
  if (mFileName[0] == '\0') {
    return 0;
  }
  return WritePrivateProfileStringA(section, key, value, mFileName);
}

int NprConfigFile::WriteUInt(const char* section, const char* key, unsigned value) const {
  char text[16];
  std::snprintf(text, sizeof text, "%u", value);
  return WriteString(section, key, text);
}

int NprConfigFile::WriteInt(const char* section, const char* key, int value) const {
  return WriteUInt(section, key, static_cast<unsigned>(value));
}
