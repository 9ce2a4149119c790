#include <win32/directory.h>
#include <win32/known_folders.h>

#include "files/errno_error.h"

#include <cerrno>
#include <string>
#include <sys/stat.h>

namespace {

DWORD CreateOneFolder(const char* path) {
  if (::mkdir(path, 0777) == 0) {
    return ERROR_SUCCESS;
  }
  switch (errno) {
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOENT:
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    default: return linvale::platform::Win32ErrorFromErrno(errno);
  }
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int CreateFolderChain(const std::string& path) {
  if (IsFolder(path)) {
    return ERROR_ALREADY_EXISTS;
  }
  // Every prefix ending before a separator is a folder above the target.
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string parent = path.substr(0, slash);
    if (parent.back() == '/' || IsFolder(parent)) {
      continue;
    }
    const DWORD error = CreateOneFolder(parent.c_str());
    if (error == ERROR_ALREADY_EXISTS && !IsFolder(parent)) {
      return ERROR_PATH_NOT_FOUND;  // a file where a folder should be
    }
    if (error != ERROR_SUCCESS && error != ERROR_ALREADY_EXISTS) {
      return static_cast<int>(error);
    }
  }
  const DWORD error = CreateOneFolder(path.c_str());
  return static_cast<int>(error == ERROR_ALREADY_EXISTS && !IsFolder(path) ? ERROR_FILE_EXISTS : error);
}

}  // namespace

BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES /*security*/) {
  if (path == nullptr || path[0] == '\0') {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return FALSE;
  }
  const DWORD error = CreateOneFolder(path);
  SetLastError(error);
  return error == ERROR_SUCCESS ? TRUE : FALSE;
}

int SHCreateDirectoryExA(HWND /*owner*/, LPCSTR path, const SECURITY_ATTRIBUTES* /*security*/) {
  if (path == nullptr || path[0] != '/') {
    SetLastError(ERROR_BAD_PATHNAME);
    return ERROR_BAD_PATHNAME;
  }
  try {
    const int error = CreateFolderChain(path);
    SetLastError(static_cast<DWORD>(error));
    return error;
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}
