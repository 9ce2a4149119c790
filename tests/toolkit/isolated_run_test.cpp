// Work run in a child process: its reply comes back whole, and every way
// the work can go wrong becomes an outcome for the caller within the limits.
#include "isolated_run.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using tessel::detail::IsolatedResult;
using tessel::detail::IsolationLimits;
using tessel::detail::ReplyWriter;
using tessel::detail::RunIsolated;
using Outcome = IsolatedResult::Outcome;
using Clock = std::chrono::steady_clock;

IsolationLimits OneSecond() {
  IsolationLimits limits;
  limits.cpuSeconds = 1;
  return limits;
}

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The descriptor of the reply's memory file, found by its name among the
// child's open files, as code in the child that means harm could.
int ReplyFileOfThisProcess() {
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    std::error_code unreadable;
    const std::string target = std::filesystem::read_symlink(entry.path(), unreadable).string();
    if (target.starts_with("/memfd:isolated-reply")) {
      return std::stoi(entry.path().filename().string());
    }
  }
  return -1;
}

std::string_view Text(const IsolatedResult& result) {
  return {result.reply.Bytes().data(), result.reply.Bytes().size()};
}

}  // namespace

TEST(IsolatedRun, AReplyComesBackWholeAndInOrder) {
  std::string expected(5'000'000, '\0');
  for (std::size_t i = 0; i < expected.size(); ++i) {
    expected[i] = static_cast<char>(i * 7 % 251);
  }
  // Pieces small enough to gather in the writer's buffer, pieces larger
  // than it, and a small one left in it at the end, which the child must
  // hand over before it ends.
  const std::vector<std::size_t> pieces = {1, 3, 70'000, 5, 1'000'000, 17, 65'536, 2};
  const IsolatedResult result = RunIsolated(
      [&](ReplyWriter& reply) {
        std::size_t at = 0;
        for (std::size_t i = 0; at < expected.size(); ++i) {
          const std::size_t length = std::min(pieces[i % pieces.size()], expected.size() - at);
          if (!reply.Write(std::string_view(expected).substr(at, length))) {
            return false;
          }
          at += length;
        }
        return true;
      },
      OneSecond());
  ASSERT_EQ(result.outcome, Outcome::Replied);
  EXPECT_TRUE(Text(result) == expected);

  const IsolatedResult empty = RunIsolated([](ReplyWriter&) { return true; }, OneSecond());
  ASSERT_EQ(empty.outcome, Outcome::Replied);
  EXPECT_TRUE(empty.reply.Bytes().empty());
}

