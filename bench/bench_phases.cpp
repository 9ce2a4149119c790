// One benchmark per phase that npr-render --verbose lists, on the engine
// from the importer's test models (115 meshes, 110k triangles) and on the
// generated million-triangle model (bench/make-million-obj): reading the
// file (isolated, as npr-render reads, and for OBJ and STL also through the
// importer alone, the way every file was read before), building the scene,
// computing the edges, each drawing phase of a whole render at 1920 x 1080
// with the best antialiasing in the default style (faces, silhouettes,
// creases, borders, the antialias reduction), and writing the picture.
// Real time throughout: the importer runs in a child process and the
// software GL driver draws on threads of its own. npr-render runs with its
// heap in huge pages; run this with GLIBC_TUNABLES=glibc.malloc.hugetlb=1
// to measure the same, since page faults otherwise dominate the reading.
#include "bench_support.h"

#include <linvale/npr_edge_collections_cleanup.h>
#include <linvale/npr_image_file.h>
#include <linvale/npr_installed_host.h>
#include <linvale/npr_node_edges.h>
#include <linvale/npr_render_progress.h>
#include <linvale/npr_win32_owners.h>
#include <linvale/scene_builder.h>
#include <tessel/ts_model.h>

#include "fast_png.h"
#include "importer_reading.h"

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr SIZE kSize{1920, 1080};
// Installed by the importer's test models package (scripts/install-deps).
constexpr const char* kEngine = "/usr/share/assimp/models/glTF2/2CylinderEngine-glTF-Binary/2CylinderEngine.glb";

// The million-triangle model in each format, written once per run into a
// private folder.
class MillionModel {
public:
  MillionModel() {
    std::string folder = (fs::temp_directory_path() / "bench-phases-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
      return;
    }
    mFolder = folder;
    for (const char* extension : {".obj", ".stl", ".glb"}) {
      const std::string path = Path(extension);
      const std::string command = std::string("'") + BENCH_SOURCE_DIR + "/make-million-obj' '" + path + "'";
      if (std::system(command.c_str()) != 0) {
        fs::remove(path);
      }
    }
  }
  ~MillionModel() {
    std::error_code ignored;
    fs::remove_all(mFolder, ignored);
  }
  MillionModel(const MillionModel&) = delete;
  MillionModel& operator=(const MillionModel&) = delete;

  std::string Path(const std::string& extension) const { return (mFolder / ("million" + extension)).string(); }

private:
  fs::path mFolder;
};

const MillionModel& Million() {
  static const MillionModel model;
  return model;
}

std::string ModelPath(const std::string& name) {
  return name == "engine" ? std::string(kEngine) : Million().Path(fs::path(name).extension().string());
}

bool Readable(benchmark::State& state, const std::string& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) {
    state.SkipWithError(("no model at " + path).c_str());
    return false;
  }
  return true;
}

using ModelReader = bool (*)(const char* path, TS_Model& model, TS_String& error);

// As npr-render reads: in a child process, through the direct readers
// where a format has one.
bool ReadAsTheProgramDoes(const char* path, TS_Model& model, TS_String& error) {
  return model.ReadIsolated(path, error);
}

void BM_ReadModel(benchmark::State& state, const std::string& name, ModelReader read) {
  const std::string path = ModelPath(name);
  if (!Readable(state, path)) {
    return;
  }
  for (auto _ : state) {
    TS_Model model;
    TS_String error;
    if (!read(path.c_str(), model, error)) {
      state.SkipWithError(error.c_str());
      break;
    }
  }
}

// The models read once, in process, for the phases after reading.
const TS_Model* LoadedModel(const std::string& name) {
  static std::map<std::string, std::optional<TS_Model>> models;
  auto [entry, added] = models.try_emplace(name);
  if (added) {
    TS_Model model;
    TS_String error;
    if (model.Read(ModelPath(name).c_str(), error)) {
      entry->second.emplace(std::move(model));
    }
  }
  return entry->second ? &*entry->second : nullptr;
}

void BuildScene(const TS_Model& model, Scene& scene) {
  for (const TS_ModelObject& object : model.m_objects) {
    NprAppendMeshNode(scene, object.mesh, object.color);
  }
}

void BM_BuildScene(benchmark::State& state, const std::string& name) {
  const TS_Model* model = LoadedModel(name);
  if (model == nullptr) {
    state.SkipWithError("the model could not be read");
    return;
  }
  for (auto _ : state) {
    Scene scene;
    BuildScene(*model, scene);
  }
}

TS_Viewport FittedView(Scene& scene) {
  TS_Viewport viewport;
  NprFitViewportToScene(viewport, scene, NprNamedView::Iso, TS::perspective_view, kSize.cx, kSize.cy);
  return viewport;
}

void BM_SceneEdges(benchmark::State& state, const std::string& name) {
  const TS_Model* model = LoadedModel(name);
  if (model == nullptr) {
    state.SkipWithError("the model could not be read");
    return;
  }
  Scene scene;
  BuildScene(*model, scene);
  const TS_Viewport viewport = FittedView(scene);
  bench::SilentProgress silent;
  const NprEdgeSwitches chaining{true, true, true};
  for (auto _ : state) {
    const NprEdgeCollectionsCleanup cleanup(&scene);
    NprComputeSceneEdges(&scene, viewport, 150.0, NprRenderProgress(&silent), &chaining);
  }
}

