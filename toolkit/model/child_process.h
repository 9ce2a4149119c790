// Owns a child process until it has been reaped: a child still running when
// its owner goes is killed first, so no path leaves it behind.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <utility>

namespace tessel::detail {

class ChildProcess {
public:
  ChildProcess() = default;
  explicit ChildProcess(pid_t pid) : mPid(pid) {}
  ChildProcess(ChildProcess&& other) noexcept : mPid(std::exchange(other.mPid, 0)) {}
  ChildProcess& operator=(ChildProcess&& other) noexcept {
    std::swap(mPid, other.mPid);
    return *this;
  }
  ~ChildProcess();

  bool IsRunning() const { return mPid > 0; }
  void Kill() const;

  // True once the child has ended; `status` and `cpuSeconds` then describe
  // it. Without `block`, false at once while it runs.
  bool Reap(int* status, bool block, double* cpuSeconds = nullptr);

  // Copies `bytes` bytes at `address` in the child's memory into `into`;
  // false, with errno saying why, when they cannot all be had. The child
  // must be waiting: memory it is changing would be read half old, half new.
  bool ReadMemory(std::uint64_t address, void* into, std::size_t bytes) const;

private:
  pid_t mPid = 0;
};

}  // namespace tessel::detail
