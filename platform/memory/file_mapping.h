// The kernel object behind a file-mapping handle: an anonymous memory file.
#pragma once

#include <win32/base.h>

#include <cstdint>
#include <memory>

namespace linvale::platform {

class FileMapping {
public:
  FileMapping(int descriptor, std::uint64_t size) : mDescriptor(descriptor), mSize(size) {}
  ~FileMapping();
  FileMapping(const FileMapping&) = delete;
  FileMapping& operator=(const FileMapping&) = delete;

  int Descriptor() const { return mDescriptor; }
  std::uint64_t Size() const { return mSize; }

private:
  int mDescriptor;
  std::uint64_t mSize;
};

// The mapping a handle names, or null for a closed or made-up handle.
std::shared_ptr<FileMapping> FindFileMapping(HANDLE handle);

}  // namespace linvale::platform
