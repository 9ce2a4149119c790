#include "memory/mapped_region.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace linvale::platform {

MappedRegion::~MappedRegion() { Release(); }

MappedRegion::MappedRegion(MappedRegion&& other) noexcept
    : mBase(std::exchange(other.mBase, nullptr)),
      mMappedLength(std::exchange(other.mMappedLength, 0)),
      mData(std::exchange(other.mData, nullptr)),
      mLength(std::exchange(other.mLength, 0)) {}

MappedRegion& MappedRegion::operator=(MappedRegion&& other) noexcept {
  if (this != &other) {
    Release();
    mBase = std::exchange(other.mBase, nullptr);
    mMappedLength = std::exchange(other.mMappedLength, 0);
    mData = std::exchange(other.mData, nullptr);
    mLength = std::exchange(other.mLength, 0);
  }
  return *this;
}

void MappedRegion::Release() {
  if (mBase != nullptr) {
    munmap(mBase, mMappedLength);
    mBase = nullptr;
    mData = nullptr;
  }
}

void MappedRegion::BackAllPages() const {
  if (mBase != nullptr) {
    madvise(mBase, mMappedLength, MADV_POPULATE_WRITE);
  }
}

MappedRegion MappedRegion::Anonymous(std::size_t length) {
  if (length == 0) {
    errno = EINVAL;
    return {};
  }
  void* base = mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (base == MAP_FAILED) {
    return {};
  }
  return MappedRegion(base, length, static_cast<std::byte*>(base), length);
}

MappedRegion MappedRegion::OfFile(int fd, std::uint64_t offset, std::size_t length, bool writable) {
  if (length == 0) {
    errno = EINVAL;
    return {};
  }
  const auto pageSize = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
  const std::uint64_t alignedOffset = offset - offset % pageSize;
  const auto lead = static_cast<std::size_t>(offset - alignedOffset);
  const int protection = writable ? PROT_READ | PROT_WRITE : PROT_READ;
  void* base = mmap(nullptr, length + lead, protection, MAP_SHARED, fd, static_cast<off_t>(alignedOffset));
  if (base == MAP_FAILED) {
    return {};
  }
  return MappedRegion(base, length + lead, static_cast<std::byte*>(base) + lead, length);
}

}  // namespace linvale::platform
