// Bounds the memory the importer may take on while it reads a model. Some
// malformed files declare billions of elements, and the importer would
// claim every byte of the machine for them before noticing; with a budget
// the allocation fails and the file is reported as unreadable instead.
#pragma once

#include <cstdint>

namespace tessel::detail {

// What reading `path` may need at most: a generous multiple of the size of
// its data (for glTF the whole folder, where its buffers live in files of
// any name), at least two gigabytes, never more than most of the machine's
// memory.
std::uint64_t MemoryBudgetForModel(const char* path);

// Lets the calling process take on at most `bytes` of address space beyond
// what it holds now, for good; false when the limit could not be set. Meant
// for a process that does nothing but read the model.
bool LimitAddressSpaceGrowth(std::uint64_t bytes);

}  // namespace tessel::detail
