// A file's content mapped read-only into memory, unmapped when its owner
// goes. Reading a large reply through a mapping spares the zero-filled
// buffer and the copy that reading it into memory would take.
#pragma once

#include <cstddef>
#include <span>
#include <utility>

namespace tessel::detail {

class ReadOnlyMapping {
public:
  ReadOnlyMapping() = default;
  ReadOnlyMapping(ReadOnlyMapping&& other) noexcept
      : mAddress(std::exchange(other.mAddress, nullptr)), mSize(std::exchange(other.mSize, 0)) {}
  ReadOnlyMapping& operator=(ReadOnlyMapping&& other) noexcept {
    std::swap(mAddress, other.mAddress);
    std::swap(mSize, other.mSize);
    return *this;
  }
  ~ReadOnlyMapping() { Reset(); }

  // Maps the first `size` bytes of the file, all of them faulted in at once;
  // false, leaving this empty, when the system refuses. An empty file needs
  // no mapping and gives no bytes.
  bool Map(int descriptor, std::size_t size);
  void Reset();

  std::span<const char> Bytes() const { return {static_cast<const char*>(mAddress), mSize}; }

private:
  void* mAddress = nullptr;
  std::size_t mSize = 0;
};

}  // namespace tessel::detail
