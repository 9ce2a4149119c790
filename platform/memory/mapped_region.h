// One mmap'd region, unmapped when its owner goes: the storage of views,
// of VirtualAlloc blocks and of bitmap pixels.
#pragma once

#include <cstddef>
#include <cstdint>

namespace linvale::platform {

class MappedRegion {
public:
  MappedRegion() = default;
  ~MappedRegion();
  MappedRegion(MappedRegion&& other) noexcept;
  MappedRegion& operator=(MappedRegion&& other) noexcept;
  MappedRegion(const MappedRegion&) = delete;
  MappedRegion& operator=(const MappedRegion&) = delete;

  // Zeroed read-write memory; pages are only backed once touched, so a
  // large bitmap costs nothing until drawn. Empty on failure (errno set).
  static MappedRegion Anonymous(std::size_t length);

  // `length` bytes of the file behind `fd` from `offset`, which need not be
  // page-aligned. The region outlives `fd`. Empty on failure (errno set).
  static MappedRegion OfFile(int fd, std::uint64_t offset, std::size_t length, bool writable);

  // Backs every page of a writable region now, in one request, where
  // touching them would take a fault per page (two for a hole in a file:
  // reading it maps the zero page, writing faults again). Only a hint: where
  // the kernel cannot, the pages come with their faults as before.
  void BackAllPages() const;

  std::byte* Data() const { return mData; }
  std::size_t Size() const { return mLength; }
  explicit operator bool() const { return mData != nullptr; }

private:
  MappedRegion(void* base, std::size_t mappedLength, std::byte* data, std::size_t length)
      : mBase(base), mMappedLength(mappedLength), mData(data), mLength(length) {}
  void Release();

  void* mBase = nullptr;
  std::size_t mMappedLength = 0;
  std::byte* mData = nullptr;
  std::size_t mLength = 0;
};

}  // namespace linvale::platform
