// npr-render end to end, through the built program: every kind of bad input
// gets its own exit status and one line naming the culprit, without leaving
// a picture behind; good input in several formats renders, with the model's
// own camera when it has one.
#include "../support/devil_picture.h"
#include "model_files.h"
#include "npr_render_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <thread>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using linvale::test::kWhiteCartoonStyle;
using linvale::test::Picture;
using linvale::test::ProgramResult;
using linvale::test::Rgb;
using linvale::test::TemporaryHome;

bool IsRed(const Rgb& p) { return p.r > p.g + 60 && p.r > p.b + 60; }
bool IsBlue(const Rgb& p) { return p.b > p.r + 60 && p.b > p.g + 40; }

class NprRenderTest : public linvale::test::NprRenderFixture {
protected:
  // The picture written by a successful run, checked for size and content.
  void ExpectPicture(const std::string& path, int width, int height) {
    Picture picture;
    ASSERT_TRUE(picture.Load(path)) << path;
    EXPECT_EQ(picture.Width(), width) << path;
    EXPECT_EQ(picture.Height(), height) << path;
    EXPECT_GT(picture.CountUnlikeCorner(), width * height / 100) << path << " looks empty";
  }
};

struct BadInput {
  std::vector<std::string> arguments;  // "@name" stands for the path of name in the test's folder
  int status;
  std::string mentions;  // "@name" likewise
};

std::string Expand(const std::string& text, const TemporaryHome& home) {
  return text.starts_with("@") ? home / text.substr(1) : text;
}

}  // namespace

