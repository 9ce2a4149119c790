#include "isolated_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <exception>
#include <new>
#include <span>
#include <thread>

#include "child_process.h"
#include "memory_budget.h"
#include "unique_fd.h"

namespace tessel::detail {
namespace {

using Clock = std::chrono::steady_clock;
using Outcome = IsolatedResult::Outcome;

constexpr int kOutOfMemoryExit = 121;
constexpr auto kPollPeriod = std::chrono::milliseconds(50);

// --- In the child -----------------------------------------------------------

// Ends the child for the exception being handled: out of memory has its own
// status, anything else counts as a crash.
[[noreturn]] void EndForException() {
  try {
    if (const std::exception_ptr current = std::current_exception()) {
      std::rethrow_exception(current);
    }
  } catch (const std::bad_alloc&) {
    _exit(kOutOfMemoryExit);
  } catch (...) {
  }
  std::abort();
}

// The host may have installed handlers (for interrupts, or a crash
// reporter); the importer's faults must end its process the way the kernel
// ends it, and only the parent decides about interrupts.
void PrepareSignals() {
  for (int fault : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGXCPU, SIGPIPE}) {
    signal(fault, SIG_DFL);
  }
  for (int request : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    signal(request, SIG_IGN);
  }
}

void ApplyLimits(const IsolationLimits& limits) {
  // The soft limit sends SIGXCPU, the hard one a second later SIGKILL.
  const rlimit cpu{limits.cpuSeconds, limits.cpuSeconds + 1};
  setrlimit(RLIMIT_CPU, &cpu);
  const rlimit noCore{0, 0};
  setrlimit(RLIMIT_CORE, &noCore);
  if (limits.memoryBytes > 0) {
    LimitAddressSpaceGrowth(limits.memoryBytes);
  }
}

[[noreturn]] void RunChild(pid_t parent, int replyFile, int signalPipe, const std::function<bool(ReplyWriter&)>& work,
                           const IsolationLimits& limits) {
  // Dies with the parent, even when the parent is killed outright.
  if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) {
    _exit(kReplyNotSentExit);
  }
  PrepareSignals();
  // For exceptions thrown where none may pass (destructors, noexcept code).
  std::set_terminate(EndForException);
  ApplyLimits(limits);
  // Nothing may leave this frame but through _exit: an exception unwinding
  // further would run the parent's code on in the child.
  try {
    ReplyWriter reply(replyFile, signalPipe);
    if (!work(reply)) {
      _exit(kReplyNotSentExit);
    }
    reply.CompleteAndWait();
  } catch (...) {
    EndForException();
  }
}

// --- In the parent ----------------------------------------------------------

bool IsCanceled(const IsolationLimits& limits) { return limits.canceled && limits.canceled(); }

// Waits until the child says its reply is complete (`ready` true) or its
// end of the pipe closes, which it does when the child ends, passing on the
// progress the child reports meanwhile. False when the caller canceled or
// the wall time ran out first.
bool AwaitReply(int descriptor, Clock::time_point deadline, const IsolationLimits& limits, bool& ready,
                Outcome& stopped) {
  while (true) {
    if (IsCanceled(limits)) {
      stopped = Outcome::Canceled;
      return false;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      stopped = Outcome::TimedOut;
      return false;
    }
    pollfd watched{descriptor, POLLIN, 0};
    const int polled = poll(&watched, 1, static_cast<int>(std::min(left, kPollPeriod).count()));
    if (polled <= 0) {
      continue;  // time to look at the deadline and the caller again; also after a signal
    }
    unsigned char reports[64];
    const ssize_t count = read(descriptor, reports, sizeof reports);
    if (count == 0 || (count < 0 && errno != EINTR && errno != EAGAIN)) {
      ready = false;
      return true;
    }
    const std::span<const unsigned char> said(reports, count > 0 ? static_cast<std::size_t>(count) : 0);
    const auto complete = std::ranges::find(said, kReplyComplete);
    // The last report may come in one read with the end of the reply.
    if (complete != said.begin() && limits.progress) {
      limits.progress(static_cast<double>(*(complete - 1)) / kProgressSteps);
    }
    if (complete != said.end()) {
      ready = true;
      return true;
    }
  }
}

