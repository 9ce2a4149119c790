#include "memory/file_mapping.h"

#include "handles/handle_table.h"

#include <win32/memory.h>
#include <win32/process.h>

#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <mutex>

namespace linvale::platform {

namespace {

struct KernelHandles {
  std::mutex mutex;
  // Apart from the values other handle kinds use, so that a handle of the
  // wrong kind never closes a mapping by accident.
  HandleTable<FileMapping> mappings{0x40000000};
};

KernelHandles& Kernel() {
  static KernelHandles handles;
  return handles;
}

std::uint64_t MappingSize(DWORD sizeHigh, DWORD sizeLow) {
  return (static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow;
}

// The memory file behind a mapping is memory, not a file the user writes,
// but the kernel holds it to the file size limit (ulimit -f) all the same.
// The soft limit is lifted as far as the hard one allows while it is sized.
bool SizeMemoryFile(int descriptor, std::uint64_t size) {
  rlimit limit{};
  const bool lifted = getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
                      size > limit.rlim_cur && limit.rlim_max != limit.rlim_cur;
  if (lifted) {
    const rlimit hard{limit.rlim_max, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &hard);
  }
  const bool sized = ftruncate(descriptor, static_cast<off_t>(size)) == 0;
  if (lifted) {
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  return sized;
}

}  // namespace

FileMapping::~FileMapping() { close(mDescriptor); }

std::shared_ptr<FileMapping> FindFileMapping(HANDLE handle) {
  std::lock_guard lock(Kernel().mutex);
  return Kernel().mappings.Find(handle);
}

}  // namespace linvale::platform

using linvale::platform::FileMapping;
using linvale::platform::Kernel;

HANDLE CreateFileMappingA(HANDLE file, LPSECURITY_ATTRIBUTES, DWORD protect, DWORD sizeHigh, DWORD sizeLow,
                          LPCSTR name) {
  if (file != INVALID_HANDLE_VALUE) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  const std::uint64_t size = linvale::platform::MappingSize(sizeHigh, sizeLow);
  if (name != nullptr || protect != PAGE_READWRITE || size == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const int descriptor = memfd_create("linvale-mapping", MFD_CLOEXEC);
  if (descriptor < 0) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto mapping = std::make_shared<FileMapping>(descriptor, size);
  if (!linvale::platform::SizeMemoryFile(descriptor, size)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  std::lock_guard lock(Kernel().mutex);
  return Kernel().mappings.Add<HANDLE>(std::move(mapping));
}

BOOL CloseHandle(HANDLE object) {
  std::shared_ptr<FileMapping> closed;
  {
    std::lock_guard lock(Kernel().mutex);
    closed = Kernel().mappings.RemoveOrFail(object);
  }
  return closed ? TRUE : FALSE;
}

BOOL GetProcessHandleCount(HANDLE process, DWORD* count) {
  if (process != GetCurrentProcess()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (count == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard lock(Kernel().mutex);
  *count = static_cast<DWORD>(Kernel().mappings.Count());
  return TRUE;
}