TEST_F(NprRenderTest, BadInputGivesItsOwnStatusAndOneLineAndNoPicture) {
  linvale::test::WriteTwoCubeObj(Path("model.obj"));
  linvale::test::WriteObjWithoutSurface(Path("lines.obj"));
  linvale::test::WriteText(Path("noise.obj"), "not a model at all\n");
  linvale::test::WriteText(Path("version2.npr"), "[Orvelle]\nVersion=2\n[Common]\nCurrent Render=Sketch\n");
  linvale::test::WriteText(Path("unknown-shader.npr"), "[Common]\nCurrent Render=Crayon\n");
  linvale::test::WriteText(Path("no-common.npr"), "[Sketch]\nb_paper=1\n");
  linvale::test::WriteText(Path("no-shader.npr"), "[Common]\nBackgroundR=255\n");
  constexpr char kJunk[] =
      "\x7f"
      "ELF\x02\x01\x01\0\0\0=\xff\xfe[\x01\n\x90\x90";
  linvale::test::WriteText(Path("junk.npr"), std::string(kJunk, sizeof kJunk - 1));
  fs::create_directory(Path("folder.png"));

  const std::vector<BadInput> cases = {
      {{"--bogus"}, 2, "'--bogus'"},
      {{"--size", "0x100"}, 2, "'0x100'"},
      {{"--size", "640"}, 2, "'640'"},
      {{"--size", "640x480x2"}, 2, "'640x480x2'"},
      {{"--size", "-5x10"}, 2, "'-5x10'"},
      {{"--size", "99999x100"}, 2, "99999x100"},
      {{"--aa", "ultra"}, 2, "'ultra'"},
      {{"--view", "diagonal"}, 2, "'diagonal'"},
      {{"--up", "w"}, 2, "'w'"},
      {{"-o"}, 2, "'-o'"},
      {{"@model.obj", "@lines.obj"}, 2, "@lines.obj"},
      {{"--sample-triangles", "lots"}, 2, "'lots'"},
      {{"@model.obj", "--sample-triangles", "1000"}, 2, "@model.obj"},
      {{"@missing.obj"}, 3, "@missing.obj"},
      {{"@"}, 3, "folder"},
      {{"@lines.obj"}, 3, "@lines.obj"},
      {{"@noise.obj"}, 3, "@noise.obj"},
      {{"@model.obj", "-s", "No Such Style"}, 4, "'No Such Style'"},
      {{"@model.obj", "-s", "/nowhere/style.npr"}, 4, "/nowhere/style.npr"},
      {{"@model.obj", "-s", "@version2.npr"}, 4, "@version2.npr"},
      {{"@model.obj", "-s", "@unknown-shader.npr"}, 4, "'Crayon'"},
      {{"@model.obj", "-s", "@no-common.npr"}, 4, "has no [Common] section"},
      {{"@model.obj", "-s", "@junk.npr"}, 4, "has no [Common] section"},
      {{"@model.obj", "-s", "@no-shader.npr"}, 4, "names no shader (Current Render is missing)"},
      {{"@model.obj", "-o", "@picture"}, 6, "@picture"},
      {{"@model.obj", "-o", "@no/such/folder/out.png"}, 6, "does not exist"},
      {{"@model.obj", "-o", "@out.xyz"}, 6, "'xyz'"},
      {{"@model.obj", "-o", "@folder.png"}, 6, "@folder.png"},
  };
  for (const BadInput& bad : cases) {
    std::vector<std::string> arguments;
    std::string shown;
    for (const std::string& argument : bad.arguments) {
      arguments.push_back(Expand(argument, mHome));
      shown += " " + argument;
    }
    const bool namesOutput = std::find(arguments.begin(), arguments.end(), "-o") != arguments.end();
    if (!namesOutput) {
      arguments.insert(arguments.end(), {"--quiet", "-o", Path("out.png")});
    }
    const ProgramResult result = Run(arguments);
    EXPECT_EQ(result.status, bad.status) << shown << "\n" << result.err;
    const std::string firstLine = result.err.substr(0, result.err.find('\n'));
    EXPECT_NE(firstLine.find("npr-render: "), std::string::npos) << shown << "\n" << result.err;
    EXPECT_NE(firstLine.find(Expand(bad.mentions, mHome)), std::string::npos) << shown << "\n" << result.err;
    EXPECT_LE(std::count(result.err.begin(), result.err.end(), '\n'), 2) << shown << "\n" << result.err;
    EXPECT_FALSE(fs::exists(Path("out.png"))) << shown;
  }
  // Nothing half-written is left beside the targets either.
  for (const auto& entry : fs::directory_iterator(mHome.Path())) {
    EXPECT_EQ(entry.path().filename().string().find(".npr-render-"), std::string::npos) << entry.path();
  }
}

TEST_F(NprRenderTest, AFailedWriteLeavesTheOlderFileAlone) {
  linvale::test::WriteTwoCubeObj(Path("model.obj"));
  linvale::test::WriteText(Path("old.xyz"), "older picture");
  linvale::test::WriteText(Path("old.png"), "older picture");
  EXPECT_EQ(Run({Path("model.obj"), "-q", "-o", Path("old.xyz")}).status, 6);
  EXPECT_EQ(linvale::test::ReadText(Path("old.xyz")), "older picture");
  EXPECT_EQ(Run({Path("missing.obj"), "-q", "-o", Path("old.png")}).status, 3);
  EXPECT_EQ(linvale::test::ReadText(Path("old.png")), "older picture");
}

