// Reading models of several formats: objects with their colours and
// placements, normals only where the file has them, lights and cameras in
// world coordinates, and one clear line when a file cannot be used.
#include <linvale/scene_builder.h>
#include <tessel/ts_model.h>

#include "../support/temporary_home.h"
#include "model_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

using linvale::test::TemporaryFolder;

const TS_ModelObject* FindObject(const TS_Model& model, TS_Color color) {
  for (const TS_ModelObject& object : model.m_objects) {
    if (object.color == color) {
      return &object;
    }
  }
  return nullptr;
}

TS_3dPoint Centre(const TS_Mesh& mesh) {
  TS_3dPoint sum;
  for (const TS_3fPoint& p : mesh.Vertices()) {
    sum = sum + TS_3dPoint(p);
  }
  return sum / mesh.VertexCount();
}

void ExpectNear(const TS_3dVector& actual, const TS_3dVector& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-5);
  EXPECT_NEAR(actual.y, expected.y, 1e-5);
  EXPECT_NEAR(actual.z, expected.z, 1e-5);
}

// Every face points the way the normals of its corners do.
void ExpectFacesAgreeWithNormals(const TS_Mesh& mesh) {
  for (int f = 0; f < mesh.FaceCount(); ++f) {
    const TS_MeshFace& face = mesh.Face(f);
    const TS_3fPoint& a = mesh.Vertex(face.vi[0]);
    const TS_3fVector n = TS_CrossProduct(mesh.Vertex(face.vi[1]) - a, mesh.Vertex(face.vi[2]) - a);
    for (int corner = 0; corner < 3; ++corner) {
      EXPECT_GT(TS_DotProduct(n, mesh.VertexNormal(face.vi[corner])), 0.0f) << "face " << f;
    }
  }
}

}  // namespace

TEST(ModelImport, ObjObjectsKeepTheirMaterialColoursAndBecomeTriangles) {
  TemporaryFolder folder;
  linvale::test::WriteTwoCubeObj(folder / "cubes.obj");
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(model.Read((folder / "cubes.obj").c_str(), error)) << error;
  ASSERT_EQ(model.m_objects.Count(), 2);
  const TS_ModelObject* red = FindObject(model, TS_Color(255, 0, 0));
  const TS_ModelObject* blue = FindObject(model, TS_Color(0, 0, 255));
  ASSERT_NE(red, nullptr);
  ASSERT_NE(blue, nullptr);
  EXPECT_EQ(red->mesh.FaceCount(), 12);
  EXPECT_EQ(red->mesh.QuadCount(), 0);
  EXPECT_FALSE(red->mesh.HasVertexNormals());
  EXPECT_NEAR(Centre(red->mesh).x, -5.0, 1e-6);
  EXPECT_NEAR(Centre(blue->mesh).x, 5.0, 1e-6);
  EXPECT_TRUE(model.m_views.IsEmpty());
  EXPECT_TRUE(model.m_lights.IsEmpty());
  EXPECT_EQ(model.m_up, TS_3dVector(0, 1, 0));
}

TEST(ModelImport, StlWithoutNormalsGetsFlatShadingThatKeepsItsCreases) {
  TemporaryFolder folder;
  linvale::test::WriteStlCubeWithoutNormals(folder / "cube.stl");
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(model.Read((folder / "cube.stl").c_str(), error)) << error;
  ASSERT_EQ(model.m_objects.Count(), 1);
  EXPECT_FALSE(model.m_objects[0].mesh.HasVertexNormals());
  EXPECT_EQ(model.m_up, TS_3dVector(0, 0, 1)) << "STL keeps the z up of CAD";
  const TS_Color grey = model.m_objects[0].color;  // neutral: no hue of its own
  EXPECT_EQ(grey.Red(), grey.Green());
  EXPECT_EQ(grey.Green(), grey.Blue());

  Scene scene;
  Node* node = NprAppendMeshNode(scene, model.m_objects[0].mesh, model.m_objects[0].color);
  ASSERT_NE(node, nullptr);
  EXPECT_FALSE(node->getHadVertexNormals());
  // No normal is averaged across a cube edge: each corner of a triangle
  // carries exactly the triangle's own normal.
  const TS_Mesh& mesh = node->m_mesh;
  for (int f = 0; f < mesh.FaceCount(); ++f) {
    for (int corner = 0; corner < 3; ++corner) {
      const TS_3fVector n = mesh.VertexNormal(mesh.Face(f).vi[corner]);
      EXPECT_NEAR(TS_DotProduct(n, mesh.FaceNormal(f)), 1.0f, 1e-6f) << "face " << f;
    }
  }
}