// A process the work leaves behind that still has the reply mapped for
// writing could change it while the parent reads it, so the reply is refused.
TEST(IsolatedRun, AReplyStillOpenToWritingIsRefused) {
  const IsolatedResult result = RunIsolated(
      [](ReplyWriter& reply) {
        if (!reply.Write(std::string_view("changing")) || !reply.Flush()) {
          return false;
        }
        const int file = ReplyFileOfThisProcess();
        void* shared = file < 0 ? MAP_FAILED : mmap(nullptr, 8, PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
        if (shared == MAP_FAILED) {
          return false;
        }
        if (fork() == 0) {
          // Keeps only the mapping, so the parent does not wait for this process.
          close_range(3, ~0u, 0);
          std::this_thread::sleep_for(std::chrono::seconds(1));
          std::_Exit(0);
        }
        return true;
      },
      OneSecond());
  EXPECT_EQ(result.outcome, Outcome::Unreadable);
  EXPECT_EQ(result.error, EBUSY);
  EXPECT_TRUE(result.reply.Bytes().empty());
}

TEST(IsolatedRun, FaultsOfTheWorkBecomeOutcomes) {
  const IsolatedResult aborted = RunIsolated([](ReplyWriter&) -> bool { std::abort(); }, OneSecond());
  EXPECT_EQ(aborted.outcome, Outcome::Crashed);
  EXPECT_EQ(aborted.signal, SIGABRT);

  // Handlers the host installed do not catch the work's faults.
  const auto previous = std::signal(SIGSEGV, [](int) {});
  const IsolatedResult crashed = RunIsolated(
      [](ReplyWriter& reply) {
        std::raise(SIGSEGV);
        return reply.Write(std::string_view("survived"));
      },
      OneSecond());
  std::signal(SIGSEGV, previous);
  EXPECT_EQ(crashed.outcome, Outcome::Crashed);
  EXPECT_EQ(crashed.signal, SIGSEGV);

  const IsolatedResult exited = RunIsolated([](ReplyWriter&) -> bool { std::_Exit(7); }, OneSecond());
  EXPECT_EQ(exited.outcome, Outcome::Failed);
  EXPECT_EQ(exited.exitStatus, 7);

  const IsolatedResult escaped = RunIsolated([](ReplyWriter&) -> bool { throw std::bad_alloc(); }, OneSecond());
  EXPECT_EQ(escaped.outcome, Outcome::OutOfMemory);
}

TEST(IsolatedRun, TheMemoryLimitStopsAGreedyWork) {
#ifdef LINVALE_SANITIZED
  GTEST_SKIP() << "AddressSanitizer ends a program that runs out of memory instead of throwing bad_alloc";
#endif
  IsolationLimits limits = OneSecond();
  limits.memoryBytes = 256ull << 20;
  const IsolatedResult result = RunIsolated(
      [](ReplyWriter& reply) {
        std::vector<char> greedy(1ull << 30, 'x');
        return reply.Write(std::string_view(&greedy.back(), 1));
      },
      limits);
  EXPECT_EQ(result.outcome, Outcome::OutOfMemory);
}

TEST(IsolatedRun, ALoopingOrBlockedWorkIsStoppedInTime) {
  auto start = Clock::now();
  const IsolatedResult looping = RunIsolated(
      [](ReplyWriter&) {
        std::atomic<unsigned long> turns{0};
        while (true) {
          turns.fetch_add(1, std::memory_order_relaxed);
        }
        return true;
      },
      OneSecond());
  EXPECT_EQ(looping.outcome, Outcome::TimedOut);
  EXPECT_LT(SecondsSince(start), 3.5);

  // Blocked work uses no processor time; the wall time ends it.
  start = Clock::now();
  const IsolatedResult blocked = RunIsolated(
      [](ReplyWriter&) {
        std::this_thread::sleep_for(std::chrono::seconds(30));
        return true;
      },
      OneSecond());
  EXPECT_EQ(blocked.outcome, Outcome::TimedOut);
  EXPECT_GE(SecondsSince(start), 2.0);
  EXPECT_LT(SecondsSince(start), 3.5);
}

TEST(IsolatedRun, TheCallerCanCancel) {
  IsolationLimits limits;
  limits.cpuSeconds = 60;
  const auto start = Clock::now();
  limits.canceled = [&] { return SecondsSince(start) > 0.2; };
  const IsolatedResult result = RunIsolated(
      [](ReplyWriter&) {
        std::this_thread::sleep_for(std::chrono::seconds(30));
        return true;
      },
      limits);
  EXPECT_EQ(result.outcome, Outcome::Canceled);
  EXPECT_LT(SecondsSince(start), 1.5);
}

namespace {

bool IsAlive(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/stat");
  std::string ignored, state;
  return status >> ignored >> ignored >> state && state != "Z";
}

}  // namespace

// The reply may name memory of the child instead of carrying it; the child
// keeps it as it was until the result goes, and goes with it.
TEST(IsolatedRun, AChildThatRepliedWaitsWithItsMemoryUntilTheResultGoes) {
  struct Named {
    pid_t pid;
    std::uint64_t address;
    std::size_t size;
  };
  std::string kept(100'000, 'k');
  kept.front() = 'a';
  std::optional<IsolatedResult> result = RunIsolated(
      [](ReplyWriter& reply) {
        std::string changed(100'000, 'k');
        changed.front() = 'a';
        const Named named{getpid(), reinterpret_cast<std::uintptr_t>(changed.data()), changed.size()};
        if (!reply.Write(std::string_view(reinterpret_cast<const char*>(&named), sizeof named))) {
          return false;
        }
        reply.CompleteAndWait();
      },
      OneSecond());
  ASSERT_EQ(result->outcome, Outcome::Replied);
  ASSERT_EQ(result->reply.Bytes().size(), sizeof(Named));
  Named named{};
  std::memcpy(&named, result->reply.Bytes().data(), sizeof named);
  std::string copied(named.size, '\0');
  ASSERT_TRUE(result->child.ReadMemory(named.address, copied.data(), copied.size())) << std::strerror(errno);
  EXPECT_TRUE(copied == kept);
  // Addresses the child does not have fail the copy instead of the parent.
  EXPECT_FALSE(result->child.ReadMemory(8, copied.data(), 1));
  EXPECT_TRUE(IsAlive(named.pid));
  result.reset();
  EXPECT_FALSE(IsAlive(named.pid));
}
