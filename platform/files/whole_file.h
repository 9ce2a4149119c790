// Whole-file reads and crash-safe replacement of a file's contents, shared by
// the profile files and the registry store.
#pragma once

#include <win32/base.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace linvale::platform {

// What tells one version of a file from another without reading it. An
// atomic replacement gives a new inode even when size and time agree.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  std::int64_t size = 0;
  std::int64_t modifiedNs = 0;

  bool operator==(const FileIdentity&) const = default;
};

// The identity of the file `path` names now; nullopt when it cannot be
// examined.
std::optional<FileIdentity> IdentifyFile(const std::string& path);

struct FileContents {
  // ERROR_SUCCESS, ERROR_FILE_NOT_FOUND when there is no such file, or the
  // reason the file could not be read.
  DWORD error = ERROR_SUCCESS;
  std::string text;
  // The version that was read, when it was.
  std::optional<FileIdentity> identity;

  bool Missing() const { return error == ERROR_FILE_NOT_FOUND; }
};

FileContents ReadWholeFile(const std::string& path);

// The file a symbolic link points at, or `path` itself when it is no link.
std::string ResolveLinkTarget(const std::string& path);

// Writes `content` to a new file in the same folder and renames it over
// `path`, so readers see either the old or the new contents, never a mixture,
// and a failure (full disk, missing folder) leaves the old file untouched.
// An existing file keeps its permission bits; a symbolic link keeps pointing
// at the file it named, whose contents are replaced. Returns ERROR_SUCCESS or
// the Win32 error code of the failure. Temporary files that killed writers
// left beside `path` are removed first; callers hold the file's lock.
DWORD ReplaceFileContents(const std::string& path, std::string_view content);

}  // namespace linvale::platform
