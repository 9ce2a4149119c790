#include <win32/profile.h>

#include "files/errno_error.h"
#include "files/file_lock.h"
#include "files/whole_file.h"
#include "profile/profile_cache.h"
#include "profile/profile_document.h"
#include "profile/profile_encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

namespace {

using linvale::platform::FileContents;
using linvale::platform::ProfileDocument;
using linvale::platform::ProfileEncoding;
using linvale::platform::ReadWholeFile;

// Text stops at an embedded NUL, as callers read the copy as a C string.
DWORD CopyTruncated(std::string_view text, LPSTR out, DWORD size) {
  text = text.substr(0, text.find('\0'));
  const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(out, text.data(), count);
  out[count] = '\0';
  return static_cast<DWORD>(count);
}

// Fills `out` with NUL-terminated names and a final NUL. When they do not
// fit, the list is cut and the result is size - 2, as Windows reports it.
DWORD CopyNameList(const std::vector<std::string_view>& names, LPSTR out, DWORD size) {
  if (size < 2) {
    out[0] = '\0';
    return 0;
  }
  std::string list;
  for (std::string_view name : names) {
    list.append(name.substr(0, name.find('\0')));
    list.push_back('\0');
  }
  if (list.size() + 1 > size) {
    std::memcpy(out, list.data(), size - 2);
    out[size - 2] = '\0';
    out[size - 1] = '\0';
    return size - 2;
  }
  std::memcpy(out, list.data(), list.size());
  out[list.size()] = '\0';
  return static_cast<DWORD>(list.size());
}

DWORD CopyDefault(LPCSTR defaultValue, LPSTR out, DWORD size) {
  std::string_view text = defaultValue != nullptr ? defaultValue : "";
  while (!text.empty() && text.back() == ' ') {
    text.remove_suffix(1);
  }
  return CopyTruncated(text, out, size);
}

DWORD ReadProfileString(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue, LPSTR out, DWORD size, LPCSTR fileName) {
  const auto profile = linvale::platform::LoadProfile(fileName);
  const ProfileDocument& document = profile->document;
  if (appName == nullptr) {
    SetLastError(profile->error);
    return CopyNameList(document.SectionNames(), out, size);
  }
  if (keyName == nullptr) {
    SetLastError(profile->error);
    return CopyNameList(document.KeyNames(appName), out, size);
  }
  if (const auto value = document.Value(appName, keyName)) {
    SetLastError(ERROR_SUCCESS);
    return CopyTruncated(linvale::platform::UnquoteProfileValue(*value), out, size);
  }
  SetLastError(profile->error != ERROR_SUCCESS ? profile->error : ERROR_FILE_NOT_FOUND);
  return CopyDefault(defaultValue, out, size);
}

bool IsWritableRequest(LPCSTR appName, LPCSTR keyName, LPCSTR value) {
  return linvale::platform::IsWritableSectionName(appName) &&
         (keyName == nullptr || linvale::platform::IsWritableKeyName(keyName)) &&
         (value == nullptr || linvale::platform::IsWritableValue(value));
}

// Whether the key already reads as `value`, so writing it would change
// nothing a reader sees and the file (quotes, blanks, comments) can stay.
bool AlreadyReadsAs(const ProfileDocument& document, LPCSTR appName, LPCSTR keyName, LPCSTR value) {
  if (keyName == nullptr || value == nullptr) {
    return false;
  }
  const auto existing = document.Value(appName, keyName);
  return existing && linvale::platform::UnquoteProfileValue(*existing) == value;
}

void Change(ProfileDocument& document, LPCSTR appName, LPCSTR keyName, LPCSTR value) {
  if (keyName == nullptr) {
    document.RemoveSection(appName);
  } else if (value == nullptr) {
    document.RemoveKey(appName, keyName);
  } else {
    document.SetValue(appName, keyName, value);
  }
}

BOOL Succeed() {
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Runs under the file's lock, so writers in other processes neither lose
// this change nor have theirs lost.
BOOL ChangeLockedFile(LPCSTR appName, LPCSTR keyName, LPCSTR value, const std::string& fileName) {
  const FileContents file = ReadWholeFile(fileName);
  // A file that exists but cannot be read must not be replaced by the one
  // line being written.
  if (file.error != ERROR_SUCCESS && !file.Missing()) {
    return Fail(file.error);
  }
  const auto decoded = linvale::platform::DecodeProfileText(file.text);
  ProfileDocument document = ProfileDocument::Parse(decoded.text);
  if (AlreadyReadsAs(document, appName, keyName, value)) {
    return Succeed();
  }
  Change(document, appName, keyName, value);
  const auto text = linvale::platform::EncodeProfileText(document.Text(), decoded.encoding);
  if (!text) {
    return Fail(ERROR_NOT_SUPPORTED);
  }
  if (file.Missing() ? text->empty() : *text == file.text) {
    return Succeed();
  }
  const DWORD error = linvale::platform::ReplaceFileContents(fileName, *text);
  linvale::platform::ForgetProfile(fileName);
  return error == ERROR_SUCCESS ? Succeed() : Fail(error);
}

BOOL WriteProfileString(LPCSTR appName, LPCSTR keyName, LPCSTR value, LPCSTR fileName) {
  // The lock file sits beside the file that is really written, so writers
  // through a link and through the file's own name exclude each other.
  const std::string target = linvale::platform::ResolveLinkTarget(fileName);
  if (IsFolder(target)) {
    return Fail(ERROR_ACCESS_DENIED);
  }
  const linvale::platform::ExclusiveFileLock lock(target);
  if (!lock.Held()) {
    // The lock file is created in the target's folder, so "no such file"
    // means the folder is missing.
    return Fail(lock.Error() == ENOENT ? ERROR_PATH_NOT_FOUND : linvale::platform::Win32ErrorFromErrno(lock.Error()));
  }
  return ChangeLockedFile(appName, keyName, value, fileName);
}

}  // namespace

DWORD GetPrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue, LPSTR returned, DWORD size,
                               LPCSTR fileName) {
  if (returned == nullptr || size == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (fileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return CopyDefault(defaultValue, returned, size);
  }
  try {
    return ReadProfileString(appName, keyName, defaultValue, returned, size, fileName);
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return CopyDefault(defaultValue, returned, size);
  }
}

BOOL WritePrivateProfileStringA(LPCSTR appName, LPCSTR keyName, LPCSTR value, LPCSTR fileName) {
  if (appName == nullptr || fileName == nullptr || fileName[0] == '\0' || !IsWritableRequest(appName, keyName, value)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  try {
    return WriteProfileString(appName, keyName, value, fileName);
  } catch (...) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}
