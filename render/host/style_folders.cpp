#include "style_folders.h"

#include "host_registry.h"

#include <linvale/npr_host_application_services.h>

#include <cstring>
#include <string>

namespace linvale::host {
namespace {

constexpr const char* kShellFoldersKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kStylesBelowDataFolder = "/Brisco/Orvelle SR3/Styles";
constexpr const char* kUserStylesBelowDocuments = "/My Orvelle Styles";
constexpr const char* kMachineStylesKey = "SOFTWARE\\Brisco\\OrvelleRuza\\Styles";

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = "";
  if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) {
    return {};
  }
  return path;
}

std::string RegistryString(HKEY root, const char* key, const char* value) {
  char text[MAX_PATH] = "";
  return ReadRegistryString(root, key, value, text, sizeof text) ? std::string(text) : std::string();
}

// The shell's folder, or the registry's record of it when the shell has none.
std::string DataFolder(int csidl, HKEY fallbackRoot, const char* fallbackValue) {
  std::string folder = ShellFolder(csidl);
  if (folder.empty()) {
    folder = RegistryString(fallbackRoot, kShellFoldersKey, fallbackValue);
  }
  return folder;
}

// Copies `path` when it fits with its NUL; a cut path would name another
// folder, so it fails instead.
int CopyPath(const std::string& path, char* buffer, unsigned long size) {
  if (path.empty() || buffer == nullptr || path.size() + 1 > size) {
    return 0;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return 1;
}

int UserStylesFolder(char* buffer, unsigned long size) {
  // The registry read gets the caller's buffer and size, so a setting that
  // does not fit counts as no setting.
  if (buffer != nullptr && size > 0 &&
      ReadRegistryString(HKEY_CURRENT_USER, PerBuildKey().c_str(), "StylesPath", buffer, size) && buffer[0] != '\0') {
    return 1;
  }
  const std::string documents = ShellFolder(CSIDL_PERSONAL);
  return documents.empty() ? 0 : CopyPath(documents + kUserStylesBelowDocuments, buffer, size);
}

int StylesBelow(const std::string& dataFolder, char* buffer, unsigned long size) {
  return dataFolder.empty() ? 0 : CopyPath(dataFolder + kStylesBelowDataFolder, buffer, size);
}

}  // namespace

std::string UserApplicationDataFolder() { return DataFolder(CSIDL_APPDATA, HKEY_CURRENT_USER, "AppData"); }

void CreateUserStylesDataFolder() {
  std::string folder = UserApplicationDataFolder();
  if (folder.empty()) {
    return;
  }
  // A fresh account may not have its data folder yet (Windows always has
  // one), and without it none of the levels below could be created.
  SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
  for (const char* level : {"/Brisco", "/Orvelle SR3", "/Styles"}) {
    folder += level;
    CreateDirectoryA(folder.c_str(), nullptr);
  }
}

int StyleFolder(NprHostApplicationServices::Folder kind, char* buffer, unsigned long size) {
  switch (kind) {
    case NprHostApplicationServices::UserDataFolder: return StylesBelow(UserApplicationDataFolder(), buffer, size);
    case NprHostApplicationServices::UserStylesFolder: return UserStylesFolder(buffer, size);
    case NprHostApplicationServices::CommonDataFolder:
      return StylesBelow(DataFolder(CSIDL_COMMON_APPDATA, HKEY_LOCAL_MACHINE, "Common AppData"), buffer, size);
    case NprHostApplicationServices::MachineStylesFolder:
      return buffer != nullptr && size > 0 &&
                     ReadRegistryString(HKEY_LOCAL_MACHINE, kMachineStylesKey, "", buffer, size) && buffer[0] != '\0'
                 ? 1
                 : 0;
  }
  return 0;
}

}  // namespace linvale::host
