#include <windows.h>

#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using linvale::test::ReadText;
using linvale::test::TemporaryHome;
using linvale::test::WriteText;

constexpr const char* kProductKey = "SOFTWARE\\Brisco\\OrvelleRuza";

class Registry : public ::testing::Test {
protected:
  HKEY Create(HKEY root, const char* path, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(
        RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, disposition),
        ERROR_SUCCESS);
    return key;
  }

  static LONG SetString(HKEY key, const char* name, const std::string& text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
  }

  static LONG SetDword(HKEY key, const char* name, DWORD value) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }

  static std::string QueryString(HKEY key, const char* name) {
    char text[MAX_PATH] = "";
    DWORD size = sizeof text;
    DWORD type = REG_NONE;
    EXPECT_EQ(RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    return std::string(text, size > 0 ? size - 1 : 0);
  }

  TemporaryHome mHome;
};

TEST_F(Registry, AKeyExistsOnlyOnceCreatedAndIsFoundIgnoringCase) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);

  DWORD disposition = 0;
  HKEY created = Create(HKEY_CURRENT_USER, kProductKey, &disposition);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  EXPECT_EQ(RegCloseKey(created), ERROR_SUCCESS);

  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\BRISCO\\orvelleruza", 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  // Parents come into being with the key; separators may be doubled.
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\\\Brisco\\", 0, KEY_READ, &key), ERROR_SUCCESS);
  HKEY child = nullptr;
  EXPECT_EQ(RegOpenKeyExA(key, "OrvelleRuza", 0, KEY_READ, &child), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(child), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

  Create(HKEY_CURRENT_USER, "Software\\brisco\\OrvelleRuza", &disposition);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
  // The machine root is a different store.
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, StoresAndReadsStringsAndNumbers) {
  HKEY key = Create(HKEY_CURRENT_USER, kProductKey);
  const std::string awkward = "C:\\Styles \"quoted\"\nsecond line\t=;[x]";
  EXPECT_EQ(SetString(key, "StylesPath", awkward), ERROR_SUCCESS);
  EXPECT_EQ(SetDword(key, "ShowPreview", 0x1234abcd), ERROR_SUCCESS);
  EXPECT_EQ(SetString(key, nullptr, "default value"), ERROR_SUCCESS);
  RegCloseKey(key);

  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(QueryString(key, "stylespath"), awkward);
  EXPECT_EQ(QueryString(key, ""), "default value");
  DWORD number = 0;
  DWORD size = sizeof number;
  DWORD type = REG_NONE;
  EXPECT_EQ(RegQueryValueExA(key, "ShowPreview", nullptr, &type, reinterpret_cast<BYTE*>(&number), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(number, 0x1234abcdu);
  EXPECT_EQ(size, 4u);

  // Size queries and a buffer that is too small.
  size = 0;
  EXPECT_EQ(RegQueryValueExA(key, "StylesPath", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, awkward.size() + 1);
  char small[4] = "abc";
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExA(key, "StylesPath", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, awkward.size() + 1);
  EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

TEST_F(Registry, HonoursAccessRightsAndHandles) {
  HKEY key = Create(HKEY_CURRENT_USER, kProductKey);
  RegCloseKey(key);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_EQ(SetDword(key, "ShowPreview", 1), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(SetDword(key, "ShowPreview", 1), ERROR_INVALID_HANDLE);

  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
  const BYTE threeBytes[3] = {1, 2, 3};
  EXPECT_EQ(RegSetValueExA(key, "Short", 0, REG_DWORD, threeBytes, 3), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExA(key, "Short", nullptr, nullptr, nullptr, nullptr), ERROR_ACCESS_DENIED);
  RegCloseKey(key);
}

TEST_F(Registry, KeepsEachRootInItsOwnFileAcrossReads) {
  HKEY user = Create(HKEY_CURRENT_USER, kProductKey);
  HKEY machine = Create(HKEY_LOCAL_MACHINE, kProductKey);
  EXPECT_EQ(SetString(user, "MostRecent", "2007-04-30"), ERROR_SUCCESS);
  EXPECT_EQ(SetString(machine, "MostRecent", "2007-08-05"), ERROR_SUCCESS);
  EXPECT_EQ(QueryString(user, "MostRecent"), "2007-04-30");
  EXPECT_EQ(QueryString(machine, "MostRecent"), "2007-08-05");
  EXPECT_NE(ReadText(mHome / "user.reg").find("2007-04-30"), std::string::npos);
  EXPECT_EQ(ReadText(mHome / "user.reg").find("2007-08-05"), std::string::npos);
  EXPECT_NE(ReadText(mHome / "machine.reg").find("2007-08-05"), std::string::npos);
  RegCloseKey(user);
  RegCloseKey(machine);
}

TEST_F(Registry, NeverOverwritesAFileItCannotParse) {
  const std::string damaged = "[SOFTWARE\\Brisco]\n\"Kept\"=sz:\"value\"\nthis is not a registry line\n";
  WriteText(mHome / "user.reg", damaged);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Brisco", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(
      RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Other", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
      ERROR_BADDB);
  EXPECT_EQ(ReadText(mHome / "user.reg"), damaged);
  // The other root is unaffected.
  HKEY machine = Create(HKEY_LOCAL_MACHINE, kProductKey);
  EXPECT_EQ(SetDword(machine, "LoadToolbar", 1), ERROR_SUCCESS);
  RegCloseKey(machine);
}

TEST_F(Registry, KeepsValuesOfEveryTypeAndTheFileStaysReadable) {
  HKEY key = Create(HKEY_CURRENT_USER, kProductKey);
  const BYTE bytes[5] = {0x00, 0xff, 0x10, 0x00, 0x7f};
  // The widest type numbers have ten digits in the file.
  const DWORD types[] = {REG_NONE, 3, 7, 999999999, 1000000000, 0xFFFFFFFF};
  for (const DWORD type : types) {
    const std::string name = "t" + std::to_string(type);
    ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, bytes, sizeof bytes), ERROR_SUCCESS) << name;
  }
  ASSERT_EQ(RegSetValueExA(key, "Empty", 0, 3, nullptr, 0), ERROR_SUCCESS);
  // Later calls still find a file they can read.
  EXPECT_EQ(SetString(key, "After", "still readable"), ERROR_SUCCESS);
  EXPECT_EQ(QueryString(key, "After"), "still readable");

  for (const DWORD type : types) {
    const std::string name = "t" + std::to_string(type);
    BYTE read[8] = {};
    DWORD size = sizeof read;
    DWORD readType = REG_SZ;
    ASSERT_EQ(RegQueryValueExA(key, name.c_str(), nullptr, &readType, read, &size), ERROR_SUCCESS) << name;
    EXPECT_EQ(readType, type);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(read), size), std::string(reinterpret_cast<const char*>(bytes), 5));
  }
  DWORD size = 8;
  BYTE read[8];
  EXPECT_EQ(RegQueryValueExA(key, "Empty", nullptr, nullptr, read, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 0u);
  RegCloseKey(key);
}

TEST_F(Registry, AHandWrittenValueOfAnUnknownTypeSurvivesOtherChanges) {
  WriteText(mHome / "user.reg",
            "[SOFTWARE\\Brisco\\OrvelleRuza]\n\"Multi\"=hex(7):61,00,62,00,00,00\n\"Big\"=hex(4294967295):01\n");
  HKEY key = Create(HKEY_CURRENT_USER, kProductKey);
  EXPECT_EQ(SetDword(key, "ShowPreview", 1), ERROR_SUCCESS);
  const std::string text = ReadText(mHome / "user.reg");
  EXPECT_NE(text.find("\"Multi\"=hex(7):61,00,62,00,00,00\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"Big\"=hex(4294967295):01\n"), std::string::npos) << text;
  RegCloseKey(key);

  // A type beyond 32 bits was never written by the store: the file is
  // damaged and left alone.
  const std::string damaged = "[SOFTWARE]\n\"Big\"=hex(4294967296):01\n";
  WriteText(mHome / "user.reg", damaged);
  HKEY other = nullptr;
  EXPECT_EQ(
      RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Other", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &other, nullptr),
      ERROR_BADDB);
  EXPECT_EQ(ReadText(mHome / "user.reg"), damaged);
}

TEST_F(Registry, ConcurrentWritersLoseNoValue) {
  HKEY key = Create(HKEY_CURRENT_USER, kProductKey);
  constexpr int kWriters = 4;
  constexpr int kValuesEach = 20;
  std::vector<std::thread> writers;
  for (int writer = 0; writer < kWriters; ++writer) {
    writers.emplace_back([key, writer] {
      for (int i = 0; i < kValuesEach; ++i) {
        const std::string name = "v" + std::to_string(writer) + "_" + std::to_string(i);
        EXPECT_EQ(SetDword(key, name.c_str(), static_cast<DWORD>(writer * 1000 + i)), ERROR_SUCCESS);
      }
    });
  }
  for (auto& thread : writers) {
    thread.join();
  }
  for (int writer = 0; writer < kWriters; ++writer) {
    for (int i = 0; i < kValuesEach; ++i) {
      const std::string name = "v" + std::to_string(writer) + "_" + std::to_string(i);
      DWORD number = 0;
      DWORD size = sizeof number;
      ASSERT_EQ(RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size),
                ERROR_SUCCESS)
          << name;
      EXPECT_EQ(number, static_cast<DWORD>(writer * 1000 + i));
    }
  }
  RegCloseKey(key);
}

TEST_F(Registry, AChangeRemovesTemporaryFilesOfDeadWriters) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::_exit(0);
  }
  ASSERT_EQ(::waitpid(child, nullptr, 0), child);
  const std::string abandoned = mHome / ("user.reg.tmp-" + std::to_string(child) + "-2");
  const std::string ofThisProcess = mHome / ("user.reg.tmp-" + std::to_string(::getpid()) + "-999999");
  WriteText(abandoned, "[SOFTWARE]\n");
  WriteText(ofThisProcess, "[SOFTWARE]\n");
  HKEY key = Create(HKEY_CURRENT_USER, kProductKey);
  EXPECT_FALSE(std::filesystem::exists(abandoned));
  EXPECT_TRUE(std::filesystem::exists(ofThisProcess));
  RegCloseKey(key);
}

}  // namespace
