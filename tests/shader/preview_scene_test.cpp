// The shader preview: which scene and camera the preview model gives, and
// what GetBitmap hands to the shader's Render.
#include <linvale/dib_pixels.h>
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_preview_scene.h>
#include <linvale/npr_shader.h>
#include <linvale/npr_ui_main_dlg.h>
#include <linvale/npr_win32_owners.h>
#include <tessel/ts_brep.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <vector>
#include <optional>
#include <string>

#include "support/temporary_home.h"

namespace {

TS_Mesh Quad(float offset, bool withNormals) {
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(offset, 0.0f, 0.0f));
  mesh.SetVertex(1, TS_3fPoint(offset + 1.0f, 0.0f, 0.0f));
  mesh.SetVertex(2, TS_3fPoint(offset + 1.0f, 1.0f, 0.0f));
  mesh.SetVertex(3, TS_3fPoint(offset, 1.0f, 0.0f));
  if (withNormals) {
    for (int i = 0; i < 4; ++i) {
      mesh.SetVertexNormal(i, TS_3fVector(0.0f, 0.0f, 2.0f));
    }
  }
  mesh.SetQuad(0, 0, 1, 2, 3);
  return mesh;
}

TS_Material Coloured(int red, int green, int blue) {
  TS_Material material;
  material.SetDiffuse(TS_Color(red, green, blue));
  return material;
}

TS_Viewport View(TS::view_projection projection, double x) {
  TS_Viewport view;
  view.SetProjection(projection);
  view.SetCameraLocation(TS_3dPoint(x, 0.0, 10.0));
  view.SetCameraDirection(TS_3dVector(0.0, 0.0, -1.0));
  view.SetCameraUp(TS_3dVector(0.0, 1.0, 0.0));
  view.SetFrustum(-2.0, 2.0, -1.0, 1.0, 1.0, 100.0);
  return view;
}

// A boundary form as a CAD kernel would mesh it: here simply fixed meshes,
// and the parameters it was asked to mesh with.
class FixedBrep : public TS_Brep {
public:
  explicit FixedBrep(std::vector<TS_Mesh> meshes, bool succeeds = true)
      : mMeshes(std::move(meshes)), mSucceeds(succeeds) {}

  bool CreateMesh(const TS_MeshParameters& parameters, TS_ClassArray<TS_Mesh>& meshes) const override {
    asked = parameters;
    if (!mSucceeds) {
      return false;
    }
    for (const TS_Mesh& mesh : mMeshes) {
      meshes.Append(mesh);
    }
    return true;
  }

  mutable std::optional<TS_MeshParameters> asked;

private:
  std::vector<TS_Mesh> mMeshes;
  bool mSucceeds;
};

TS_ModelObject MeshObject(TS_Mesh mesh) {
  TS_ModelObject object;
  object.mesh = std::move(mesh);
  return object;
}

int NodeCount(const Scene& scene) { return static_cast<int>(scene.NodesCount()); }

struct Built {
  Scene scene;
  TS_Viewport camera = View(TS::parallel_view, 42.0);
  bool hasCamera = false;
  bool preview = false;
};

void Build(const TS_Model& model, Built& built) {
  built.preview = NprBuildPreviewScene(model, built.scene, built.camera, built.hasCamera);
}

TEST(PreviewScene, TakesTheFirstObjectWithItsMaterialAndIgnoresTheRest) {
  TS_Model model;
  model.m_objects.Append(MeshObject(Quad(0.0f, true)));
  model.m_objects.Append(MeshObject(Quad(5.0f, true)));
  model.m_materials.Append(Coloured(10, 20, 30));
  Built built;
  Build(model, built);
  EXPECT_TRUE(built.preview);
  ASSERT_EQ(NodeCount(built.scene), 1);
  const Node& node = *built.scene.First();
  EXPECT_EQ(node.m_material, Coloured(10, 20, 30));
  // Prepared for edge extraction: triangles and unit vertex normals, the
  // quad kept as it came in the original mesh.
  EXPECT_EQ(node.m_mesh.QuadCount(), 0);
  EXPECT_EQ(node.m_mesh.FaceCount(), 2);
  EXPECT_NEAR(node.m_mesh.VertexNormal(0).z, 1.0f, 1e-6f);
  EXPECT_EQ(node.m_originalMesh.QuadCount(), 1);
  EXPECT_TRUE(node.getHadVertexNormals());
  EXPECT_TRUE(node.getHadOriginalVertexNormals());
  EXPECT_FLOAT_EQ(node.m_mesh.Vertex(0).x, 0.0f);
}

