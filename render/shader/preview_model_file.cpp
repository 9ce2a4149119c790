#include <linvale/npr_host_application_services.h>
#include <linvale/npr_preview_scene.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

bool CanOpen(const std::string& path) {
  const std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  return file != nullptr;
}

}  // namespace

bool NprReadPreviewModel(TS_Model& model) {
  const NprHostApplicationServices* host = NprHostApplicationServices::getDefaultHost();
  if (host == nullptr) {
    return false;
  }
  using Folder = NprHostApplicationServices::Folder;
  for (const Folder kind : {Folder::UserStylesFolder, Folder::CommonDataFolder, Folder::MachineStylesFolder}) {
    char folder[MAX_PATH] = "";
    if (host->GetStyleFolder(kind, folder, sizeof folder) == 0) {
      continue;
    }
    const std::string path = std::string(folder) + "/" + kNprPreviewModelName;
    if (CanOpen(path)) {
      // The first file that opens is the model, even when it then fails to
      // read: a broken file in the user's folder is not silently replaced
      // by the shipped one.
      TS_String error;
      return model.Read(path.c_str(), error);
    }
  }
  return false;
}
