// Runs a piece of work in a forked child process within limits of processor
// time, wall time and address space, and hands its reply back. Whatever the work does to its process (crash, abort,
// loop, run out of memory, block) becomes an outcome for the caller, who never waits longer than the limits allow. The
// reply travels in a memory file (memfd), which the parent seals and maps instead of copying. A child that has
// replied waits, its memory intact, until the result goes, so that the parent can copy large arrays straight out of
// it instead of having them written into the reply first.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "child_process.h"
#include "read_only_mapping.h"
#include "reply_writer.h"
#include "unique_fd.h"

namespace tessel::detail {

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
    Replied,      // the work finished, `reply` holds all it wrote and `child` waits
    Unreadable,   // the work finished but its reply could not be sealed or mapped (`error`)
    Crashed,      // ended by `signal`
    TimedOut,     // ran out of processor or wall time
    OutOfMemory,  // an allocation failed beyond the work's own handling
    Canceled,     // the caller's `canceled` said so
    Failed,       // could not be started, or ended with `exitStatus`
  };
  Outcome outcome = Outcome::Failed;
  ReadOnlyMapping reply;
  // Killed and reaped when the result goes.
  ChildProcess child;
  int signal = 0;
  int exitStatus = 0;
  int error = 0;  // errno when the child could not be started
};

// Work started in a child process when this is made, collected by Await,
// so that the parent can do other things meanwhile. Destroying it before
// then kills the child.
//
// `work` runs in the child and writes the bytes to hand back; it returns
// false when it could not write them all. It must not rely on other threads
// of the parent: only the calling thread lives on in the child. The child
// ends with _exit, so no destructor or exit handler of the parent runs twice.
class IsolatedRun {
public:
  IsolatedRun(const std::function<bool(ReplyWriter&)>& work, const IsolationLimits& limits);

  // Waits for the child, within the limits counted from the start; once.
  IsolatedResult Await();

private:
  IsolationLimits mLimits;
  UniqueFd mReplyFile;
  UniqueFd mReplyWatch;
  ChildProcess mChild;
  std::chrono::steady_clock::time_point mDeadline;
  int mStartError = 0;
};

// Starts the work and waits for it.
IsolatedResult RunIsolated(const std::function<bool(ReplyWriter&)>& work, const IsolationLimits& limits);

}  // namespace tessel::detail
