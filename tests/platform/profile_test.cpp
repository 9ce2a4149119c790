#include <windows.h>

#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using linvale::test::ReadText;
using linvale::test::TemporaryFolder;
using linvale::test::WriteText;

class PrivateProfile : public ::testing::Test {
protected:
  std::string Read(const char* section, const char* key, const char* fallback = "?", DWORD size = MAX_PATH) {
    std::string buffer(size, '#');
    mLastCount = GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, mFile.c_str());
    return buffer.c_str();
  }

  std::size_t LeftoverTemporaryFiles() const {
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(mFolder.Path())) {
      count += entry.path().filename().string().find(".tmp-") != std::string::npos ? 1 : 0;
    }
    return count;
  }

  TemporaryFolder mFolder;
  std::string mFile = mFolder / "style.npr";
  DWORD mLastCount = 0;
};

TEST_F(PrivateProfile, MatchesNamesIgnoringCaseAndTakesTheFirstMatch) {
  WriteText(mFile,
            "top=before any section\r\n"
            "[Common]\r\n"
            "  Current Render  =  Sketch  \r\n"
            "current render=Cartoon\r\n"
            "; Style=commented out\r\n"
            "Style=Pencil\r\n"
            "[ common ]\r\n"
            "Extra=from the duplicate section\r\n"
            "[Sketch]\n"
            "Width=3\n");
  EXPECT_EQ(Read("COMMON", "current RENDER"), "Sketch");
  EXPECT_EQ(mLastCount, 6u);
  EXPECT_EQ(Read("Common", "Style"), "Pencil");
  EXPECT_EQ(Read("common", "Extra"), "?");
  EXPECT_EQ(Read("Sketch", "width"), "3");
  EXPECT_EQ(Read("Common", "top"), "?");
}

