// Reads fixed-size records from a byte string written on this machine, the
// form both the model and the B-rep replies of an isolated read take. Every
// read checks that its bytes are there, so a reply cut anywhere fails
// instead of reading past its end; a failed read takes nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <type_traits>

namespace tessel::detail {

class ByteReader {
public:
  explicit ByteReader(std::span<const char> bytes) : mBytes(bytes) {}

  template <class T>
  bool Read(T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::span<const char> piece;
    if (!Take(sizeof(T), piece)) {
      return false;
    }
    std::memcpy(&value, piece.data(), sizeof(T));
    return true;
  }

  // The next `size` bytes, viewed in place.
  bool Take(std::uint64_t size, std::span<const char>& piece) {
    if (Remaining() < size) {
      return false;
    }
    piece = mBytes.subspan(mOffset, static_cast<std::size_t>(size));
    mOffset += static_cast<std::size_t>(size);
    return true;
  }

  // Takes `expected` when the bytes are exactly it.
  bool Expect(std::string_view expected) {
    if (Remaining() < expected.size() || std::memcmp(mBytes.data() + mOffset, expected.data(), expected.size()) != 0) {
      return false;
    }
    mOffset += expected.size();
    return true;
  }

  std::size_t Remaining() const { return mBytes.size() - mOffset; }
  bool AtEnd() const { return Remaining() == 0; }

private:
  std::span<const char> mBytes;
  std::size_t mOffset = 0;
};

}  // namespace tessel::detail
