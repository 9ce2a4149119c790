#include "files/file_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace linvale::platform {

ExclusiveFileLock::ExclusiveFileLock(const std::string& path)
    : mFd(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666)), mError(mFd >= 0 ? 0 : errno) {
  if (mFd >= 0) {
    while (::flock(mFd, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
}

ExclusiveFileLock::~ExclusiveFileLock() {
  if (mFd >= 0) {
    ::close(mFd);
  }
}

}  // namespace linvale::platform