TEST(PreviewScene, MeshWithoutNormalsGetsComputedOnesAndSaysSo) {
  TS_Model model;
  model.m_objects.Append(MeshObject(Quad(0.0f, false)));
  model.m_materials.Append(Coloured(1, 2, 3));
  Built built;
  Build(model, built);
  ASSERT_EQ(NodeCount(built.scene), 1);
  const Node& node = *built.scene.First();
  EXPECT_FALSE(node.getHadVertexNormals());
  EXPECT_FALSE(node.getHadOriginalVertexNormals());
  ASSERT_TRUE(node.m_mesh.HasVertexNormals());
  ASSERT_TRUE(node.m_mesh.HasFaceNormals());
  EXPECT_NEAR(std::fabs(node.m_mesh.VertexNormal(2).z), 1.0f, 1e-6f);
}

TEST(PreviewScene, NoPreviewWithoutMaterialsOrObjects) {
  TS_Model withoutMaterials;
  withoutMaterials.m_objects.Append(MeshObject(Quad(0.0f, true)));
  Built first;
  Build(withoutMaterials, first);
  EXPECT_FALSE(first.preview);
  EXPECT_EQ(NodeCount(first.scene), 0);

  TS_Model withoutObjects;
  withoutObjects.m_materials.Append(Coloured(1, 2, 3));
  withoutObjects.m_views.Append(View(TS::perspective_view, 1.0));
  Built second;
  Build(withoutObjects, second);
  EXPECT_FALSE(second.preview);
  EXPECT_FALSE(second.hasCamera);
}

TEST(PreviewScene, FirstPerspectiveViewBecomesTheCameraFittedToThePreview) {
  TS_Model model;
  model.m_objects.Append(MeshObject(Quad(0.0f, true)));
  model.m_materials.Append(Coloured(1, 2, 3));
  model.m_views.Append(View(TS::parallel_view, 1.0));
  model.m_views.Append(View(TS::perspective_view, 2.0));
  model.m_views.Append(View(TS::perspective_view, 3.0));
  Built built;
  Build(model, built);
  ASSERT_TRUE(built.hasCamera);
  EXPECT_TRUE(built.camera.IsPerspectiveProjection());
  EXPECT_DOUBLE_EQ(built.camera.CameraLocation().x, 2.0);
  double aspect = 0.0;
  ASSERT_TRUE(built.camera.GetFrustumAspect(aspect));
  EXPECT_DOUBLE_EQ(aspect, 1.0);
  ASSERT_TRUE(built.camera.GetScreenPortAspect(aspect));
  EXPECT_DOUBLE_EQ(aspect, 1.0);
}

TEST(PreviewScene, OnlyAParallelViewLeavesTheCameraAlone) {
  TS_Model model;
  model.m_objects.Append(MeshObject(Quad(0.0f, true)));
  model.m_materials.Append(Coloured(1, 2, 3));
  model.m_views.Append(View(TS::parallel_view, 7.0));
  Built built;
  Build(model, built);
  EXPECT_TRUE(built.preview);
  EXPECT_FALSE(built.hasCamera);
  EXPECT_DOUBLE_EQ(built.camera.CameraLocation().x, 42.0);
}

