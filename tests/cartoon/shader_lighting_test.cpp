#include <linvale/npr_shader_support.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

TS_Light Light(TS::light_style style, TS_3dPoint location, TS_3dVector direction) {
  TS_Light light;
  light.SetStyle(style);
  light.SetLocation(location);
  light.SetDirection(direction);
  light.SetSpotAngleRadians(std::numbers::pi / 6.0);
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
const double kSixty = std::numbers::pi / 3.0;

TEST(LightValue, IsTheBestCosineOverEnabledWorldLightsAboveTheFloor) {
  const TS_Light down = Light(TS::world_directional_light, kOrigin, {0, 0, -1});
  const TS_Light slanted = Light(TS::world_directional_light, kOrigin, {std::sin(kSixty), 0, -std::cos(kSixty)});
  const TS_Light up = Light(TS::world_directional_light, kOrigin, {0, 0, 1});
  TS_Light disabled = down;
  disabled.Enable(false);
  const TS_Light cameraLight = Light(TS::camera_directional_light, kOrigin, {0, 0, -1});

  EXPECT_EQ(NprLightValue(kOrigin, kUp, {}, -1.0), -1.0);
  EXPECT_DOUBLE_EQ(NprLightValue(kOrigin, kUp, Lights({down}), -1.0), 1.0);
  EXPECT_NEAR(NprLightValue(kOrigin, kUp, Lights({slanted}), -1.0), 0.5, 1e-12);
  EXPECT_NEAR(NprLightValue(kOrigin, {0, 0, 7.5}, Lights({slanted}), -1.0), 0.5, 1e-12);
  // Facing away: the sketch keeps the negative value, the cartoon starts at 0.
  EXPECT_DOUBLE_EQ(NprLightValue(kOrigin, kUp, Lights({up}), -1.0), -1.0);
  EXPECT_DOUBLE_EQ(NprLightValue(kOrigin, kUp, Lights({up}), 0.0), 0.0);
  EXPECT_NEAR(NprLightValue(kOrigin, kUp, Lights({disabled, cameraLight, slanted}), 0.0), 0.5, 1e-12);
  EXPECT_DOUBLE_EQ(NprLightValue(kOrigin, kUp, Lights({slanted, down}), 0.0), 1.0);
}

TEST(LightValue, PointAndSpotLightsDependOnWhereTheVertexIs) {
  const auto point = Lights({Light(TS::world_point_light, {0, 0, 10}, {0, 0, -1})});
  EXPECT_DOUBLE_EQ(NprLightValue(kOrigin, kUp, point, 0.0), 1.0);
  EXPECT_NEAR(NprLightValue({-10, 0, 0}, kUp, point, 0.0), std::sqrt(0.5), 1e-12);
  // A vertex at the light's own position gets no light rather than NaN.
  EXPECT_EQ(NprLightValue({0, 0, 10}, kUp, point, 0.0), 0.0);

  // A spot of 30 degrees half angle, 10 above the origin, pointing down:
  // 5 aside is inside its cone (lit along the spot's direction), 7 aside is
  // outside.
  const auto spot = Lights({Light(TS::world_spot_light, {0, 0, 10}, {0, 0, -1})});
  EXPECT_DOUBLE_EQ(NprLightValue({5, 0, 0}, kUp, spot, 0.0), 1.0);
  EXPECT_EQ(NprLightValue({7, 0, 0}, kUp, spot, -1.0), -1.0);
}

TEST(FaceShadingNormals, ChooseVertexOrFaceNormalsAndReverseThemForBackFaces) {
  // A triangle in z = 0 facing +z whose vertex normals lean away from it.
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(0, 0, 0));
  mesh.SetVertex(1, TS_3fPoint(1, 0, 0));
  mesh.SetVertex(2, TS_3fPoint(0, 1, 0));
  mesh.SetTriangle(0, 0, 1, 2);
  TS_Mesh withoutVertexNormals = mesh;
  mesh.SetVertexNormal(0, TS_3fVector(1, 0, 0));
  mesh.SetVertexNormal(1, TS_3fVector(0, 1, 0));
  mesh.SetVertexNormal(2, TS_3fVector(0, 0, 1));
  mesh.ComputeFaceNormals();

  const auto smooth = NprFaceShadingNormals(mesh, 0, {0, 0, 5}, true);
  EXPECT_EQ(smooth[0], TS_3dVector(1, 0, 0));
  EXPECT_EQ(smooth[1], TS_3dVector(0, 1, 0));
  const auto smoothFromBehind = NprFaceShadingNormals(mesh, 0, {0, 0, -5}, true);
  EXPECT_EQ(smoothFromBehind[0], TS_3dVector(-1, 0, 0));
  for (const TS_3dVector& normal : NprFaceShadingNormals(mesh, 0, {0, 0, -5}, false)) {
    EXPECT_EQ(normal, TS_3dVector(0, 0, -1));
  }
  // Without vertex normals (or face normals) the face's own normal is used.
  for (const TS_3dVector& normal : NprFaceShadingNormals(withoutVertexNormals, 0, {0, 0, 5}, true)) {
    EXPECT_GT(normal.z, 0.0);
    EXPECT_EQ(normal.x, 0.0);
  }

  Node node;
  node.setHadVertexNormals(false);
  node.setHadOriginalVertexNormals(false);
  EXPECT_FALSE(NprUsesVertexNormals(node));
  node.setHadOriginalVertexNormals(true);
  EXPECT_TRUE(NprUsesVertexNormals(node));
}

}  // namespace