// The whole content of the reply file, sealed first: a process the child
// left behind may still hold the file, and could otherwise change it under
// the reader or shorten it, which would fault the parent's reads of the
// mapping. Sealing fails while anyone has it mapped for writing.
bool TakeReply(int descriptor, ReadOnlyMapping& reply) {
  constexpr int kFinal = F_SEAL_SEAL | F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE;
  struct stat status {};
  return fcntl(descriptor, F_ADD_SEALS, kFinal) == 0 && fstat(descriptor, &status) == 0 &&
         reply.Map(descriptor, static_cast<std::size_t>(status.st_size));
}

// Waits for a child that has closed its end of the pipe to end.
bool AwaitEnd(ChildProcess& child, Clock::time_point deadline, const IsolationLimits& limits, int& status, double& cpuSeconds,
              Outcome& stopped) {
  while (!child.Reap(&status, false, &cpuSeconds)) {
    if (IsCanceled(limits)) {
      stopped = Outcome::Canceled;
      return false;
    }
    if (Clock::now() >= deadline) {
      stopped = Outcome::TimedOut;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

IsolatedResult Classify(int status, double cpuSeconds, const IsolationLimits& limits) {
  IsolatedResult result;
  if (WIFSIGNALED(status)) {
    result.signal = WTERMSIG(status);
    // The hard processor limit kills outright, as would a SIGKILL from
    // elsewhere; the time used tells them apart.
    const bool outOfTime = result.signal == SIGXCPU || (result.signal == SIGKILL && cpuSeconds >= limits.cpuSeconds);
    result.outcome = outOfTime ? Outcome::TimedOut : Outcome::Crashed;
    return result;
  }
  // Ended without saying that its reply was complete, whatever its status.
  result.exitStatus = WEXITSTATUS(status);
  result.outcome = result.exitStatus == kOutOfMemoryExit ? Outcome::OutOfMemory : Outcome::Failed;
  return result;
}

}  // namespace

IsolatedRun::IsolatedRun(const std::function<bool(ReplyWriter&)>& work, const IsolationLimits& limits)
    : mLimits(limits) {
  mLimits.cpuSeconds = std::max(mLimits.cpuSeconds, 1u);
  // The reply goes into a file in memory, which the child fills at its own
  // pace; a pipe would make both processes take turns for every 64 KiB.
  // The pipe carries the child's progress reports and then one byte when
  // the reply is complete; it closes when the child ends without one (the
  // child holds its writing end until then).
  mReplyFile = UniqueFd(memfd_create("isolated-reply", MFD_CLOEXEC | MFD_ALLOW_SEALING));
  int ends[2];
  if (!mReplyFile.IsOpen() || pipe2(ends, O_CLOEXEC) != 0) {
    mStartError = errno;
    return;
  }
  mReplyWatch = UniqueFd(ends[0]);
  UniqueFd replySignal(ends[1]);
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) {
    mStartError = errno;
    return;
  }
  if (pid == 0) {
    mReplyWatch.Reset();
    RunChild(parent, mReplyFile.Get(), replySignal.Get(), work, mLimits);
  }
  mChild = ChildProcess(pid);
  mDeadline = Clock::now() + std::chrono::seconds(2 * mLimits.cpuSeconds);
}

IsolatedResult IsolatedRun::Await() {
  IsolatedResult result;
  if (!mChild.IsRunning()) {
    result.error = mStartError;
    return result;
  }
  Outcome stopped = Outcome::Failed;
  bool ready = false;
  int status = 0;
  double cpuSeconds = 0.0;
  if (!AwaitReply(mReplyWatch.Get(), mDeadline, mLimits, ready, stopped) ||
      (!ready && !AwaitEnd(mChild, mDeadline, mLimits, status, cpuSeconds, stopped))) {
    result.outcome = stopped;
    return result;  // the child's owner kills and reaps it
  }
  if (!ready) {
    return Classify(status, cpuSeconds, mLimits);
  }
  result.outcome = Outcome::Replied;
  if (!TakeReply(mReplyFile.Get(), result.reply)) {
    result.outcome = Outcome::Unreadable;
    result.error = errno;
    return result;
  }
  result.child = std::move(mChild);
  return result;
}

IsolatedResult RunIsolated(const std::function<bool(ReplyWriter&)>& work, const IsolationLimits& limits) {
  return IsolatedRun(work, limits).Await();
}

}  // namespace tessel::detail
