// Enumerations shared by the toolkit's types. The numeric values are part of
// the interface: hosts store and exchange them as plain integers.
#pragma once

namespace TS {

// A fixed underlying type lets a projection read from a host record keep
// whatever value it carried, so callers can recognise kinds they do not handle.
enum view_projection : int {
  unknown_view = 0,
  parallel_view = 1,
  perspective_view = 2,
};

enum light_style : int {
  unknown_light_style = 0,
  camera_directional_light = 4,
  camera_point_light = 5,
  camera_spot_light = 6,
  world_directional_light = 7,
  world_point_light = 8,
  world_spot_light = 9,
};

// Coordinate systems a viewport can convert between.
enum coordinate_system : int {
  world_cs = 1,
  camera_cs = 2,
};

}  // namespace TS
