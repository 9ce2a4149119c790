#include <win32/file.h>

#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

namespace {

// One open search: the matching entries, taken when the search starts, and
// how many were handed out.
struct Search {
  std::vector<WIN32_FIND_DATAA> entries;
  std::size_t next = 0;
};

class SearchTable {
public:
  // The first entry goes out with FindFirstFileA itself.
  HANDLE Open(std::vector<WIN32_FIND_DATAA> entries) {
    std::lock_guard lock(mMutex);
    const std::uintptr_t id = ++mLastId;
    mSearches[id] = Search{std::move(entries), 1};
    return reinterpret_cast<HANDLE>(id);
  }

  // Copies the next entry; false when the handle is unknown or exhausted,
  // with the error code set.
  bool Next(HANDLE handle, WIN32_FIND_DATAA& data) {
    std::lock_guard lock(mMutex);
    auto found = mSearches.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == mSearches.end()) {
      SetLastError(ERROR_INVALID_HANDLE);
      return false;
    }
    Search& search = found->second;
    if (search.next >= search.entries.size()) {
      SetLastError(ERROR_NO_MORE_FILES);
      return false;
    }
    data = search.entries[search.next++];
    return true;
  }

  bool Close(HANDLE handle) {
    std::lock_guard lock(mMutex);
    return mSearches.erase(reinterpret_cast<std::uintptr_t>(handle)) == 1;
  }

private:
  std::mutex mMutex;
  std::map<std::uintptr_t, Search> mSearches;
  // Ids start well above the small values some callers test for.
  std::uintptr_t mLastId = 0x10000;
};

SearchTable& Searches() {
  static SearchTable table;
  return table;
}

FILETIME ToFileTime(const timespec& time) {
  constexpr std::int64_t secondsFrom1601To1970 = 11644473600LL;
  const std::uint64_t ticks = static_cast<std::uint64_t>(time.tv_sec + secondsFrom1601To1970) * 10000000ULL +
                              static_cast<std::uint64_t>(time.tv_nsec / 100);
  return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFULL), static_cast<DWORD>(ticks >> 32)};
}

DWORD AttributesOf(const std::string& name, const struct stat& status) {
  DWORD attributes = 0;
  if (S_ISDIR(status.st_mode)) {
    attributes |= FILE_ATTRIBUTE_DIRECTORY;
  }
  if ((status.st_mode & S_IWUSR) == 0) {
    attributes |= FILE_ATTRIBUTE_READONLY;
  }
  if (name.front() == '.') {
    attributes |= FILE_ATTRIBUTE_HIDDEN;
  }
  return attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes;
}

// False for entries a find record cannot describe: names that do not fit,
// and entries that vanished or dangle.
bool Describe(const std::filesystem::path& path, WIN32_FIND_DATAA& data) {
  const std::string name = path.filename().string();
  struct stat status {};
  if (name.size() >= sizeof(data.cFileName) || stat(path.c_str(), &status) != 0) {
    return false;
  }
  data = WIN32_FIND_DATAA{};
  data.dwFileAttributes = AttributesOf(name, status);
  data.ftCreationTime = ToFileTime(status.st_ctim);
  data.ftLastAccessTime = ToFileTime(status.st_atim);
  data.ftLastWriteTime = ToFileTime(status.st_mtim);
  const auto size = S_ISDIR(status.st_mode) ? 0ULL : static_cast<std::uint64_t>(status.st_size);
  data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFFULL);
  std::memcpy(data.cFileName, name.c_str(), name.size() + 1);
  return true;
}

// Windows wildcards know only "*" and "?"; everything else is literal.
std::string FnmatchPattern(const std::string& wildcard) {
  if (wildcard == "*.*") {
    return "*";
  }
  std::string pattern;
  for (char c : wildcard) {
    if (c == '[' || c == ']' || c == '\\') {
      pattern += '\\';
    }
    pattern += c;
  }
  return pattern;
}

bool NameOrder(const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
  const int folded = strcasecmp(a.cFileName, b.cFileName);
  return folded != 0 ? folded < 0 : std::strcmp(a.cFileName, b.cFileName) < 0;
}

}  // namespace

HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data) {
  if (pattern == nullptr || data == nullptr || *pattern == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  const std::filesystem::path full(pattern);
  const std::filesystem::path folder = full.has_parent_path() ? full.parent_path() : std::filesystem::path(".");
  const std::string wildcard = FnmatchPattern(full.filename().string());

  std::error_code error;
  std::filesystem::directory_iterator listing(folder, error);
  if (error) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::vector<WIN32_FIND_DATAA> entries;
  for (const auto& entry : listing) {
    const std::string name = entry.path().filename().string();
    WIN32_FIND_DATAA found;
    if (fnmatch(wildcard.c_str(), name.c_str(), FNM_CASEFOLD) == 0 && Describe(entry.path(), found)) {
      entries.push_back(found);
    }
  }
  if (entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  std::sort(entries.begin(), entries.end(), NameOrder);
  *data = entries.front();
  SetLastError(ERROR_SUCCESS);
  return Searches().Open(std::move(entries));
}

BOOL FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data) {
  if (data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return Searches().Next(search, *data) ? TRUE : FALSE;
}

BOOL FindClose(HANDLE search) {
  if (!Searches().Close(search)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
