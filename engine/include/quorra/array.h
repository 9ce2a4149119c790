// A growable array of plain values in one private-heap block: the physical
// and logical lengths (32 bits each) followed by the elements. Single
// insertions grow the block by G elements, so text can be built one
// character at a time without an allocation per character.
#pragma once

#include <quorra/export.h>
#include <quorra/mem.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>
#include <utility>

namespace Npr {

// The block layout and its allocation; elements are moved as raw bytes.
template <class T>
struct MemoryDynBuffer {
  static_assert(std::is_trivially_copyable_v<T>, "elements are copied as raw values");
  struct Header {
    std::uint32_t physicalLength;
    std::uint32_t logicalLength;
  };
  static_assert(alignof(T) <= sizeof(Header), "elements follow the header without padding");

  static T* elements(Header* block) { return reinterpret_cast<T*>(block + 1); }
  static const T* elements(const Header* block) { return reinterpret_cast<const T*>(block + 1); }

  // Null when the size does not fit the heap's 32-bit block size.
  static bool blockBytes(std::uint64_t capacity, unsigned& bytes) {
    const std::uint64_t total = sizeof(Header) + capacity * sizeof(T);
    if (total > std::numeric_limits<unsigned>::max()) {
      return false;
    }
    bytes = static_cast<unsigned>(total);
    return true;
  }
  static Header* allocate(std::uint64_t capacity) {
    unsigned bytes = 0;
    if (!blockBytes(capacity, bytes)) {
      return nullptr;
    }
    auto* block = static_cast<Header*>(mem::alloc(bytes));
    if (block != nullptr) {
      *block = Header{static_cast<std::uint32_t>(capacity), 0};
    }
    return block;
  }
  static bool resize(Header*& block, std::uint64_t capacity) {
    unsigned bytes = 0;
    void* moved = block;
    if (!blockBytes(capacity, bytes) || !mem::realloc(moved, bytes)) {
      return false;
    }
    block = static_cast<Header*>(moved);
    block->physicalLength = static_cast<std::uint32_t>(capacity);
    if (block->logicalLength > block->physicalLength) {
      block->logicalLength = block->physicalLength;
    }
    return true;
  }
  static void release(Header* block) { mem::free(block); }
};

template <class T, class Buffer = MemoryDynBuffer<T>, unsigned G = 8>
class Array {
public:
  explicit Array(unsigned n = 0) : mBlock(n == 0 ? nullptr : Buffer::allocate(n)) {}
  // A copy that cannot get storage is left without any.
  Array(const Array& other) : mBlock(nullptr) {
    if (other.mBlock != nullptr && (mBlock = Buffer::allocate(other.physicalLength())) != nullptr) {
      copyElementsFrom(other);
    }
  }
  Array(Array&& other) noexcept : mBlock(std::exchange(other.mBlock, nullptr)) {}
  ~Array() { removeAll(); }

  Array& operator=(const Array& other) {
    if (this == &other) {
      return *this;
    }
    if (other.mBlock == nullptr) {
      removeAll();
      return *this;
    }
    if (mBlock == nullptr || physicalLength() < other.length()) {
      removeAll();
      mBlock = Buffer::allocate(other.physicalLength());
      if (mBlock == nullptr) {
        return *this;
      }
    }
    copyElementsFrom(other);
    return *this;
  }
  Array& operator=(Array&& other) noexcept {
    if (this != &other) {
      removeAll();
      mBlock = std::exchange(other.mBlock, nullptr);
    }
    return *this;
  }

  // True for the same block; false when only one has storage; otherwise
  // equal lengths and elements.
  bool operator==(const Array& other) const {
    if (mBlock == other.mBlock) {
      return true;
    }
    if (mBlock == nullptr || other.mBlock == nullptr || length() != other.length()) {
      return false;
    }
    for (unsigned i = 0; i < length(); ++i) {
      if (!(data()[i] == other.data()[i])) {
        return false;
      }
    }
    return true;
  }

  // Unchecked access: callers stay within the logical length.
  const T& at(unsigned i) const { return data()[i]; }
  T& at(unsigned i) { return data()[i]; }
  operator const T*() const { return mBlock == nullptr ? nullptr : data(); }
  const T& first() const { return data()[0]; }
  const T& last() const { return data()[length() - 1]; }
  Array& setAt(unsigned i, const T& value) {
    data()[i] = value;
    return *this;
  }
  Array& setAll(const T& value) {
    for (unsigned i = 0; i < length(); ++i) {
      data()[i] = value;
    }
    return *this;
  }

  unsigned length() const { return mBlock == nullptr ? 0 : mBlock->logicalLength; }
  unsigned logicalLength() const { return length(); }
  unsigned physicalLength() const { return mBlock == nullptr ? 0 : mBlock->physicalLength; }
  static unsigned growLength() { return G; }
  bool isEmpty() const { return length() == 0; }

  bool setPhysicalLength(unsigned n) {
    if (n == 0) {
      removeAll();
      return true;
    }
    if (mBlock == nullptr) {
      mBlock = Buffer::allocate(n);
      return mBlock != nullptr;
    }
    return Buffer::resize(mBlock, n);
  }
  bool setLogicalLength(unsigned n) {
    if (mBlock == nullptr) {
      if (n == 0) {
        return true;
      }
      if ((mBlock = Buffer::allocate(n)) == nullptr) {
        return false;
      }
    } else if (n >= physicalLength()) {
      const std::uint64_t grown = std::uint64_t{physicalLength()} + G;
      if (!Buffer::resize(mBlock, n > grown ? n : grown)) {
        return false;
      }
    }
    mBlock->logicalLength = n;
    return true;
  }
  bool compact() { return setPhysicalLength(length()); }

