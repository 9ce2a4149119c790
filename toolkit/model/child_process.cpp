#include "child_process.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/uio.h>
#include <sys/wait.h>

#include <cerrno>

namespace tessel::detail {

ChildProcess::~ChildProcess() {
  if (mPid > 0) {
    Kill();
    Reap(nullptr, true);
  }
}

void ChildProcess::Kill() const { kill(mPid, SIGKILL); }

bool ChildProcess::Reap(int* status, bool block, double* cpuSeconds) {
  int raw = 0;
  rusage usage{};
  pid_t done;
  do {
    done = wait4(mPid, &raw, block ? 0 : WNOHANG, &usage);
  } while (done < 0 && errno == EINTR);
  if (done != mPid) {
    return false;
  }
  mPid = 0;
  if (status != nullptr) {
    *status = raw;
  }
  if (cpuSeconds != nullptr) {
    *cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                  static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  }
  return true;
}

bool ChildProcess::ReadMemory(std::uint64_t address, void* into, std::size_t bytes) const {
  auto* target = static_cast<char*>(into);
  while (bytes > 0) {
    const iovec local{target, bytes};
    const iovec remote{reinterpret_cast<void*>(static_cast<std::uintptr_t>(address)), bytes};
    const ssize_t copied = process_vm_readv(mPid, &local, 1, &remote, 1, 0);
    if (copied < 0 && errno == EINTR) {
      continue;
    }
    if (copied <= 0) {
      if (copied == 0) {
        errno = EFAULT;
      }
      return false;
    }
    // A copy stops short where the child's memory does, or for a signal.
    target += copied;
    address += static_cast<std::uint64_t>(copied);
    bytes -= static_cast<std::size_t>(copied);
  }
  return true;
}

}  // namespace tessel::detail
