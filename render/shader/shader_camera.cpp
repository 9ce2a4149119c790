// Camera set-up shared by the shaders. The frustum values of a viewport are
// exactly those glOrtho and glFrustum take, so no conversion is needed.
#include <linvale/npr_shader_support.h>

#include <GL/gl.h>
#include <GL/glu.h>

namespace {

void LoadProjection(const TS_Viewport& viewport) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const double left = viewport.FrustumLeft();
  const double right = viewport.FrustumRight();
  const double bottom = viewport.FrustumBottom();
  const double top = viewport.FrustumTop();
  const double nearDistance = viewport.FrustumNear();
  const double farDistance = viewport.FrustumFar();
  switch (viewport.Projection()) {
    case TS::parallel_view: glOrtho(left, right, bottom, top, nearDistance, farDistance); break;
    case TS::perspective_view: glFrustum(left, right, bottom, top, nearDistance, farDistance); break;
    default:
      // A projection the toolkit does not know draws with the identity.
      break;
  }
}

void LoadModelView(const TS_Viewport& viewport) {
  const TS_3dPoint eye = viewport.CameraLocation();
  const TS_3dPoint target = eye + viewport.CameraDirection();
  const TS_3dVector up = viewport.CameraUp();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
}

}  // namespace

std::array<double, 16> NprSetCamera(const TS_Viewport& viewport) {
  LoadProjection(viewport);
  std::array<double, 16> projection{};
  glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
  LoadModelView(viewport);
  return projection;
}
