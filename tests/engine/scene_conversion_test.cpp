// The host's meshes, lights and view in the renderer's terms, and the
// facade's own scene and face rules.
#include "facade_meshes.h"
#include "scene_conversion.h"

#include <quorra/scene.h>

#include <linvale/scene_builder.h>
#include <tessel/ts_xform.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using Npr::Ge::Mesh;
using Byte = unsigned char;
using quorra::test::Cube;
using quorra::test::CubeView;

// The facade's scene as a host gets it: in the private heap, one reference.
struct HeldScene {
  HeldScene() : scene(Npr::createTaken<Npr::NprScene>()) {}
  ~HeldScene() { scene->release(); }
  HeldScene(const HeldScene&) = delete;
  HeldScene& operator=(const HeldScene&) = delete;
  Npr::NprScene* scene;
};

std::vector<const Node*> Nodes(const Scene& scene) {
  std::vector<const Node*> nodes;
  for (const Node* node = scene.First(); node != nullptr; node = node->m_next) {
    nodes.push_back(node);
  }
  return nodes;
}

bool AllUnit(const TS_Mesh& mesh) {
  for (const TS_3fVector& n : mesh.VertexNormals()) {
    if (std::abs(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z) - 1.0f) > 1e-5f) {
      return false;
    }
  }
  return true;
}

TS_Viewport CubeViewport() { return quorra::ViewportFromView(CubeView(400, 300), SIZE{400, 300}); }

TEST(MeshConversion, NormalsComputedWhenMissingClearTheNodeFlags) {
  HeldScene held;
  held.scene->addMesh(Cube(Npr::Gs::Color(0xFF808080u), false));
  Scene scene;
  quorra::ConvertScene(*held.scene, CubeViewport(), scene);
  const auto nodes = Nodes(scene);
  ASSERT_EQ(nodes.size(), 1u);
  const Node& node = *nodes[0];
  EXPECT_EQ(node.m_mesh.FaceCount(), 12);
  EXPECT_EQ(node.m_mesh.QuadCount(), 0);
  EXPECT_TRUE(node.m_mesh.HasFaceNormals());
  ASSERT_TRUE(node.m_mesh.HasVertexNormals());
  EXPECT_TRUE(AllUnit(node.m_mesh));
  EXPECT_FALSE(node.getHadVertexNormals());
  EXPECT_FALSE(node.getHadOriginalVertexNormals());
}

TEST(MeshConversion, SuppliedNormalsAreKeptUnitizedAndTheFlagsUntouched) {
  HeldScene held;
  held.scene->addMesh(Cube(Npr::Gs::Color(0xFF808080u), true));
  Scene scene;
  quorra::ConvertScene(*held.scene, CubeViewport(), scene);
  const auto nodes = Nodes(scene);
  ASSERT_EQ(nodes.size(), 1u);
  const Node& node = *nodes[0];
  EXPECT_TRUE(node.getHadVertexNormals());
  EXPECT_TRUE(node.getHadOriginalVertexNormals());
  ASSERT_TRUE(node.m_mesh.HasVertexNormals());
  EXPECT_TRUE(AllUnit(node.m_mesh));
  // Corner 7 is (1, 1, 1): its supplied normal points along the diagonal.
  const float third = 1.0f / std::sqrt(3.0f);
  bool foundDiagonal = false;
  for (int v = 0; v < node.m_mesh.VertexCount(); ++v) {
    const TS_3fPoint p = node.m_mesh.Vertex(v);
    if (p.x == 1.0f && p.y == 1.0f && p.z == 1.0f) {
      const TS_3fVector n = node.m_mesh.VertexNormal(v);
      EXPECT_NEAR(n.x, third, 1e-6f);
      EXPECT_NEAR(n.y, third, 1e-6f);
      EXPECT_NEAR(n.z, third, 1e-6f);
      foundDiagonal = true;
    }
  }
  EXPECT_TRUE(foundDiagonal);
}

