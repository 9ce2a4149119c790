// Bounds the memory the process may take on while it reads a model. Some
// malformed files declare billions of elements, and the importer would
// claim every byte of the machine for them before noticing; with a budget
// the allocation fails and the file is reported as unreadable instead.
#pragma once

#include <cstdint>
#include <sys/resource.h>

namespace npr_render {

class ScopedMemoryBudget {
public:
  // Allows `bytes` of address space beyond what the process uses now.
  explicit ScopedMemoryBudget(std::uint64_t bytes);
  ~ScopedMemoryBudget();
  ScopedMemoryBudget(const ScopedMemoryBudget&) = delete;
  ScopedMemoryBudget& operator=(const ScopedMemoryBudget&) = delete;

  // What reading `fileSize` bytes of model data may need at most: a
  // generous multiple of its size, at least two gigabytes, never more than
  // most of the machine's memory.
  static std::uint64_t ForModelFile(std::uint64_t fileSize);

private:
  rlimit mPrevious{};
  bool mChanged = false;
};

}  // namespace npr_render
