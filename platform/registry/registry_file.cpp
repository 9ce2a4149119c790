#include "registry/registry_file.h"

#include "files/errno_error.h"
#include "files/file_lock.h"
#include "files/whole_file.h"
#include "xdg/xdg_paths.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace linvale::platform {
namespace {

std::optional<std::string> FromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] == '\0') {
    return std::nullopt;
  }
  return std::string(value);
}

DWORD CreateParentFolders(const std::string& path) {
  std::error_code error;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) {
    std::filesystem::create_directories(parent, error);
  }
  return error ? Win32ErrorFromErrno(error.value()) : ERROR_SUCCESS;
}

// The folder that would receive the file: the nearest one that exists.
std::string NearestExistingFolder(const std::string& path) {
  std::filesystem::path folder = std::filesystem::path(path).parent_path();
  std::error_code error;
  while (!folder.empty() && !std::filesystem::exists(folder, error)) {
    const auto parent = folder.parent_path();
    if (parent == folder) {
      break;
    }
    folder = parent;
  }
  return folder.empty() ? "." : folder.string();
}

}  // namespace

std::optional<std::string> RegistryFilePath(RegistryRoot root) {
  if (root == RegistryRoot::CurrentUser) {
    if (auto path = FromEnvironment("LINVALE_REGISTRY_USER")) {
      return path;
    }
    const auto config = ConfigHome();
    if (!config) {
      return std::nullopt;
    }
    return *config + "/linvale/user.reg";
  }
  if (auto path = FromEnvironment("LINVALE_REGISTRY_MACHINE")) {
    return path;
  }
  return FirstConfigDir() + "/linvale/machine.reg";
}

RegistryStore ReadRegistry(RegistryRoot root) {
  const auto path = RegistryFilePath(root);
  if (!path) {
    return {};
  }
  const FileContents file = ReadWholeFile(*path);
  return RegistryStore::Parse(file.text).value_or(RegistryStore{});
}

bool CanWriteRegistry(RegistryRoot root) {
  const auto path = RegistryFilePath(root);
  if (!path) {
    return false;
  }
  if (::access(path->c_str(), F_OK) == 0) {
    return ::access(path->c_str(), W_OK) == 0;
  }
  return ::access(NearestExistingFolder(*path).c_str(), W_OK) == 0;
}

LONG UpdateRegistry(RegistryRoot root, const RegistryChange& change) {
  const auto path = RegistryFilePath(root);
  if (!path) {
    return ERROR_PATH_NOT_FOUND;
  }
  if (const DWORD error = CreateParentFolders(*path); error != ERROR_SUCCESS) {
    return static_cast<LONG>(error);
  }
  const ExclusiveFileLock lock(*path);
  if (!lock.Held()) {
    return static_cast<LONG>(Win32ErrorFromErrno(lock.Error()));
  }
  const FileContents file = ReadWholeFile(*path);
  if (file.error != ERROR_SUCCESS && !file.Missing()) {
    return static_cast<LONG>(file.error);
  }
  auto store = RegistryStore::Parse(file.text);
  if (!store) {
    return ERROR_BADDB;
  }
  bool modified = false;
  const LONG result = change(*store, modified);
  if (result != ERROR_SUCCESS || !modified) {
    return result;
  }
  return static_cast<LONG>(ReplaceFileContents(*path, store->Serialize()));
}

}  // namespace linvale::platform
