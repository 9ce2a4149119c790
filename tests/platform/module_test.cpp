#include <windows.h>

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

const std::string probePath = MODULE_PROBE_PATH;

std::string ModulePath(HMODULE module) {
  char buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(module, buffer, MAX_PATH);
  return std::string(buffer, length < MAX_PATH ? length : 0);
}

class ScratchFile {
public:
  explicit ScratchFile(const std::string& content) {
    char name[] = "/tmp/module_test_XXXXXX";
    const int fd = mkstemp(name);
    close(fd);
    mPath = name;
    std::ofstream(mPath) << content;
  }
  ~ScratchFile() { std::filesystem::remove(mPath); }
  const std::string& Path() const { return mPath; }

private:
  std::string mPath;
};

TEST(LibraryLoader, LoadsFindsOwnExportsAndUnloads) {
  HMODULE module = LoadLibraryA(probePath.c_str());
  ASSERT_NE(module, nullptr);

  using Answer = int (*)();
  auto answer = reinterpret_cast<Answer>(GetProcAddress(module, "ModuleProbeAnswer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);

  // The probe links the platform library, so dlsym would find this one
  // through it; it is not the probe's own export.
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(GetProcAddress(module, "GetLastError"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(module, "NoSuchExport"), nullptr);

  EXPECT_EQ(ModulePath(module), std::filesystem::canonical(probePath).string());

  EXPECT_TRUE(FreeLibrary(module));
  EXPECT_EQ(dlopen(probePath.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST(LibraryLoader, ReportsWhyALoadFailed) {
  SetLastError(ERROR_SUCCESS);
  EXPECT_EQ(LoadLibraryA("/nonexistent/folder/plugin.so"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

  ScratchFile text("this is a text file, not a library\n");
  EXPECT_EQ(LoadLibraryA(text.Path().c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_FORMAT));

  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(LibraryLoader, RejectsHandlesItDidNotHandOut) {
  int notAModule = 0;
  auto bogus = reinterpret_cast<HMODULE>(&notAModule);
  EXPECT_FALSE(FreeLibrary(bogus));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetProcAddress(bogus, "ModuleProbeAnswer"), nullptr);
  EXPECT_FALSE(FreeLibrary(nullptr));

  // A handle whose library is gone is as unknown as a made-up one.
  HMODULE module = LoadLibraryA(probePath.c_str());
  ASSERT_NE(module, nullptr);
  ASSERT_TRUE(FreeLibrary(module));
  EXPECT_FALSE(FreeLibrary(module));
  char buffer[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameA(module, buffer, MAX_PATH), 0u);
}

TEST(ModuleFileName, NullIsTheExecutableAndShortBuffersAreCut) {
  const std::string executable = std::filesystem::read_symlink("/proc/self/exe").string();
  EXPECT_EQ(ModulePath(nullptr), executable);

  char small[8];
  std::fill(std::begin(small), std::end(small), 'x');
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), sizeof small);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::string(small), executable.substr(0, sizeof small - 1));
}

TEST(ModuleFileName, AnAddressLeadsToItsLibrary) {
  HMODULE platform = nullptr;
  ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                 reinterpret_cast<LPCSTR>(&GetLastError), &platform));
  EXPECT_EQ(std::filesystem::path(ModulePath(platform)).filename(), "liblinvale-platform.so");

  HMODULE executable = nullptr;
  static int inExecutable = 0;
  ASSERT_TRUE(
      GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&inExecutable), &executable));
  EXPECT_EQ(ModulePath(executable), ModulePath(nullptr));

  HMODULE none = reinterpret_cast<HMODULE>(1);
  EXPECT_FALSE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, nullptr, &none));
  EXPECT_EQ(none, nullptr);
}

TEST(ModuleFileName, HandleFromAddressHoldsAReferenceUntilFreed) {
  HMODULE loaded = LoadLibraryA(probePath.c_str());
  ASSERT_NE(loaded, nullptr);
  auto answer = GetProcAddress(loaded, "ModuleProbeAnswer");

  HMODULE counted = nullptr;
  ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(answer), &counted));
  EXPECT_EQ(counted, loaded);

  ASSERT_TRUE(FreeLibrary(loaded));
  void* stillLoaded = dlopen(probePath.c_str(), RTLD_NOW | RTLD_NOLOAD);
  EXPECT_NE(stillLoaded, nullptr) << "the second reference keeps it loaded";
  if (stillLoaded != nullptr) {
    dlclose(stillLoaded);
  }
  ASSERT_TRUE(FreeLibrary(counted));
  EXPECT_EQ(dlopen(probePath.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST(WorkingSet, CurrentProcessRequestIsAcceptedOthersAreNot) {
  EXPECT_TRUE(SetProcessWorkingSetSize(GetCurrentProcess(), 0x4000000, 0x8000000));
  EXPECT_FALSE(SetProcessWorkingSetSize(GetCurrentProcess(), 0x8000000, 0x4000000));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(SetProcessWorkingSetSize(nullptr, 1, 2));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

}  // namespace
