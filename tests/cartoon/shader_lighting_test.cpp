#include <linvale/npr_shader_support.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TS_Light DirectionalLight(TS_3dVector direction) {
  TS_Light light;
  light.SetStyle(TS::world_directional_light);
  light.SetDirection(direction);
  return light;
}

TS_Light PointLight(TS_3dPoint location) {
  TS_Light light;
  light.SetStyle(TS::world_point_light);
  light.SetLocation(location);
  return light;
}

TS_Light SpotLight(TS_3dPoint location, TS_3dVector direction, double halfAngle) {
  TS_Light light;
  light.SetStyle(TS::world_spot_light);
  light.SetLocation(location);
  light.SetDirection(direction);
  light.SetSpotAngleRadians(halfAngle);
  return light;
}

TS_ClassArray<TS_Light> Lights(std::initializer_list<TS_Light> list) {
  TS_ClassArray<TS_Light> lights;
  for (const TS_Light& light : list) {
    lights.Append(light);
  }
  return lights;
}

const TS_3dPoint kOrigin{0, 0, 0};
const TS_3dVector kUp{0, 0, 1};

TEST(LightValue, WithoutLightsIsTheFloor) {
  EXPECT_EQ(NprLightValue(kOrigin, kUp, {}, 0.0), 0.0);
  EXPECT_EQ(NprLightValue(kOrigin, kUp, {}, -1.0), -1.0);
}

TEST(LightValue, DirectionalLightGivesTheCosineOfTheIncidence) {
  // Shining straight down onto an upward normal, then at 60 degrees.
  const auto straight = Lights({DirectionalLight({0, 0, -1})});
  EXPECT_DOUBLE_EQ(NprLightValue(kOrigin, kUp, straight, -1.0), 1.0);
  const double angle = std::numbers::pi / 3.0;
  const auto slanted = Lights({DirectionalLight({std::sin(angle), 0, -std::cos(angle)})});
  EXPECT_NEAR(NprLightValue(kOrigin, kUp, slanted, -1.0), 0.5, 1e-12);
}

TEST(LightValue, NormalLengthDoesNotMatter) {
  const auto lights = Lights({DirectionalLight({-1, 0, -1})});
  EXPECT_NEAR(NprLightValue(kOrigin, {0, 0, 7.5}, lights, -1.0), NprLightValue(kOrigin, kUp, lights, -1.0), 1e-12);
}

TEST(LightValue, FacesAwayFromTheLightFallToTheFloorOrBelow) {
  const auto fromBelow = Lights({DirectionalLight({0, 0, 1})});
  // The sketch keeps the negative value, the cartoon starts at 0.
  EXPECT_DOUBLE_EQ(NprLightValue(kOrigin, kUp, fromBelow, -1.0), -1.0);
  EXPECT_DOUBLE_EQ(NprLightValue(kOrigin, kUp, fromBelow, 0.0), 0.0);
}

TEST(LightValue, BrightestLightWinsAndDisabledOrCameraLightsAreIgnored) {
  TS_Light disabled = DirectionalLight({0, 0, -1});
  disabled.Enable(false);
  TS_Light cameraLight;  // camera directional by default
  cameraLight.SetDirection({0, 0, -1});
  const double angle = std::numbers::pi / 3.0;
  const TS_Light dim = DirectionalLight({std::sin(angle), 0, -std::cos(angle)});
  EXPECT_NEAR(NprLightValue(kOrigin, kUp, Lights({disabled, cameraLight, dim}), 0.0), 0.5, 1e-12);
  EXPECT_DOUBLE_EQ(NprLightValue(kOrigin, kUp, Lights({dim, DirectionalLight({0, 0, -1})}), 0.0), 1.0);
}

TEST(LightValue, PointLightShinesFromItsLocationTowardsEachVertex) {
  const auto lights = Lights({PointLight({0, 0, 10})});
  EXPECT_DOUBLE_EQ(NprLightValue(kOrigin, kUp, lights, 0.0), 1.0);
  // From (10, 0, 0) the light is 45 degrees off the normal.
  EXPECT_NEAR(NprLightValue({-10, 0, 0}, kUp, lights, 0.0), std::sqrt(0.5), 1e-12);
  // A vertex at the light's own position gets no light rather than NaN.
  EXPECT_EQ(NprLightValue({0, 0, 10}, kUp, lights, 0.0), 0.0);
}