TEST(PreviewScene, BrepFirstObjectIsMeshedWithDefaultParametersMaterialPerMesh) {
  auto brep = std::make_shared<FixedBrep>(std::vector<TS_Mesh>{Quad(0.0f, true), Quad(3.0f, false)});
  TS_ModelObject solid;
  solid.brep = brep;
  TS_Model model;
  model.m_objects.Append(solid);
  model.m_materials.Append(Coloured(0, 128, 0));
  Built built;
  Build(model, built);
  EXPECT_TRUE(built.preview);
  ASSERT_TRUE(brep->asked.has_value());
  const TS_MeshParameters defaults;
  EXPECT_EQ(brep->asked->relativeDeflection, defaults.relativeDeflection);
  EXPECT_EQ(brep->asked->absoluteDeflection, defaults.absoluteDeflection);
  EXPECT_EQ(brep->asked->angularDeflection, defaults.angularDeflection);
  ASSERT_EQ(NodeCount(built.scene), 2);
  const Node& first = *built.scene.First();
  const Node& second = *first.m_next;
  EXPECT_EQ(first.m_material, Coloured(0, 128, 0));
  // Beyond the model's materials the preview's own red stands in.
  EXPECT_EQ(second.m_material, NprDefaultPreviewMaterial());
  EXPECT_EQ(second.m_material.Emission(), TS_Color(255, 0, 0));
  EXPECT_FLOAT_EQ(second.m_originalMesh.Vertex(0).x, 3.0f);
  EXPECT_FALSE(second.getHadVertexNormals());
}

TEST(PreviewScene, NothingToMeshGivesNoPreview) {
  TS_ModelObject failing;
  failing.brep = std::make_shared<FixedBrep>(std::vector<TS_Mesh>{Quad(0.0f, true)}, false);
  TS_Model brepModel;
  brepModel.m_objects.Append(failing);
  brepModel.m_materials.Append(Coloured(1, 2, 3));
  Built fromBrep;
  Build(brepModel, fromBrep);
  EXPECT_FALSE(fromBrep.preview);
  EXPECT_EQ(NodeCount(fromBrep.scene), 0);

  TS_Model emptyModel;
  emptyModel.m_objects.Append(TS_ModelObject{});
  emptyModel.m_materials.Append(Coloured(1, 2, 3));
  Built fromEmpty;
  Build(emptyModel, fromEmpty);
  EXPECT_FALSE(fromEmpty.preview);
}

// --- The preview through a shader ---

class CountingHost : public NprHostApplicationServices {
public:
  void Print(const char*, ...) override {}
  void OnPreviewSettings(NprRenderSettings& settings) override {
    ++previewSettingsCalls;
    settings.SetImageDPI(321);
  }
  // The user's styles folder is `userStyles` when set; the others are
  // the usual ones (the build's shared folder has the shipped model) unless
  // `onlyUserStyles` hides them.
  int GetStyleFolder(Folder kind, char* buffer, unsigned long size) const override {
    if (kind == UserStylesFolder && userStyles) {
      std::snprintf(buffer, size, "%s", userStyles->c_str());
      return 1;
    }
    return onlyUserStyles ? 0 : NprHostApplicationServices::GetStyleFolder(kind, buffer, size);
  }
  int previewSettingsCalls = 0;
  std::optional<std::string> userStyles;
  bool onlyUserStyles = false;
};

class EditingDialog : public NprUiMainDlg {
public:
  NprRenderSettings WorkingSettings() const override { return settings; }
  void ParametersChanged() override {}
  NprRenderSettings settings;
};

// A shader that records what the preview asks it to draw.
class RecordingShader : public NprShader {
public:
  RecordingShader() : NprShader(nullptr) {}
  int LoadSettings(const char*) override { return 1; }
  int SaveSettings(const char*) override { return 1; }
  const char* GetName(int) override { return "Recording"; }
  const char* GetReserved(int) override { return ""; }
  HBITMAP GetDefaultBitmap() override {
    ++stockPictures;
    return Picture();
  }
  NprPageDialog* GetDialog(unsigned) override { return nullptr; }
  const char* GetTag(int) override { return "Recording"; }
  HBITMAP Render(const TS_Viewport& viewport, const NprRenderSettings& settings, Scene* scene,
                 NprRenderer::Progress* progress, HANDLE* fileHandle, HANDLE* mappingHandle) override {
    ++renders;
    renderedSettings = settings;
    renderedViewport = viewport;
    renderedScene = scene;
    withoutProgressOrMapping = progress == nullptr && fileHandle == nullptr && mappingHandle == nullptr;
    return Picture();
  }
  void OnSetMainDlg() override {}

  bool PreviewFlag() const { return mIsPreviewSceneCreated; }
  const Scene& PreviewScene() const { return mPreviewScene; }
  bool HasPreviewCamera() const { return mHasPreviewViewport; }

