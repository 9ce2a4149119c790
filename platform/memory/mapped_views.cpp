// Views of file mappings. The view table owns each view's region, keyed by
// the address handed out, which is all UnmapViewOfFile gets.
#include "memory/file_mapping.h"
#include "memory/mapped_region.h"

#include <win32/memory.h>

#include <map>
#include <mutex>

namespace {

using linvale::platform::MappedRegion;

// Windows' allocation granularity, which view offsets must respect.
constexpr std::uint64_t viewAlignment = 64 * 1024;

struct ViewTable {
  std::mutex mutex;
  std::map<const void*, MappedRegion> views;
};

ViewTable& Views() {
  static ViewTable table;
  return table;
}

}  // namespace

LPVOID MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow, SIZE_T bytes) {
  const auto file = linvale::platform::FindFileMapping(mapping);
  if (!file) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const std::uint64_t offset = (static_cast<std::uint64_t>(offsetHigh) << 32) | offsetLow;
  if (offset % viewAlignment != 0) {
    SetLastError(ERROR_MAPPED_ALIGNMENT);
    return nullptr;
  }
  if (offset >= file->Size() || bytes > file->Size() - offset) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  const std::size_t length = bytes != 0 ? bytes : static_cast<std::size_t>(file->Size() - offset);
  const bool writable = (access & FILE_MAP_WRITE) != 0;
  MappedRegion view = MappedRegion::OfFile(file->Descriptor(), offset, length, writable);
  if (!view) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  void* address = view.Data();
  std::lock_guard lock(Views().mutex);
  Views().views.emplace(address, std::move(view));
  return address;
}

BOOL UnmapViewOfFile(LPCVOID baseAddress) {
  std::lock_guard lock(Views().mutex);
  if (Views().views.erase(baseAddress) == 0) {
    SetLastError(ERROR_INVALID_ADDRESS);
    return FALSE;
  }
  return TRUE;
}
