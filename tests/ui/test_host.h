// A host for driving the settings dialog in tests: styles folders in a
// temporary folder, scripted choosers, and counts of what the dialog told
// it.
#pragma once

#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace linvale::test {

class DialogTestHost : public NprHostApplicationServices {
public:
  explicit DialogTestHost(std::string root) : mRoot(std::move(root)) {}

  void Print(const char*, ...) override {}
  void OnPreviewSettings(NprRenderSettings&) override { ++previewRenders; }
  void OnLoadSettings(NprRenderSettings&) override { ++loadSettingsCalls; }
  void OnSaveSettings(NprRenderSettings& settings) override {
    ++saveSettingsCalls;
    savedSettings = settings;
  }

  int GetColorDialog(HWND, unsigned long& color) override {
    ++colorChooserCalls;
    offeredColor = color;
    if (!chosenColor) {
      return 0;
    }
    color = *chosenColor;
    return 1;
  }

  int GetBitmapFilename(HWND, char* file, unsigned long size, int) override {
    ++fileChooserCalls;
    file[0] = '\0';
    if (!chosenFile) {
      return 0;
    }
    std::snprintf(file, size, "%s", chosenFile->c_str());
    return 1;
  }

  // user/, common/ and data/ under the root; no machine styles.
  int GetStyleFolder(Folder kind, char* buffer, unsigned long size) const override {
    const char* names[] = {"data", "user", "common"};
    if (kind > CommonDataFolder) {
      return 0;
    }
    std::snprintf(buffer, size, "%s/%s", mRoot.c_str(), names[kind]);
    return 1;
  }

  std::string FolderPath(Folder kind) const {
    char buffer[MAX_PATH];
    GetStyleFolder(kind, buffer, sizeof buffer);
    return buffer;
  }

  // The folders made, the user's style `name` and the default style file
  // both holding `text`, as after saving that style; the default style
  // file's path.
  std::string WriteSavedStyle(const std::string& name, const std::string& text) const {
    for (const auto kind : {UserStylesFolder, CommonDataFolder, UserDataFolder}) {
      std::filesystem::create_directories(FolderPath(kind));
    }
    const std::string custom = FolderPath(UserDataFolder) + "/Custom.npr";
    std::ofstream(custom) << text;
    std::ofstream(FolderPath(UserStylesFolder) + "/" + name + ".npr") << text;
    return custom;
  }

  std::optional<unsigned long> chosenColor;
  std::optional<std::string> chosenFile;
  int previewRenders = 0;
  int loadSettingsCalls = 0;
  int saveSettingsCalls = 0;
  int colorChooserCalls = 0;
  int fileChooserCalls = 0;
  unsigned long offeredColor = 0;
  std::optional<NprRenderSettings> savedSettings;

private:
  std::string mRoot;
};

}  // namespace linvale::test
