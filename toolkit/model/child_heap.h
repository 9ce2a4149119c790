// The heap of a child process that reads one model and ends. OCCT's STEP
// reader, its shape healing and its mesher take and free memory by the
// megabyte, part after part: glibc hands what is freed at the top of the
// heap back to the system at once (and large blocks on their own mappings),
// and the next part faults the same pages in again, zeroed. Kept instead,
// meshing the 20-part rack took a quarter less processor time.
#pragma once

namespace tessel::detail {

// Keeps freed memory in the process and grows the heap in large steps, for
// good; false when the allocator refused a setting. Only for a process that
// ends once its work is done: a host would never give the memory back.
bool KeepFreedMemory();

}  // namespace tessel::detail