TEST_F(PrivateProfile, GivesTheDefaultWhenFileSectionOrKeyIsMissing) {
  EXPECT_EQ(Read("Common", "Style", "fallback"), "fallback");
  EXPECT_EQ(mLastCount, 8u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(Read("Common", "Style", nullptr), "");
  EXPECT_EQ(mLastCount, 0u);

  WriteText(mFile, "[Common]\nStyle=\n");
  EXPECT_EQ(Read("Other", "Style", "1"), "1");
  EXPECT_EQ(Read("Common", "Missing", "1"), "1");
  // An empty value is a value, not a missing key.
  EXPECT_EQ(Read("Common", "Style", "1"), "");
  EXPECT_EQ(mLastCount, 0u);
}

TEST_F(PrivateProfile, CutsTheCopyToTheBufferSize) {
  WriteText(mFile, "[A]\nkey=abcdefghij\n");
  EXPECT_EQ(Read("A", "key", "", 5), "abcd");
  EXPECT_EQ(mLastCount, 4u);
  EXPECT_EQ(Read("A", "missing", "0123456789", 4), "012");
  EXPECT_EQ(mLastCount, 3u);
  EXPECT_EQ(Read("A", "key", "", 1), "");
  EXPECT_EQ(mLastCount, 0u);
  char untouched = 'x';
  EXPECT_EQ(GetPrivateProfileStringA("A", "key", "", &untouched, 0, mFile.c_str()), 0u);
  EXPECT_EQ(untouched, 'x');
}

TEST_F(PrivateProfile, ListsSectionsAndKeysWhenNamesAreNull) {
  WriteText(mFile, "[A]\none=1\ntwo=2\n[B]\n");
  char list[32];
  DWORD count = GetPrivateProfileStringA(nullptr, nullptr, "", list, sizeof list, mFile.c_str());
  EXPECT_EQ(std::string(list, count + 1), std::string("A\0B\0\0", 5));
  count = GetPrivateProfileStringA("a", nullptr, "", list, sizeof list, mFile.c_str());
  EXPECT_EQ(std::string(list, count + 1), std::string("one\0two\0\0", 9));
  // A list that does not fit is cut and still ends in two NULs.
  count = GetPrivateProfileStringA("A", nullptr, "", list, 7, mFile.c_str());
  EXPECT_EQ(count, 5u);
  EXPECT_EQ(std::string(list, 7), std::string("one\0t\0\0", 7));
}

TEST_F(PrivateProfile, WritingCreatesFileSectionAndKeyAndKeepsOtherLines) {
  ASSERT_TRUE(WritePrivateProfileStringA("Common", "Current Render", "Sketch", mFile.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Common", "Style", "Pencil", mFile.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Sketch", "Width", "3", mFile.c_str()));
  EXPECT_EQ(ReadText(mFile), "[Common]\nCurrent Render=Sketch\nStyle=Pencil\n[Sketch]\nWidth=3\n");

  WriteText(mFile, "; hand-written\r\n[Common]\r\nSTYLE = old\r\n\r\n[Other]\r\nx=1");
  ASSERT_TRUE(WritePrivateProfileStringA("common", "Style", "new", mFile.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Common", "Added", "yes", mFile.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("Other", "y", "2", mFile.c_str()));
  EXPECT_EQ(ReadText(mFile),
            "; hand-written\r\n[Common]\r\nSTYLE=new\r\nAdded=yes\r\n\r\n[Other]\r\nx=1\r\ny=2\r\n");

  ASSERT_TRUE(WritePrivateProfileStringA("Common", "style", nullptr, mFile.c_str()));
  ASSERT_TRUE(WritePrivateProfileStringA("OTHER", nullptr, nullptr, mFile.c_str()));
  EXPECT_EQ(ReadText(mFile), "; hand-written\r\n[Common]\r\nAdded=yes\r\n\r\n");
}

TEST_F(PrivateProfile, RefusesTextThatWouldChangeTheFileStructure) {
  WriteText(mFile, "[Common]\nStyle=Pencil\n");
  const std::string before = ReadText(mFile);
  EXPECT_FALSE(WritePrivateProfileStringA("Common", "Style", "a\n[Injected]\nx=1", mFile.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(WritePrivateProfileStringA("Common", "a=b", "c", mFile.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringA("Com]mon", "a", "c", mFile.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringA("Common", "[x]", "c", mFile.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "a", "c", mFile.c_str()));
  EXPECT_FALSE(WritePrivateProfileStringA("Common", "a", "c", nullptr));
  EXPECT_EQ(ReadText(mFile), before);
}

TEST_F(PrivateProfile, ReplacesTheFileWholeKeepingItsPermissionsAndLinks) {
  WriteText(mFile, "[Common]\nStyle=Pencil\n");
  ASSERT_EQ(::chmod(mFile.c_str(), 0640), 0);
  struct stat before {};
  ASSERT_EQ(::stat(mFile.c_str(), &before), 0);
  ASSERT_TRUE(WritePrivateProfileStringA("Common", "Style", "Ink", mFile.c_str()));
  struct stat after {};
  ASSERT_EQ(::stat(mFile.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino) << "written in place instead of replaced";
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(LeftoverTemporaryFiles(), 0u);

  const std::string link = mFolder / "link.npr";
  ASSERT_EQ(::symlink(mFile.c_str(), link.c_str()), 0);
  ASSERT_TRUE(WritePrivateProfileStringA("Common", "Style", "Charcoal", link.c_str()));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadText(mFile), "[Common]\nStyle=Charcoal\n");
}

TEST_F(PrivateProfile, AFailedWriteLeavesTheOldFileAndReportsWhy) {
  const std::string original = "[Common]\nStyle=" + std::string(4000, 'p') + "\n";
  WriteText(mFile, original);

  // A file size limit makes the write of the new contents fail the way a
  // full disk does.
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
  rlimit small = limit;
  small.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const BOOL written = WritePrivateProfileStringA("Common", "Other", "x", mFile.c_str());
  const DWORD error = GetLastError();
  ::setrlimit(RLIMIT_FSIZE, &limit);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_EQ(ReadText(mFile), original);
  EXPECT_EQ(LeftoverTemporaryFiles(), 0u);

  EXPECT_FALSE(WritePrivateProfileStringA("A", "b", "c", (mFolder / "missing/style.npr").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(WritePrivateProfileStringA("A", "b", "c", mFolder.Path().c_str()));
}

TEST_F(PrivateProfile, ReadsWhatItCanFromDamagedFiles) {
  std::string junk;
  for (int i = 0; i < 4096; ++i) {
    junk += static_cast<char>((i * 7919) % 256);
  }
  const std::string longValue(64 * 1024, 'v');
  WriteText(mFile, junk + "\n[Common]\nno equals sign here\n[\nStyle=" + longValue + "\n=orphan value\n" +
                       std::string("Nul=a\0b", 7) + "\n[Common]\nStyle=second\n[Orvelle]\nVersion=abc\n");
  EXPECT_EQ(Read("Common", "Style", "", 260), longValue.substr(0, 259));
  EXPECT_EQ(mLastCount, 259u);
  EXPECT_EQ(Read("Common", "Nul"), "a");
  EXPECT_EQ(mLastCount, 1u);
  EXPECT_EQ(Read("Common", "no equals sign here"), "?");
  EXPECT_EQ(Read("Orvelle", "Version"), "abc");

  ASSERT_TRUE(WritePrivateProfileStringA("Common", "Style", "fixed", mFile.c_str()));
  EXPECT_EQ(Read("Common", "Style"), "fixed");
  EXPECT_NE(ReadText(mFile).find(junk), std::string::npos) << "unrelated lines must survive a write";
}

}  // namespace
