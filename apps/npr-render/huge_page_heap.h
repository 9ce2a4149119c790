// A render of a large model takes hundreds of megabytes of heap a few
// kilobytes at a time: with ordinary pages the kernel's faults for them cost
// as much as the drawing. The C library can ask for huge pages for its heap,
// but reads that choice only when a program starts.
#pragma once

#include <optional>
#include <string>

namespace npr_render {

// The C library's tunables with huge pages asked for and freed heap kept
// for reuse, given the ones the program started with (null for none);
// nothing when they choose the heap's pages already, either way. Thresholds
// the user set are kept.
std::optional<std::string> TunablesWithHugePageHeap(const char* given);

// Starts this program again, with the same arguments, with the C library
// told to put its heap in huge pages; returns only when that was not done
// (the choice was made already, by an earlier start or by the user, or the
// program could not be started again), and the run then goes on as it is.
void RestartWithHugePageHeap(char** argv);

}  // namespace npr_render
