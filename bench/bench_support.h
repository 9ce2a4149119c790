// What the whole-render benchmarks share: a host that keeps quiet, a
// progress object that never cancels, a private home for the host's styles
// folders and preferences, scenes of sample objects fitted to the picture,
// and the timed loop of renders.
#pragma once

#include <linvale/npr_host_application_services.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/scene.h>
#include <tessel/ts_sample_part.h>
#include <tessel/ts_viewport.h>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

namespace bench {

class QuietHost : public NprHostApplicationServices {
public:
  void OnPreviewSettings(NprRenderSettings&) override {}
};

class SilentProgress : public NprRenderer::Progress {
public:
  void SetStepCount(int) override {}
  void Step(int, HBITMAP) override {}
  void SetResult(HBITMAP) override {}
  void SetTaskName(const char*) override {}
  bool IsCanceled() override { return false; }
};

// Points HOME, the XDG folders and the registry files at a new temporary
// folder named after `program` for as long as it lives, then removes it:
// the host creates its styles folders, and they must not land in the
// user's home. Aborts when no folder can be made.
class PrivateHome {
public:
  explicit PrivateHome(const char* program);
  ~PrivateHome();
  PrivateHome(const PrivateHome&) = delete;
  PrivateHome& operator=(const PrivateHome&) = delete;

private:
  std::filesystem::path mFolder;
};

// Renders the scene for every iteration of `state`, deleting each bitmap;
// a render that gives none stops the benchmark with `failure`.
void RenderEveryIteration(benchmark::State& state, NprRenderer& renderer, Scene& scene, const TS_Viewport& viewport,
                          const NprRenderSettings& settings, const char* failure);

// Renders `objects` at `size` with the shader `shaderTag` in the style kept
// in `styleFile`, under a quiet host, for every iteration of `state`.
// Returns the number of faces rendered.
long RenderInStyle(benchmark::State& state, const std::vector<TS_SampleObject>& objects, const std::string& styleFile,
                   const char* shaderTag, NprRenderSettings::AntialiasStyle antialias, SIZE size);

// The same as a vector drawing (NprRenderVector), written as `outputFile`
// when that is not empty, whose size becomes the "file_bytes" counter.
long DrawInStyle(benchmark::State& state, const std::vector<TS_SampleObject>& objects, const std::string& styleFile,
                 const char* shaderTag, NprRenderSettings::AntialiasStyle antialias, SIZE size,
                 const std::string& outputFile);

// Runs the benchmarks the program registered inside a private home.
int RunBenchmarks(const char* program, int argc, char** argv);

}  // namespace bench
