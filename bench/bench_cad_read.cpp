// Reading and meshing a CAD assembly as npr-render does at its normal
// quality: a generated STEP file of twenty different drilled plates (a few
// megabytes), in process and in a child process. BENCH_CAD_FILE names
// another file to measure instead.
#include <tessel/ts_model.h>

#include "cad_test_files.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

constexpr int kParts = 20;

// The file lives in a private folder for as long as the program runs.
class GeneratedAssembly {
public:
  GeneratedAssembly() {
    std::string folder = (std::filesystem::temp_directory_path() / "bench-cad-read-XXXXXX").string();
    if (mkdtemp(folder.data()) != nullptr) {
      mFolder = folder;
      linvale::test::WritePlateAssembly(Path(), kParts);
    }
  }
  ~GeneratedAssembly() {
    std::error_code ignored;
    std::filesystem::remove_all(mFolder, ignored);
  }
  GeneratedAssembly(const GeneratedAssembly&) = delete;
  GeneratedAssembly& operator=(const GeneratedAssembly&) = delete;

  std::string Path() const { return (mFolder / "rack.step").string(); }

private:
  std::filesystem::path mFolder;
};

std::string ModelPath() {
  if (const char* given = std::getenv("BENCH_CAD_FILE"); given != nullptr && *given != '\0') {
    return given;
  }
  static const GeneratedAssembly assembly;
  return assembly.Path();
}

void Report(benchmark::State& state, const TS_Model& model, const std::string& path) {
  std::uint64_t triangles = 0;
  for (const TS_ModelObject& object : model.m_objects) {
    triangles += static_cast<std::uint64_t>(object.mesh.FaceCount());
  }
  state.counters["objects"] = static_cast<double>(model.m_objects.Count());
  state.counters["triangles"] = static_cast<double>(triangles);
  state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
  state.counters["read_s"] = model.m_readSeconds;
  state.counters["mesh_s"] = model.m_meshSeconds;
}

void BM_ReadInProcess(benchmark::State& state) {
  const std::string path = ModelPath();
  for (auto _ : state) {
    TS_Model model;
    TS_String error;
    if (!model.Read(path.c_str(), error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    Report(state, model, path);
  }
}
BENCHMARK(BM_ReadInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReadIsolated(benchmark::State& state) {
  const std::string path = ModelPath();
  for (auto _ : state) {
    TS_Model model;
    TS_String error;
    if (!model.ReadIsolated(path.c_str(), error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    Report(state, model, path);
  }
}
BENCHMARK(BM_ReadIsolated)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
