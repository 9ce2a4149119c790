// Nodes made from plain meshes, the default light and cameras fitted to a
// model's box.
#include <linvale/scene_builder.h>

#include "../support/feature_meshes.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

void ExpectUnitNormals(const TS_Mesh& mesh) {
  ASSERT_TRUE(mesh.HasVertexNormals());
  for (const TS_3fVector& normal : mesh.VertexNormals()) {
    EXPECT_NEAR(normal.Length(), 1.0f, 1e-6f);
  }
}

struct Projected {
  double x, y;  // -1..1 across the picture when inside
  double depth;
};

// Where a point lands in the viewport's picture, as OpenGL would put it.
Projected Project(const TS_Viewport& viewport, const TS_3dPoint& point) {
  TS_3dPoint location;
  TS_3dVector x, y, z;
  EXPECT_TRUE(viewport.GetCameraFrame(location, x, y, z));
  const TS_3dVector d = point - location;
  const double cx = TS_DotProduct(d, x);
  const double cy = TS_DotProduct(d, y);
  const double depth = -TS_DotProduct(d, z);
  const double scale = viewport.IsPerspectiveProjection() ? viewport.FrustumNear() / depth : 1.0;
  const double left = viewport.FrustumLeft(), right = viewport.FrustumRight();
  const double bottom = viewport.FrustumBottom(), top = viewport.FrustumTop();
  return {(2 * cx * scale - (right + left)) / (right - left), (2 * cy * scale - (top + bottom)) / (top - bottom),
          depth};
}

std::array<TS_3dPoint, 8> BoxCorners(const TS_3dPoint& min, const TS_3dPoint& max) {
  std::array<TS_3dPoint, 8> corners;
  for (int i = 0; i < 8; ++i) {
    corners[static_cast<std::size_t>(i)] = {(i & 1) ? max.x : min.x, (i & 2) ? max.y : min.y, (i & 4) ? max.z : min.z};
  }
  return corners;
}

}  // namespace

TEST(SceneBuilder, MeshWithoutNormalsBecomesTriangulatedNodeWithComputedNormals) {
  Scene scene;
  const TS_Mesh cube = test_meshes::sharedCornerCube();
  Node* node = NprAppendMeshNode(scene, cube, TS_Color(255, 0, 0));
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(scene.NodesCount(), 1u);
  EXPECT_EQ(scene.First(), node);
  EXPECT_EQ(node->m_mesh.QuadCount(), 0);
  EXPECT_EQ(node->m_mesh.FaceCount(), 12);
  EXPECT_TRUE(node->m_mesh.HasFaceNormals());
  ExpectUnitNormals(node->m_mesh);
  EXPECT_FALSE(node->getHadVertexNormals());
  EXPECT_FALSE(node->getHadOriginalVertexNormals());
  // The caller's mesh is kept as it was handed over, quads and all.
  EXPECT_EQ(node->m_originalMesh.QuadCount(), 6);
  EXPECT_EQ(node->m_originalMesh.VertexCount(), cube.VertexCount());
  // Handing the mesh over by moving it makes the same node.
  TS_Mesh moved = cube;
  Node* second = NprAppendMeshNode(scene, std::move(moved), TS_Color(255, 0, 0));
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(scene.Last(), second);
  EXPECT_EQ(second->m_originalMesh.QuadCount(), 6);
  EXPECT_EQ(second->m_mesh.FaceCount(), 12);
  EXPECT_FALSE(second->getHadOriginalVertexNormals());
}

TEST(SceneBuilder, SuppliedNormalsAreKeptUnitizedAndBadOnesReplaced) {
  Scene scene;
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(0, 0, 0));
  mesh.SetVertex(1, TS_3fPoint(1, 0, 0));
  mesh.SetVertex(2, TS_3fPoint(0, 1, 0));
  mesh.SetTriangle(0, 0, 1, 2);
  mesh.SetVertexNormal(0, TS_3fVector(0, 0, 2));     // too long
  mesh.SetVertexNormal(1, TS_3fVector(0, 0, 0));     // unusable
  mesh.SetVertexNormal(2, TS_3fVector(kNaN, 0, 1));  // unusable
  Node* node = NprAppendMeshNode(scene, mesh, TS_Color(10, 20, 30));
  ASSERT_NE(node, nullptr);
  EXPECT_TRUE(node->getHadVertexNormals());
  EXPECT_TRUE(node->getHadOriginalVertexNormals());
  for (int v = 0; v < 3; ++v) {
    EXPECT_EQ(node->m_mesh.VertexNormal(v), TS_3fVector(0, 0, 1)) << "vertex " << v;
  }
}

