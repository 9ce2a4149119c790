// Growable arrays with the toolkit's interface over std::vector. Copying is
// deep; removal keeps the order of the remaining elements.
#pragma once

#include <tessel/ts_point.h>

#include <type_traits>
#include <utility>
#include <vector>

namespace tessel::detail {

template <class T>
class VectorArray {
public:
  VectorArray() = default;
  explicit VectorArray(int capacity) { Reserve(capacity); }

  int Count() const { return static_cast<int>(m_items.size()); }
  int Capacity() const { return static_cast<int>(m_items.capacity()); }
  bool IsEmpty() const { return m_items.empty(); }

  T& operator[](int i) { return m_items[static_cast<std::size_t>(i)]; }
  const T& operator[](int i) const { return m_items[static_cast<std::size_t>(i)]; }

  // Null when the array is empty, so callers can test before use.
  T* First() { return m_items.empty() ? nullptr : &m_items.front(); }
  const T* First() const { return m_items.empty() ? nullptr : &m_items.front(); }
  T* Last() { return m_items.empty() ? nullptr : &m_items.back(); }
  const T* Last() const { return m_items.empty() ? nullptr : &m_items.back(); }
  T* Array() { return m_items.data(); }
  const T* Array() const { return m_items.data(); }

  void Append(const T& item) { m_items.push_back(item); }
  void Append(T&& item) { m_items.push_back(std::move(item)); }
  // Appends a default-constructed element and returns it for filling in place.
  T& AppendNew() { return m_items.emplace_back(); }

  // Removes element i; later elements move down by one. Out-of-range indices are ignored.
  void Remove(int i) {
    if (i >= 0 && i < Count()) {
      m_items.erase(m_items.begin() + i);
    }
  }
  // Removes every element but keeps the storage for reuse.
  void Empty() { m_items.clear(); }
  // Removes every element and releases the storage.
  void Destroy() { std::vector<T>().swap(m_items); }
  void Reserve(int capacity) {
    if (capacity > 0) {
      m_items.reserve(static_cast<std::size_t>(capacity));
    }
  }

  auto begin() { return m_items.begin(); }
  auto end() { return m_items.end(); }
  auto begin() const { return m_items.begin(); }
  auto end() const { return m_items.end(); }

private:
  std::vector<T> m_items;
};

}  // namespace tessel::detail

// For plain values that are copied bit for bit.
template <class T>
class TS_SimpleArray : public tessel::detail::VectorArray<T> {
  static_assert(std::is_trivially_copyable_v<T>, "TS_SimpleArray holds plain values; use TS_ClassArray");

public:
  using tessel::detail::VectorArray<T>::VectorArray;
};

// For classes with their own copy semantics.
template <class T>
class TS_ClassArray : public tessel::detail::VectorArray<T> {
public:
  using tessel::detail::VectorArray<T>::VectorArray;
};

// A polyline: the points in order.
class TS_3dPointArray : public TS_SimpleArray<TS_3dPoint> {
public:
  using TS_SimpleArray<TS_3dPoint>::TS_SimpleArray;
};
