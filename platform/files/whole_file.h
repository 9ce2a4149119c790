// Whole-file reads and crash-safe replacement of a file's contents, shared by
// the profile files and the registry store.
#pragma once

#include <win32/base.h>

#include <string>
#include <string_view>

namespace linvale::platform {

struct FileContents {
  // ERROR_SUCCESS, ERROR_FILE_NOT_FOUND when there is no such file, or the
  // reason the file could not be read.
  DWORD error = ERROR_SUCCESS;
  std::string text;

  bool Missing() const { return error == ERROR_FILE_NOT_FOUND; }
};

FileContents ReadWholeFile(const std::string& path);

// Writes `content` to a new file in the same folder and renames it over
// `path`, so readers see either the old or the new contents, never a mixture,
// and a failure (full disk, missing folder) leaves the old file untouched.
// An existing file keeps its permission bits; a symbolic link keeps pointing
// at the file it named, whose contents are replaced. Returns ERROR_SUCCESS or
// the Win32 error code of the failure.
DWORD ReplaceFileContents(const std::string& path, std::string_view content);

}  // namespace linvale::platform
