// Runs a piece of work in a forked child process within limits of processor
// time, wall time and address space, and hands its reply back. Whatever the work does to its process (crash, abort, loop, run out
// of memory, block) becomes an outcome for the caller, who never waits
// longer than the limits allow. The reply travels in a memory file (memfd).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tessel_detail {

struct IsolationLimits {
  unsigned cpuSeconds = 60;        // at least 1; wall time allowed is twice this
  std::uint64_t memoryBytes = 0;   // address space beyond the parent's; 0 for none
  std::function<bool()> canceled;  // may be empty
};

struct IsolatedResult {
  enum class Outcome {
    Replied,      // the work finished and `reply` holds all it wrote
    Crashed,      // ended by `signal`
    TimedOut,     // ran out of processor or wall time
    OutOfMemory,  // an allocation failed beyond the work's own handling
    Canceled,     // the caller's `canceled` said so
    Failed,       // could not be started, or ended with `exitStatus`
  };
  Outcome outcome = Outcome::Failed;
  std::string reply;
  int signal = 0;
  int exitStatus = 0;
  int error = 0;  // errno when the child could not be started
};

// `work` runs in the child and returns the bytes to hand back. It must not
// rely on other threads of the parent: only the calling thread lives on in
// the child. The child ends with _exit, so no destructor or exit handler of
// the parent runs twice.
IsolatedResult RunIsolated(const std::function<std::string()>& work, const IsolationLimits& limits);

}  // namespace tessel_detail
