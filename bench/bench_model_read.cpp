// What reading a model in a child process costs next to reading it in
// process: a generated OBJ of about a million triangles (a capped cylinder
// beside a folded sheet), read both ways.
#include <tessel/ts_model.h>

#include "generated_meshes.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <string>
#include <system_error>
#include <unistd.h>

namespace {

// The OBJ lives in a private folder for as long as the program runs.
class GeneratedObj {
public:
  GeneratedObj() {
    std::string folder = (std::filesystem::temp_directory_path() / "bench-model-read-XXXXXX").string();
    if (mkdtemp(folder.data()) != nullptr) {
      mFolder = folder;
      Write(bench_meshes::cylinderAndSheet(500), (mFolder / "million.obj").string());
    }
  }
  ~GeneratedObj() {
    std::error_code ignored;
    std::filesystem::remove_all(mFolder, ignored);
  }
  GeneratedObj(const GeneratedObj&) = delete;
  GeneratedObj& operator=(const GeneratedObj&) = delete;

  std::string Path() const { return (mFolder / "million.obj").string(); }

private:
  static void Write(const TS_Mesh& mesh, const std::string& path) {
    std::ofstream file(path);
    file << std::setprecision(7);
    for (const TS_3fPoint& v : mesh.Vertices()) {
      file << "v " << v.x << ' ' << v.y << ' ' << v.z << '\n';
    }
    for (const TS_MeshFace& f : mesh.Faces()) {
      file << "f " << f.vi[0] + 1 << ' ' << f.vi[1] + 1 << ' ' << f.vi[2] + 1 << '\n';
    }
  }

  std::filesystem::path mFolder;
};

const GeneratedObj& Model() {
  static const GeneratedObj model;
  return model;
}

template <bool kIsolated>
void BM_ReadMillionTriangleObj(benchmark::State& state) {
  const std::string path = Model().Path();
  for (auto _ : state) {
    TS_Model model;
    TS_String error;
    const bool read = kIsolated ? model.ReadIsolated(path.c_str(), error) : model.Read(path.c_str(), error);
    if (!read) {
      state.SkipWithError(error.c_str());
      break;
    }
    state.counters["triangles"] = model.m_objects.IsEmpty() ? 0 : model.m_objects[0].mesh.FaceCount();
  }
}
BENCHMARK(BM_ReadMillionTriangleObj<false>)
    ->Name("ReadMillionTriangleObj/in_process")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(false);
BENCHMARK(BM_ReadMillionTriangleObj<true>)
    ->Name("ReadMillionTriangleObj/isolated")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(false);

}  // namespace

BENCHMARK_MAIN();
