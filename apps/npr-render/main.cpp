// npr-render: renders a model file, or the built-in sample part, as a
// hand-drawn picture from the command line. It is a host like a CAD
// application's plug-in: it installs its own host object, builds a scene,
// picks a style and lets the renderer and its shader plug-ins do the rest.
#include <chrono>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include <linvale/npr_gl_device.h>
#include <linvale/npr_installed_host.h>
#include <linvale/npr_render_settings.h>
#include <linvale/npr_renderer.h>
#include <linvale/npr_shader.h>
#include <linvale/npr_vector_render.h>
#include <linvale/npr_win32_owners.h>
#include <linvale/scene.h>
#include <linvale/scene_builder.h>

#include "cli_host.h"
#include "command_line.h"
#include "console_progress.h"
#include "exit_status.h"
#include "gl_limit.h"
#include "huge_page_heap.h"
#include "image_output.h"
#include "mesh_quality.h"
#include "rasteriser_threads.h"
#include "scene_loading.h"
#include "settings_dialog.h"
#include "stop_signals.h"
#include "style_lookup.h"
#include "terminal_text.h"
#include "vector_output.h"

namespace npr_render {
namespace {

// Messages name files and styles, which may hold control characters.
int Fail(int status, const std::string& message) {
  std::fprintf(stderr, "npr-render: %s\n", Printable(message).c_str());
  return status;
}

int Stopped(int signal) { return Fail(kStoppedBySignal + signal, StopReason(signal)); }

class Stopwatch {
public:
  double Lap() {
    const auto now = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(now - mStart).count();
    mStart = now;
    return seconds;
  }

private:
  std::chrono::steady_clock::time_point mStart = std::chrono::steady_clock::now();
};

struct Timings {
  double checks = 0.0;
  double load = 0.0;
  double read = 0.0;  // of the load
  double mesh = 0.0;
  double render = 0.0;
  double write = 0.0;
};

void ReportTimings(const Timings& timings, const ConsoleProgress& progress, const Scene& scene,
                   const std::string& glRenderer) {
  unsigned long triangles = 0;
  for (const Node* node = scene.First(); node != nullptr; node = node->m_next) {
    triangles += static_cast<unsigned long>(node->m_mesh.FaceCount());
  }
  std::fprintf(stderr, "npr-render: %u objects, %lu triangles\n", scene.NodesCount(), triangles);
  std::fprintf(stderr, "npr-render: drawn by %s\n", glRenderer.c_str());
  std::fprintf(stderr, "npr-render: %8.3f s  checks, plug-ins and style\n", timings.checks);
  std::fprintf(stderr, "npr-render: %8.3f s  model and scene\n", timings.load);
  if (timings.read > 0.0 || timings.mesh > 0.0) {
    std::fprintf(stderr, "npr-render: %8.3f s    reading the file\n", timings.read);
  }
  if (timings.mesh > 0.0) {
    std::fprintf(stderr, "npr-render: %8.3f s    meshing its surfaces\n", timings.mesh);
  }
  std::fprintf(stderr, "npr-render: %8.3f s  render, of which:\n", timings.render);
  for (const auto& phase : progress.Phases()) {
    std::fprintf(stderr, "npr-render: %8.3f s    %s\n", phase.seconds, phase.name.c_str());
  }
  std::fprintf(stderr, "npr-render: %8.3f s  image file\n", timings.write);
}

std::string CheckSize(const Options& options, const std::optional<int>& limit) {
  const int factor = options.antialias == NprRenderSettings::AntialiasBest ? 2 : 1;
  if (limit && (options.width * factor > *limit || options.height * factor > *limit)) {
    return "size " + std::to_string(options.width) + "x" + std::to_string(options.height) +
           " is too large: OpenGL draws at most " + std::to_string(*limit) + " pixels a side" +
           (factor > 1 ? " (best antialiasing draws at twice the size)" : "");
  }
  return {};
}

// Chooses the style file and loads its common keys; the shader reads its own
// keys from the same file when the render starts.
int LoadStyle(const Options& options, const std::vector<StyleFolder>& folders, const std::string& defaultStyle,
              NprRenderSettings& settings) {
  std::string stylePath = defaultStyle;
  if (!options.style.empty()) {
    const StyleLookup found = FindStyle(options.style, folders);
    if (!found.error.empty()) {
      return Fail(kStyleError, found.error);
    }
    stylePath = found.path;
  }
  settings.SetConfigFileName(stylePath.c_str());
  if (settings.Load(stylePath.c_str(), true) == 0) {
    return Fail(kStyleError, "style file '" + stylePath + "' could not be loaded (unsupported format version)");
  }
  if (NprShader::GetByTag(settings.GetShaderTag()) == nullptr) {
    if (const std::string problem = StyleFileProblem(stylePath); !problem.empty()) {
      return Fail(kStyleError, problem);
    }
    return Fail(kStyleError, "style file '" + stylePath + "' asks for shader '" + settings.GetShaderTag() +
                                 "', which is not installed");
  }
  return kSuccess;
}

TS_Viewport FittedView(const Options& options, const LoadedScene& loaded, const Scene& scene) {
  TS_Viewport viewport;
  NprFitViewportToScene(viewport, scene, options.view, options.projection, options.width, options.height,
                        options.up.value_or(loaded.up));
  return viewport;
}

// The model's own camera unless a named view was asked for; a camera that
// sees nothing of the model would give an empty picture, so the named view
// stands in for it.
TS_Viewport CameraFor(const LoadedScene& loaded, const Options& options, const Scene& scene) {
  if (!loaded.camera || options.namedViewAsked) {
    return FittedView(options, loaded, scene);
  }
  TS_Viewport viewport = *loaded.camera;
  viewport.SetScreenPort(0, options.width - 1, options.height - 1, 0);
  viewport.SetFrustumAspect(static_cast<double>(options.width) / options.height);
  TS_3dPoint min, max;
  NprSceneBounds(scene, min, max);
  if (!NprFitDepthRange(viewport, min, max) || !NprViewportSeesScene(viewport, scene)) {
    std::fprintf(stderr, "npr-render: the model's camera does not see the model; showing the %s view instead\n",
                 NprNamedViewName(options.view));
    return FittedView(options, loaded, scene);
  }
  return viewport;
}

// Everything that can be refused before any work is done: OpenGL device,
// size, output, plug-ins, style. Fills `settings` for the render and
// `glRenderer` with the name of the OpenGL implementation that will draw.
int Prepare(const Options& options, NprRenderer& renderer, const std::vector<StyleFolder>& folders,
            const std::string& defaultStyle, NprRenderSettings& settings, std::string& glRenderer) {
  if (const NprGlDeviceChoice device = NprCurrentGlDevice(); !device.refusal.empty()) {
    return Fail(kRenderError, device.refusal);
  }
  const GlDrawing drawing = ProbeGlDrawing();
  glRenderer = drawing.renderer;
  if (const std::string error = CheckSize(options, drawing.largestSide); !error.empty()) {
    return Fail(kUsageError, error);
  }
  if (const std::string error = CheckImageOutput(options.output); !error.empty()) {
    return Fail(kOutputError, error);
  }
  if (renderer.OnLoad() == 0) {
    return Fail(kRenderError, std::string("no shader plug-ins found in ") + renderer.BasePath() + "/Shaders");
  }
  if (const int status = LoadStyle(options, folders, defaultStyle, settings); status != kSuccess) {
    return status;
  }
  const SIZE size{options.width, options.height};
  settings.SetImageSize(&size);
  settings.SetAntialiasStyle(options.antialias);
  return kSuccess;
}

// The progress of reading the model, shown from when the program starts
// waiting for the importer until the model is there.
class ReadingProgress {
public:
  explicit ReadingProgress(bool quiet) : mQuiet(quiet) {}

