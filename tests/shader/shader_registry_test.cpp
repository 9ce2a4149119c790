#include <linvale/npr_shader.h>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "shader_probe.h"
#include "support/temporary_home.h"

namespace {

// Reads the protected state of a shader the registry made.
struct ShaderInternals : NprShader {
  static bool PreviewFlag(NprShader* shader) { return shader->*(&ShaderInternals::mIsPreviewSceneCreated); }
  static HINSTANCE Module(NprShader* shader) { return shader->*(&ShaderInternals::mModule); }
  static const TS_Viewport& Viewport(NprShader* shader) { return shader->*(&ShaderInternals::mDefaultViewport); }
  static Scene& PreviewScene(NprShader* shader) { return shader->*(&ShaderInternals::mPreviewScene); }
  static void SampleSphere(NprShader* shader, TS_Mesh& mesh) { (shader->*(&ShaderInternals::FillMesh))(mesh); }
};

bool IsLoaded(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle != nullptr) {
    dlclose(handle);
  }
  return handle != nullptr;
}

class ShaderRegistry : public ::testing::Test {
protected:
  void SetUp() override { ShaderProbeReset(); }
  void TearDown() override { NprShader::UnLoadAll(); }

  // Copies of the minimal plug-in, named so that the search returns them in
  // the order they were made.
  std::vector<std::string> AddPlugins(int count) {
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "minimal_%02d.so", i);
      paths.push_back(mFolder / name);
      std::filesystem::copy_file(MINIMAL_PLUGIN_PATH, paths.back());
    }
    return paths;
  }

  unsigned long Load(bool preview = false) {
    return NprShader::LoadFolder(mFolder.Path().c_str(), mLight, mViewport, preview);
  }

  linvale::test::TemporaryFolder mFolder;
  TS_Light mLight;
  TS_Viewport mViewport;
};

TEST_F(ShaderRegistry, FolderWithoutUsablePluginsLeavesItEmpty) {
  EXPECT_EQ(Load(), 0u);
  EXPECT_EQ(NprShader::Current(), nullptr);

  // A text file and a library without the entry point are passed over
  // silently, and the library is not kept loaded.
  linvale::test::WriteText(mFolder / "junk.so", "not a library\n");
  const std::string noEntry = mFolder / "no_entry.so";
  std::filesystem::copy_file(NO_ENTRY_LIBRARY_PATH, noEntry);
  EXPECT_EQ(Load(), 0u);
  EXPECT_EQ(NprShader::Shaders(), 0u);
  EXPECT_FALSE(IsLoaded(noEntry));

  TS_Light light;
  TS_Viewport viewport;
  EXPECT_EQ(NprShader::LoadFolder((mFolder / "missing").c_str(), light, viewport, false), 0u);
  EXPECT_EQ(NprShader::LoadFolder(nullptr, light, viewport, false), 0u);
}

TEST_F(ShaderRegistry, LoadsTheFirst32PluginsTheSearchReturns) {
  const auto paths = AddPlugins(40);
  linvale::test::WriteText(mFolder / "junk.so", "not a library\n");
  EXPECT_EQ(Load(), 32u);
  for (unsigned long i = 0; i < 32; ++i) {
    NprShader* shader = NprShader::GetByIndex(i);
    ASSERT_NE(shader, nullptr);
    EXPECT_EQ(shader->GetName(0), paths[i]);
  }
  EXPECT_EQ(NprShader::GetByIndex(32), nullptr);
  EXPECT_FALSE(IsLoaded(paths[32]));
  EXPECT_EQ(NprShader::Current(), nullptr);

  NprShader::UnLoadAll();
  EXPECT_EQ(ShaderProbeCount(ShaderProbeDeleted), 32);
  EXPECT_EQ(NprShader::Shaders(), 0u);
  for (const auto& path : paths) {
    EXPECT_FALSE(IsLoaded(path)) << path;
  }
}

