// Live objects behind opaque handles. Every handle kind has its own range
// of values, and values come from a counter and are never reused, so a
// stale or made-up handle finds nothing instead of a newer object.
#pragma once

#include <win32/base.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>

namespace linvale::platform {

// Not synchronised: each owner guards its table with the lock that also
// guards the objects' state.
template <typename Object>
class HandleTable {
public:
  explicit HandleTable(std::uintptr_t firstValue) : mNextValue(firstValue) {}

  template <typename Handle>
  Handle Add(std::shared_ptr<Object> object) {
    const std::uintptr_t value = mNextValue;
    // Steps of 4 keep values looking like the aligned pointers Windows
    // hands out, which some callers assume.
    mNextValue += 4;
    mObjects.emplace(value, std::move(object));
    return reinterpret_cast<Handle>(value);
  }

  template <typename Handle>
  std::shared_ptr<Object> Find(Handle handle) const {
    const auto found = mObjects.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == mObjects.end() ? nullptr : found->second;
  }

  // As Find, and an unknown handle also leaves ERROR_INVALID_HANDLE, as
  // every entry point that is handed one reports it.
  template <typename Handle>
  std::shared_ptr<Object> FindOrFail(Handle handle) const {
    std::shared_ptr<Object> object = Find(handle);
    if (!object) {
      SetLastError(ERROR_INVALID_HANDLE);
    }
    return object;
  }

  template <typename Handle>
  std::shared_ptr<Object> Remove(Handle handle) {
    const auto found = mObjects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == mObjects.end()) {
      return nullptr;
    }
    std::shared_ptr<Object> object = std::move(found->second);
    mObjects.erase(found);
    return object;
  }

  // As Remove, and an unknown handle also leaves ERROR_INVALID_HANDLE.
  template <typename Handle>
  std::shared_ptr<Object> RemoveOrFail(Handle handle) {
    std::shared_ptr<Object> object = Remove(handle);
    if (!object) {
      SetLastError(ERROR_INVALID_HANDLE);
    }
    return object;
  }

  std::size_t Count() const { return mObjects.size(); }

private:
  std::unordered_map<std::uintptr_t, std::shared_ptr<Object>> mObjects;
  std::uintptr_t mNextValue;
};

}  // namespace linvale::platform
