// Runs a piece of work in a forked child process within limits of processor
// time, wall time and address space, and hands its reply back. Whatever the work does to its process (crash, abort,
// loop, run out of memory, block) becomes an outcome for the caller, who never waits longer than the limits allow. The
// reply travels in a memory file (memfd), which the parent seals and maps instead of copying.
#pragma once

#include <cstdint>
#include <functional>

#include "read_only_mapping.h"
#include "reply_writer.h"

namespace tessel_detail {

struct IsolationLimits {
  unsigned cpuSeconds = 60;        // at least 1; wall time allowed is twice this
  std::uint64_t memoryBytes = 0;   // address space beyond the parent's; 0 for none
  std::function<bool()> canceled;  // may be empty
  // Told what the work reports with ReplyWriter::ReportProgress, on the
  // calling thread; may be empty.
  std::function<void(double)> progress;
};

struct IsolatedResult {
  enum class Outcome {
    Replied,      // the work finished and `reply` holds all it wrote
    Unreadable,   // the work finished but its reply could not be sealed or mapped (`error`)
    Crashed,      // ended by `signal`
    TimedOut,     // ran out of processor or wall time
    OutOfMemory,  // an allocation failed beyond the work's own handling
    Canceled,     // the caller's `canceled` said so
    Failed,       // could not be started, or ended with `exitStatus`
  };
  Outcome outcome = Outcome::Failed;
  ReadOnlyMapping reply;
  int signal = 0;
  int exitStatus = 0;
  int error = 0;  // errno when the child could not be started
};

// `work` runs in the child and writes the bytes to hand back; it returns
// false when it could not write them all. It must not rely on other threads
// of the parent: only the calling thread lives on in the child. The child
// ends with _exit, so no destructor or exit handler of the parent runs twice.
IsolatedResult RunIsolated(const std::function<bool(ReplyWriter&)>& work, const IsolationLimits& limits);

}  // namespace tessel_detail
