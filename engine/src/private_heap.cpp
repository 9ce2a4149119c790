// The private heap keeps a record of its live blocks: the validity test is a
// lookup in that record and never touches the memory it is asked about, so
// statics, stack objects, freed blocks and foreign pointers all answer
// "not ours" safely, in constant time however many blocks live.
#include <quorra/mem.h>

#include <cstdlib>
#include <exception>
#include <mutex>
#include <unordered_set>

namespace {

class PrivateHeap {
public:
  PrivateHeap() = default;
  // The library goes: every block still live goes with it.
  ~PrivateHeap() {
    for (void* block : mLive) {
      std::free(block);
    }
  }
  PrivateHeap(const PrivateHeap&) = delete;
  PrivateHeap& operator=(const PrivateHeap&) = delete;

  void* alloc(unsigned bytes) {
    const std::lock_guard lock(mMutex);
    // A zero-byte request still gets a block of its own, as every live
    // block must have a distinct address.
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    if (block != nullptr && !record(block)) {
      std::free(block);
      return nullptr;
    }
    return block;
  }

  bool free(void* block) {
    const std::lock_guard lock(mMutex);
    if (mLive.erase(block) == 0) {
      return false;
    }
    std::free(block);
    return true;
  }

  bool realloc(void*& block, unsigned bytes) {
    const std::lock_guard lock(mMutex);
    // The record's node is reused for the new address: putting it back
    // after one was taken out never needs memory, so a move cannot leave a
    // block the heap has forgotten.
    auto entry = mLive.extract(block);
    if (entry.empty()) {
      return false;
    }
    void* moved = std::realloc(block, bytes == 0 ? 1 : bytes);
    if (moved != nullptr) {
      entry.value() = moved;
      block = moved;
    }
    mLive.insert(std::move(entry));
    return moved != nullptr;
  }

  bool isValid(const void* block) const {
    const std::lock_guard lock(mMutex);
    return mLive.contains(const_cast<void*>(block));
  }

private:
  bool record(void* block) {
    try {
      mLive.insert(block);
      return true;
    } catch (const std::exception&) {
      return false;
    }
  }

  mutable std::mutex mMutex;
  std::unordered_set<void*> mLive;
};

PrivateHeap& Heap() {
  static PrivateHeap heap;
  return heap;
}

// The heap exists from the moment the library is loaded.
[[maybe_unused]] const PrivateHeap& kHeapAtLoad = Heap();

}  // namespace

namespace Npr::mem {

void* alloc(unsigned bytes) { return Heap().alloc(bytes); }

bool free(void* block) { return Heap().free(block); }

bool realloc(void*& block, unsigned bytes) { return Heap().realloc(block, bytes); }

bool isValid(const void* block) { return Heap().isValid(block); }

}  // namespace Npr::mem
