// A camera: projection, position and orientation, the view frustum in camera
// coordinates and the screen port (pixel rectangle) it maps to.
//
// Camera coordinates: X to the right, Y up, and the camera looks down -Z, so
// Z is the reversed camera direction. The frustum values are those of
// glOrtho / glFrustum: left, right, bottom, top at the near plane, and near
// and far as positive distances along the camera direction.
#pragma once

#include <tessel/ts_defines.h>
#include <tessel/ts_point.h>
#include <tessel/ts_xform.h>

class TS_Viewport {
public:
  // Same as Initialize().
  TS_Viewport();

  // A parallel view looking down the world -Z axis at the origin from
  // (0, 0, 100), Y up, seeing the square -20..20 around the origin, on a
  // 1000 by 1000 pixel port.
  void Initialize();

  TS::view_projection Projection() const { return m_projection; }
  void SetProjection(TS::view_projection projection) { m_projection = projection; }
  bool IsParallelProjection() const { return m_projection == TS::parallel_view; }
  bool IsPerspectiveProjection() const { return m_projection == TS::perspective_view; }

  TS_3dPoint CameraLocation() const { return m_cameraLocation; }
  TS_3dVector CameraDirection() const { return m_cameraDirection; }
  TS_3dVector CameraUp() const { return m_cameraUp; }
  void SetCameraLocation(const TS_3dPoint& location) { m_cameraLocation = location; }
  // A zero direction or up vector is refused (false) and changes nothing.
  bool SetCameraDirection(const TS_3dVector& direction);
  bool SetCameraUp(const TS_3dVector& up);

  // The orthonormal camera frame derived from direction and up; false (and
  // zero axes) when the two are parallel.
  bool GetCameraFrame(TS_3dPoint& location, TS_3dVector& cameraX, TS_3dVector& cameraY, TS_3dVector& cameraZ) const;
  TS_3dVector CameraX() const;
  TS_3dVector CameraY() const;
  TS_3dVector CameraZ() const;

  // The transformation from one coordinate system to another; false when
  // the camera frame is degenerate and a camera system is involved.
  bool GetXform(TS::coordinate_system from, TS::coordinate_system to, TS_Xform& xform) const;

  double FrustumLeft() const { return m_frustumLeft; }
  double FrustumRight() const { return m_frustumRight; }
  double FrustumBottom() const { return m_frustumBottom; }
  double FrustumTop() const { return m_frustumTop; }
  double FrustumNear() const { return m_frustumNear; }
  double FrustumFar() const { return m_frustumFar; }
  void SetFrustumLeft(double value) { m_frustumLeft = value; }
  void SetFrustumRight(double value) { m_frustumRight = value; }
  void SetFrustumBottom(double value) { m_frustumBottom = value; }
  void SetFrustumTop(double value) { m_frustumTop = value; }
  void SetFrustumNear(double value) { m_frustumNear = value; }
  void SetFrustumFar(double value) { m_frustumFar = value; }
  void SetFrustum(double left, double right, double bottom, double top, double nearDistance, double farDistance);
  // Any pointer may be null.
  void GetFrustum(double* left, double* right, double* bottom, double* top, double* nearDistance,
                  double* farDistance) const;
  // Width over height of the frustum; false when the height is zero.
  bool GetFrustumAspect(double& aspect) const;
  // Widens or narrows the frustum about its centre, keeping its height, so
  // that width / height equals aspect. False for an aspect that is not a
  // positive finite number, or a frustum of zero height; nothing changes then.
  bool SetFrustumAspect(double aspect);

  // Pixel rectangle of the port; top may be below bottom (window rows grow downwards).
  void SetScreenPort(int left, int right, int bottom, int top, int nearDepth = 0, int farDepth = 0);
  // Any pointer may be null.
  void GetScreenPort(int* left, int* right, int* bottom, int* top, int* nearDepth = nullptr,
                     int* farDepth = nullptr) const;
  int ScreenPortWidth() const;
  int ScreenPortHeight() const;
  // |right - left| / |top - bottom|; false when the port has no height.
  bool GetScreenPortAspect(double& aspect) const;

  friend bool operator==(const TS_Viewport&, const TS_Viewport&) = default;

private:
  TS::view_projection m_projection = TS::parallel_view;
  TS_3dPoint m_cameraLocation;
  TS_3dVector m_cameraDirection;
  TS_3dVector m_cameraUp;
  double m_frustumLeft = 0.0;
  double m_frustumRight = 0.0;
  double m_frustumBottom = 0.0;
  double m_frustumTop = 0.0;
  double m_frustumNear = 0.0;
  double m_frustumFar = 0.0;
  int m_portLeft = 0;
  int m_portRight = 0;
  int m_portBottom = 0;
  int m_portTop = 0;
  int m_portNear = 0;
  int m_portFar = 0;
};
