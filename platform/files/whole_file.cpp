#include "files/whole_file.h"

#include "files/errno_error.h"
#include "files/temporary_files.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace linvale::platform {
namespace {

class FileDescriptor {
public:
  explicit FileDescriptor(int fd) : mFd(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (mFd >= 0) {
      ::close(mFd);
    }
  }
  int get() const { return mFd; }
  bool valid() const { return mFd >= 0; }
  // Closing reports delayed write errors (NFS, quotas), so the writer
  // checks it instead of leaving it to the destructor.
  bool Close() {
    const int fd = mFd;
    mFd = -1;
    return ::close(fd) == 0;
  }

private:
  int mFd;
};

bool WriteAll(int fd, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = ::write(fd, content.data(), content.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    content.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

DWORD ErrorOfTemporaryFile(int posixError) {
  // The temporary file is created in the target's folder, so "no such
  // file" here means the folder is missing.
  return posixError == ENOENT ? ERROR_PATH_NOT_FOUND : Win32ErrorFromErrno(posixError);
}

void SyncFolder(const std::string& folder) {
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) {
    ::fsync(dir.get());
  }
}

FileIdentity IdentityFrom(const struct stat& info) {
  return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                      static_cast<std::int64_t>(info.st_size),
                      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

}  // namespace

std::optional<FileIdentity> IdentifyFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    return std::nullopt;
  }
  return IdentityFrom(info);
}

std::string ResolveLinkTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
    return path;
  }
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) {
    return path;
  }
  return resolved;
}

FileContents ReadWholeFile(const std::string& path) {
  FileContents result;
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid()) {
    result.error = Win32ErrorFromErrno(errno);
    return result;
  }
  struct stat info {};
  if (::fstat(file.get(), &info) == 0) {
    result.identity = IdentityFrom(info);
  }
  char chunk[16384];
  for (;;) {
    const ssize_t count = ::read(file.get(), chunk, sizeof chunk);
    if (count == 0) {
      return result;
    }
    if (count < 0) {
      if (errno == EINTR) {
        continue;
      }
      result.error = errno == EISDIR ? ERROR_ACCESS_DENIED : ERROR_READ_FAULT;
      result.text.clear();
      result.identity.reset();
      return result;
    }
    result.text.append(chunk, static_cast<std::size_t>(count));
  }
}

// Replacing a link by a plain file would cut the link, so its target is
// written.
DWORD ReplaceFileContents(const std::string& path, std::string_view content) {
  const std::string target = ResolveLinkTarget(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) {
    return ERROR_ACCESS_DENIED;
  }

  RemoveAbandonedTemporaries(target);
  std::string temporary;
  int descriptor = -1;
  int openError = EEXIST;
  for (int attempt = 0; attempt < 16 && openError == EEXIST; ++attempt) {
    temporary = TemporaryNameFor(target);
    descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    openError = descriptor >= 0 ? 0 : errno;
  }
  FileDescriptor file(descriptor);
  if (!file.valid()) {
    return ErrorOfTemporaryFile(openError);
  }

  bool written = WriteAll(file.get(), content);
  if (written && exists) {
    written = ::fchmod(file.get(), existing.st_mode & 07777) == 0 || errno == EPERM;
  }
  written = written && ::fsync(file.get()) == 0;
  const int writeError = errno;
  const bool closed = file.Close();
  if (!written || !closed) {
    const int failure = written ? errno : writeError;
    ::unlink(temporary.c_str());
    return Win32ErrorFromErrno(failure);
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int failure = errno;
    ::unlink(temporary.c_str());
    return Win32ErrorFromErrno(failure);
  }
  SyncFolder(FolderOf(target));
  return ERROR_SUCCESS;
}

}  // namespace linvale::platform
