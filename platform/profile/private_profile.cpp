#include <win32/profile.h>

#include "files/whole_file.h"
#include "profile/profile_document.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

using linvale::platform::FileContents;
using linvale::platform::ProfileDocument;
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

DWORD ReadProfileString(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue, LPSTR out, DWORD size,
                        LPCSTR fileName) {
  const FileContents file = ReadWholeFile(fileName);
  const ProfileDocument document = ProfileDocument::Parse(file.text);
  if (appName == nullptr) {
    SetLastError(file.error);
    return CopyNameList(document.SectionNames(), out, size);
  }
  if (keyName == nullptr) {
    SetLastError(file.error);
    return CopyNameList(document.KeyNames(appName), out, size);
  }
  if (const auto value = document.Value(appName, keyName)) {
    SetLastError(ERROR_SUCCESS);
    return CopyTruncated(*value, out, size);
  }
  SetLastError(file.error != ERROR_SUCCESS ? file.error : ERROR_FILE_NOT_FOUND);
  return CopyDefault(defaultValue, out, size);
}

bool IsWritableRequest(LPCSTR appName, LPCSTR keyName, LPCSTR value) {
  return linvale::platform::IsWritableSectionName(appName) &&
         (keyName == nullptr || linvale::platform::IsWritableKeyName(keyName)) &&
         (value == nullptr || linvale::platform::IsWritableValue(value));
}

BOOL WriteProfileString(LPCSTR appName, LPCSTR keyName, LPCSTR value, LPCSTR fileName) {
  const FileContents file = ReadWholeFile(fileName);
  // A file that exists but cannot be read must not be replaced by the one
  // line being written.
  if (file.error != ERROR_SUCCESS && !file.Missing()) {
    SetLastError(file.error);
    return FALSE;
  }
  ProfileDocument document = ProfileDocument::Parse(file.text);
  if (keyName == nullptr) {
    document.RemoveSection(appName);
  } else if (value == nullptr) {
    document.RemoveKey(appName, keyName);
  } else {
    document.SetValue(appName, keyName, value);
  }
  const std::string text = document.Text();
  if (text == file.text && !file.Missing()) {
    SetLastError(ERROR_SUCCESS);
    return TRUE;
  }
  if (text.empty() && file.Missing()) {
    SetLastError(ERROR_SUCCESS);
    return TRUE;
  }
  const DWORD error = linvale::platform::ReplaceFileContents(fileName, text);
  SetLastError(error);
  return error == ERROR_SUCCESS ? TRUE : FALSE;
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
  if (appName == nullptr || fileName == nullptr || fileName[0] == '\0' ||
      !IsWritableRequest(appName, keyName, value)) {
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