TEST(ModelImport, ModelsWithoutMaterialsAreGreyOrTakeTheirVertexColours) {
  TemporaryFolder folder;
  linvale::test::WritePlyCube(folder / "plain.ply");
  linvale::test::WritePlyCube(folder / "colored.ply", true);
  TS_Model plain, colored;
  TS_String error;
  ASSERT_TRUE(plain.Read((folder / "plain.ply").c_str(), error)) << error;
  ASSERT_TRUE(colored.Read((folder / "colored.ply").c_str(), error)) << error;
  ASSERT_EQ(plain.m_objects.Count(), 1);
  ASSERT_EQ(colored.m_objects.Count(), 1);
  const TS_Color grey = plain.m_objects[0].color;
  EXPECT_EQ(grey.Red(), grey.Green());
  EXPECT_EQ(grey.Green(), grey.Blue());
  EXPECT_LT(grey.Red(), 200) << "too light to draw with on white paper";
  EXPECT_EQ(colored.m_objects[0].color, TS_Color(128, 128, 0));
}

TEST(ModelImport, GltfPlacesMeshesCamerasAndLightsInTheWorld) {
  TemporaryFolder folder;
  linvale::test::WriteTwoCubeGltf(folder / "cubes.gltf", {.camera = true, .lights = true});
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(model.Read((folder / "cubes.gltf").c_str(), error)) << error;
  ASSERT_EQ(model.m_objects.Count(), 2);
  const TS_ModelObject* red = FindObject(model, TS_Color(255, 0, 0));
  ASSERT_NE(red, nullptr);
  EXPECT_TRUE(red->mesh.HasVertexNormals());
  EXPECT_NEAR(Centre(red->mesh).x, -10.0, 1e-6);
  ExpectFacesAgreeWithNormals(red->mesh);

  ASSERT_EQ(model.m_views.Count(), 1);
  const TS_Viewport& camera = model.m_views[0];
  EXPECT_EQ(camera.Projection(), TS::perspective_view);
  ExpectNear(TS_3dVector(camera.CameraLocation()), {-10, 0, 15});
  TS_3dVector direction = camera.CameraDirection();
  direction.Unitize();
  ExpectNear(direction, {0, 0, -1});
  // The file's vertical opening of 0.5 and its aspect.
  EXPECT_NEAR(camera.FrustumTop() / camera.FrustumNear(), std::tan(0.25), 1e-6);
  EXPECT_NEAR(camera.FrustumRight() / camera.FrustumTop(), 1.3333, 1e-4);

  ASSERT_EQ(model.m_lights.Count(), 2);
  for (const TS_Light& light : model.m_lights) {
    if (light.Style() == TS::world_point_light) {
      ExpectNear(TS_3dVector(light.Location()), {0, 0, 20});
    } else {
      EXPECT_EQ(light.Style(), TS::world_directional_light);
      // A quarter turn about x takes the light's own -z to +y.
      TS_3dVector shining = light.Direction();
      shining.Unitize();
      ExpectNear(shining, {0, 1, 0});
    }
  }
}

TEST(ModelImport, MirroredPlacementKeepsFacesTurnedOutwards) {
  TemporaryFolder folder;
  linvale::test::WriteTwoCubeGltf(folder / "mirrored.gltf", {.camera = false, .mirrored = true});
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(model.Read((folder / "mirrored.gltf").c_str(), error)) << error;
  const TS_ModelObject* red = FindObject(model, TS_Color(255, 0, 0));
  ASSERT_NE(red, nullptr);
  ExpectFacesAgreeWithNormals(red->mesh);
}

TEST(ModelImport, UnusableFilesFailWithOneLineNamingTheFile) {
  TemporaryFolder folder;
  linvale::test::WriteObjWithoutSurface(folder / "lines.obj");
  std::ofstream(folder / "noise.obj") << "this is not a model\n\x01\x02";
  std::ofstream(folder / "empty.stl");
  for (const std::string& name : {folder / "missing.obj", folder.Path().string(), folder / "lines.obj",
                                  folder / "empty.stl", folder / "unknown.xyz"}) {
    TS_Model model;
    TS_String error;
    EXPECT_FALSE(model.Read(name.c_str(), error)) << name;
    EXPECT_NE(error.find(name), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_TRUE(model.m_objects.IsEmpty());
  }
}

// The CAD kernel takes a third of a second to load: mesh formats must not
// pull it in, and the first CAD file does.
TEST(ModelImport, TheCadModuleIsLoadedByTheFirstCadFileOnly) {
  auto loaded = [](const char* library) {
    std::ifstream maps("/proc/self/maps");
    const std::string text((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
    return text.find(library) != std::string::npos;
  };
  TemporaryFolder folder;
  linvale::test::WriteTwoCubeObj(folder / "cubes.obj");
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(model.Read((folder / "cubes.obj").c_str(), error)) << error;
  EXPECT_FALSE(loaded("libtessel_brep.so"));
  EXPECT_FALSE(loaded("libTKernel"));
  linvale::test::WriteText(folder / "part.step", "ISO-10303-21;\nnot really\n");
  EXPECT_FALSE(model.Read((folder / "part.step").c_str(), error));
  EXPECT_NE(error.find("part.step"), std::string::npos) << error;
  EXPECT_TRUE(loaded("libtessel_brep.so"));
  EXPECT_TRUE(loaded("libTKernel"));
}
