#include <tessel/ts_viewport.h>

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

// Rows of a rotation whose rows are the camera axes take world vectors into
// camera coordinates; the transpose goes back.
TS_Xform WorldToCamera(const TS_3dPoint& location, const TS_3dVector& x, const TS_3dVector& y, const TS_3dVector& z) {
  TS_Xform xform;
  const TS_3dVector axes[3] = {x, y, z};
  const TS_3dVector origin(location);
  for (int row = 0; row < 3; ++row) {
    xform.m_xform[row][0] = axes[row].x;
    xform.m_xform[row][1] = axes[row].y;
    xform.m_xform[row][2] = axes[row].z;
    xform.m_xform[row][3] = -TS_DotProduct(axes[row], origin);
  }
  return xform;
}

TS_Xform CameraToWorld(const TS_3dPoint& location, const TS_3dVector& x, const TS_3dVector& y, const TS_3dVector& z) {
  TS_Xform xform;
  const TS_3dVector axes[3] = {x, y, z};
  for (int column = 0; column < 3; ++column) {
    xform.m_xform[0][column] = axes[column].x;
    xform.m_xform[1][column] = axes[column].y;
    xform.m_xform[2][column] = axes[column].z;
  }
  xform.m_xform[0][3] = location.x;
  xform.m_xform[1][3] = location.y;
  xform.m_xform[2][3] = location.z;
  return xform;
}

}  // namespace

TS_Viewport::TS_Viewport() { Initialize(); }

void TS_Viewport::Initialize() {
  m_projection = TS::parallel_view;
  m_cameraLocation = TS_3dPoint(0.0, 0.0, 100.0);
  m_cameraDirection = TS_3dVector(0.0, 0.0, -1.0);
  m_cameraUp = TS_3dVector(0.0, 1.0, 0.0);
  SetFrustum(-20.0, 20.0, -20.0, 20.0, 1.0, 1000.0);
  SetScreenPort(0, 1000, 1000, 0, 0, 1);
}

bool TS_Viewport::SetCameraDirection(const TS_3dVector& direction) {
  if (direction.IsZero()) {
    return false;
  }
  m_cameraDirection = direction;
  return true;
}

bool TS_Viewport::SetCameraUp(const TS_3dVector& up) {
  if (up.IsZero()) {
    return false;
  }
  m_cameraUp = up;
  return true;
}

bool TS_Viewport::GetCameraFrame(TS_3dPoint& location, TS_3dVector& cameraX, TS_3dVector& cameraY,
                                 TS_3dVector& cameraZ) const {
  location = m_cameraLocation;
  cameraZ = -m_cameraDirection;
  cameraX = TS_CrossProduct(m_cameraDirection, m_cameraUp);
  if (!cameraZ.Unitize() || !cameraX.Unitize()) {
    cameraX.Zero();
    cameraY.Zero();
    cameraZ.Zero();
    return false;
  }
  cameraY = TS_CrossProduct(cameraZ, cameraX);
  return true;
}

TS_3dVector TS_Viewport::CameraX() const {
  TS_3dPoint location;
  TS_3dVector x, y, z;
  GetCameraFrame(location, x, y, z);
  return x;
}

TS_3dVector TS_Viewport::CameraY() const {
  TS_3dPoint location;
  TS_3dVector x, y, z;
  GetCameraFrame(location, x, y, z);
  return y;
}

TS_3dVector TS_Viewport::CameraZ() const {
  TS_3dPoint location;
  TS_3dVector x, y, z;
  GetCameraFrame(location, x, y, z);
  return z;
}

bool TS_Viewport::GetXform(TS::coordinate_system from, TS::coordinate_system to, TS_Xform& xform) const {
  const bool known = (from == TS::world_cs || from == TS::camera_cs) && (to == TS::world_cs || to == TS::camera_cs);
  if (!known) {
    return false;
  }
  if (from == to) {
    xform = TS_Xform::Identity();
    return true;
  }
  TS_3dPoint location;
  TS_3dVector x, y, z;
  if (!GetCameraFrame(location, x, y, z)) {
    return false;
  }
  xform = from == TS::camera_cs ? CameraToWorld(location, x, y, z) : WorldToCamera(location, x, y, z);
  return true;
}

void TS_Viewport::SetFrustum(double left, double right, double bottom, double top, double nearDistance,
                             double farDistance) {
  m_frustumLeft = left;
  m_frustumRight = right;
  m_frustumBottom = bottom;
  m_frustumTop = top;
  m_frustumNear = nearDistance;
  m_frustumFar = farDistance;
}

void TS_Viewport::GetFrustum(double* left, double* right, double* bottom, double* top, double* nearDistance,
                             double* farDistance) const {
  const std::pair<double*, double> values[] = {{left, m_frustumLeft},         {right, m_frustumRight},
                                               {bottom, m_frustumBottom},     {top, m_frustumTop},
                                               {nearDistance, m_frustumNear}, {farDistance, m_frustumFar}};
  for (const auto& [target, value] : values) {
    if (target != nullptr) {
      *target = value;
    }
  }
}

bool TS_Viewport::GetFrustumAspect(double& aspect) const {
  const double height = m_frustumTop - m_frustumBottom;
  if (height == 0.0) {
    return false;
  }
  aspect = (m_frustumRight - m_frustumLeft) / height;
  return true;
}

bool TS_Viewport::SetFrustumAspect(double aspect) {
  const double height = std::abs(m_frustumTop - m_frustumBottom);
  if (!(aspect > 0.0) || !std::isfinite(aspect) || !(height > 0.0)) {
    return false;
  }
  const double centre = 0.5 * (m_frustumLeft + m_frustumRight);
  const double halfWidth = 0.5 * aspect * height;
  // A mirrored frustum (right < left) stays mirrored.
  const double sign = m_frustumRight < m_frustumLeft ? -1.0 : 1.0;
  m_frustumLeft = centre - sign * halfWidth;
  m_frustumRight = centre + sign * halfWidth;
  return true;
}

void TS_Viewport::SetScreenPort(int left, int right, int bottom, int top, int nearDepth, int farDepth) {
  m_portLeft = left;
  m_portRight = right;
  m_portBottom = bottom;
  m_portTop = top;
  m_portNear = nearDepth;
  m_portFar = farDepth;
}

void TS_Viewport::GetScreenPort(int* left, int* right, int* bottom, int* top, int* nearDepth, int* farDepth) const {
  const std::pair<int*, int> values[] = {{left, m_portLeft}, {right, m_portRight},    {bottom, m_portBottom},
                                         {top, m_portTop},   {nearDepth, m_portNear}, {farDepth, m_portFar}};
  for (const auto& [target, value] : values) {
    if (target != nullptr) {
      *target = value;
    }
  }
}

int TS_Viewport::ScreenPortWidth() const { return std::abs(m_portRight - m_portLeft); }
int TS_Viewport::ScreenPortHeight() const { return std::abs(m_portTop - m_portBottom); }

bool TS_Viewport::GetScreenPortAspect(double& aspect) const {
  const int height = ScreenPortHeight();
  if (height == 0) {
    return false;
  }
  aspect = static_cast<double>(ScreenPortWidth()) / height;
  return true;
}
