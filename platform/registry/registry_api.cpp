#include <win32/registry.h>

#include "registry/registry_file.h"
#include "registry/registry_handles.h"
#include "registry/registry_store.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {

using linvale::platform::OpenKey;
using linvale::platform::RegistryStore;
using linvale::platform::RegistryValue;

constexpr REGSAM kWriteRights = KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

std::optional<std::string> TargetPath(const OpenKey& base, LPCSTR subKey) {
  const auto relative = linvale::platform::NormalizeKeyPath(subKey != nullptr ? subKey : "");
  if (!relative) {
    return std::nullopt;
  }
  return linvale::platform::JoinKeyPath(base.path, *relative);
}

LONG OpenExisting(const OpenKey& base, const std::string& path, REGSAM desired, PHKEY result) {
  if ((desired & kWriteRights) != 0 && !linvale::platform::CanWriteRegistry(base.root)) {
    return ERROR_ACCESS_DENIED;
  }
  *result = linvale::platform::RegisterKey(OpenKey{base.root, path, desired});
  return ERROR_SUCCESS;
}

LONG OpenKeyEx(HKEY key, LPCSTR subKey, REGSAM desired, PHKEY result) {
  const auto base = linvale::platform::LookUpKey(key);
  if (!base) {
    return ERROR_INVALID_HANDLE;
  }
  const auto path = TargetPath(*base, subKey);
  if (!path || !linvale::platform::ReadRegistry(base->root).HasKey(*path)) {
    return ERROR_FILE_NOT_FOUND;
  }
  return OpenExisting(*base, *path, desired, result);
}

LONG CreateKeyEx(HKEY key, LPCSTR subKey, REGSAM desired, PHKEY result, LPDWORD disposition) {
  const auto base = linvale::platform::LookUpKey(key);
  if (!base) {
    return ERROR_INVALID_HANDLE;
  }
  const auto path = TargetPath(*base, subKey);
  if (!path) {
    return ERROR_INVALID_PARAMETER;
  }
  bool created = false;
  if (!linvale::platform::ReadRegistry(base->root).HasKey(*path)) {
    if (!linvale::platform::CanWriteRegistry(base->root)) {
      return ERROR_ACCESS_DENIED;
    }
    const LONG error = linvale::platform::UpdateRegistry(base->root, [&](RegistryStore& store, bool& modified) {
      created = store.CreateKey(*path);
      modified = created;
      return static_cast<LONG>(ERROR_SUCCESS);
    });
    if (error != ERROR_SUCCESS) {
      return error;
    }
  }
  const LONG error = OpenExisting(*base, *path, desired, result);
  if (error == ERROR_SUCCESS && disposition != nullptr) {
    *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  }
  return error;
}

std::string StoredBytes(const RegistryValue& value) { return value.type == REG_SZ ? value.data + '\0' : value.data; }

LONG QueryValue(HKEY key, LPCSTR valueName, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  const auto open = linvale::platform::LookUpKey(key);
  if (!open) {
    return ERROR_INVALID_HANDLE;
  }
  if ((open->access & KEY_QUERY_VALUE) == 0) {
    return ERROR_ACCESS_DENIED;
  }
  if (data != nullptr && dataSize == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  const RegistryStore store = linvale::platform::ReadRegistry(open->root);
  if (!store.HasKey(open->path)) {
    return ERROR_KEY_DELETED;
  }
  const RegistryValue* value = store.FindValue(open->path, valueName != nullptr ? valueName : "");
  if (value == nullptr) {
    return ERROR_FILE_NOT_FOUND;
  }
  const std::string bytes = StoredBytes(*value);
  if (type != nullptr) {
    *type = value->type;
  }
  if (data != nullptr && *dataSize < bytes.size()) {
    *dataSize = static_cast<DWORD>(bytes.size());
    return ERROR_MORE_DATA;
  }
  if (data != nullptr) {
    std::memcpy(data, bytes.data(), bytes.size());
  }
  if (dataSize != nullptr) {
    *dataSize = static_cast<DWORD>(bytes.size());
  }
  return ERROR_SUCCESS;
}

std::optional<RegistryValue> ValueToStore(LPCSTR valueName, DWORD type, const BYTE* data, DWORD dataSize) {
  if (data == nullptr && dataSize != 0) {
    return std::nullopt;
  }
  const std::string_view bytes(reinterpret_cast<const char*>(data), data != nullptr ? dataSize : 0);
  if (type == REG_DWORD && bytes.size() != 4) {
    return std::nullopt;
  }
  RegistryValue value{valueName != nullptr ? valueName : "", type, std::string(bytes)};
  if (type == REG_SZ) {
    value.data = std::string(bytes.substr(0, bytes.find('\0')));
  }
  return value;
}

LONG SetValue(HKEY key, LPCSTR valueName, DWORD type, const BYTE* data, DWORD dataSize) {
  const auto open = linvale::platform::LookUpKey(key);
  if (!open) {
    return ERROR_INVALID_HANDLE;
  }
  if ((open->access & KEY_SET_VALUE) == 0) {
    return ERROR_ACCESS_DENIED;
  }
  auto value = ValueToStore(valueName, type, data, dataSize);
  if (!value) {
    return ERROR_INVALID_PARAMETER;
  }
  return linvale::platform::UpdateRegistry(open->root, [&](RegistryStore& store, bool& modified) {
    if (!store.HasKey(open->path)) {
      return static_cast<LONG>(ERROR_KEY_DELETED);
    }
    const RegistryValue* existing = store.FindValue(open->path, value->name);
    modified = existing == nullptr || existing->type != value->type || existing->data != value->data;
    store.SetValue(open->path, *value);
    return static_cast<LONG>(ERROR_SUCCESS);
  });
}

}  // namespace

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD /*options*/, REGSAM desired, PHKEY result) {
  if (result == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  *result = nullptr;
  try {
    return OpenKeyEx(key, subKey, desired, result);
  } catch (...) {
    return ERROR_OUTOFMEMORY;
  }
}

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD /*reserved*/, LPSTR /*keyClass*/, DWORD /*options*/, REGSAM desired,
                     const SECURITY_ATTRIBUTES* /*security*/, PHKEY result, LPDWORD disposition) {
  if (result == nullptr) {
    return ERROR_INVALID_PARAMETER;
  }
  *result = nullptr;
  try {
    return CreateKeyEx(key, subKey, desired, result, disposition);
  } catch (...) {
    return ERROR_OUTOFMEMORY;
  }
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD /*reserved*/, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  try {
    return QueryValue(key, valueName, type, data, dataSize);
  } catch (...) {
    return ERROR_OUTOFMEMORY;
  }
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD /*reserved*/, DWORD type, const BYTE* data, DWORD dataSize) {
  try {
    return SetValue(key, valueName, type, data, dataSize);
  } catch (...) {
    return ERROR_OUTOFMEMORY;
  }
}

LONG RegCloseKey(HKEY key) {
  if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) {
    return ERROR_SUCCESS;
  }
  try {
    return linvale::platform::UnregisterKey(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
  } catch (...) {
    return ERROR_INVALID_HANDLE;
  }
}
