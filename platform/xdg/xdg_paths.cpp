#include "xdg/xdg_paths.h"

#include "files/whole_file.h"

#include <cstdlib>
#include <pwd.h>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace linvale::platform {
namespace {

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') {
    path.pop_back();
  }
  return path;
}

// The base directory rules ignore relative paths in these variables.
std::optional<std::string> AbsoluteVariable(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') {
    return std::nullopt;
  }
  return WithoutTrailingSlashes(value);
}

std::optional<std::string> FirstAbsoluteEntry(const char* name) {
  const char* value = std::getenv(name);
  std::string_view list = value != nullptr ? value : "";
  while (!list.empty()) {
    const auto colon = list.find(':');
    const std::string_view entry = list.substr(0, colon);
    if (!entry.empty() && entry.front() == '/') {
      return WithoutTrailingSlashes(std::string(entry));
    }
    list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
  }
  return std::nullopt;
}

std::optional<std::string> UnderHome(const char* relative) {
  const auto home = HomeFolder();
  if (!home) {
    return std::nullopt;
  }
  return *home == "/" ? std::string("/") + relative : *home + "/" + relative;
}

// user-dirs.dirs holds shell assignments: XDG_DOCUMENTS_DIR="$HOME/Documents".
std::optional<std::string> DocumentsFromUserDirs(const std::string& home) {
  const auto configHome = ConfigHome();
  if (!configHome) {
    return std::nullopt;
  }
  const FileContents file = ReadWholeFile(*configHome + "/user-dirs.dirs");
  std::string_view text = file.text;
  constexpr std::string_view kPrefix = "XDG_DOCUMENTS_DIR=\"";
  std::optional<std::string> documents;
  while (!text.empty()) {
    const auto newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    if (!line.starts_with(kPrefix) || !line.ends_with('"') || line.size() <= kPrefix.size()) {
      continue;
    }
    std::string_view path = line.substr(kPrefix.size(), line.size() - kPrefix.size() - 1);
    if (path.starts_with("$HOME")) {
      documents = WithoutTrailingSlashes(home + std::string(path.substr(5)));
    } else if (path.starts_with('/')) {
      documents = WithoutTrailingSlashes(std::string(path));
    }
  }
  return documents;
}

}  // namespace

std::optional<std::string> HomeFolder() {
  if (auto home = AbsoluteVariable("HOME")) {
    return home;
  }
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
      found->pw_dir != nullptr && found->pw_dir[0] == '/') {
    return WithoutTrailingSlashes(found->pw_dir);
  }
  return std::nullopt;
}

std::optional<std::string> ConfigHome() {
  if (auto config = AbsoluteVariable("XDG_CONFIG_HOME")) {
    return config;
  }
  return UnderHome(".config");
}

std::string FirstConfigDir() { return FirstAbsoluteEntry("XDG_CONFIG_DIRS").value_or("/etc/xdg"); }

std::optional<std::string> DataHome() {
  if (auto data = AbsoluteVariable("XDG_DATA_HOME")) {
    return data;
  }
  return UnderHome(".local/share");
}

std::string FirstDataDir() { return FirstAbsoluteEntry("XDG_DATA_DIRS").value_or("/usr/local/share"); }

std::optional<std::string> DocumentsFolder() {
  const auto home = HomeFolder();
  if (!home) {
    return std::nullopt;
  }
  if (auto documents = DocumentsFromUserDirs(*home)) {
    return documents;
  }
  return UnderHome("Documents");
}

}  // namespace linvale::platform