TEST(SceneBuilder, FacesOnPointsThatAreNotNumbersAreDroppedAndEmptyMeshesAddNothing) {
  Scene scene;
  TS_Mesh mesh = test_meshes::flatCube();
  const int faces = mesh.FaceCount();
  mesh.SetVertex(0, TS_3fPoint(kNaN, 0, 0));  // a corner of the cube's first two triangles
  Node* node = NprAppendMeshNode(scene, mesh, TS_Color(0, 0, 0));
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->m_mesh.FaceCount(), faces - 2);
  TS_3dPoint min, max;
  ASSERT_TRUE(NprSceneBounds(scene, min, max));
  EXPECT_EQ(min, TS_3dPoint(0, 0, 0));
  EXPECT_EQ(max, TS_3dPoint(1, 1, 1));

  EXPECT_EQ(NprAppendMeshNode(scene, TS_Mesh(), TS_Color(0, 0, 0)), nullptr);
  EXPECT_EQ(scene.NodesCount(), 1u);
}

TEST(SceneBuilder, MaterialFollowsTheColour) {
  const TS_Material red = NprMaterialForColor(TS_Color(255, 0, 0));
  EXPECT_EQ(red.Diffuse(), TS_Color(255, 0, 0));
  EXPECT_EQ(red.Ambient(), TS_Color(255, 0, 0));
  EXPECT_EQ(red.Specular(), TS_Color(255, 0, 0));
  EXPECT_EQ(red.Emission(), TS_Color(128, 0, 0));
  const TS_Material grey = NprMaterialForColor(TS_Color(100, 100, 100));
  EXPECT_EQ(grey.Specular(), TS_Color(150, 150, 150));
  EXPECT_EQ(grey.Emission(), TS_Color(50, 50, 50));
}

TEST(SceneBuilder, DefaultLightIsFixedToTheCameraAndStoredInWorldCoordinates) {
  TS_Viewport viewport;
  ASSERT_TRUE(NprFitViewport(viewport, {0, 0, 0}, {1, 2, 3}, NprNamedView::Iso, TS::perspective_view, 640, 480));
  Scene scene;
  EXPECT_TRUE(NprAddDefaultLightIfNone(scene, viewport));
  EXPECT_FALSE(NprAddDefaultLightIfNone(scene, viewport));
  ASSERT_EQ(scene.Lights().Count(), 1);
  const TS_Light& light = scene.Lights()[0];
  EXPECT_EQ(light.Style(), TS::world_directional_light);
  TS_Xform toCamera;
  ASSERT_TRUE(viewport.GetXform(TS::world_cs, TS::camera_cs, toCamera));
  const TS_3dVector inCamera = toCamera * light.Direction();
  EXPECT_NEAR(inCamera.x, 0.49912220511168, 1e-9);
  EXPECT_NEAR(inCamera.y, -0.43244314572923, 1e-9);
  EXPECT_NEAR(inCamera.z, -1.2505478599703, 1e-9);
}

TEST(SceneBuilder, FittedViewsShowTheWholeBoxSnuglyAtThePictureAspect) {
  const TS_3dPoint min{-40, -10, 0};
  const TS_3dPoint max{60, 30, 25};
  for (const char* name : {"iso", "front", "back", "left", "right", "top", "bottom"}) {
    NprNamedView view;
    ASSERT_TRUE(NprNamedViewFromName(name, view));
    for (const auto projection : {TS::parallel_view, TS::perspective_view}) {
      for (const auto& [width, height] : {std::pair{1600, 900}, std::pair{300, 800}}) {
        TS_Viewport viewport;
        ASSERT_TRUE(NprFitViewport(viewport, min, max, view, projection, width, height));
        double aspect = 0.0;
        ASSERT_TRUE(viewport.GetFrustumAspect(aspect));
        EXPECT_NEAR(aspect, static_cast<double>(width) / height, 1e-9);
        double widest = 0.0;
        double left = 1.0, right = -1.0, bottom = 1.0, top = -1.0;
        for (const TS_3dPoint& corner : BoxCorners(min, max)) {
          const Projected p = Project(viewport, corner);
          EXPECT_LE(std::abs(p.x), 1.0) << name << " " << projection;
          EXPECT_LE(std::abs(p.y), 1.0) << name << " " << projection;
          EXPECT_GT(p.depth, viewport.FrustumNear()) << name << " " << projection;
          EXPECT_LT(p.depth, viewport.FrustumFar()) << name << " " << projection;
          widest = std::max({widest, std::abs(p.x), std::abs(p.y)});
          left = std::min(left, p.x);
          right = std::max(right, p.x);
          bottom = std::min(bottom, p.y);
          top = std::max(top, p.y);
        }
        EXPECT_GT(widest, 0.85) << name << " " << projection << " leaves too much room";
        // The model's outline sits in the middle of the picture.
        EXPECT_NEAR(left + right, 0.0, 0.06) << name << " " << projection;
        EXPECT_NEAR(bottom + top, 0.0, 0.06) << name << " " << projection;
      }
    }
  }
}

