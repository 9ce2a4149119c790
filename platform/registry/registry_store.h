// The keys and values of one registry root and their text form. Free of any
// platform call; the file handling lives in registry_file.h.
#pragma once

#include <win32/base.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace linvale::platform {

struct RegistryValue {
  std::string name;  // empty for the key's default value
  DWORD type = 0;
  std::string data;  // REG_SZ: the text without its NUL
};

struct RegistryKey {
  std::string path;  // components joined by '\', as first created
  std::vector<RegistryValue> values;
};

// Joins the non-empty '\'-separated components of `path`; nullopt when a
// component holds a control character, which the file could not keep.
std::optional<std::string> NormalizeKeyPath(std::string_view path);

// Appends `subKey` to `base`, both already normalized.
std::string JoinKeyPath(std::string_view base, std::string_view subKey);

class RegistryStore {
public:
  // nullopt when the text is not a registry file.
  static std::optional<RegistryStore> Parse(std::string_view text);
  std::string Serialize() const;

  // Paths are normalized and compared ignoring case; the root ("") always
  // exists.
  bool HasKey(std::string_view path) const;
  // Creates the key and its missing parents; false when it existed.
  bool CreateKey(std::string_view path);
  const RegistryValue* FindValue(std::string_view path, std::string_view name) const;
  // False when the key does not exist.
  bool SetValue(std::string_view path, RegistryValue value);

private:
  const RegistryKey* FindKey(std::string_view path) const;
  RegistryKey* FindKey(std::string_view path);

  std::vector<RegistryKey> mKeys;
};

}  // namespace linvale::platform
