#include "model_file_check.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "unique_fd.h"

namespace tessel::detail {
namespace {

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) {
    return "a folder";
  }
  if (S_ISFIFO(mode)) {
    return "a FIFO";
  }
  if (S_ISSOCK(mode)) {
    return "a socket";
  }
  if (S_ISCHR(mode) || S_ISBLK(mode)) {
    return "a device";
  }
  return "not a regular file";
}

}  // namespace

bool CheckModelFile(const char* path, TS_String& error) {
  struct stat status {};
  if (stat(path, &status) != 0) {
    const int reason = errno;
    error = std::string(path) +
            (reason == ENOENT ? ": no such file" : ": cannot be read (" + std::string(std::strerror(reason)) + ")");
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    error = std::string(path) + ": is " + KindOf(status.st_mode) + ", not a model file";
    return false;
  }
  // Non-blocking, in case the file was replaced by something else since.
  const UniqueFd file(open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!file.IsOpen()) {
    error = std::string(path) + ": cannot be read (" + std::strerror(errno) + ")";
    return false;
  }
  return true;
}

}  // namespace tessel::detail
