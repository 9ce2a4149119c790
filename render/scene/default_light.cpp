#include <linvale/scene_builder.h>

#include <tessel/ts_xform.h>

namespace {

// Over the viewer's left shoulder, in camera coordinates: the light hosts
// have always used for scenes that bring none.
const TS_3dVector kDefaultLightDirection{0.49912220511168, -0.43244314572923, -1.2505478599703};

}  // namespace

TS_Light NprDefaultLight(const TS_Viewport& viewport) {
  TS_Light light;
  light.SetStyle(TS::camera_directional_light);
  light.SetDirection(kDefaultLightDirection);
  TS_Xform toWorld;
  if (light.GetLightXform(viewport, TS::world_cs, toWorld)) {
    light.SetDirection(toWorld * light.Direction());
  }
  light.SetStyle(TS::world_directional_light);
  return light;
}

bool NprAddDefaultLightIfNone(Scene& scene, const TS_Viewport& viewport) {
  if (scene.Lights().Count() > 0) {
    return false;
  }
  scene.Lights().Append(NprDefaultLight(viewport));
  return true;
}
