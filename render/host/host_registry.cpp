#include "host_registry.h"

#include <linvale/npr_host_application_services.h>

#include <cstring>

namespace linvale::host {
namespace {

class OpenedKey {
public:
  OpenedKey(HKEY root, const char* path, REGSAM access) {
    if (RegOpenKeyExA(root, path, 0, access, &mKey) != ERROR_SUCCESS) {
      mKey = nullptr;
    }
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  ~OpenedKey() {
    if (mKey != nullptr) {
      RegCloseKey(mKey);
    }
  }
  HKEY get() const { return mKey; }
  explicit operator bool() const { return mKey != nullptr; }

private:
  HKEY mKey = nullptr;
};

bool SetValue(HKEY root, const char* key, const char* value, DWORD type, const void* data, DWORD size) {
  const OpenedKey opened(root, key, KEY_WRITE);
  return opened && RegSetValueExA(opened.get(), value, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

}  // namespace

const char* const kProductKey = "SOFTWARE\\Brisco\\OrvelleRuza";

std::string PerBuildKey() {
  char date[11];
  NprHostApplicationServices::CompilationDate(date);
  return std::string(kProductKey) + "\\1.0\\" + date;
}

bool ReadRegistryString(HKEY root, const char* key, const char* value, char* buffer, unsigned long size) {
  const OpenedKey opened(root, key, KEY_READ);
  if (!opened || buffer == nullptr || size == 0) {
    return false;
  }
  DWORD type = REG_NONE;
  DWORD length = static_cast<DWORD>(size);
  if (RegQueryValueExA(opened.get(), value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &length) !=
          ERROR_SUCCESS ||
      type != REG_SZ) {
    return false;
  }
  // Stored strings end in NUL, but a value written by another program may
  // not; never hand out an unterminated buffer.
  return std::memchr(buffer, '\0', length) != nullptr;
}

std::optional<DWORD> ReadRegistryDword(HKEY root, const char* key, const char* value) {
  const OpenedKey opened(root, key, KEY_READ);
  if (!opened) {
    return std::nullopt;
  }
  DWORD data = 0;
  DWORD type = REG_NONE;
  DWORD size = sizeof data;
  if (RegQueryValueExA(opened.get(), value, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof data) {
    return std::nullopt;
  }
  return data;
}

bool WriteRegistryDword(HKEY root, const char* key, const char* value, DWORD data) {
  return SetValue(root, key, value, REG_DWORD, &data, sizeof data);
}

bool WriteRegistryString(HKEY root, const char* key, const char* value, const char* text) {
  return SetValue(root, key, value, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
}

}  // namespace linvale::host