  bool insertAt(unsigned i, const T& value) {
    if (mBlock == nullptr) {
      if ((mBlock = Buffer::allocate(G)) == nullptr) {
        return false;
      }
      data()[0] = value;
      mBlock->logicalLength = 1;
      return true;
    }
    if (length() == physicalLength() && !Buffer::resize(mBlock, std::uint64_t{physicalLength()} + G)) {
      return false;
    }
    T* elements = data();
    std::memmove(static_cast<void*>(elements + i + 1), elements + i, (length() - i) * sizeof(T));
    elements[i] = value;
    ++mBlock->logicalLength;
    return true;
  }
  // The new element's index, or all bits set on failure.
  unsigned append(const T& value) {
    const unsigned index = length();
    return insertAt(index, value) ? index : std::numeric_limits<unsigned>::max();
  }
  bool append(const Array& other) {
    if (other.isEmpty()) {
      return true;
    }
    const std::uint64_t sum = std::uint64_t{length()} + other.length();
    if (sum > std::numeric_limits<std::uint32_t>::max()) {
      return false;
    }
    if (sum > physicalLength() && !setPhysicalLength(static_cast<unsigned>(sum))) {
      return false;
    }
    // `other` may be this array: its elements are read after the resize.
    std::memmove(static_cast<void*>(data() + length()), other.data(), other.length() * sizeof(T));
    mBlock->logicalLength = static_cast<std::uint32_t>(sum);
    return true;
  }

  Array& removeAt(unsigned i) {
    T* elements = data();
    std::memmove(static_cast<void*>(elements + i), elements + i + 1, (length() - i - 1) * sizeof(T));
    --mBlock->logicalLength;
    return *this;
  }
  Array& removeFirst() { return removeAt(0); }
  Array& removeLast() { return removeAt(length() - 1); }
  Array& removeSubArray(unsigned first, unsigned last) {
    if (length() == 0 || last >= length() - 1) {
      if (first < length()) {
        mBlock->logicalLength = first;
      }
      return *this;
    }
    const unsigned removed = last - first + 1;
    T* elements = data();
    std::memmove(static_cast<void*>(elements + first), elements + last + 1, (length() - last - 1) * sizeof(T));
    mBlock->logicalLength -= removed;
    return *this;
  }
  Array& removeAll() {
    if (mBlock != nullptr) {
      Buffer::release(std::exchange(mBlock, nullptr));
    }
    return *this;
  }

  bool find(const T& value, unsigned& index, unsigned from = 0) const {
    for (unsigned i = from; i < length(); ++i) {
      if (data()[i] == value) {
        index = i;
        return true;
      }
    }
    return false;
  }
  bool contains(const T& value, unsigned from = 0) const {
    unsigned index = 0;
    return find(value, index, from);
  }
  bool remove(const T& value, unsigned from = 0) {
    unsigned index = 0;
    if (!find(value, index, from)) {
      return false;
    }
    removeAt(index);
    return true;
  }
  Array& reverse() {
    for (unsigned i = 0, j = length(); i + 1 < j; ++i, --j) {
      swap(i, j - 1);
    }
    return *this;
  }
  Array& swap(unsigned i, unsigned j) {
    if (i != j) {
      std::swap(data()[i], data()[j]);
    }
    return *this;
  }

  // Quicksort of elements first..last inclusive, pivot from the middle; not
  // stable.
  Array& sort(int first, int last) {
    if (first >= last) {
      return *this;
    }
    swap(static_cast<unsigned>(first), static_cast<unsigned>((first + last) / 2));
    const T pivot = data()[first];
    int boundary = first;
    for (int k = first + 1; k <= last; ++k) {
      if (isLess(data()[k], pivot)) {
        swap(static_cast<unsigned>(++boundary), static_cast<unsigned>(k));
      }
    }
    swap(static_cast<unsigned>(first), static_cast<unsigned>(boundary));
    sort(first, boundary - 1);
    return sort(boundary + 1, last);
  }

protected:
  bool isValid(unsigned i) const { return mBlock != nullptr && i < length(); }

private:
  using Header = typename Buffer::Header;

  // Characters compare as unsigned code units, whatever the sign of T.
  static bool isLess(const T& a, const T& b) {
    if constexpr (std::is_integral_v<T>) {
      return static_cast<std::make_unsigned_t<T>>(a) < static_cast<std::make_unsigned_t<T>>(b);
    } else {
      return a < b;
    }
  }
  T* data() { return Buffer::elements(mBlock); }
  const T* data() const { return Buffer::elements(mBlock); }
  // Storage holds at least other's logical length.
  void copyElementsFrom(const Array& other) {
    std::memcpy(static_cast<void*>(data()), other.data(), other.length() * sizeof(T));
    mBlock->logicalLength = other.length();
  }

  Header* mBlock;
};

using WideCharArray = Array<wchar_t, MemoryDynBuffer<wchar_t>, 8>;
extern template class QUORRA_API Array<wchar_t, MemoryDynBuffer<wchar_t>, 8>;

}  // namespace Npr
