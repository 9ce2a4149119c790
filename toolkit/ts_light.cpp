#include <tessel/ts_light.h>

#include <numbers>

TS_Light::TS_Light() = default;

bool TS_Light::IsCameraLight() const {
  return m_style == TS::camera_directional_light || m_style == TS::camera_point_light ||
         m_style == TS::camera_spot_light;
}

bool TS_Light::IsWorldLight() const {
  return m_style == TS::world_directional_light || m_style == TS::world_point_light || m_style == TS::world_spot_light;
}

bool TS_Light::IsDirectionalLight() const {
  return m_style == TS::camera_directional_light || m_style == TS::world_directional_light;
}

bool TS_Light::IsPointLight() const { return m_style == TS::camera_point_light || m_style == TS::world_point_light; }

bool TS_Light::IsSpotLight() const { return m_style == TS::camera_spot_light || m_style == TS::world_spot_light; }

bool TS_Light::SetDirection(const TS_3dVector& direction) {
  if (direction.IsZero()) {
    return false;
  }
  m_direction = direction;
  return true;
}

bool TS_Light::SetSpotAngleRadians(double angle) {
  if (!(angle >= 0.0 && angle <= 0.5 * std::numbers::pi)) {
    return false;
  }
  m_spotAngle = angle;
  return true;
}

bool TS_Light::GetLightXform(const TS_Viewport& viewport, TS::coordinate_system to, TS_Xform& xform) const {
  // Lights of an unknown style are taken to be in world coordinates.
  const TS::coordinate_system own = IsCameraLight() ? TS::camera_cs : TS::world_cs;
  return viewport.GetXform(own, to, xform);
}
