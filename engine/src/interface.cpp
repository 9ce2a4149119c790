// Reference counting through the facade's interfaces. Hosts call take and
// release on null pointers and on objects the facade did not make and expect
// a harmless answer; C++ leaves a call through a null pointer undefined, so
// this file is built with -fno-delete-null-pointer-checks to keep the
// optimiser from dropping the null test.
#include <quorra/mem.h>
#include <quorra/object.h>

#include <new>

namespace {

constexpr unsigned kNotReleased = 0xFFFFFFFFu;

// Only objects that start a live block of the private heap are counted; the
// test reads the heap's record, not the object.
bool IsHeapObject(const Npr::Interface* object) { return object != nullptr && Npr::mem::isValid(object); }

}  // namespace

namespace Npr {

Interface::~Interface() = default;

unsigned Interface::take() const {
  if (!IsHeapObject(this)) {
    return 0;
  }
  return onTake();
}

unsigned Interface::release() const {
  if (!IsHeapObject(this)) {
    return kNotReleased;
  }
  const unsigned count = onRelease();
  if (count == 0) {
    delete this;
  }
  return count;
}

void* Interface::operator new(std::size_t bytes) { return ::operator new(bytes); }

void* Interface::operator new(std::size_t bytes, InPrivateHeap) noexcept {
  if (bytes > 0xFFFFFFFFu) {
    return nullptr;
  }
  return mem::alloc(static_cast<unsigned>(bytes));
}

void Interface::operator delete(void* block) noexcept {
  if (!mem::free(block)) {
    ::operator delete(block);
  }
}

void Interface::operator delete(void* block, InPrivateHeap) noexcept { mem::free(block); }

unsigned Object::onTake() const {
  if (mCount == lockedCount) {
    return 0;
  }
  return ++mCount;
}

unsigned Object::onRelease() const { return --mCount; }

}  // namespace Npr
