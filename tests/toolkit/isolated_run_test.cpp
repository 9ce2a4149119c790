// Work run in a child process: its reply comes back whole, and every way
// the work can go wrong becomes an outcome for the caller within the limits.
#include "isolated_run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <new>
#include <string>
#include <thread>
#include <vector>

namespace {

using tessel_detail::IsolatedResult;
using tessel_detail::IsolationLimits;
using tessel_detail::RunIsolated;
using Outcome = IsolatedResult::Outcome;
using Clock = std::chrono::steady_clock;

IsolationLimits OneSecond() {
  IsolationLimits limits;
  limits.cpuSeconds = 1;
  return limits;
}

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

}  // namespace

TEST(IsolatedRun, ALargeReplyComesBackWhole) {
  // Larger than a pipe holds, so the parent must read while the child writes.
  std::string expected(5'000'000, '\0');
  for (std::size_t i = 0; i < expected.size(); ++i) {
    expected[i] = static_cast<char>(i * 7 % 251);
  }
  const IsolatedResult result = RunIsolated([&] { return expected; }, OneSecond());
  ASSERT_EQ(result.outcome, Outcome::Replied);
  EXPECT_EQ(result.reply, expected);
}

TEST(IsolatedRun, FaultsOfTheWorkBecomeOutcomes) {
  const IsolatedResult aborted = RunIsolated([]() -> std::string { std::abort(); }, OneSecond());
  EXPECT_EQ(aborted.outcome, Outcome::Crashed);
  EXPECT_EQ(aborted.signal, SIGABRT);

  // Handlers the host installed do not catch the work's faults.
  const auto previous = std::signal(SIGSEGV, [](int) {});
  const IsolatedResult crashed = RunIsolated([]() -> std::string {
    std::raise(SIGSEGV);
    return "survived";
  }, OneSecond());
  std::signal(SIGSEGV, previous);
  EXPECT_EQ(crashed.outcome, Outcome::Crashed);
  EXPECT_EQ(crashed.signal, SIGSEGV);

  const IsolatedResult exited = RunIsolated([]() -> std::string { std::_Exit(7); }, OneSecond());
  EXPECT_EQ(exited.outcome, Outcome::Failed);
  EXPECT_EQ(exited.exitStatus, 7);

  const IsolatedResult escaped = RunIsolated([]() -> std::string { throw std::bad_alloc(); }, OneSecond());
  EXPECT_EQ(escaped.outcome, Outcome::OutOfMemory);
}

TEST(IsolatedRun, TheMemoryLimitStopsAGreedyWork) {
  IsolationLimits limits = OneSecond();
  limits.memoryBytes = 256ull << 20;
  const IsolatedResult result = RunIsolated([] {
    std::vector<char> greedy(1ull << 30, 'x');
    return std::string(1, greedy.back());
  }, limits);
  EXPECT_EQ(result.outcome, Outcome::OutOfMemory);
}

TEST(IsolatedRun, ALoopingOrBlockedWorkIsStoppedInTime) {
  auto start = Clock::now();
  const IsolatedResult looping = RunIsolated([] {
    std::atomic<unsigned long> turns{0};
    while (true) {
      turns.fetch_add(1, std::memory_order_relaxed);
    }
    return std::string();
  }, OneSecond());
  EXPECT_EQ(looping.outcome, Outcome::TimedOut);
  EXPECT_LT(SecondsSince(start), 3.5);

  // Blocked work uses no processor time; the wall time ends it.
  start = Clock::now();
  const IsolatedResult blocked = RunIsolated([] {
    std::this_thread::sleep_for(std::chrono::seconds(30));
    return std::string();
  }, OneSecond());
  EXPECT_EQ(blocked.outcome, Outcome::TimedOut);
  EXPECT_GE(SecondsSince(start), 2.0);
  EXPECT_LT(SecondsSince(start), 3.5);
}

TEST(IsolatedRun, TheCallerCanCancel) {
  IsolationLimits limits;
  limits.cpuSeconds = 60;
  const auto start = Clock::now();
  limits.canceled = [&] { return SecondsSince(start) > 0.2; };
  const IsolatedResult result = RunIsolated([] {
    std::this_thread::sleep_for(std::chrono::seconds(30));
    return std::string();
  }, limits);
  EXPECT_EQ(result.outcome, Outcome::Canceled);
  EXPECT_LT(SecondsSince(start), 1.5);
}
