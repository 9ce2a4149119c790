#include "registry/registry_handles.h"

#include <cstdint>
#include <map>
#include <mutex>

namespace linvale::platform {
namespace {

struct HandleTable {
  std::mutex mutex;
  std::map<std::uintptr_t, OpenKey> keys;
  // Handles are counted up from a value no pointer or predefined root takes,
  // in steps of four like kernel handles.
  std::uintptr_t next = 0x1000;
};

HandleTable& Table() {
  static HandleTable table;
  return table;
}

std::uintptr_t HandleValue(HKEY key) { return reinterpret_cast<std::uintptr_t>(key); }

}  // namespace

std::optional<OpenKey> LookUpKey(HKEY key) {
  if (key == HKEY_CURRENT_USER) {
    return OpenKey{RegistryRoot::CurrentUser, "", KEY_ALL_ACCESS};
  }
  if (key == HKEY_LOCAL_MACHINE) {
    return OpenKey{RegistryRoot::LocalMachine, "", KEY_ALL_ACCESS};
  }
  HandleTable& table = Table();
  const std::lock_guard lock(table.mutex);
  const auto found = table.keys.find(HandleValue(key));
  if (found == table.keys.end()) {
    return std::nullopt;
  }
  return found->second;
}

HKEY RegisterKey(OpenKey key) {
  HandleTable& table = Table();
  const std::lock_guard lock(table.mutex);
  const std::uintptr_t value = table.next;
  table.next += 4;
  table.keys.emplace(value, std::move(key));
  return reinterpret_cast<HKEY>(value);
}

bool UnregisterKey(HKEY key) {
  HandleTable& table = Table();
  const std::lock_guard lock(table.mutex);
  return table.keys.erase(HandleValue(key)) == 1;
}

}  // namespace linvale::platform