TEST(MeshConversion, MaterialFollowsTheMeshColour) {
  HeldScene held;
  held.scene->addMesh(Cube(Npr::Gs::Color(Byte{255}, Byte{0}, Byte{0}, Byte{255}), false));
  held.scene->addMesh(Cube(Npr::Gs::Color(Byte{100}, Byte{100}, Byte{100}, Byte{255}), false));
  Scene scene;
  quorra::ConvertScene(*held.scene, CubeViewport(), scene);
  const auto nodes = Nodes(scene);
  ASSERT_EQ(nodes.size(), 2u);
  const TS_Material& red = nodes[0]->m_material;
  EXPECT_EQ(static_cast<std::uint32_t>(red.Diffuse()), 0x0000FFu);
  EXPECT_EQ(static_cast<std::uint32_t>(red.Ambient()), 0x0000FFu);
  EXPECT_EQ(red.Specular().Red(), 255);
  EXPECT_EQ(red.Specular().Green(), 0);
  EXPECT_NEAR(red.Emission().FractionRed(), 0.5, 1.0 / 255);
  EXPECT_EQ(red.Emission().Blue(), 0);
  const TS_Material& grey = nodes[1]->m_material;
  EXPECT_NEAR(grey.Specular().FractionGreen(), 100 * 1.5 / 255, 1.0 / 255);
  EXPECT_NEAR(grey.Emission().FractionBlue(), 50.0 / 255, 1.0 / 255);
}

TEST(MeshConversion, AMeshWithoutColourIsDrawnInGrey) {
  Mesh mesh = Cube(Npr::Gs::Color(), false);
  mesh.colors().removeAll();
  HeldScene held;
  held.scene->addMesh(mesh);
  Scene scene;
  quorra::ConvertScene(*held.scene, CubeViewport(), scene);
  ASSERT_EQ(scene.NodesCount(), 1u);
  EXPECT_EQ(static_cast<std::uint32_t>(scene.First()->m_material.Diffuse()), 0x808080u);
}

TEST(MeshConversion, BrokenFacesUnusedVerticesAndEmptyMeshesAreLeftOut) {
  Mesh mesh = Cube(Npr::Gs::Color(), false);
  mesh.faces().append(Mesh::Face{0, 1, 99, 99});
  mesh.faces().append(Mesh::Face{0, 0, 1, 1});
  mesh.vertices().append(Npr::Ge::Point3d{50.0, 50.0, 50.0});
  Mesh empty;
  empty.colors().append(Npr::Gs::Color());
  HeldScene held;
  held.scene->addMesh(mesh);
  held.scene->addMesh(empty);
  Scene scene;
  quorra::ConvertScene(*held.scene, CubeViewport(), scene);
  const auto nodes = Nodes(scene);
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_EQ(nodes[0]->m_mesh.FaceCount(), 12);
  // The unused far vertex is compacted away.
  EXPECT_EQ(nodes[0]->m_mesh.VertexCount(), 8);
  TS_3dPoint min, max;
  ASSERT_TRUE(nodes[0]->m_mesh.GetBoundingBox(min, max));
  EXPECT_EQ(max, TS_3dPoint(1.0, 1.0, 1.0));
}

TEST(SceneLights, NoLightsGiveExactlyTheConvertedDefaultLight) {
  HeldScene held;
  held.scene->addMesh(Cube(Npr::Gs::Color(), false));
  const TS_Viewport viewport = CubeViewport();
  Scene scene;
  quorra::ConvertScene(*held.scene, viewport, scene);
  ASSERT_EQ(scene.Lights().Count(), 1);
  const TS_Light& light = scene.Lights()[0];
  EXPECT_EQ(light.Style(), TS::world_directional_light);
  // The camera-space direction turned into world space for this camera.
  TS_Light cameraLight;
  cameraLight.SetStyle(TS::camera_directional_light);
  cameraLight.SetDirection(TS_3dVector(0.49912220511168, -0.43244314572923, -1.2505478599703));
  TS_Xform toWorld;
  ASSERT_TRUE(cameraLight.GetLightXform(viewport, TS::world_cs, toWorld));
  const TS_3dVector expected = toWorld * cameraLight.Direction();
  EXPECT_NEAR(light.Direction().x, expected.x, 1e-9);
  EXPECT_NEAR(light.Direction().y, expected.y, 1e-9);
  EXPECT_NEAR(light.Direction().z, expected.z, 1e-9);
  EXPECT_FALSE(light.Direction().x == cameraLight.Direction().x && light.Direction().z == cameraLight.Direction().z);
}

