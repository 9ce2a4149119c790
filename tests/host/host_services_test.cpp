#include <linvale/npr_host_application_services.h>
#include <linvale/npr_installed_host.h>

#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

namespace {

using linvale::test::TemporaryHome;
using linvale::test::WriteText;

class TestHost : public NprHostApplicationServices {
public:
  void OnPreviewSettings(NprRenderSettings&) override {}
};

class OverridingHost : public TestHost {
public:
  int GetStyleFolder(Folder, char* buffer, unsigned long size) const override {
    std::strncpy(buffer, "/host/own/styles", size);
    return 1;
  }
};

std::string Reformatted(const char* compilerDate) {
  char out[11] = "untouched";
  NprHostApplicationServices::ReformatDate(compilerDate, out);
  return out;
}

std::string PerBuildKey() {
  TestHost host;
  char key[MAX_PATH];
  EXPECT_TRUE(host.getPluginRegistryKey(key));
  return key;
}

void CreateKey(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  RegCloseKey(key);
}

void SetString(HKEY root, const std::string& path, const char* name, const std::string& text) {
  CreateKey(root, path);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(root, path.c_str(), 0, KEY_WRITE, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1)),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void SetDword(HKEY root, const std::string& path, const char* name, DWORD value) {
  CreateKey(root, path);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(root, path.c_str(), 0, KEY_WRITE, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

std::string QueryString(HKEY root, const std::string& path, const char* name, DWORD* size = nullptr) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return "<no key>";
  }
  char text[MAX_PATH] = "";
  DWORD length = sizeof text;
  const LONG result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &length);
  RegCloseKey(key);
  if (size != nullptr) {
    *size = length;
  }
  return result == ERROR_SUCCESS ? std::string(text) : "<no value>";
}

TEST(BuildDate, ReformatsCompilerDates) {
  EXPECT_EQ(Reformatted("Apr 30 2007"), "2007-04-30");
  EXPECT_EQ(Reformatted("Aug  5 2007"), "2007-08-05");
  const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int month = 1; month <= 12; ++month) {
    const std::string date = std::string(months[month - 1]) + " 17 2031";
    char expected[11];
    std::snprintf(expected, sizeof expected, "2031-%02d-17", month);
    EXPECT_EQ(Reformatted(date.c_str()), expected) << date;
  }
  // Input too short to hold a date is not read past its end.
  EXPECT_EQ(Reformatted("Apr 30"), "");
  EXPECT_EQ(Reformatted(nullptr), "");
}

TEST(BuildDate, CompilationDateIsAnIsoDate) {
  char date[11];
  NprHostApplicationServices::CompilationDate(date);
  ASSERT_EQ(std::strlen(date), 10u);
  EXPECT_EQ(date[4], '-');
  EXPECT_EQ(date[7], '-');
  const int month = std::atoi(date + 5);
  const int day = std::atoi(date + 8);
  EXPECT_GE(std::atoi(date), 2024);
  EXPECT_TRUE(month >= 1 && month <= 12) << date;
  EXPECT_TRUE(day >= 1 && day <= 31) << date;
  EXPECT_EQ(PerBuildKey(), std::string("SOFTWARE\\Brisco\\OrvelleRuza\\1.0\\") + date);
}

TEST(DefaultHost, IsNullUntilSetAndSetReturnsThePreviousHost) {
  TemporaryHome home;
  EXPECT_EQ(NprHostApplicationServices::getDefaultHost(), nullptr);
  TestHost first;
  TestHost second;
  EXPECT_EQ(NprHostApplicationServices::setDefaultHost(&first), nullptr);
  EXPECT_EQ(NprHostApplicationServices::getDefaultHost(), &first);
  EXPECT_EQ(NprHostApplicationServices::setDefaultHost(&second), &first);
  EXPECT_EQ(NprHostApplicationServices::setDefaultHost(nullptr), &second);
}

