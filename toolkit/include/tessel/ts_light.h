// A light source. Camera lights (styles 4 to 6) give location and direction
// in camera coordinates of the viewport they are used with, world lights
// (styles 7 to 9) in world coordinates.
#pragma once

#include <tessel/ts_color.h>
#include <tessel/ts_defines.h>
#include <tessel/ts_point.h>
#include <tessel/ts_viewport.h>
#include <tessel/ts_xform.h>

class TS_Light {
public:
  // An enabled white camera-directional light shining along the view direction.
  TS_Light();

  TS::light_style Style() const { return m_style; }
  void SetStyle(TS::light_style style) { m_style = style; }
  bool IsCameraLight() const;
  bool IsWorldLight() const;
  bool IsDirectionalLight() const;
  bool IsPointLight() const;
  bool IsSpotLight() const;

  bool IsEnabled() const { return m_enabled; }
  void Enable(bool enabled = true) { m_enabled = enabled; }

  TS_3dPoint Location() const { return m_location; }
  TS_3dVector Direction() const { return m_direction; }
  void SetLocation(const TS_3dPoint& location) { m_location = location; }
  // A zero direction is refused (false) and changes nothing.
  bool SetDirection(const TS_3dVector& direction);

  TS_Color Diffuse() const { return m_diffuse; }
  void SetDiffuse(TS_Color color) { m_diffuse = color; }
  double Intensity() const { return m_intensity; }
  void SetIntensity(double intensity) { m_intensity = intensity; }

  // Half the opening angle of the cone of a spot light, in radians.
  double SpotAngleRadians() const { return m_spotAngle; }
  // Values outside 0..pi/2 are refused (false) and change nothing.
  bool SetSpotAngleRadians(double angle);

  // The transformation from the light's own coordinate system (camera or
  // world, by style) into `to` for this viewport. Apply it to Location()
  // as a point and to Direction() as a vector. False when the viewport's
  // camera frame is degenerate and a camera system is involved.
  bool GetLightXform(const TS_Viewport& viewport, TS::coordinate_system to, TS_Xform& xform) const;

  friend bool operator==(const TS_Light&, const TS_Light&) = default;

private:
  TS::light_style m_style = TS::camera_directional_light;
  bool m_enabled = true;
  TS_3dPoint m_location;
  TS_3dVector m_direction{0.0, 0.0, -1.0};
  TS_Color m_diffuse{255, 255, 255};
  double m_intensity = 1.0;
  double m_spotAngle = 0.7853981633974483;  // 45 degrees
};
