#include <windows.h>

#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using linvale::test::TemporaryHome;
using linvale::test::WriteText;

std::string FolderPath(int folder, HRESULT* result = nullptr) {
  char path[MAX_PATH] = "unchanged";
  const HRESULT hr = SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
  if (result != nullptr) {
    *result = hr;
  }
  return SUCCEEDED(hr) ? std::string(path) : std::string("<failed>");
}

TEST(KnownFolders, MapToTheXdgLocations) {
  TemporaryHome home;
  EXPECT_EQ(FolderPath(CSIDL_APPDATA), home / "data");
  EXPECT_EQ(FolderPath(CSIDL_PERSONAL), home / "Documents");
  EXPECT_EQ(FolderPath(CSIDL_COMMON_APPDATA), home / "share");

  // Defaults when the variables are unset, and relative entries ignored.
  home.Environment().Clear("XDG_DATA_HOME");
  home.Environment().Set("XDG_DATA_DIRS", "relative/share::" + (home / "second") + "/:/usr/share");
  EXPECT_EQ(FolderPath(CSIDL_APPDATA), home / ".local/share");
  EXPECT_EQ(FolderPath(CSIDL_COMMON_APPDATA), home / "second");
  home.Environment().Clear("XDG_DATA_DIRS");
  EXPECT_EQ(FolderPath(CSIDL_COMMON_APPDATA), "/usr/local/share");
  home.Environment().Set("XDG_DATA_HOME", "not/absolute");
  EXPECT_EQ(FolderPath(CSIDL_APPDATA), home / ".local/share");
}

TEST(KnownFolders, DocumentsComeFromTheUserDirsFile) {
  TemporaryHome home;
  std::filesystem::create_directories(home.Path() / "config");
  WriteText(home.Path() / "config/user-dirs.dirs",
            "# written by xdg-user-dirs-update\n"
            "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
            "XDG_DOCUMENTS_DIR=\"$HOME/Papiere\"\n");
  EXPECT_EQ(FolderPath(CSIDL_PERSONAL), home / "Papiere");
  WriteText(home.Path() / "config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/docs/\"\n");
  EXPECT_EQ(FolderPath(CSIDL_PERSONAL), "/srv/docs");
}

TEST(KnownFolders, FailsForUnknownFoldersAndPathsTooLong) {
  TemporaryHome home;
  HRESULT result = S_OK;
  FolderPath(0x0010 /* desktop directory */, &result);
  EXPECT_EQ(result, E_INVALIDARG);
  home.Environment().Set("XDG_DATA_HOME", "/" + std::string(300, 'x'));
  FolderPath(CSIDL_APPDATA, &result);
  EXPECT_EQ(result, E_FAIL);
}

TEST(KnownFolders, CreatesTheFolderWhenAsked) {
  TemporaryHome home;
  EXPECT_FALSE(std::filesystem::exists(home.Path() / "data"));
  EXPECT_EQ(FolderPath(CSIDL_APPDATA | CSIDL_FLAG_CREATE), home / "data");
  EXPECT_TRUE(std::filesystem::is_directory(home.Path() / "data"));
}

TEST(Folders, CreateOneOrAChainOfFolders) {
  TemporaryHome home;
  const std::string styles = home / "data/Brisco/Orvelle SR3/Styles";
  EXPECT_FALSE(CreateDirectoryA(styles.c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  EXPECT_EQ(SHCreateDirectoryExA(nullptr, styles.c_str(), nullptr), ERROR_SUCCESS);
  EXPECT_TRUE(std::filesystem::is_directory(styles));
  EXPECT_EQ(SHCreateDirectoryExA(nullptr, styles.c_str(), nullptr), ERROR_ALREADY_EXISTS);
  EXPECT_FALSE(CreateDirectoryA(styles.c_str(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_TRUE(CreateDirectoryA((styles + "/More").c_str(), nullptr));

  EXPECT_EQ(SHCreateDirectoryExA(nullptr, "relative/folder", nullptr), ERROR_BAD_PATHNAME);
  WriteText(home.Path() / "file", "");
  EXPECT_EQ(SHCreateDirectoryExA(nullptr, (home / "file").c_str(), nullptr), ERROR_FILE_EXISTS);
  EXPECT_EQ(SHCreateDirectoryExA(nullptr, (home / "file/below").c_str(), nullptr), ERROR_PATH_NOT_FOUND);
}

}  // namespace
