// Camera frames and transforms, frustum and screen port, light conversion.
#include <tessel/ts_light.h>
#include <tessel/ts_viewport.h>

#include <gtest/gtest.h>

namespace {

void expectNear(const TS_3dVector& actual, const TS_3dVector& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-12);
  EXPECT_NEAR(actual.y, expected.y, 1e-12);
  EXPECT_NEAR(actual.z, expected.z, 1e-12);
}

TS_3dVector unit(TS_3dVector v) {
  v.Unitize();
  return v;
}

TS_Viewport obliqueCamera() {
  TS_Viewport viewport;
  viewport.SetCameraLocation(TS_3dPoint(34.91, -60.46, 40.37));
  viewport.SetCameraDirection(TS_3dVector(-34.91, 60.46, -40.37));
  viewport.SetCameraUp(TS_3dVector(0, 0, 1));
  return viewport;
}

}  // namespace

TEST(Viewport, CameraFrameIsRightHandedAndItsTransformsAreInverse) {
  const TS_Viewport viewport = obliqueCamera();
  TS_3dPoint location;
  TS_3dVector x, y, z;
  ASSERT_TRUE(viewport.GetCameraFrame(location, x, y, z));
  EXPECT_NEAR(TS_DotProduct(x, y), 0.0, 1e-12);
  expectNear(TS_CrossProduct(x, y), z);
  expectNear(z, -unit(viewport.CameraDirection()));
  EXPECT_GT(TS_DotProduct(y, viewport.CameraUp()), 0.0);

  TS_Xform toWorld, toCamera;
  ASSERT_TRUE(viewport.GetXform(TS::camera_cs, TS::world_cs, toWorld));
  ASSERT_TRUE(viewport.GetXform(TS::world_cs, TS::camera_cs, toCamera));
  EXPECT_EQ(toWorld * TS_3dPoint(0, 0, 0), viewport.CameraLocation());
  const TS_3dPoint p(3, -7, 11);
  EXPECT_NEAR((toWorld * (toCamera * p)).DistanceTo(p), 0.0, 1e-12);
  const TS_3dPoint origin = toCamera * TS_3dPoint(0, 0, 0);  // straight ahead
  EXPECT_NEAR(origin.x, 0.0, 1e-9);
  EXPECT_LT(origin.z, 0.0);

  TS_Viewport degenerate;
  EXPECT_FALSE(degenerate.SetCameraDirection(TS_3dVector()));
  degenerate.SetCameraUp(degenerate.CameraDirection());
  EXPECT_FALSE(degenerate.GetXform(TS::camera_cs, TS::world_cs, toWorld));
}

TEST(Viewport, ScreenPortAndFrustumAspects) {
  TS_Viewport viewport;
  double aspect = 0.0;
  viewport.SetScreenPort(0, 639, 479, 0);
  ASSERT_TRUE(viewport.GetScreenPortAspect(aspect));
  EXPECT_DOUBLE_EQ(aspect, 639.0 / 479.0);

  viewport.SetFrustum(1, 3, -1, 1, 2, 50);
  ASSERT_TRUE(viewport.SetFrustumAspect(2.0));  // keeps centre and height
  EXPECT_DOUBLE_EQ(viewport.FrustumLeft(), 0.0);
  EXPECT_DOUBLE_EQ(viewport.FrustumRight(), 4.0);
  EXPECT_DOUBLE_EQ(viewport.FrustumTop(), 1.0);
  EXPECT_FALSE(viewport.SetFrustumAspect(0.0));
  EXPECT_DOUBLE_EQ(viewport.FrustumRight(), 4.0);
}

TEST(Light, CameraLightsTurnWithTheCameraWorldLightsStayPut) {
  const TS_Viewport viewport = obliqueCamera();
  TS_Light light;
  EXPECT_EQ(light.Style(), TS::camera_directional_light);
  EXPECT_TRUE(light.IsEnabled());
  TS_Xform xform;
  ASSERT_TRUE(light.GetLightXform(viewport, TS::world_cs, xform));
  expectNear(unit(xform * light.Direction()), unit(viewport.CameraDirection()));

  const TS_3dVector inCamera(0.49912220511168, -0.43244314572923, -1.2505478599703);
  const TS_3dVector inWorld = xform * inCamera;
  EXPECT_NEAR(inWorld.Length(), inCamera.Length(), 1e-12);
  EXPECT_NEAR(TS_DotProduct(inWorld, viewport.CameraX()), inCamera.x, 1e-12);

  light.SetStyle(TS::world_point_light);
  ASSERT_TRUE(light.GetLightXform(viewport, TS::world_cs, xform));
  EXPECT_TRUE(xform.IsIdentity());
}
