#include <windows.h>

#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using linvale::test::ReadText;
using linvale::test::TemporaryFolder;
using linvale::test::WriteText;

// Runs `work` in a child process and returns the child's exit status.
template <typename Work>
pid_t StartChild(Work work) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::_exit(work() ? 0 : 1);
  }
  return child;
}

bool ChildSucceeded(pid_t child) {
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A process id that belonged to a process which has ended.
pid_t DeadProcessId() {
  const pid_t child = StartChild([] { return true; });
  ChildSucceeded(child);
  return child;
}

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

  bool Write(const char* section, const char* key, const char* value) {
    return WritePrivateProfileStringA(section, key, value, mFile.c_str()) != FALSE;
  }

  ino_t Inode() const {
    struct stat info {};
    EXPECT_EQ(::stat(mFile.c_str(), &info), 0);
    return info.st_ino;
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
  EXPECT_EQ(ReadText(mFile), "; hand-written\r\n[Common]\r\nSTYLE=new\r\nAdded=yes\r\n\r\n[Other]\r\nx=1\r\ny=2\r\n");

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

TEST_F(PrivateProfile, DropsOneMatchingPairOfQuotesFromValues) {
  WriteText(mFile,
            "[Common]\n"
            "Style=\"Quoted\"\n"
            "WallPaper = '/pics/bg.bmp' \n"
            "Mixed=\"a'\n"
            "Lone=\"\n"
            "Empty=''\n"
            "Twice=\"\"inner\"\"\n"
            "Inside=a \"b\" c\n");
  EXPECT_EQ(Read("Common", "Style"), "Quoted");
  EXPECT_EQ(mLastCount, 6u);
  EXPECT_EQ(Read("Common", "WallPaper"), "/pics/bg.bmp");
  EXPECT_EQ(Read("Common", "Mixed"), "\"a'");
  EXPECT_EQ(Read("Common", "Lone"), "\"");
  EXPECT_EQ(Read("Common", "Empty", "default"), "");
  EXPECT_EQ(Read("Common", "Twice"), "\"inner\"");
  EXPECT_EQ(Read("Common", "Inside"), "a \"b\" c");

  // Writing stores the value as given; only reading takes quotes off.
  ASSERT_TRUE(Write("Common", "Added", "\"kept\""));
  EXPECT_NE(ReadText(mFile).find("Added=\"kept\"\n"), std::string::npos);
}

TEST_F(PrivateProfile, WritingTheValueAKeyAlreadyReadsAsLeavesTheFileAlone) {
  const std::string original = "; hand-written\r\n[Common]\r\nStyle = \"Pencil\"\r\nWallPaper='/pics/bg.bmp'\r\n";
  WriteText(mFile, original);
  const ino_t before = Inode();
  ASSERT_TRUE(Write("common", "STYLE", "Pencil"));
  ASSERT_TRUE(Write("Common", "WallPaper", "/pics/bg.bmp"));
  EXPECT_EQ(ReadText(mFile), original);
  EXPECT_EQ(Inode(), before) << "rewritten although nothing changed";

  // A real change rewrites only its line, in the file's line ending.
  ASSERT_TRUE(Write("Common", "Style", "Ink"));
  ASSERT_TRUE(Write("Common", "Width", "3"));
  ASSERT_TRUE(Write("Sketch", "Paper", "1"));
  EXPECT_EQ(ReadText(mFile),
            "; hand-written\r\n[Common]\r\nStyle=Ink\r\nWallPaper='/pics/bg.bmp'\r\nWidth=3\r\n"
            "[Sketch]\r\nPaper=1\r\n");
}

TEST_F(PrivateProfile, NewLinesFollowTheLineEndingsOfTheFile) {
  // The last line has no ending; the line added after it gets one.
  WriteText(mFile, "[Common]\r\nStyle=Pencil");
  ASSERT_TRUE(Write("Common", "Width", "3"));
  EXPECT_EQ(ReadText(mFile), "[Common]\r\nStyle=Pencil\r\nWidth=3\r\n");

  WriteText(mFile, "[Common]\rStyle=Pencil\rWidth=3\r");
  EXPECT_EQ(Read("Common", "Style"), "Pencil");
  EXPECT_EQ(Read("Common", "Width"), "3");
  ASSERT_TRUE(Write("Common", "Style", "Ink"));
  ASSERT_TRUE(Write("Other", "x", "1"));
  EXPECT_EQ(ReadText(mFile), "[Common]\rStyle=Ink\rWidth=3\r[Other]\rx=1\r");

  // A blank line between CR-ended lines is a line of its own, not a CRLF.
  WriteText(mFile, "[A]\r\r\nkey=1\n");
  EXPECT_EQ(Read("A", "key"), "1");
}

TEST_F(PrivateProfile, ReadsFilesWithByteOrderMarks) {
  WriteText(mFile, "\xEF\xBB\xBF[Common]\r\nStyle=Crayon \xC3\xA9\r\n");
  EXPECT_EQ(Read("Common", "Style"), "Crayon \xC3\xA9");
  // The mark stays when the file is written.
  ASSERT_TRUE(Write("Common", "Width", "3"));
  EXPECT_EQ(ReadText(mFile), "\xEF\xBB\xBF[Common]\r\nStyle=Crayon \xC3\xA9\r\nWidth=3\r\n");

  // "[S]\r\nk=\u00e9\U0001F58A" in UTF-16, little and big endian, and a lone
  // surrogate that is no character.
  constexpr char kLittleEndian[] = "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\x3D\xD8\x8A\xDD\r\0\n\0x\0=\0\x00\xD8";
  constexpr char kBigEndian[] = "\xFE\xFF\0[\0S\0]\0\r\0\n\0k\0=\0\xE9\xD8\x3D\xDD\x8A";
  const std::string littleEndian(kLittleEndian, sizeof kLittleEndian - 1);
  const std::string bigEndian(kBigEndian, sizeof kBigEndian - 1);
  for (const std::string& encoded : {littleEndian, bigEndian}) {
    WriteText(mFile, encoded);
    EXPECT_EQ(Read("S", "k"), "\xC3\xA9\xF0\x9F\x96\x8A");
  }
  WriteText(mFile, littleEndian);
  EXPECT_EQ(Read("S", "x"), "\xEF\xBF\xBD");

  // A UTF-16 file is not rewritten, so it cannot be damaged.
  EXPECT_FALSE(Write("S", "k", "new"));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(ReadText(mFile), littleEndian);
}

TEST_F(PrivateProfile, WritersInSeveralProcessesLoseNoKey) {
  constexpr int kWriters = 8;
  constexpr int kKeysEach = 25;
  std::vector<pid_t> children;
  for (int writer = 0; writer < kWriters; ++writer) {
    children.push_back(StartChild([this, writer] {
      bool written = true;
      for (int i = 0; i < kKeysEach; ++i) {
        const std::string key = "k" + std::to_string(writer) + "_" + std::to_string(i);
        written = Write("Keys", key.c_str(), std::to_string(writer * 1000 + i).c_str()) && written;
      }
      return written;
    }));
  }
  for (const pid_t child : children) {
    EXPECT_TRUE(ChildSucceeded(child));
  }
  int kept = 0;
  for (int writer = 0; writer < kWriters; ++writer) {
    for (int i = 0; i < kKeysEach; ++i) {
      const std::string key = "k" + std::to_string(writer) + "_" + std::to_string(i);
      kept += Read("Keys", key.c_str()) == std::to_string(writer * 1000 + i) ? 1 : 0;
    }
  }
  EXPECT_EQ(kept, kWriters * kKeysEach);
  EXPECT_EQ(LeftoverTemporaryFiles(), 0u);
}

TEST_F(PrivateProfile, ReadsFollowChangesMadeElsewhere) {
  WriteText(mFile, "[Common]\nStyle=Pencil\n");
  EXPECT_EQ(Read("Common", "Style"), "Pencil");

  // Another process, through another name of the same file.
  const std::string link = mFolder / "link.npr";
  ASSERT_EQ(::symlink(mFile.c_str(), link.c_str()), 0);
  ASSERT_TRUE(ChildSucceeded(
      StartChild([&] { return WritePrivateProfileStringA("Common", "Style", "Ink", link.c_str()) != FALSE; })));
  EXPECT_EQ(Read("Common", "Style"), "Ink");

  // A replacement of the same size and modification time: only the new
  // inode tells it apart.
  struct stat old {};
  ASSERT_EQ(::stat(mFile.c_str(), &old), 0);
  const std::string replacement = mFolder / "replacement";
  WriteText(replacement, "[Common]\nStyle=Tin\n");
  const timespec times[2] = {old.st_atim, old.st_mtim};
  ASSERT_EQ(::utimensat(AT_FDCWD, replacement.c_str(), times, 0), 0);
  ASSERT_EQ(::rename(replacement.c_str(), mFile.c_str()), 0);
  struct stat replaced {};
  ASSERT_EQ(::stat(mFile.c_str(), &replaced), 0);
  ASSERT_EQ(replaced.st_size, old.st_size);
  ASSERT_EQ(replaced.st_mtim.tv_nsec, old.st_mtim.tv_nsec);
  EXPECT_EQ(Read("Common", "Style"), "Tin");

  // This process's own write, and the file going away.
  ASSERT_TRUE(Write("Common", "Style", "Chalk"));
  EXPECT_EQ(Read("Common", "Style"), "Chalk");
  ASSERT_EQ(::unlink(mFile.c_str()), 0);
  EXPECT_EQ(Read("Common", "Style"), "?");
}

TEST_F(PrivateProfile, AWriteRemovesTemporaryFilesOfDeadWriters) {
  WriteText(mFile, "[Common]\nStyle=Pencil\n");
  const std::string dead = std::to_string(DeadProcessId());
  const std::string abandoned = mFile + ".tmp-" + dead + "-0";
  const std::string ofALiveWriter = mFile + ".tmp-" + std::to_string(::getppid()) + "-4";
  const std::string ofAnotherFile = mFolder / ("other.npr.tmp-" + dead + "-0");
  const std::string notATemporary = mFile + ".tmp-" + dead + "-x";
  for (const std::string& name : {abandoned, ofALiveWriter, ofAnotherFile, notATemporary}) {
    WriteText(name, "partial");
  }
  ASSERT_TRUE(Write("Common", "Style", "Ink"));
  EXPECT_FALSE(std::filesystem::exists(abandoned));
  EXPECT_TRUE(std::filesystem::exists(ofALiveWriter));
  EXPECT_TRUE(std::filesystem::exists(ofAnotherFile));
  EXPECT_TRUE(std::filesystem::exists(notATemporary));
}

}  // namespace
