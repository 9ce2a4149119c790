// What the facade adds to a render, and what its heap's validity test costs.
//
// The million-triangle sample model renders once through the renderer, as
// npr-render's render phase does (scene prepared beforehand, RenderScene
// timed), and once through the facade's renderScene, which also loads the
// plug-ins and the style and converts the host's meshes into nodes. Both use
// the default style at 1280 x 720. Real time is measured: the software GL
// driver draws on threads of its own.
#include "bench_support.h"

#include <quorra/quorra.h>

#include "scene_conversion.h"

#include <linvale/npr_installed_host.h>
#include <linvale/npr_win32_owners.h>
#include <linvale/scene_builder.h>

#include <memory>
#include <random>
#include <vector>

namespace {

constexpr SIZE kSize{1280, 720};
constexpr std::size_t kTriangles = 1000000;

const std::vector<TS_SampleObject>& LargeModel() {
  static const auto model = TS_LargeSampleModel(kTriangles);
  return model;
}

// The camera both renders share: an iso view fitted to the model.
TS_Viewport FittedViewport() {
  Scene scene;
  for (const TS_SampleObject& object : LargeModel()) {
    NprAppendMeshNode(scene, object.mesh, object.color);
  }
  TS_Viewport viewport;
  NprFitViewportToScene(viewport, scene, NprNamedView::Iso, TS::perspective_view, kSize.cx, kSize.cy);
  return viewport;
}

Npr::View ViewOf(const TS_Viewport& viewport) {
  Npr::View view;
  view.width = kSize.cx;
  view.height = kSize.cy;
  view.projection = viewport.IsPerspectiveProjection() ? 2 : 1;
  viewport.GetFrustum(&view.frustumLeft, &view.frustumRight, &view.frustumBottom, &view.frustumTop, &view.frustumNear,
                      &view.frustumFar);
  const TS_3dPoint location = viewport.CameraLocation();
  const TS_3dVector direction = viewport.CameraDirection();
  const TS_3dVector up = viewport.CameraUp();
  view.cameraLocation = {location.x, location.y, location.z};
  view.cameraDirection = {direction.x, direction.y, direction.z};
  view.cameraUp = {up.x, up.y, up.z};
  return view;
}

Npr::Ge::Mesh FacadeMesh(const TS_SampleObject& object) {
  Npr::Ge::Mesh mesh;
  const TS_Mesh& source = object.mesh;
  mesh.vertices().setLogicalLength(static_cast<unsigned>(source.VertexCount()));
  for (int v = 0; v < source.VertexCount(); ++v) {
    const TS_3fPoint& p = source.Vertex(v);
    mesh.vertices().setAt(static_cast<unsigned>(v), Npr::Ge::Point3d{p.x, p.y, p.z});
  }
  if (source.HasVertexNormals()) {
    mesh.vertexNormals().setLogicalLength(static_cast<unsigned>(source.VertexCount()));
    for (int v = 0; v < source.VertexCount(); ++v) {
      const TS_3fVector& n = source.VertexNormal(v);
      mesh.vertexNormals().setAt(static_cast<unsigned>(v), Npr::Ge::Vector3d{n.x, n.y, n.z});
    }
  }
  mesh.faces().setLogicalLength(static_cast<unsigned>(source.FaceCount()));
  for (int f = 0; f < source.FaceCount(); ++f) {
    const TS_MeshFace& face = source.Face(f);
    mesh.faces().setAt(static_cast<unsigned>(f),
                       Npr::Ge::Mesh::Face{static_cast<unsigned>(face.vi[0]), static_cast<unsigned>(face.vi[1]),
                                           static_cast<unsigned>(face.vi[2]), static_cast<unsigned>(face.vi[3])});
  }
  const TS_Color color = object.color;
  mesh.colors().append(Npr::Gs::Color(static_cast<unsigned char>(color.Red()),
                                      static_cast<unsigned char>(color.Green()),
                                      static_cast<unsigned char>(color.Blue()), static_cast<unsigned char>(255)));
  return mesh;
}

class SilentHost : public Npr::HostApplication {
public:
  HWND GetHostWindow() override { return nullptr; }
  void PrintText(const wchar_t*) override {}
  void OnStyleLoaded(const wchar_t*) override {}
  void OnStyleSaved(const wchar_t*) override {}
  void OnProgressStart(int) override {}
  void OnProgressStep(int) override {}
  void OnProgressDone() override {}
  void OnProgressTask(const wchar_t*) override {}
};

// As npr-render's render phase: RenderScene on a scene made just before it
// (outside the timing), so the meshes' topology is built inside the render,
// as it is for the facade's freshly converted nodes.
void BM_RendererRenderPhase1M(benchmark::State& state) {
  bench::QuietHost host;
  const NprInstalledHost installed(host);
  const TS_Viewport viewport = FittedViewport();
  NprRenderer renderer;
  if (renderer.OnLoad() == 0) {
    state.SkipWithError("no plug-in in the Shaders folder");
    return;
  }
  NprRenderSettings settings;
  settings.Load();
  settings.SetImageSize(&kSize);
  settings.SetAntialiasStyle(NprRenderSettings::AntialiasNormal);
  bench::SilentProgress progress;
  for (auto _ : state) {
    state.PauseTiming();
    auto scene = std::make_unique<Scene>();
    for (const TS_SampleObject& object : LargeModel()) {
      NprAppendMeshNode(*scene, object.mesh, object.color);
    }
    NprAddDefaultLightIfNone(*scene, viewport);
    state.ResumeTiming();
    const NprUniqueGdiObject<HBITMAP> bitmap(renderer.RenderScene(scene.get(), viewport, settings, &progress));
    state.PauseTiming();
    scene.reset();
    state.ResumeTiming();
    if (!bitmap) {
      state.SkipWithError("the render gave no bitmap");
      break;
    }
  }
}

void BM_FacadeRenderScene1M(benchmark::State& state) {
  SilentHost host;
  Npr::Engine* engine = Npr::Engine::create(host);
  Npr::Scene* scene = engine->createScene();
  for (const TS_SampleObject& object : LargeModel()) {
    scene->addMesh(FacadeMesh(object));
  }
  const Npr::View view = ViewOf(FittedViewport());
  for (auto _ : state) {
    Npr::Gs::Surface* picture = engine->renderScene(scene, &view);
    if (picture == nullptr) {
      state.SkipWithError("the facade render gave no picture");
      break;
    }
    delete picture;
  }
  scene->release();
  engine->release();
}

// The facade's own share of a render: the host's meshes into nodes.
void BM_FacadeSceneConversion1M(benchmark::State& state) {
  Npr::Scene* scene = Npr::createTaken<Npr::NprScene>();
  for (const TS_SampleObject& object : LargeModel()) {
    scene->addMesh(FacadeMesh(object));
  }
  const TS_Viewport viewport = FittedViewport();
  for (auto _ : state) {
    Scene converted;
    quorra::ConvertScene(*scene, viewport, converted);
    benchmark::DoNotOptimize(converted.First());
  }
  scene->release();
}

// The plug-in load and unload every facade render brackets its render with.
void BM_FacadePluginCycle(benchmark::State& state) {
  bench::QuietHost host;
  const NprInstalledHost installed(host);
  for (auto _ : state) {
    NprRenderer renderer;
    if (renderer.OnLoad() == 0) {
      state.SkipWithError("no plug-in in the Shaders folder");
      break;
    }
    renderer.OnUnLoad();
  }
}

// isValid with `range(0)` live blocks, asked about live blocks and about
// addresses that are not blocks, in random order.
void BM_IsValidLiveBlocks(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  std::vector<void*> blocks(count);
  for (void*& block : blocks) {
    block = Npr::mem::alloc(16);
  }
  std::vector<const void*> queries;
  std::mt19937 random(7);
  for (int i = 0; i < 4096; ++i) {
    const void* block = blocks[random() % count];
    queries.push_back(i % 2 == 0 ? block : static_cast<const char*>(block) + 8);
  }
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Npr::mem::isValid(queries[next]));
    next = (next + 1) % queries.size();
  }
  for (void* block : blocks) {
    Npr::mem::free(block);
  }
}

}  // namespace

BENCHMARK(BM_IsValidLiveBlocks)->RangeMultiplier(32)->Range(1 << 10, 1 << 20)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_FacadePluginCycle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FacadeSceneConversion1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_RendererRenderPhase1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_FacadeRenderScene1M)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

int main(int argc, char** argv) { return bench::RunBenchmarks("bench-quorra", argc, argv); }