TEST(DefaultHost, AnInstalledHostGivesWayToTheOneBeforeItWhenItGoes) {
  TemporaryHome home;
  TestHost outer;
  TestHost inner;
  {
    const NprInstalledHost installedOuter(outer);
    {
      const NprInstalledHost installedInner(inner);
      EXPECT_EQ(NprHostApplicationServices::getDefaultHost(), &inner);
    }
    EXPECT_EQ(NprHostApplicationServices::getDefaultHost(), &outer);
  }
  EXPECT_EQ(NprHostApplicationServices::getDefaultHost(), nullptr);
}

class HostServices : public ::testing::Test {
protected:
  std::string Folder(NprHostApplicationServices::Folder kind, unsigned long size = MAX_PATH) {
    char buffer[MAX_PATH] = "";
    return mHost.GetStyleFolder(kind, buffer, size) != 0 ? std::string(buffer) : std::string("<failed>");
  }

  TemporaryHome mHome;
  TestHost mHost;
};

TEST_F(HostServices, ConstructionCreatesTheUsersStylesDataFolder) {
  EXPECT_TRUE(std::filesystem::is_directory(mHome.Path() / "data/Brisco/Orvelle SR3/Styles"));
  // Creating another host over the existing folder is fine.
  TestHost again;
  EXPECT_EQ(Folder(NprHostApplicationServices::UserDataFolder), mHome / "data/Brisco/Orvelle SR3/Styles");
}

TEST_F(HostServices, DataFoldersFallBackToTheShellFolderRecords) {
  EXPECT_EQ(Folder(NprHostApplicationServices::CommonDataFolder), mHome / "share/Brisco/Orvelle SR3/Styles");

  // A data home that cannot be a folder path makes the shell call fail.
  mHome.Environment().Set("XDG_DATA_HOME", "/" + std::string(300, 'd'));
  mHome.Environment().Set("XDG_DATA_DIRS", "/" + std::string(300, 'c'));
  EXPECT_EQ(Folder(NprHostApplicationServices::UserDataFolder), "<failed>");
  EXPECT_EQ(Folder(NprHostApplicationServices::CommonDataFolder), "<failed>");
  const std::string shellFolders = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  SetString(HKEY_CURRENT_USER, shellFolders, "AppData", "/roaming");
  SetString(HKEY_LOCAL_MACHINE, shellFolders, "Common AppData", "/all users");
  EXPECT_EQ(Folder(NprHostApplicationServices::UserDataFolder), "/roaming/Brisco/Orvelle SR3/Styles");
  EXPECT_EQ(Folder(NprHostApplicationServices::CommonDataFolder), "/all users/Brisco/Orvelle SR3/Styles");
}

TEST_F(HostServices, UserStylesFolderIsTheRegistrySettingOrBelowTheDocuments) {
  std::filesystem::create_directories(mHome.Path() / "config");
  WriteText(mHome.Path() / "config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"/srv/Docs\"\n");
  EXPECT_EQ(Folder(NprHostApplicationServices::UserStylesFolder), "/srv/Docs/My Orvelle Styles");

  SetDword(HKEY_CURRENT_USER, PerBuildKey(), "StylesPath", 7);
  EXPECT_EQ(Folder(NprHostApplicationServices::UserStylesFolder), "/srv/Docs/My Orvelle Styles");
  SetString(HKEY_CURRENT_USER, PerBuildKey(), "StylesPath", "/team/styles/");
  EXPECT_EQ(Folder(NprHostApplicationServices::UserStylesFolder), "/team/styles/");
  SetString(HKEY_CURRENT_USER, PerBuildKey(), "StylesPath", "");
  EXPECT_EQ(Folder(NprHostApplicationServices::UserStylesFolder), "/srv/Docs/My Orvelle Styles");
}

TEST_F(HostServices, MachineStylesFolderOnlyWhenTheRegistryNamesOne) {
  EXPECT_EQ(Folder(NprHostApplicationServices::MachineStylesFolder), "<failed>");
  SetString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Brisco\\OrvelleRuza\\Styles", "", "/opt/orvelle/styles");
  EXPECT_EQ(Folder(NprHostApplicationServices::MachineStylesFolder), "/opt/orvelle/styles");
  EXPECT_EQ(Folder(static_cast<NprHostApplicationServices::Folder>(4)), "<failed>");
}

