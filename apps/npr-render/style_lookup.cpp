#include "style_lookup.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <strings.h>
#include <fstream>
#include <system_error>

#include <windows.h>

#include "terminal_text.h"

namespace npr_render {
namespace {

namespace fs = std::filesystem;

constexpr const char* kStyleExtension = ".npr";
constexpr const char* kSharedStylesBelowBin = "../share/Brisco/Orvelle SR3/Styles";
constexpr const char* kCommonSection = "Common";
constexpr const char* kShaderKey = "Current Render";

bool IsReadableFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error) && std::ifstream(path).good();
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

// Shared styles shipped with the program, found relative to it so that a
// build tree and an installed copy both work without configuration.
std::string InstalledStylesFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) {
    return {};
  }
  return (program.parent_path() / kSharedStylesBelowBin).lexically_normal().string();
}

std::string HostFolder(const NprHostApplicationServices& host, NprHostApplicationServices::Folder kind) {
  char buffer[4096] = {};
  return host.GetStyleFolder(kind, buffer, sizeof buffer) != 0 ? std::string(buffer) : std::string();
}

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::vector<fs::path> StyleFilesIn(const std::string& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() == kStyleExtension && IsReadableFile(entry.path())) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::vector<StyleFolder> StyleFolders(const NprHostApplicationServices& host) {
  const std::vector<StyleFolder> candidates = {
      {HostFolder(host, NprHostApplicationServices::UserStylesFolder), "user styles"},
      {HostFolder(host, NprHostApplicationServices::CommonDataFolder), "shared styles"},
      {HostFolder(host, NprHostApplicationServices::MachineStylesFolder), "machine styles"},
      {InstalledStylesFolder(), "installed styles"},
  };
  std::vector<StyleFolder> folders;
  std::vector<fs::path> seen;
  for (const StyleFolder& folder : candidates) {
    if (!IsFolder(folder.path)) {
      continue;
    }
    std::error_code error;
    const fs::path canonical = fs::canonical(folder.path, error);
    if (std::find(seen.begin(), seen.end(), canonical) != seen.end()) {
      continue;
    }
    seen.push_back(canonical);
    folders.push_back(folder);
  }
  return folders;
}

StyleLookup FindStyle(const std::string& style, const std::vector<StyleFolder>& folders) {
  const bool looksLikePath = style.find('/') != std::string::npos || EndsWith(style, kStyleExtension);
  if (looksLikePath) {
    std::error_code error;
    if (IsReadableFile(style)) {
      return {style, {}};
    }
    if (fs::exists(style, error) && !fs::is_directory(style, error)) {
      return {{}, "style file '" + style + "' cannot be read"};
    }
    if (style.find('/') != std::string::npos) {
      return {{}, "style file '" + style + "' not found"};
    }
  }
  const std::string fileName = EndsWith(style, kStyleExtension) ? style : style + kStyleExtension;
  for (const StyleFolder& folder : folders) {
    const fs::path candidate = fs::path(folder.path) / fileName;
    if (IsReadableFile(candidate)) {
      return {candidate.string(), {}};
    }
  }
  return {{}, "unknown style '" + style + "' (npr-render --list-styles shows the styles found)"};
}

std::string DefaultStylePath(const NprHostApplicationServices& host, const std::string& libraryFolder) {
  char buffer[4096] = {};
  if (host.GetDefaultStyleFilePath(buffer, sizeof buffer) != 0 && IsReadableFile(buffer)) {
    return buffer;
  }
  return (fs::path(libraryFolder) / "Custom.npr").string();
}

std::string StyleFileProblem(const std::string& path) {
  // Section names, each ended by a NUL and the list by another; a style file
  // is small, so a list that fills the buffer is cut short harmlessly.
  std::string sections(64 * 1024, '\0');
  GetPrivateProfileStringA(nullptr, nullptr, "", sections.data(), static_cast<DWORD>(sections.size()), path.c_str());
  bool hasCommon = false;
  for (const char* name = sections.c_str(); *name != '\0'; name += std::strlen(name) + 1) {
    hasCommon = hasCommon || strcasecmp(name, kCommonSection) == 0;
  }
  if (!hasCommon) {
    return "style file '" + path + "' has no [" + kCommonSection + "] section";
  }
  char shader[260] = {};
  GetPrivateProfileStringA(kCommonSection, kShaderKey, "", shader, sizeof shader, path.c_str());
  if (shader[0] == '\0') {
    return "style file '" + path + "' names no shader (" + kShaderKey + " is missing)";
  }
  return {};
}

void ListStyles(std::FILE* out, const std::vector<StyleFolder>& folders, const std::string& defaultStyle) {
  std::fprintf(out, "Default style: %s\n", Printable(defaultStyle).c_str());
  for (const StyleFolder& folder : folders) {
    std::fprintf(out, "\n%s (%s):\n", Printable(folder.path).c_str(), folder.kind);
    const auto files = StyleFilesIn(folder.path);
    if (files.empty()) {
      std::fprintf(out, "  (none)\n");
    }
    for (const fs::path& file : files) {
      std::fprintf(out, "  %s\n", Printable(file.stem().string()).c_str());
    }
  }
}

}  // namespace npr_render
