#include <linvale/npr_host_application_services.h>

#include "host_registry.h"
#include "image_file_filters.h"
#include "style_folders.h"
#include "ui_entry_points.h"
#include "ui_module.h"

#include <cstring>
#include <string>

NprHostApplicationServices* NprHostApplicationServices::spDefaultHost = nullptr;

NprHostApplicationServices::NprHostApplicationServices() {
  try {
    linvale::host::CreateUserStylesDataFolder();
  } catch (...) {
    // The folder is a convenience for the settings dialog; a host works
    // without it.
  }
}

NprHostApplicationServices::~NprHostApplicationServices() = default;

void NprHostApplicationServices::Print(const char* /*format*/, ...) {}

HWND NprHostApplicationServices::GetMainWindow() { return nullptr; }

int NprHostApplicationServices::GetColorDialog(HWND parent, unsigned long& color) {
  try {
    const auto choose = linvale::host::UiEntry<NprUiChooseColorEntry>(linvale::host::kUiChooseColor);
    return choose == nullptr ? 0 : choose(parent, &color);
  } catch (...) {
    return 0;
  }
}

int NprHostApplicationServices::GetBitmapFilename(HWND parent, char* file, unsigned long size, int open) {
  if (file == nullptr || size == 0) {
    return 0;
  }
  // No preset name: the box starts empty whatever the caller left in it.
  file[0] = '\0';
  try {
    const auto choose = linvale::host::UiEntry<NprUiChooseImageFileEntry>(linvale::host::kUiChooseImageFile);
    unsigned row = 1;
    if (choose == nullptr || choose(parent, open, file, size, &row) == 0) {
      file[0] = '\0';
      return 0;
    }
    const std::string chosen = linvale::host::WithDefaultExtension(file, row);
    if (chosen.size() >= size) {
      // Cut short it would name another file.
      file[0] = '\0';
      return 0;
    }
    std::memcpy(file, chosen.c_str(), chosen.size() + 1);
    return 1;
  } catch (...) {
    file[0] = '\0';
    return 0;
  }
}

void NprHostApplicationServices::FatalError() {}

int NprHostApplicationServices::GetStyleFolder(Folder kind, char* buffer, unsigned long size) const {
  try {
    return linvale::host::StyleFolder(kind, buffer, size);
  } catch (...) {
    return 0;
  }
}

int NprHostApplicationServices::GetDefaultStyleFilePath(char* buffer, unsigned long size) const {
  static constexpr char kDefaultStyle[] = "/Custom.npr";
  // Through the virtual table, so a host's own folder is honoured.
  if (GetStyleFolder(UserDataFolder, buffer, size) == 0) {
    return 0;
  }
  const std::size_t length = std::strlen(buffer);
  if (length + sizeof kDefaultStyle > size) {
    return 0;
  }
  std::memcpy(buffer + length, kDefaultStyle, sizeof kDefaultStyle);
  return 1;
}

void NprHostApplicationServices::OnLoadSettings(NprRenderSettings& /*settings*/) {}

void NprHostApplicationServices::OnSaveSettings(NprRenderSettings& /*settings*/) {}

void NprHostApplicationServices::SetMostRecentExecuted() {
  try {
    char date[11];
    CompilationDate(date);
    // Each root on its own: a machine key the user may not write must not
    // keep the user's record from being written.
    linvale::host::WriteRegistryString(HKEY_LOCAL_MACHINE, linvale::host::kProductKey, "MostRecent", date);
    linvale::host::WriteRegistryString(HKEY_CURRENT_USER, linvale::host::kProductKey, "MostRecent", date);
  } catch (...) {
  }
}

bool NprHostApplicationServices::getPluginRegistryKey(char* key) {
  if (key != nullptr) {
    char date[11];
    CompilationDate(date);
    std::strcpy(key, linvale::host::kProductKey);
    std::strcat(key, "\\1.0\\");
    std::strcat(key, date);
  }
  return true;
}

bool NprHostApplicationServices::getLoadToolbar() {
  try {
    return linvale::host::ReadRegistryDword(HKEY_LOCAL_MACHINE, linvale::host::PerBuildKey().c_str(), "LoadToolbar")
               .value_or(0) != 0;
  } catch (...) {
    return false;
  }
}

bool NprHostApplicationServices::getShowPreview() {
  try {
    return linvale::host::ReadRegistryDword(HKEY_CURRENT_USER, linvale::host::PerBuildKey().c_str(), "ShowPreview")
               .value_or(0) != 0;
  } catch (...) {
    return false;
  }
}

void NprHostApplicationServices::setShowPreview(bool on) {
  try {
    linvale::host::WriteRegistryDword(HKEY_CURRENT_USER, linvale::host::PerBuildKey().c_str(), "ShowPreview",
                                      on ? 1 : 0);
  } catch (...) {
  }
}

NprHostApplicationServices* NprHostApplicationServices::getDefaultHost() { return spDefaultHost; }

NprHostApplicationServices* NprHostApplicationServices::setDefaultHost(NprHostApplicationServices* host) {
  NprHostApplicationServices* previous = spDefaultHost;
  spDefaultHost = host;
  return previous;
}
