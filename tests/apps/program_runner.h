// Runs a program as a child process, as a shell would, and collects its
// exit status and output. The child inherits the environment, so a
// TemporaryHome set up by the test applies to it.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
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

// A program started in the background; its output goes to files in
// `scratch`, so a test can watch it while it runs.
class RunningProgram {
public:
  // `workingFolder`, when not empty, is where the program starts.
  RunningProgram(const std::string& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& scratch, const std::filesystem::path& workingFolder = {})
      : mOutFile(scratch / "stdout.txt"), mErrFile(scratch / "stderr.txt") {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, mOutFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, mErrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!workingFolder.empty()) {
      posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    }
    std::vector<std::string> storage{program};
    storage.insert(storage.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : storage) {
      argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    const int spawned = posix_spawn(&mChild, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
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
  std::filesystem::path mOutFile;
  std::filesystem::path mErrFile;
  pid_t mChild = 0;
};

inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                                const std::filesystem::path& scratch,
                                const std::filesystem::path& workingFolder = {}) {
  return RunningProgram(program, arguments, scratch, workingFolder).Wait();
}

}  // namespace linvale::test
