// A private home for one test: a temporary folder removed afterwards, and
// environment variables (XDG folders, registry files) pointed into it and put
// back as they were, so a test never reads or writes the real user's files.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace linvale::test {

class TemporaryFolder {
public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "linvale-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a temporary folder");
    }
    mPath = pattern;
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
  }

  const std::filesystem::path& Path() const { return mPath; }
  std::string operator/(const std::string& name) const { return (mPath / name).string(); }

private:
  std::filesystem::path mPath;
};

// Sets or clears environment variables and restores them when destroyed.
class ScopedEnvironment {
public:
  ScopedEnvironment() = default;
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment() {
    for (auto it = mSaved.rbegin(); it != mSaved.rend(); ++it) {
      if (it->second) {
        ::setenv(it->first.c_str(), it->second->c_str(), 1);
      } else {
        ::unsetenv(it->first.c_str());
      }
    }
  }

  void Set(const std::string& name, const std::string& value) {
    Save(name);
    ::setenv(name.c_str(), value.c_str(), 1);
  }
  void Clear(const std::string& name) {
    Save(name);
    ::unsetenv(name.c_str());
  }

private:
  void Save(const std::string& name) {
    const char* old = std::getenv(name.c_str());
    mSaved.emplace_back(name, old != nullptr ? std::optional<std::string>(old) : std::nullopt);
  }

  std::vector<std::pair<std::string, std::optional<std::string>>> mSaved;
};

// A temporary folder as HOME with every XDG location and both registry
// files inside it.
class TemporaryHome {
public:
  TemporaryHome() {
    mEnvironment.Set("HOME", mFolder.Path().string());
    mEnvironment.Set("XDG_CONFIG_HOME", mFolder / "config");
    mEnvironment.Set("XDG_DATA_HOME", mFolder / "data");
    mEnvironment.Set("XDG_CONFIG_DIRS", mFolder / "etc");
    mEnvironment.Set("XDG_DATA_DIRS", mFolder / "share");
    mEnvironment.Set("LINVALE_REGISTRY_USER", mFolder / "user.reg");
    mEnvironment.Set("LINVALE_REGISTRY_MACHINE", mFolder / "machine.reg");
  }

  const std::filesystem::path& Path() const { return mFolder.Path(); }
  std::string operator/(const std::string& name) const { return mFolder / name; }
  ScopedEnvironment& Environment() { return mEnvironment; }

private:
  TemporaryFolder mFolder;
  ScopedEnvironment mEnvironment;
};

inline std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace linvale::test
