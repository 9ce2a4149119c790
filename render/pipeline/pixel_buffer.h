// A block of whole pages for pixels, taken from the system rather than the
// heap: a large picture's buffer goes back to the system as soon as it is
// freed, and pages nobody touches cost nothing.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <utility>

namespace linvale {

class PixelBuffer {
public:
  PixelBuffer() = default;
  // `bytes` bytes; empty (with the error code set) when the memory cannot
  // be had.
  explicit PixelBuffer(std::size_t bytes)
      : mData(static_cast<std::uint8_t*>(VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))) {}
  // `width` x `height` pixels of 4 bytes.
  PixelBuffer(LONG width, LONG height)
      : PixelBuffer(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {}
  ~PixelBuffer() { Free(); }
  PixelBuffer(PixelBuffer&& other) noexcept : mData(std::exchange(other.mData, nullptr)) {}
  PixelBuffer& operator=(PixelBuffer&& other) noexcept {
    if (this != &other) {
      Free();
      mData = std::exchange(other.mData, nullptr);
    }
    return *this;
  }
  PixelBuffer(const PixelBuffer&) = delete;
  PixelBuffer& operator=(const PixelBuffer&) = delete;

  std::uint8_t* Data() const { return mData; }
  explicit operator bool() const { return mData != nullptr; }

  void Free() {
    if (mData != nullptr) {
      VirtualFree(std::exchange(mData, nullptr), 0, MEM_RELEASE);
    }
  }

private:
  std::uint8_t* mData = nullptr;
};

}  // namespace linvale