TEST_F(HostServices, FailsRatherThanOverrunningASmallBuffer) {
  char buffer[16 + 4];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(mHost.GetStyleFolder(NprHostApplicationServices::UserDataFolder, buffer, 16), 0);
  EXPECT_EQ(std::string(buffer + 16, 4), "####");
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(mHost.GetDefaultStyleFilePath(buffer, 16), 0);
  EXPECT_EQ(std::string(buffer + 16, 4), "####");

  // Fits the folder but not the file name after it.
  const std::string folder = Folder(NprHostApplicationServices::UserDataFolder);
  char exact[MAX_PATH];
  EXPECT_EQ(mHost.GetDefaultStyleFilePath(exact, static_cast<unsigned long>(folder.size() + 5)), 0);
}

TEST_F(HostServices, DefaultStyleFilePathHonoursAnOverriddenFolder) {
  char path[MAX_PATH];
  ASSERT_EQ(mHost.GetDefaultStyleFilePath(path, sizeof path), 1);
  EXPECT_EQ(std::string(path), mHome / "data/Brisco/Orvelle SR3/Styles/Custom.npr");
  OverridingHost host;
  ASSERT_EQ(host.GetDefaultStyleFilePath(path, sizeof path), 1);
  EXPECT_EQ(std::string(path), "/host/own/styles/Custom.npr");
}

TEST_F(HostServices, PreferencesLiveUnderThePerBuildKeyOnly) {
  mHost.setShowPreview(true);
  EXPECT_FALSE(mHost.getShowPreview());
  EXPECT_FALSE(std::filesystem::exists(mHome / "user.reg")) << "a preference write created a key";

  CreateKey(HKEY_CURRENT_USER, PerBuildKey());
  mHost.setShowPreview(true);
  EXPECT_TRUE(mHost.getShowPreview());
  mHost.setShowPreview(false);
  EXPECT_FALSE(mHost.getShowPreview());

  EXPECT_FALSE(mHost.getLoadToolbar());
  SetDword(HKEY_CURRENT_USER, PerBuildKey(), "LoadToolbar", 1);
  EXPECT_FALSE(mHost.getLoadToolbar()) << "the toolbar preference is the machine's";
  SetDword(HKEY_LOCAL_MACHINE, PerBuildKey(), "LoadToolbar", 2);
  EXPECT_TRUE(mHost.getLoadToolbar());
  SetString(HKEY_LOCAL_MACHINE, PerBuildKey(), "LoadToolbar", "1");
  EXPECT_FALSE(mHost.getLoadToolbar());
}

TEST_F(HostServices, MostRecentIsWrittenUnderEachRootWhoseKeyExists) {
  const std::string product = "SOFTWARE\\Brisco\\OrvelleRuza";
  CreateKey(HKEY_CURRENT_USER, product);
  mHost.SetMostRecentExecuted();
  char date[11];
  NprHostApplicationServices::CompilationDate(date);
  DWORD size = 0;
  EXPECT_EQ(QueryString(HKEY_CURRENT_USER, product, "MostRecent", &size), date);
  EXPECT_EQ(size, 11u);
  EXPECT_EQ(QueryString(HKEY_LOCAL_MACHINE, product, "MostRecent"), "<no key>");

  CreateKey(HKEY_LOCAL_MACHINE, product);
  mHost.SetMostRecentExecuted();
  EXPECT_EQ(QueryString(HKEY_LOCAL_MACHINE, product, "MostRecent"), date);
}

TEST_F(HostServices, ChoosersReportCancelledUntilAHostProvidesThem) {
  unsigned long color = 0x123456;
  EXPECT_EQ(mHost.GetColorDialog(nullptr, color), 0);
  EXPECT_EQ(color, 0x123456u);
  char file[MAX_PATH] = "previous.png";
  EXPECT_EQ(mHost.GetBitmapFilename(nullptr, file, sizeof file, 1), 0);
  EXPECT_STREQ(file, "");
  EXPECT_EQ(mHost.GetMainWindow(), nullptr);
}

}  // namespace