TEST_F(ShaderRegistry, GivesEachShaderItsModuleCameraLightAndPreviewFlag) {
  const auto paths = AddPlugins(2);
  mViewport.SetCameraLocation(TS_3dPoint(1.0, 2.0, 3.0));
  ASSERT_EQ(Load(true), 2u);
  for (unsigned long i = 0; i < 2; ++i) {
    NprShader* shader = NprShader::GetByIndex(i);
    void* expected = dlopen(paths[i].c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(static_cast<void*>(ShaderInternals::Module(shader)), expected);
    dlclose(expected);
    EXPECT_TRUE(ShaderInternals::PreviewFlag(shader));
    EXPECT_EQ(ShaderInternals::Viewport(shader).CameraLocation().z, 3.0);
    EXPECT_EQ(ShaderInternals::PreviewScene(shader).Lights().Count(), 1);
  }

  // Without a preview the stock picture stands in for it.
  ASSERT_EQ(Load(false), 2u);
  EXPECT_FALSE(ShaderInternals::PreviewFlag(NprShader::GetByIndex(0)));
  NprShader::GetByIndex(0)->GetBitmap();
  EXPECT_EQ(ShaderProbeCount(ShaderProbeDefaultBitmap), 1);

  NprShader::GetByIndex(1)->setMainDlg(nullptr);
  EXPECT_EQ(ShaderProbeCount(ShaderProbeMainDialogSet), 1);
}

TEST_F(ShaderRegistry, LooksUpAndSelectsShaders) {
  const auto paths = AddPlugins(3);
  ASSERT_EQ(Load(), 3u);
  NprShader* first = NprShader::GetByIndex(0);
  NprShader* third = NprShader::GetByIndex(2);

  EXPECT_EQ(NprShader::GetByTag("minimal"), first);
  EXPECT_EQ(NprShader::GetByTag("MINIMAL"), first);
  EXPECT_EQ(NprShader::GetByTag("Sketch"), nullptr);
  EXPECT_EQ(NprShader::GetByTag(nullptr), nullptr);
  std::string upperName = paths[2];
  for (char& c : upperName) {
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  EXPECT_EQ(NprShader::GetByName(upperName.c_str()), third);
  EXPECT_EQ(NprShader::GetByName("no such shader"), nullptr);

  EXPECT_EQ(NprShader::SelectByIndex(2), nullptr);
  EXPECT_EQ(NprShader::Current(), third);
  EXPECT_EQ(NprShader::SelectByIndex(0), third);
  EXPECT_EQ(NprShader::SelectByTag("unknown"), first);
  EXPECT_EQ(NprShader::Current(), nullptr);
  EXPECT_EQ(NprShader::SelectByTag("Minimal"), nullptr);
  EXPECT_EQ(NprShader::Current(), first);
  // An index beyond 32 bits selects nothing rather than wrapping around.
  NprShader::SelectByIndex(0x100000000UL);
  EXPECT_EQ(NprShader::Current(), nullptr);
}

TEST_F(ShaderRegistry, LastReleaseDeletesThroughThePluginOnceAndUnloadsIt) {
  const auto paths = AddPlugins(1);
  ASSERT_EQ(Load(), 1u);
  NprShader* held = NprShader::GetByIndex(0);
  EXPECT_EQ(held->AddRef(), 2u);

  NprShader::UnLoadAll();
  EXPECT_EQ(ShaderProbeCount(ShaderProbeDeleted), 0);
  EXPECT_TRUE(IsLoaded(paths[0]));
  EXPECT_STREQ(held->GetTag(0), "Minimal");

  EXPECT_EQ(held->Release(), 0u);
  EXPECT_EQ(ShaderProbeCount(ShaderProbeDeleted), 1);
  EXPECT_FALSE(IsLoaded(paths[0]));
}

TEST_F(ShaderRegistry, ReloadingKeepsShadersAHolderStillReferences) {
  const auto paths = AddPlugins(2);
  ASSERT_EQ(Load(), 2u);
  NprShader* held = NprShader::GetByIndex(0);
  held->AddRef();

  ASSERT_EQ(Load(), 2u);
  EXPECT_EQ(ShaderProbeCount(ShaderProbeDeleted), 1);
  EXPECT_NE(NprShader::GetByIndex(0), held);
  EXPECT_EQ(NprShader::GetByIndex(0)->GetName(0), paths[0]);
  EXPECT_EQ(NprShader::GetByIndex(1)->GetName(0), paths[1]);
  EXPECT_EQ(held->GetName(0), paths[0]);

  EXPECT_EQ(held->Release(), 0u);
  EXPECT_EQ(ShaderProbeCount(ShaderProbeDeleted), 2);
  // The library stays for the shader the second load made from it.
  EXPECT_TRUE(IsLoaded(paths[0]));
  EXPECT_STREQ(NprShader::GetByIndex(0)->GetTag(0), "Minimal");

  NprShader::UnLoadAll();
  EXPECT_EQ(ShaderProbeCount(ShaderProbeDeleted), 4);
  EXPECT_FALSE(IsLoaded(paths[0]));
  EXPECT_FALSE(IsLoaded(paths[1]));
}

TEST(ShaderReferences, NullObjectsAreAcceptedInTheOptimisedBuild) {
#ifdef LINVALE_UNDEFINED_BEHAVIOR_SANITIZER
  GTEST_SKIP() << "a call through a null pointer is what UBSan stops; the plain build runs this";
#endif
  NprShader::UnLoadAll();
  // The pointer comes from the library, so this file's compiler cannot see
  // it is null; the library's own code must keep its null tests.
  NprShader* none = NprShader::GetByTag("nothing loaded");
  EXPECT_EQ(none->AddRef(), 0u);
  EXPECT_EQ(none->Release(), 0xFFFFFFFFUL);
}

TEST_F(ShaderRegistry, SampleSphereHasItsFacetsAndPoles) {
  AddPlugins(1);
  ASSERT_EQ(Load(), 1u);
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(5.0f, 5.0f, 5.0f));  // filling starts afresh
  ShaderInternals::SampleSphere(NprShader::GetByIndex(0), mesh);

  ASSERT_EQ(mesh.VertexCount(), 6400);
  ASSERT_EQ(mesh.FaceCount(), 1600);
  EXPECT_EQ(mesh.QuadCount(), 1600);
  EXPECT_NEAR(mesh.Vertex(0).x, 0.0f, 1e-5f);
  EXPECT_NEAR(mesh.Vertex(0).y, 0.0f, 1e-5f);
  EXPECT_NEAR(mesh.Vertex(0).z, 10.0f, 1e-5f);
  // Last quad ends at the south pole.
  EXPECT_NEAR(mesh.Vertex(6399).z, -10.0f, 1e-5f);
  for (int v : {0, 1234, 6399}) {
    const TS_3fVector n = mesh.VertexNormal(v);
    const TS_3fPoint p = mesh.Vertex(v);
    EXPECT_FLOAT_EQ(n.x, p.x);
    EXPECT_FLOAT_EQ(n.y, p.y);
    EXPECT_FLOAT_EQ(n.z, p.z);
  }
  const TS_MeshFace& quad = mesh.Face(41);
  EXPECT_EQ(quad.vi[0], 4 * 41 + 3);
  EXPECT_EQ(quad.vi[3], 4 * 41);
}

}  // namespace
