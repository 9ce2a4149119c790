#include <win32/known_folders.h>

#include "xdg/xdg_paths.h"

#include <cstring>
#include <optional>
#include <string>

namespace {

std::optional<std::string> KnownFolderPath(int folder) {
  switch (folder) {
    case CSIDL_APPDATA: return linvale::platform::DataHome();
    case CSIDL_PERSONAL: return linvale::platform::DocumentsFolder();
    case CSIDL_COMMON_APPDATA: return linvale::platform::FirstDataDir();
    default: return std::nullopt;
  }
}

bool IsKnownFolder(int folder) {
  return folder == CSIDL_APPDATA || folder == CSIDL_PERSONAL || folder == CSIDL_COMMON_APPDATA;
}

HRESULT GetFolderPath(int folder, LPSTR path) {
  const int kind = folder & ~CSIDL_FLAG_MASK;
  if (!IsKnownFolder(kind)) {
    return E_INVALIDARG;
  }
  const auto found = KnownFolderPath(kind);
  if (!found || found->empty() || found->size() >= MAX_PATH) {
    return E_FAIL;
  }
  if ((folder & CSIDL_FLAG_CREATE) != 0) {
    const int error = SHCreateDirectoryExA(nullptr, found->c_str(), nullptr);
    if (error != ERROR_SUCCESS && error != ERROR_ALREADY_EXISTS) {
      return E_FAIL;
    }
  }
  std::memcpy(path, found->c_str(), found->size() + 1);
  return S_OK;
}

}  // namespace

HRESULT SHGetFolderPathA(HWND /*owner*/, int folder, HANDLE /*token*/, DWORD /*flags*/, LPSTR path) {
  if (path == nullptr) {
    return E_INVALIDARG;
  }
  path[0] = '\0';
  try {
    return GetFolderPath(folder, path);
  } catch (...) {
    return E_FAIL;
  }
}