  void Show() {
    mDisplay.emplace(ConsoleProgress::DisplayFor(mQuiet));
    mDisplay->SetTaskName("Reading the model");
    mDisplay->SetStepCount(kSteps);
  }
  void Done() { mDisplay.reset(); }

  void Report(double fraction) {
    const int done = static_cast<int>(fraction * kSteps);
    if (mDisplay && done > mShown) {
      mDisplay->Step(done - mShown, nullptr);
      mShown = done;
    }
  }

private:
  static constexpr int kSteps = 1000;
  bool mQuiet;
  std::optional<ConsoleProgress> mDisplay;
  int mShown = 0;
};

// The meshing of CAD files as asked, stopped by Ctrl+C.
TS_ModelReadLimits ModelReadLimits(const Options& options, ReadingProgress& progress) {
  TS_ModelReadLimits limits = ReadLimitsFor(options.quality, options.deflection);
  limits.canceled = [] { return StopSignalReceived() != 0; };
  limits.keepBreps = false;
  limits.progress = [&progress](double fraction) { progress.Report(fraction); };
  return limits;
}

LoadedScene FinishLoading(ModelLoading& model, ReadingProgress& progress, Scene& scene) {
  progress.Show();
  LoadedScene loaded = model.Finish(scene);
  progress.Done();
  return loaded;
}

int RenderAndWrite(const Options& options, NprRenderer& renderer, Scene& scene, const TS_Viewport& viewport,
                   const NprRenderSettings& settings, ConsoleProgress& progress, Timings& timings,
                   Stopwatch& stopwatch) {
  const NprUniqueGdiObject<HBITMAP> picture(renderer.RenderScene(&scene, viewport, settings, &progress));
  progress.Finish();
  timings.render = stopwatch.Lap();
  if (const int signal = StopSignalReceived(); signal != 0) {
    return Stopped(signal);
  }
  if (!picture) {
    return Fail(kRenderError, "rendering failed");
  }
  const std::string error = WriteImage(picture.get(), options.output);
  timings.write = stopwatch.Lap();
  if (error.empty()) {
    return kSuccess;
  }
  if (const int signal = StopSignalReceived(); signal != 0) {
    return Stopped(signal);
  }
  return Fail(kOutputError, error);
}

int DrawAndWrite(const Options& options, NprRenderer& renderer, Scene& scene, const TS_Viewport& viewport,
                 const NprRenderSettings& settings, const std::vector<std::string>& names, Timings& timings,
                 Stopwatch& stopwatch) {
  const std::optional<NprVectorDrawing> drawing =
      DrawScene(renderer, scene, viewport, settings, {options.hiddenLines, options.svgFills, names});
  timings.render = stopwatch.Lap();
  if (const int signal = StopSignalReceived(); signal != 0) {
    return Stopped(signal);
  }
  if (!drawing) {
    return Fail(kRenderError, "drawing failed: the style's shader gives no vector drawing, or no GL context");
  }
  const WrittenDrawing written = WriteDrawing(*drawing, options.output);
  timings.write = stopwatch.Lap();
  if (!written.error.empty()) {
    return Fail(kOutputError, written.error);
  }
  if (options.verbose) {
    std::fprintf(stderr, "npr-render: %s: %ju bytes\n", Printable(options.output).c_str(), written.fileSize);
  }
  return kSuccess;
}

int Run(const Options& options) {
  CliHost host;
  const NprInstalledHost installed(host);
  NprRenderer renderer;
  const std::vector<StyleFolder> folders = StyleFolders(host);
  const std::string defaultStyle = DefaultStylePath(host, renderer.BasePath());
  if (options.listStyles) {
    ListStyles(stdout, folders, defaultStyle);
    return kSuccess;
  }
  if (options.settings) {
    return RunSettingsDialog(host, renderer, defaultStyle);
  }
  Timings timings;
  Stopwatch stopwatch;
  // The importer starts first and reads while the rest is prepared.
  ReadingProgress readingProgress(options.quiet);
  std::optional<ModelLoading> model;
  if (!options.model.empty()) {
    model.emplace(options.model, ModelReadLimits(options, readingProgress));
  }
  NprRenderSettings settings;
  std::string glRenderer;
  if (const int status = Prepare(options, renderer, folders, defaultStyle, settings, glRenderer);
      status != kSuccess) {
    return status;
  }
  timings.checks = stopwatch.Lap();

  // Reading and meshing a large CAD file can take a while: it shows
  // progress and stops at Ctrl+C like the render.
  const StopSignals stopSignals;
  Scene scene;
  const LoadedScene loaded =
      model ? FinishLoading(*model, readingProgress, scene) : LoadSampleScene(scene, options.sampleTriangles);
  if (const int signal = StopSignalReceived(); signal != 0) {
    return Stopped(signal);
  }
  if (!loaded.error.empty()) {
    return Fail(kModelError, loaded.error);
  }
  const TS_Viewport viewport = CameraFor(loaded, options, scene);
  NprAddDefaultLightIfNone(scene, viewport);
  timings.load = stopwatch.Lap();
  timings.read = loaded.readSeconds;
  timings.mesh = loaded.meshSeconds;

  ConsoleProgress progress(ConsoleProgress::DisplayFor(options.quiet));
  const int status =
      NprIsVectorFileName(options.output)
          ? DrawAndWrite(options, renderer, scene, viewport, settings, loaded.names, timings, stopwatch)
          : RenderAndWrite(options, renderer, scene, viewport, settings, progress, timings, stopwatch);
  if (status == kSuccess && options.verbose) {
    ReportTimings(timings, progress, scene, glRenderer);
  }
  return status;
}

}  // namespace
}  // namespace npr_render

int main(int argc, char** argv) {
  using namespace npr_render;
  RasteriseOnDrawingThread();
  RestartWithHugePageHeap(argv);
  try {
    const ParseResult parsed = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.error.empty()) {
      std::fprintf(stderr, "npr-render: %s\nTry 'npr-render --help' for more information.\n",
                   Printable(parsed.error).c_str());
      return kUsageError;
    }
    if (parsed.options.help) {
      std::fputs(UsageText(), stdout);
      return kSuccess;
    }
    if (parsed.options.version) {
      std::printf("npr-render %s\n", NPR_RENDER_VERSION);
      return kSuccess;
    }
    return Run(parsed.options);
  } catch (const std::exception& e) {
    return Fail(kRenderError, std::string("unexpected failure: ") + e.what());
  }
}
