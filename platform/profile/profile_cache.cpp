#include "profile/profile_cache.h"

#include "files/whole_file.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace linvale::platform {
namespace {

// A handful of files: the default style and the shader's, a dialog's list.
constexpr std::size_t kMaxEntries = 8;

struct CacheEntry {
  std::string path;
  FileIdentity identity;
  std::shared_ptr<const LoadedProfile> profile;
};

class ProfileCache {
public:
  std::shared_ptr<const LoadedProfile> Find(const std::string& path, const FileIdentity& identity) {
    const std::scoped_lock lock(mMutex);
    const auto entry = Entry(path);
    if (entry == mEntries.end() || entry->identity != identity) {
      return nullptr;
    }
    // Most recently used last, so eviction takes the front.
    std::rotate(entry, entry + 1, mEntries.end());
    return mEntries.back().profile;
  }

  void Store(const std::string& path, const FileIdentity& identity, std::shared_ptr<const LoadedProfile> profile) {
    const std::scoped_lock lock(mMutex);
    if (const auto entry = Entry(path); entry != mEntries.end()) {
      mEntries.erase(entry);
    }
    if (mEntries.size() == kMaxEntries) {
      mEntries.erase(mEntries.begin());
    }
    mEntries.push_back(CacheEntry{path, identity, std::move(profile)});
  }

  void Forget(const std::string& path) {
    const std::scoped_lock lock(mMutex);
    if (const auto entry = Entry(path); entry != mEntries.end()) {
      mEntries.erase(entry);
    }
  }

private:
  std::vector<CacheEntry>::iterator Entry(const std::string& path) {
    return std::find_if(mEntries.begin(), mEntries.end(), [&](const CacheEntry& entry) { return entry.path == path; });
  }

  std::mutex mMutex;
  std::vector<CacheEntry> mEntries;
};

ProfileCache& Cache() {
  static ProfileCache cache;
  return cache;
}

}  // namespace

std::shared_ptr<const LoadedProfile> LoadProfile(const std::string& path) {
  if (const auto identity = IdentifyFile(path)) {
    if (auto cached = Cache().Find(path, *identity)) {
      return cached;
    }
  }
  const FileContents file = ReadWholeFile(path);
  DecodedProfile decoded = DecodeProfileText(file.text);
  auto profile = std::make_shared<const LoadedProfile>(
      LoadedProfile{file.error, decoded.encoding, ProfileDocument::Parse(decoded.text)});
  // The identity comes from the open file, so it describes exactly the
  // contents that were parsed even if the file was replaced meanwhile.
  if (file.error == ERROR_SUCCESS && file.identity) {
    Cache().Store(path, *file.identity, profile);
  } else {
    Cache().Forget(path);
  }
  return profile;
}

void ForgetProfile(const std::string& path) { Cache().Forget(path); }

}  // namespace linvale::platform
