// Viewport frames, frustum and screen port, and light transformations.
#include <tessel/ts_light.h>
#include <tessel/ts_viewport.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

void expectNear(const TS_3dVector& actual, const TS_3dVector& expected, double tolerance = 1e-12) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TS_3dVector unit(TS_3dVector v) {
  v.Unitize();
  return v;
}

TS_Viewport obliqueCamera() {
  TS_Viewport viewport;
  viewport.SetProjection(TS::perspective_view);
  viewport.SetCameraLocation(TS_3dPoint(34.91, -60.46, 40.37));
  viewport.SetCameraDirection(TS_3dVector(-34.91, 60.46, -40.37));
  viewport.SetCameraUp(TS_3dVector(0, 0, 1));
  return viewport;
}

}  // namespace

TEST(Viewport, CameraFrameIsOrthonormalRightHandedAndLooksDownMinusZ) {
  const TS_Viewport viewport = obliqueCamera();
  TS_3dPoint location;
  TS_3dVector x, y, z;
  ASSERT_TRUE(viewport.GetCameraFrame(location, x, y, z));
  EXPECT_NEAR(x.Length(), 1.0, 1e-12);
  EXPECT_NEAR(y.Length(), 1.0, 1e-12);
  EXPECT_NEAR(TS_DotProduct(x, y), 0.0, 1e-12);
  expectNear(TS_CrossProduct(x, y), z);
  expectNear(z, -unit(viewport.CameraDirection()));
  EXPECT_GT(TS_DotProduct(y, viewport.CameraUp()), 0.0);
  EXPECT_NEAR(x.z, 0.0, 1e-12);  // up is world Z, so the camera's X stays horizontal
}

TEST(Viewport, CameraAndWorldTransformsAreInverse) {
  const TS_Viewport viewport = obliqueCamera();
  TS_Xform toWorld, toCamera;
  ASSERT_TRUE(viewport.GetXform(TS::camera_cs, TS::world_cs, toWorld));
  ASSERT_TRUE(viewport.GetXform(TS::world_cs, TS::camera_cs, toCamera));

  EXPECT_EQ(toWorld * TS_3dPoint(0, 0, 0), viewport.CameraLocation());
  expectNear(toWorld * TS_3dVector(0, 0, -1), unit(viewport.CameraDirection()));
  const TS_3dPoint p(3, -7, 11);
  const TS_3dPoint back = toWorld * (toCamera * p);
  EXPECT_NEAR(back.DistanceTo(p), 0.0, 1e-12);
  // The origin lies straight ahead of this camera.
  const TS_3dPoint origin = toCamera * TS_3dPoint(0, 0, 0);
  EXPECT_NEAR(origin.x, 0.0, 1e-9);
  EXPECT_NEAR(origin.y, 0.0, 1e-9);
  EXPECT_LT(origin.z, 0.0);
}

TEST(Viewport, RefusesDegenerateCameras) {
  TS_Viewport viewport;
  EXPECT_FALSE(viewport.SetCameraDirection(TS_3dVector(0, 0, 0)));
  EXPECT_EQ(viewport.CameraDirection(), TS_3dVector(0, 0, -1));
  ASSERT_TRUE(viewport.SetCameraUp(TS_3dVector(0, 0, 5)));  // parallel to the direction
  TS_Xform xform;
  EXPECT_FALSE(viewport.GetXform(TS::camera_cs, TS::world_cs, xform));
  EXPECT_TRUE(viewport.CameraX().IsZero());
}

TEST(Viewport, ScreenPortAspectAndFrustumAspect) {
  TS_Viewport viewport;
  viewport.SetScreenPort(0, 160, 160, 0, 0, 1);
  double aspect = 0.0;
  ASSERT_TRUE(viewport.GetScreenPortAspect(aspect));
  EXPECT_DOUBLE_EQ(aspect, 1.0);
  viewport.SetScreenPort(0, 639, 479, 0);
  ASSERT_TRUE(viewport.GetScreenPortAspect(aspect));
  EXPECT_DOUBLE_EQ(aspect, 639.0 / 479.0);
  viewport.SetScreenPort(0, 10, 5, 5);
  EXPECT_FALSE(viewport.GetScreenPortAspect(aspect));

  viewport.SetFrustum(1, 3, -1, 1, 2, 50);
  ASSERT_TRUE(viewport.SetFrustumAspect(2.0));
  EXPECT_DOUBLE_EQ(viewport.FrustumLeft(), 0.0);
  EXPECT_DOUBLE_EQ(viewport.FrustumRight(), 4.0);
  EXPECT_DOUBLE_EQ(viewport.FrustumBottom(), -1.0);
  EXPECT_DOUBLE_EQ(viewport.FrustumTop(), 1.0);
  EXPECT_FALSE(viewport.SetFrustumAspect(0.0));
  EXPECT_FALSE(viewport.SetFrustumAspect(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_DOUBLE_EQ(viewport.FrustumRight(), 4.0);
}

TEST(Light, DefaultIsAnEnabledWhiteCameraLightAlongTheView) {
  const TS_Light light;
  EXPECT_EQ(light.Style(), TS::camera_directional_light);
  EXPECT_TRUE(light.IsEnabled());
  EXPECT_EQ(light.Diffuse().Red(), 255);
  EXPECT_EQ(light.Diffuse().Blue(), 255);

  TS_Xform toWorld;
  const TS_Viewport viewport = obliqueCamera();
  ASSERT_TRUE(light.GetLightXform(viewport, TS::world_cs, toWorld));
  expectNear(unit(toWorld * light.Direction()), unit(viewport.CameraDirection()));
}

TEST(Light, CameraLightsTurnWithTheCameraWorldLightsStayPut) {
  const TS_Viewport viewport = obliqueCamera();
  TS_Light light;
  const TS_3dVector inCamera(0.49912220511168, -0.43244314572923, -1.2505478599703);
  ASSERT_TRUE(light.SetDirection(inCamera));
  TS_Xform xform;
  ASSERT_TRUE(light.GetLightXform(viewport, TS::world_cs, xform));
  const TS_3dVector inWorld = xform * inCamera;
  EXPECT_NEAR(inWorld.Length(), inCamera.Length(), 1e-12);
  // Right (+x) in the camera is the camera's X axis in the world.
  EXPECT_NEAR(TS_DotProduct(inWorld, viewport.CameraX()), inCamera.x, 1e-12);
  EXPECT_NEAR(TS_DotProduct(inWorld, -unit(viewport.CameraDirection())), inCamera.z, 1e-12);

  light.SetStyle(TS::world_point_light);
  ASSERT_TRUE(light.GetLightXform(viewport, TS::world_cs, xform));
  EXPECT_TRUE(xform.IsIdentity());
}

TEST(Light, SpotAngleMustLieBetweenZeroAndARightAngle) {
  TS_Light light;
  EXPECT_TRUE(light.SetSpotAngleRadians(0.5));
  EXPECT_FALSE(light.SetSpotAngleRadians(2.0));
  EXPECT_FALSE(light.SetSpotAngleRadians(-0.1));
  EXPECT_DOUBLE_EQ(light.SpotAngleRadians(), 0.5);
}