// Takes the time of each task the shader names, as npr-render's progress
// display does.
class PhaseClock : public bench::SilentProgress {
public:
  void SetTaskName(const char* name) override {
    EndPhase();
    mTask = name != nullptr ? name : "";
  }
  void EndPhase() {
    const auto now = std::chrono::steady_clock::now();
    if (!mTask.empty()) {
      mSeconds[mTask] += std::chrono::duration<double>(now - mStart).count();
    }
    mStart = now;
  }
  std::optional<double> Seconds(const std::string& task) const {
    const auto found = mSeconds.find(task);
    return found != mSeconds.end() ? std::optional<double>(found->second) : std::nullopt;
  }

private:
  std::string mTask;
  std::chrono::steady_clock::time_point mStart = std::chrono::steady_clock::now();
  std::map<std::string, double> mSeconds;
};

// A render of the model in the default style, as npr-render makes it.
class StyledRender {
public:
  explicit StyledRender(const TS_Model& model) : mInstalled(mHost) {
    BuildScene(model, mScene);
    mViewport = FittedView(mScene);
    NprAddDefaultLightIfNone(mScene, mViewport);
    const std::string style = (fs::path(mRenderer.BasePath()) / "Custom.npr").string();
    mSettings.Load(style.c_str(), true);
    mSettings.SetConfigFileName(style.c_str());
    mSettings.SetAntialiasStyle(NprRenderSettings::AntialiasBest);
    mSettings.SetImageSize(&kSize);
  }

  HBITMAP Render(NprRenderer::Progress& progress) { return mRenderer.RenderScene(&mScene, mViewport, mSettings, &progress); }

private:
  bench::QuietHost mHost;
  NprInstalledHost mInstalled;
  Scene mScene;
  TS_Viewport mViewport;
  NprRenderSettings mSettings;
  NprRenderer mRenderer;
};

void BM_RenderPhase(benchmark::State& state, const std::string& name, const std::string& task) {
  const TS_Model* model = LoadedModel(name);
  if (model == nullptr) {
    state.SkipWithError("the model could not be read");
    return;
  }
  StyledRender render(*model);
  for (auto _ : state) {
    PhaseClock clock;
    const NprUniqueGdiObject<HBITMAP> picture(render.Render(clock));
    clock.EndPhase();
    const std::optional<double> seconds = clock.Seconds(task);
    if (!picture || !seconds) {
      state.SkipWithError(picture ? "the shader did not report this phase" : "the render gave no bitmap");
      break;
    }
    state.SetIterationTime(*seconds);
  }
}

// The picture written as npr-render writes PNG (libpng at its fast setting)
// and as the host's SaveImage writes it (DevIL).
void BM_WriteImage(benchmark::State& state, const std::string& name, bool fastPng) {
  const TS_Model* model = LoadedModel(name);
  if (model == nullptr) {
    state.SkipWithError("the model could not be read");
    return;
  }
  StyledRender render(*model);
  bench::SilentProgress silent;
  const NprUniqueGdiObject<HBITMAP> picture(render.Render(silent));
  const fs::path file = fs::temp_directory_path() / ("bench-phases-" + std::to_string(getpid()) + ".png");
  for (auto _ : state) {
    const int error = fastPng ? npr_render::WriteFastPng(picture.get(), file) : NprSaveImageFile(picture.get(), file.wstring().c_str());
    if (error != 0) {
      state.SkipWithError("the picture could not be written");
      break;
    }
  }
  std::error_code ignored;
  state.counters["file_bytes"] = static_cast<double>(fs::file_size(file, ignored));
  fs::remove(file, ignored);
}

constexpr std::array<const char*, 6> kDrawingPhases = {
    "Rendering faces...",           "Rendering Silhouettes edges...", "Rendering Discontinuity edges...",
    "Rendering Border edges...",    "Antialiasing Filter",            "Calculating edges..."};

void RegisterAll() {
  for (const char* name : {"engine", "million.obj", "million.stl", "million.glb"}) {
    benchmark::RegisterBenchmark((std::string("ReadModel/") + name).c_str(), BM_ReadModel, std::string(name),
                                 &ReadAsTheProgramDoes)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
  }
  // The reading every OBJ and STL file had before the direct readers.
  for (const char* name : {"million.obj", "million.stl"}) {
    benchmark::RegisterBenchmark((std::string("ReadModelThroughImporter/") + name).c_str(), BM_ReadModel,
                                 std::string(name), &tessel::detail::ReadWithImporter)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
  }
  for (const char* name : {"engine", "million.obj"}) {
    const std::string model(name);
    benchmark::RegisterBenchmark(("BuildScene/" + model).c_str(), BM_BuildScene, model)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
    benchmark::RegisterBenchmark(("SceneEdges/" + model).c_str(), BM_SceneEdges, model)
        ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
    for (const char* task : kDrawingPhases) {
      benchmark::RegisterBenchmark(("RenderPhase/" + model + "/" + task).c_str(), BM_RenderPhase, model, std::string(task))
          ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(2);
    }
    for (const bool fastPng : {true, false}) {
      benchmark::RegisterBenchmark(("WriteImage/" + model + (fastPng ? "/fast_png" : "/devil_png")).c_str(),
                                   BM_WriteImage, model, fastPng)
          ->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  RegisterAll();
  return bench::RunBenchmarks("bench-phases", argc, argv);
}