TEST(LightValue, SpotLightReachesOnlyVerticesInsideItsCone) {
  // A spot above the origin pointing down with a 30-degree half angle.
  const auto lights = Lights({SpotLight({0, 0, 10}, {0, 0, -1}, std::numbers::pi / 6.0)});
  EXPECT_DOUBLE_EQ(NprLightValue(kOrigin, kUp, lights, 0.0), 1.0);
  // 5 units aside is about 26.6 degrees off the axis: inside. It is lit
  // along the spot's direction, not from the spot's location.
  EXPECT_DOUBLE_EQ(NprLightValue({5, 0, 0}, kUp, lights, 0.0), 1.0);
  // 7 units aside is about 35 degrees off the axis: outside.
  EXPECT_EQ(NprLightValue({7, 0, 0}, kUp, lights, -1.0), -1.0);
}

// A single triangle in the plane z = 0 facing +z, with vertex normals that
// lean away from the face normal so the two choices can be told apart.
TS_Mesh LeaningTriangle() {
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(0, 0, 0));
  mesh.SetVertex(1, TS_3fPoint(1, 0, 0));
  mesh.SetVertex(2, TS_3fPoint(0, 1, 0));
  mesh.SetVertexNormal(0, TS_3fVector(1, 0, 0));
  mesh.SetVertexNormal(1, TS_3fVector(0, 1, 0));
  mesh.SetVertexNormal(2, TS_3fVector(0, 0, 1));
  mesh.SetTriangle(0, 0, 1, 2);
  mesh.ComputeFaceNormals();
  return mesh;
}

TEST(FaceShadingNormals, ChooseVertexOrFaceNormalsAndFlipForBackFaces) {
  const TS_Mesh mesh = LeaningTriangle();
  const TS_3dPoint front{0, 0, 5};
  const TS_3dPoint behind{0, 0, -5};

  const auto smooth = NprFaceShadingNormals(mesh, 0, front, true);
  EXPECT_EQ(smooth[0], TS_3dVector(1, 0, 0));
  EXPECT_EQ(smooth[1], TS_3dVector(0, 1, 0));
  EXPECT_EQ(smooth[2], TS_3dVector(0, 0, 1));

  for (const TS_3dVector& normal : NprFaceShadingNormals(mesh, 0, front, false)) {
    EXPECT_EQ(normal, TS_3dVector(0, 0, 1));
  }
  for (const TS_3dVector& normal : NprFaceShadingNormals(mesh, 0, behind, false)) {
    EXPECT_EQ(normal, TS_3dVector(0, 0, -1));
  }
  const auto smoothBehind = NprFaceShadingNormals(mesh, 0, behind, true);
  EXPECT_EQ(smoothBehind[0], TS_3dVector(-1, 0, 0));
  EXPECT_EQ(smoothBehind[2], TS_3dVector(0, 0, -1));
}

TEST(FaceShadingNormals, MeshWithoutVertexNormalsFallsBackToTheFaceNormal) {
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(0, 0, 0));
  mesh.SetVertex(1, TS_3fPoint(0, 1, 0));
  mesh.SetVertex(2, TS_3fPoint(1, 0, 0));
  mesh.SetTriangle(0, 0, 1, 2);  // faces -z
  for (const TS_3dVector& normal : NprFaceShadingNormals(mesh, 0, {0, 0, -5}, true)) {
    EXPECT_LT(normal.z, 0.0);
    EXPECT_EQ(normal.x, 0.0);
    EXPECT_EQ(normal.y, 0.0);
  }
}

TEST(FaceShadingNormals, EitherNormalFlagMeansSmoothShading) {
  Node node;
  node.setHadVertexNormals(false);
  node.setHadOriginalVertexNormals(false);
  EXPECT_FALSE(NprUsesVertexNormals(node));
  node.setHadOriginalVertexNormals(true);
  EXPECT_TRUE(NprUsesVertexNormals(node));
  node.setHadOriginalVertexNormals(false);
  node.setHadVertexNormals(true);
  EXPECT_TRUE(NprUsesVertexNormals(node));
}

}  // namespace