TEST(SceneLights, HostLightsBecomeWorldPointLights) {
  HeldScene held;
  held.scene->addMesh(Cube(Npr::Gs::Color(), false));
  EXPECT_EQ(held.scene->addLight(Npr::Light{0.75, {1.0, 2.0, 3.0}}), 1u);
  EXPECT_EQ(held.scene->addLight(Npr::Light{0.25, {-4.0, 0.0, 9.0}}), 2u);
  Scene scene;
  quorra::ConvertScene(*held.scene, CubeViewport(), scene);
  ASSERT_EQ(scene.Lights().Count(), 2);
  EXPECT_EQ(scene.Lights()[0].Style(), TS::world_point_light);
  EXPECT_DOUBLE_EQ(scene.Lights()[0].Intensity(), 0.75);
  EXPECT_EQ(scene.Lights()[1].Location(), TS_3dPoint(-4.0, 0.0, 9.0));
}

TEST(ViewConversion, CameraFrustumAndScreenPort) {
  const Npr::View view = CubeView(400, 300);
  const TS_Viewport viewport = quorra::ViewportFromView(view, SIZE{320, 200});
  EXPECT_TRUE(viewport.IsPerspectiveProjection());
  EXPECT_EQ(viewport.CameraLocation(), TS_3dPoint(6.0, -8.0, 5.0));
  int left = -1, right = -1, bottom = -1, top = -1;
  viewport.GetScreenPort(&left, &right, &bottom, &top);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(right, 319);
  EXPECT_EQ(bottom, 199);
  EXPECT_EQ(top, 0);
  double aspect = 0.0;
  ASSERT_TRUE(viewport.GetFrustumAspect(aspect));
  EXPECT_NEAR(aspect, 320.0 / 200.0, 1e-12);
  EXPECT_DOUBLE_EQ(viewport.FrustumNear(), 3.0);
  EXPECT_DOUBLE_EQ(viewport.FrustumFar(), 30.0);
}

TEST(FacadeScene, StoresWholeCopies) {
  HeldScene held;
  Mesh mesh = Cube(Npr::Gs::Color(0xFF0000FFu), true);
  EXPECT_EQ(held.scene->addMesh(mesh), 1u);
  mesh.vertices().setAt(0, Npr::Ge::Point3d{9.0, 9.0, 9.0});
  const Mesh* stored = held.scene->mesh(0);
  EXPECT_EQ(stored->vertices().at(0), (Npr::Ge::Point3d{-1.0, -1.0, -1.0}));
  EXPECT_EQ(stored->faces().length(), 6u);
  EXPECT_EQ(stored->vertexNormals().length(), 8u);
  for (int i = 0; i < 9; ++i) {
    held.scene->addMesh(mesh);
  }
  EXPECT_EQ(held.scene->meshCount(), 10u);
  EXPECT_EQ(held.scene->mesh(9)->vertices().at(0), (Npr::Ge::Point3d{9.0, 9.0, 9.0}));
  EXPECT_EQ(held.scene->lightCount(), 0u);
}

TEST(MeshFace, TrianglesQuadsValidityAndFlips) {
  Mesh::Face triangle{3, 4, 5, 5};
  EXPECT_TRUE(triangle.isTriangle());
  EXPECT_FALSE(triangle.isQuad());
  EXPECT_TRUE(triangle.isValid());
  triangle.flip();
  EXPECT_EQ(triangle, (Mesh::Face{3, 5, 4, 4}));
  EXPECT_TRUE(triangle.isValid());

  EXPECT_FALSE((Mesh::Face{3, 3, 5, 6}).isValid());
  EXPECT_FALSE((Mesh::Face{3, 4, 3, 3}).isValid());
  EXPECT_FALSE((Mesh::Face{3, 4, 5, 4}).isValid());
  Mesh::Face quad{1, 2, 3, 4};
  EXPECT_TRUE(quad.isQuad());
  quad.flip();
  EXPECT_EQ(quad, (Mesh::Face{1, 4, 3, 2}));

  Mesh mesh = Cube(Npr::Gs::Color(), false);
  EXPECT_TRUE(mesh.isValid(Mesh::Face{0, 1, 7, 7}));
  EXPECT_FALSE(mesh.isValid(Mesh::Face{0, 1, 8, 8}));
}

}  // namespace
