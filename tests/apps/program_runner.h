// Runs a program as a child process, as a shell would, and collects its
// exit status and output; a test may limit the child or run it as another
// user. The child inherits the environment, so a TemporaryHome set up by
// the test applies to it.
#pragma once

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace linvale::test {

struct ProgramResult {
  int status = -1;  // exit status, or 128 + signal number
  std::string out;
  std::string err;
};

inline std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// What a test changes in the child before the program starts.
struct ChildSetup {
  // The largest file the program may write (the soft RLIMIT_FSIZE, as
  // `ulimit -S -f` sets it). SIGXFSZ is ignored, so writing past it fails
  // with EFBIG as on a full disk instead of killing the program.
  std::optional<rlim_t> fileSizeLimit;
  // Run as this user and group instead of the test's own (needs root).
  std::optional<std::pair<uid_t, gid_t>> user;
};

// A program started in the background; its output goes to files in
// `scratch`, so a test can watch it while it runs.
class RunningProgram {
public:
  // `workingFolder`, when not empty, is where the program starts.
  RunningProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& scratch, const std::filesystem::path& workingFolder = {},
                 const ChildSetup& setup = {})
      : mOutFile(scratch / "stdout.txt"), mErrFile(scratch / "stderr.txt") {
    std::vector<std::string> storage{program};
    storage.insert(storage.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : storage) {
      argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    // A watcher must not mistake an earlier run's output for this one's.
    std::filesystem::remove(mOutFile);
    std::filesystem::remove(mErrFile);
    // Everything the child needs is prepared here: between fork and exec it
    // only makes system calls.
    mChild = fork();
    if (mChild == 0) {
      StartChild(program, argv.data(), workingFolder, setup);
    }
    if (mChild < 0) {
      mChild = 0;
      throw std::runtime_error("cannot start " + program);
    }
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  ~RunningProgram() {
    if (mChild != 0) {
      kill(mChild, SIGKILL);
      waitpid(mChild, nullptr, 0);
    }
  }

  std::string ErrorSoFar() const { return ReadWhole(mErrFile); }
  void Signal(int signal) const { kill(mChild, signal); }
  pid_t Pid() const { return mChild; }

  // Like Wait, but a program still running after `limit` is killed first
  // (its status is then 128 + SIGKILL).
  ProgramResult WaitAtMost(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!HasEnded() && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Signal(SIGKILL);
    return Wait();
  }

  ProgramResult Wait() {
    int raw = 0;
    waitpid(mChild, &raw, 0);
    mChild = 0;
    ProgramResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    result.out = ReadWhole(mOutFile);
    result.err = ReadWhole(mErrFile);
    return result;
  }

private:
  // Leaves an ended child to be collected by Wait.
  bool HasEnded() const {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(mChild), &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid != 0;
  }

  [[noreturn]] void StartChild(const std::string& program, char* const* argv,
                               const std::filesystem::path& workingFolder, const ChildSetup& setup) const {
    const int out = open(mOutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(mErrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int in = open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || in < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(err, STDERR_FILENO) < 0 ||
        dup2(in, STDIN_FILENO) < 0) {
      _exit(127);
    }
    if (!workingFolder.empty() && chdir(workingFolder.c_str()) != 0) {
      _exit(127);
    }
    if (setup.fileSizeLimit) {
      rlimit limit{};
      getrlimit(RLIMIT_FSIZE, &limit);
      limit.rlim_cur = *setup.fileSizeLimit;
      if (signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        _exit(127);
      }
    }
    if (setup.user &&
        (setgroups(0, nullptr) != 0 || setgid(setup.user->second) != 0 || setuid(setup.user->first) != 0)) {
      _exit(127);
    }
    execve(program.c_str(), argv, environ);
    _exit(127);
  }

  std::filesystem::path mOutFile;
  std::filesystem::path mErrFile;
  pid_t mChild = 0;
};

inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                                const std::filesystem::path& scratch, const std::filesystem::path& workingFolder = {},
                                const ChildSetup& setup = {}) {
  return RunningProgram(program, arguments, scratch, workingFolder, setup).Wait();
}

}  // namespace linvale::test