TEST_F(NprRenderTest, WithoutShaderPlugInsNothingIsRendered) {
  // The renderer looks for plug-ins beside its own library; a copy of the
  // libraries without them stands in for a broken installation.
  const fs::path libraries = Path("lib");
  fs::create_directory(libraries);
  for (const char* library : {LINVALE_LIBRARY, TESSEL_LIBRARY, PLATFORM_LIBRARY}) {
    fs::copy_file(library, libraries / fs::path(library).filename());
  }
  mHome.Environment().Set("LD_LIBRARY_PATH", libraries.string());
  const ProgramResult result = Run({"-q", "-o", Path("out.png")});
  EXPECT_EQ(result.status, 5) << result.err;
  EXPECT_NE(result.err.find("no shader plug-ins"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find(libraries.string()), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(Path("out.png")));
}

// The software rasteriser can always be asked for, and --verbose names the
// renderer that drew; a GPU the machine lacks is refused before any work.
TEST_F(NprRenderTest, TheOpenGlDeviceIsChosenByTheEnvironmentAndNamed) {
  mHome.Environment().Set("LINVALE_GL_DEVICE", "software");
  const ProgramResult software = Run({"--verbose", "--size", "64x48", "-o", Path("soft.png")});
  ASSERT_EQ(software.status, 0) << software.err;
  EXPECT_NE(software.err.find("drawn by llvmpipe"), std::string::npos) << software.err;

  mHome.Environment().Clear("LINVALE_GL_DEVICE");
  const ProgramResult automatic = Run({"--verbose", "--size", "64x48", "-o", Path("auto.png")});
  ASSERT_EQ(automatic.status, 0) << automatic.err;
  if (automatic.err.find("drawn by llvmpipe") == std::string::npos) {
    GTEST_SKIP() << "this machine draws on a GPU";
  }
  mHome.Environment().Set("LINVALE_GL_DEVICE", "gpu");
  const ProgramResult gpu = Run({"--size", "64x48", "-o", Path("gpu.png")});
  EXPECT_EQ(gpu.status, 5) << gpu.err;
  EXPECT_NE(gpu.err.find("LINVALE_GL_DEVICE=gpu, but this machine has no GPU"), std::string::npos) << gpu.err;
  EXPECT_EQ(std::count(gpu.err.begin(), gpu.err.end(), '\n'), 1) << gpu.err;
  EXPECT_FALSE(fs::exists(Path("gpu.png")));
}

TEST_F(NprRenderTest, WithoutArgumentsTheSamplePartGoesToRenderPng) {
  const fs::path folder = Path("work");
  fs::create_directory(folder);
  const ProgramResult result = Run({}, folder);
  ASSERT_EQ(result.status, 0) << result.err;
  ExpectPicture((folder / "render.png").string(), 1600, 1200);
}

TEST_F(NprRenderTest, ModelsOfSeveralFormatsRenderWithEveryViewAndAntialiasing) {
  linvale::test::WriteTwoCubeObj(Path("cubes.obj"));
  linvale::test::WriteStlCubeWithoutNormals(Path("cube.stl"));
  linvale::test::WritePlyCube(Path("cube.ply"));
  linvale::test::WriteTwoCubeGltf(Path("cubes.gltf"), {.camera = false});
  linvale::test::WriteText(Path("flat.npr"), kWhiteCartoonStyle);
  // Half of them in the default pencil style, whose strokes take the
  // objects' colours: a model without colours must still show.
  const std::vector<std::vector<std::string>> runs = {
      {"cubes.obj", "--aa", "none", "--view", "front"},
      {"cube.stl", "--aa", "normal", "--view", "top", "--parallel", "-s", Path("flat.npr")},
      {"cube.ply", "--aa", "best", "--view", "left"},
      {"cubes.gltf", "--aa", "none", "--view", "bottom", "--parallel", "-s", Path("flat.npr")},
  };
  for (const auto& run : runs) {
    const std::string output = Path(run[0] + ".png");
    std::vector<std::string> arguments{Path(run[0]), "-q", "--size", "160x120", "-o", output};
    arguments.insert(arguments.end(), run.begin() + 1, run.end());
    const ProgramResult result = Run(arguments);
    ASSERT_EQ(result.status, 0) << run[0] << "\n" << result.err;
    ExpectPicture(output, 160, 120);
  }
}

TEST_F(NprRenderTest, TheModelsOwnCameraIsUsed) {
  linvale::test::WriteText(Path("flat.npr"), kWhiteCartoonStyle);
  // The camera looks straight down at the red cube; the blue one is far
  // outside its narrow view. Without the camera both are fitted in.
  linvale::test::WriteTwoCubeGltf(Path("with-camera.gltf"), {.camera = true});
  linvale::test::WriteTwoCubeGltf(Path("without-camera.gltf"), {.camera = false});
  for (const std::string name : {"with-camera", "without-camera"}) {
    const ProgramResult result = Run({Path(name + ".gltf"), "-q", "--size", "160x120", "--aa", "none", "-s",
                                      Path("flat.npr"), "-o", Path(name + ".png")});
    ASSERT_EQ(result.status, 0) << result.err;
  }
  Picture withCamera, withoutCamera;
  ASSERT_TRUE(withCamera.Load(Path("with-camera.png")));
  ASSERT_TRUE(withoutCamera.Load(Path("without-camera.png")));
  EXPECT_GT(withCamera.Count(IsRed), 700);
  EXPECT_EQ(withCamera.Count(IsBlue), 0);
  EXPECT_GT(withoutCamera.Count(IsRed), 100);
  EXPECT_GT(withoutCamera.Count(IsBlue), 100);
}

TEST_F(NprRenderTest, ANamedViewOrACameraThatSeesNothingGivesTheFittedView) {
  linvale::test::WriteText(Path("flat.npr"), kWhiteCartoonStyle);
  linvale::test::WriteTwoCubeGltf(Path("with-camera.gltf"), {.camera = true});
  linvale::test::WriteTwoCubeGltf(Path("looks-away.gltf"), {.camera = true, .cameraLooksAway = true});
  const std::vector<std::pair<std::string, std::vector<std::string>>> runs = {
      {"with-camera.gltf", {"--view", "iso"}},
      {"with-camera.gltf", {"--parallel"}},
      {"looks-away.gltf", {}},
  };
  for (const auto& [model, extra] : runs) {
    std::vector<std::string> arguments{Path(model), "-q", "--size",         "160x120", "--aa",
                                       "none",      "-s", Path("flat.npr"), "-o",      Path("out.png")};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    const ProgramResult result = Run(arguments);
    ASSERT_EQ(result.status, 0) << model << "\n" << result.err;
    Picture picture;
    ASSERT_TRUE(picture.Load(Path("out.png")));
    EXPECT_GT(picture.Count(IsRed), 100) << model;
    EXPECT_GT(picture.Count(IsBlue), 100) << model;
    if (model == "looks-away.gltf") {
      EXPECT_NE(result.err.find("camera does not see the model"), std::string::npos) << result.err;
    }
  }
}

TEST_F(NprRenderTest, StylesAreFoundByNameInSearchOrderAndListed) {
  const fs::path userStyles = fs::path(Path("Documents")) / "My Orvelle Styles";
  const fs::path sharedStyles = fs::path(Path("share")) / "Brisco" / "Orvelle SR3" / "Styles";
  fs::create_directories(userStyles);
  fs::create_directories(sharedStyles);
  linvale::test::WriteText(userStyles / "Mine.npr", kWhiteCartoonStyle);
  // A same-named style further down the search order that would fail.
  linvale::test::WriteText(sharedStyles / "Mine.npr", "[Orvelle]\nVersion=3\n");
  linvale::test::WriteText(sharedStyles / "Shared.npr", kWhiteCartoonStyle);

  const ProgramResult mine = Run({"-q", "--size", "80x60", "-s", "Mine", "-o", Path("mine.png")});
  EXPECT_EQ(mine.status, 0) << mine.err;
  const ProgramResult shared = Run({"-q", "--size", "80x60", "-s", "Shared", "-o", Path("shared.png")});
  EXPECT_EQ(shared.status, 0) << shared.err;

  const ProgramResult listing = Run({"--list-styles"});
  EXPECT_EQ(listing.status, 0);
  for (const std::string& expected : {userStyles.string(), sharedStyles.string(), std::string(INSTALLED_STYLES),
                                      std::string("  Mine\n"), std::string("  Shared\n")}) {
    EXPECT_NE(listing.out.find(expected), std::string::npos) << expected << "\n" << listing.out;
  }
  const std::size_t user = listing.out.find(userStyles.string());
  EXPECT_LT(user, listing.out.find(sharedStyles.string())) << listing.out;
}

TEST_F(NprRenderTest, AnInterruptStopsTheRenderWithoutAPicture) {
  linvale::test::RunningProgram render(NPR_RENDER_PROGRAM,
                                       {"--sample-triangles", "1000000", "--size", "1920x1080", "-o", Path("out.png")},
                                       mHome.Path());
  // Interrupt once the renderer has begun its work.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (render.ErrorSoFar().find("Calculating edges") == std::string::npos &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  render.Signal(SIGINT);
  const ProgramResult result = render.Wait();
  EXPECT_EQ(result.status, 130) << result.err;
  EXPECT_NE(result.err.find("interrupted"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(Path("out.png")));
}

TEST_F(NprRenderTest, HelpAndVersionGoToStandardOutput) {
  const ProgramResult help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  for (const char* option : {"-o", "-s", "--size", "--aa", "--view", "--parallel", "--list-styles", "--quiet"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  const ProgramResult version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_NE(version.out.find("npr-render "), std::string::npos);
  EXPECT_TRUE(version.err.empty());
}

namespace {

// The processes the program has started, from the kernel's list of its children.
std::vector<pid_t> ChildrenOf(pid_t pid) {
  std::ifstream list("/proc/" + std::to_string(pid) + "/task/" + std::to_string(pid) + "/children");
  std::vector<pid_t> children;
  for (pid_t child; list >> child;) {
    children.push_back(child);
  }
  return children;
}

// The children once there are some, or none after half a minute.
std::vector<pid_t> AwaitChildren(pid_t pid) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  std::vector<pid_t> children;
  while (children.empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    children = ChildrenOf(pid);
  }
  return children;
}

bool IsAlive(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/stat");
  std::string ignored, state;
  return status >> ignored >> ignored >> state && state != "Z";
}

}  // namespace

TEST_F(NprRenderTest, DamagedModelsEndTheImporterNotTheProgram) {
  linvale::test::WriteBytes(Path("cut.ply"), linvale::test::PlyCubeCutInItsHeader());
  linvale::test::WriteBytes(Path("flipped.ply"), linvale::test::PlyCubeWithAFlippedBit());
  linvale::test::WriteDeeplyNestedGltf(Path("nested.gltf"), 20000);
  mHome.Environment().Set("NPR_RENDER_IMPORT_SECONDS", "1");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"cut.ply", "the importer took longer than 1 s"},
      {"flipped.ply", "the importer took longer than 1 s"},
      {"nested.gltf", "the importer crashed ("},
  };
  for (const auto& [model, message] : cases) {
    const ProgramResult result = Run({Path(model), "-q", "--size", "80x60", "-o", Path("out.png")});
    EXPECT_EQ(result.status, 3) << model << "\n" << result.err;
    EXPECT_TRUE(result.err.starts_with("npr-render: " + Path(model) + ": " + message)) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_FALSE(fs::exists(Path("out.png"))) << model;
  }
}

TEST_F(NprRenderTest, AFifoAsTheModelIsRefusedAtOnce) {
  ASSERT_EQ(mkfifo(Path("model.obj").c_str(), 0600), 0);
  // The checks before the model (plug-ins, style, OpenGL) take their time
  // on a busy machine; the FIFO must add no more than a second to them.
  auto secondsFor = [&](const std::string& model, ProgramResult& result) {
    const auto start = std::chrono::steady_clock::now();
    result = Run({Path(model), "-q", "--size", "80x60", "-o", Path("out.png")});
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  };
  ProgramResult missing, result;
  const double baseline = secondsFor("missing.obj", missing);
  EXPECT_LT(secondsFor("model.obj", result), baseline + 1.0);
  EXPECT_EQ(missing.status, 3) << missing.err;
  EXPECT_EQ(result.status, 3) << result.err;
  EXPECT_NE(result.err.find(Path("model.obj") + ": is a FIFO"), std::string::npos) << result.err;
}

TEST_F(NprRenderTest, FacesOnInvalidVerticesAreDroppedAndTheRestRenders) {
  linvale::test::WriteObjWithNanCorner(Path("nan.obj"));
  const ProgramResult result = Run({Path("nan.obj"), "-q", "--size", "160x120", "-o", Path("out.png")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(
      result.err.find(std::to_string(linvale::test::kTrianglesOnNanCorner) + " faces with invalid vertices dropped"),
      std::string::npos)
      << result.err;
  ExpectPicture(Path("out.png"), 160, 120);
}

TEST_F(NprRenderTest, AnInterruptWhileTheImporterWorksEndsBothProcesses) {
  linvale::test::WriteBytes(Path("cut.ply"), linvale::test::PlyCubeCutInItsHeader());
  linvale::test::RunningProgram render(NPR_RENDER_PROGRAM, {Path("cut.ply"), "-q", "-o", Path("out.png")},
                                       mHome.Path());
  const std::vector<pid_t> importer = AwaitChildren(render.Pid());
  ASSERT_EQ(importer.size(), 1u) << "the importer never started";
  const auto interrupted = std::chrono::steady_clock::now();
  render.Signal(SIGINT);
  const ProgramResult result = render.Wait();
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - interrupted).count(), 2.0);
  EXPECT_EQ(result.status, 130) << result.err;
  const auto gone = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (IsAlive(importer[0]) && std::chrono::steady_clock::now() < gone) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(IsAlive(importer[0])) << "the importer outlived the program";
  EXPECT_FALSE(fs::exists(Path("out.png")));
}

#ifndef LINVALE_SANITIZED
namespace {

std::string EnvironmentOf(pid_t pid) {
  std::ifstream file("/proc/" + std::to_string(pid) + "/environ", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

// The importer is started by the program as it runs after its restart, so
// its environment shows what the restart put in, and that the rasteriser
// was told to keep to the drawing thread.
TEST_F(NprRenderTest, TheProgramRunsWithItsHeapInHugePages) {
  linvale::test::WriteBytes(Path("cut.ply"), linvale::test::PlyCubeCutInItsHeader());
  linvale::test::RunningProgram render(NPR_RENDER_PROGRAM, {Path("cut.ply"), "-q", "-o", Path("out.png")},
                                       mHome.Path());
  const std::vector<pid_t> importer = AwaitChildren(render.Pid());
  ASSERT_EQ(importer.size(), 1u) << "the importer never started";
  const std::string environment = EnvironmentOf(importer[0]);
  render.Signal(SIGINT);
  render.Wait();
  // The C library ends each tunable it reads in place, so the list shows
  // only up to the first.
  EXPECT_NE(environment.find("GLIBC_TUNABLES=glibc.malloc.hugetlb=1"), std::string::npos);
  EXPECT_NE(environment.find(std::string("LP_NUM_THREADS=0") + '\0'), std::string::npos);
}
#endif

namespace {

TEST_F(NprRenderTest, SettingsWithoutADisplaySaysSoAndStartsTheUserFromTheShippedStyle) {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    mHome.Environment().Clear(variable);
  }
  const ProgramResult result = Run({"--settings"});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("display"), std::string::npos) << result.err;
  // What OK would save is what later renders read: the user's own copy.
  const fs::path seeded = mHome.Path() / "data/Brisco/Orvelle SR3/Styles/Custom.npr";
  EXPECT_NE(linvale::test::ReadText(seeded).find("[Common]"), std::string::npos);
}

}  // namespace