TEST(SceneBuilder, NamedViewsFollowTheModelsUpDirection) {
  const TS_3dPoint min{-1, -1, -1};
  const TS_3dPoint max{1, 1, 1};
  TS_Viewport viewport;
  // With y up, top looks down -y and front along -z, with y up in the picture.
  ASSERT_TRUE(NprFitViewport(viewport, min, max, NprNamedView::Top, TS::parallel_view, 100, 100, {0, 1, 0}));
  TS_3dVector direction = viewport.CameraDirection();
  direction.Unitize();
  EXPECT_NEAR(direction.y, -1.0, 1e-12);
  ASSERT_TRUE(NprFitViewport(viewport, min, max, NprNamedView::Front, TS::parallel_view, 100, 100, {0, 1, 0}));
  direction = viewport.CameraDirection();
  direction.Unitize();
  EXPECT_NEAR(direction.z, -1.0, 1e-12);
  EXPECT_NEAR(viewport.CameraY().y, 1.0, 1e-12);
  // Upside down: the top view looks up the z axis.
  ASSERT_TRUE(NprFitViewport(viewport, min, max, NprNamedView::Top, TS::parallel_view, 100, 100, {0, 0, -1}));
  direction = viewport.CameraDirection();
  direction.Unitize();
  EXPECT_NEAR(direction.z, 1.0, 1e-12);
  EXPECT_FALSE(NprFitViewport(viewport, min, max, NprNamedView::Top, TS::parallel_view, 100, 100, {0, 0, 0}));
}

TEST(SceneBuilder, FittingRefusesWhatCannotBeShown) {
  TS_Viewport viewport;
  const TS_Viewport before = viewport;
  const TS_3dPoint nan{std::nan(""), 0, 0};
  EXPECT_FALSE(NprFitViewport(viewport, {0, 0, 0}, {1, 1, 1}, NprNamedView::Iso, TS::perspective_view, 0, 10));
  EXPECT_FALSE(NprFitViewport(viewport, {0, 0, 0}, {1, 1, 1}, NprNamedView::Iso, TS::unknown_view, 10, 10));
  EXPECT_FALSE(NprFitViewport(viewport, nan, {1, 1, 1}, NprNamedView::Iso, TS::parallel_view, 10, 10));
  EXPECT_EQ(viewport.CameraLocation(), before.CameraLocation());
  NprNamedView view;
  EXPECT_FALSE(NprNamedViewFromName("diagonal", view));
  ASSERT_TRUE(NprNamedViewFromName(NprNamedViewName(NprNamedView::Bottom), view));
  EXPECT_EQ(view, NprNamedView::Bottom);
  EXPECT_FALSE(NprNamedViewFromName(nullptr, view));
  // A model that is a single point still gets a usable camera.
  ASSERT_TRUE(NprFitViewport(viewport, {5, 5, 5}, {5, 5, 5}, NprNamedView::Top, TS::perspective_view, 10, 10));
  const Projected p = Project(viewport, {5, 5, 5});
  EXPECT_NEAR(p.x, 0.0, 1e-9);
  EXPECT_GT(p.depth, viewport.FrustumNear());
}

TEST(SceneBuilder, DepthRangeGrowsToTheBoxAndKeepsTheOpeningAngle) {
  TS_Viewport viewport;
  viewport.SetProjection(TS::perspective_view);
  viewport.SetCameraLocation({0, 0, 100});
  viewport.SetCameraDirection({0, 0, -1});
  viewport.SetCameraUp({0, 1, 0});
  viewport.SetFrustum(-0.1, 0.1, -0.075, 0.075, 0.5, 20);  // clips a model 100 away
  const TS_3dPoint min{-500, -500, -500};
  const TS_3dPoint max{500, 500, 50};
  ASSERT_TRUE(NprFitDepthRange(viewport, min, max));
  EXPECT_LT(viewport.FrustumNear(), 50.0);
  EXPECT_GT(viewport.FrustumFar(), 600.0);
  EXPECT_NEAR(viewport.FrustumRight() / viewport.FrustumNear(), 0.2, 1e-12);
  EXPECT_NEAR(viewport.FrustumTop() / viewport.FrustumNear(), 0.15, 1e-12);
  // Nothing in front of the camera: nothing to fit.
  EXPECT_FALSE(NprFitDepthRange(viewport, {0, 0, 200}, {1, 1, 300}));
}

TEST(SceneBuilder, AViewportSeesASceneOnlyWhenAVertexLandsInItsPicture) {
  Scene scene;
  NprAppendMeshNode(scene, test_meshes::sharedCornerCube(), TS_Color(255, 0, 0));
  for (const auto projection : {TS::parallel_view, TS::perspective_view}) {
    TS_Viewport viewport;
    ASSERT_TRUE(NprFitViewportToScene(viewport, scene, NprNamedView::Front, projection, 200, 100));
    EXPECT_TRUE(NprViewportSeesScene(viewport, scene)) << projection;
    // Turned round, the camera looks away from the model.
    TS_Viewport away = viewport;
    away.SetCameraDirection(-viewport.CameraDirection());
    EXPECT_FALSE(NprViewportSeesScene(away, scene)) << projection;
    // Moved sideways by many picture widths.
    TS_Viewport aside = viewport;
    aside.SetCameraLocation(viewport.CameraLocation() + viewport.CameraX() * 1000.0);
    EXPECT_FALSE(NprViewportSeesScene(aside, scene)) << projection;
  }
  EXPECT_FALSE(NprViewportSeesScene(TS_Viewport(), Scene()));
}