  static HBITMAP Picture() {
    const std::vector<std::uint32_t> pixels(kNprPreviewSize * kNprPreviewSize, 0x00FFFFFFu);
    return NprCreateDib32(kNprPreviewSize, kNprPreviewSize, pixels);
  }

  int stockPictures = 0;
  int renders = 0;
  std::optional<NprRenderSettings> renderedSettings;
  TS_Viewport renderedViewport;
  Scene* renderedScene = nullptr;
  bool withoutProgressOrMapping = false;
};

class ShaderPreview : public ::testing::Test {
protected:
  void SetUp() override { mPrevious = NprHostApplicationServices::setDefaultHost(&mHost); }
  void TearDown() override { NprHostApplicationServices::setDefaultHost(mPrevious); }

  CountingHost mHost;
  NprHostApplicationServices* mPrevious = nullptr;
};

TEST_F(ShaderPreview, ShippedModelGivesASceneAndACamera) {
  RecordingShader shader;
  EXPECT_TRUE(shader.PreviewFlag());
  EXPECT_EQ(shader.PreviewScene().NodesCount(), 1u);
  EXPECT_TRUE(shader.HasPreviewCamera());
  TS_Model model;
  ASSERT_TRUE(NprReadPreviewModel(model));
  EXPECT_GE(model.m_materials.Count(), 2);
}

TEST_F(ShaderPreview, RendersTheDialogsWorkingSettingsAtPreviewSize) {
  RecordingShader shader;
  ASSERT_TRUE(shader.PreviewFlag());
  EditingDialog dialog;
  dialog.settings.SetBackgroundColor(RGB(1, 2, 3));
  const SIZE large{1600, 1200};
  dialog.settings.SetImageSize(&large);
  shader.setMainDlg(&dialog);
  const NprUniqueGdiObject<HBITMAP> picture(shader.GetBitmap());
  ASSERT_NE(picture, nullptr);
  ASSERT_EQ(shader.renders, 1);
  EXPECT_EQ(shader.stockPictures, 0);
  EXPECT_EQ(mHost.previewSettingsCalls, 1);
  EXPECT_EQ(shader.renderedSettings->GetBackgroundColor(), RGB(1, 2, 3));
  EXPECT_EQ(shader.renderedSettings->GetImageSize().cx, kNprPreviewSize);
  EXPECT_EQ(shader.renderedSettings->GetImageSize().cy, kNprPreviewSize);
  // What the host changed is what gets drawn.
  EXPECT_EQ(shader.renderedSettings->GetImageDPI(), 321u);
  EXPECT_EQ(shader.renderedScene, &shader.PreviewScene());
  EXPECT_TRUE(shader.withoutProgressOrMapping);
  EXPECT_TRUE(shader.renderedViewport.IsPerspectiveProjection());
}

TEST_F(ShaderPreview, WithoutModelTheStockPictureIsShownAndNothingRendered) {
  const linvale::test::TemporaryFolder empty;
  mHost.userStyles = empty.Path().string();
  mHost.onlyUserStyles = true;
  RecordingShader shader;
  EXPECT_FALSE(shader.PreviewFlag());
  EXPECT_EQ(shader.PreviewScene().NodesCount(), 0u);
  const NprUniqueGdiObject<HBITMAP> picture(shader.GetBitmap());
  BITMAP header{};
  ASSERT_NE(GetObject(picture.get(), sizeof header, &header), 0);
  EXPECT_EQ(header.bmWidth, kNprPreviewSize);
  EXPECT_EQ(header.bmHeight, kNprPreviewSize);
  EXPECT_EQ(shader.stockPictures, 1);
  EXPECT_EQ(shader.renders, 0);
  EXPECT_EQ(mHost.previewSettingsCalls, 0);
}

TEST_F(ShaderPreview, UnreadableModelInTheUserFolderIsNotReplacedByTheShippedOne) {
  const linvale::test::TemporaryFolder folder;
  std::ofstream(folder / kNprPreviewModelName) << "not a model";
  mHost.userStyles = folder.Path().string();
  RecordingShader shader;
  EXPECT_FALSE(shader.PreviewFlag());
}

}  // namespace
