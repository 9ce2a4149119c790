// Reference counting for every object that crosses the facade. Objects made
// by the facade live in its private heap; take and release act only on such
// objects, so calling them on a static, a member, a stack object, an object
// made with plain new or a null pointer is a harmless no-op.
#pragma once

#include <quorra/export.h>

#include <cstddef>
#include <cstdint>
#include <utility>

namespace Npr {

// Placement tag: `new (Npr::inPrivateHeap) T(...)` puts an object into the
// private heap and yields null when the heap has no room.
struct InPrivateHeap {};
inline constexpr InPrivateHeap inPrivateHeap{};

class QUORRA_API Interface {
public:
  virtual ~Interface();
  virtual unsigned onTake() const = 0;
  virtual unsigned onRelease() const = 0;

  // 0 and nothing done when this is null or not a live private-heap block;
  // otherwise onTake().
  unsigned take() const;
  // All bits set and nothing done when this is null or not a live
  // private-heap block; otherwise onRelease(), deleting the object when that
  // gives 0.
  unsigned release() const;

  static void* operator new(std::size_t bytes);
  static void* operator new(std::size_t bytes, InPrivateHeap) noexcept;
  // Deleting an object frees its private-heap block at once, so a stale
  // pointer fails the validity test; other blocks go back where they came from.
  static void operator delete(void* block) noexcept;
  static void operator delete(void* block, InPrivateHeap) noexcept;
};

class QUORRA_API Object : public Interface {
public:
  // The count an object is left with when released at 0: it cannot be taken
  // any more.
  static constexpr std::uint32_t lockedCount = 0xFFFFFFFFu;

  unsigned onTake() const override;
  unsigned onRelease() const override;

protected:
  Object() = default;
  ~Object() override = default;
  Object(const Object&) = default;
  Object& operator=(const Object&) = default;

private:
  mutable std::uint32_t mCount = 0;
};

// A new `T` in the private heap with one reference taken for the caller, or
// null when the heap has no room.
template <class T, class... Args>
T* createTaken(Args&&... args) {
  T* object = new (inPrivateHeap) T(std::forward<Args>(args)...);
  if (object != nullptr) {
    object->take();
  }
  return object;
}

}  // namespace Npr
