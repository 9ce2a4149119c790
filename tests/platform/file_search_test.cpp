#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

class FileSearch : public ::testing::Test {
protected:
  void SetUp() override {
    char name[] = "/tmp/file_search_XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    mFolder = name;
  }
  void TearDown() override { std::filesystem::remove_all(mFolder); }

  void Touch(const std::string& name, std::size_t bytes = 0) {
    std::ofstream(mFolder / name) << std::string(bytes, 'x');
  }

  // Every name the search returns, in its order; empty when it finds none.
  std::vector<std::string> Find(const std::string& wildcard) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((mFolder / wildcard).c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
      return names;
    }
    do {
      names.emplace_back(data.cFileName);
    } while (FindNextFileA(search, &data));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    return names;
  }

  std::filesystem::path mFolder;
};

TEST_F(FileSearch, MatchesWildcardsIgnoringCaseInNameOrder) {
  for (const char* name : {"b.so", "A.SO", "c.so.1", "notes.txt", "libx.so", "[x].so"}) {
    Touch(name);
  }
  std::filesystem::create_directory(mFolder / "dir.so");

  EXPECT_EQ(Find("*.so"), (std::vector<std::string>{"[x].so", "A.SO", "b.so", "dir.so", "libx.so"}));
  EXPECT_EQ(Find("?.so"), (std::vector<std::string>{"A.SO", "b.so"}));
  // Brackets are ordinary characters in a Windows pattern.
  EXPECT_EQ(Find("[x].so"), (std::vector<std::string>{"[x].so"}));
  EXPECT_EQ(Find("*.*").size(), 7u);
}

TEST_F(FileSearch, DescribesEachEntry) {
  Touch("data.bin", 1234);
  std::filesystem::create_directory(mFolder / "data.dir");

  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((mFolder / "data.bin").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.nFileSizeLow, 1234u);
  EXPECT_EQ(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  // Written a moment ago: after the year 2020 in 100 ns ticks since 1601.
  const unsigned long long written =
      (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  EXPECT_GT(written, 132223104000000000ULL);
  EXPECT_TRUE(FindClose(search));

  search = FindFirstFileA((mFolder / "data.dir").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_NE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_TRUE(FindClose(search));
}

TEST_F(FileSearch, ReportsMissingFilesFoldersAndHandles) {
  Touch("only.txt");
  WIN32_FIND_DATAA data;
  EXPECT_EQ(FindFirstFileA((mFolder / "*.so").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  EXPECT_EQ(FindFirstFileA((mFolder / "missing" / "*.so").c_str(), &data), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

  HANDLE search = FindFirstFileA((mFolder / "*").c_str(), &data);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(data.cFileName, "only.txt");
  EXPECT_FALSE(FindNextFileA(search, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_FILES));
  EXPECT_TRUE(FindClose(search));

  // A closed search is gone: neither reading nor closing it again works.
  EXPECT_FALSE(FindNextFileA(search, &data));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FindClose(search));
  EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
}

}  // namespace
