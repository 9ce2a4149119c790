// Reading keys one call at a time from a very large style file, as a shader
// reading its parameters does: 200 keys spread over 200,000 sections.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int kSections = 200000;
constexpr int kKeysRead = 200;

// A folder with the large file, removed when the program ends.
class LargeStyleFile {
public:
  LargeStyleFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "linvale-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) {
      mFolder = pattern;
    }
    std::ofstream out(Path(), std::ios::binary);
    for (int section = 0; section < kSections; ++section) {
      out << "[Section" << section << "]\r\nWidth=" << section << "\r\nName=\"style " << section << "\"\r\n";
    }
  }
  LargeStyleFile(const LargeStyleFile&) = delete;
  LargeStyleFile& operator=(const LargeStyleFile&) = delete;
  ~LargeStyleFile() {
    std::error_code ignored;
    std::filesystem::remove_all(mFolder, ignored);
  }

  std::string Path() const { return (mFolder / "large.npr").string(); }

private:
  std::filesystem::path mFolder;
};

// The first call reads and parses the file; the timed calls find it parsed.
void Read200KeysFrom200000Sections(benchmark::State& state) {
  const LargeStyleFile file;
  const std::string path = file.Path();
  char value[MAX_PATH];
  GetPrivateProfileStringA("Section0", "Width", "", value, MAX_PATH, path.c_str());
  for (auto _ : state) {
    for (int key = 0; key < kKeysRead; ++key) {
      const std::string section = "Section" + std::to_string(key * (kSections / kKeysRead));
      benchmark::DoNotOptimize(GetPrivateProfileStringA(section.c_str(), "Width", "", value, MAX_PATH, path.c_str()));
    }
  }
  if (std::to_string((kKeysRead - 1) * (kSections / kKeysRead)) != value) {
    state.SkipWithError("the last key read back wrong");
  }
}
BENCHMARK(Read200KeysFrom200000Sections)->Unit(benchmark::kMillisecond);

// One key after the file changed: the whole file is read and parsed again.
void ReadOneKeyAfterEachChange(benchmark::State& state) {
  const LargeStyleFile file;
  const std::string path = file.Path();
  char value[MAX_PATH];
  int generation = 0;
  for (auto _ : state) {
    state.PauseTiming();
    WritePrivateProfileStringA("Section0", "Generation", std::to_string(++generation).c_str(), path.c_str());
    state.ResumeTiming();
    benchmark::DoNotOptimize(GetPrivateProfileStringA("Section199999", "Width", "", value, MAX_PATH, path.c_str()));
  }
}
BENCHMARK(ReadOneKeyAfterEachChange)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
