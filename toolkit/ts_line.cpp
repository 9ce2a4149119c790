#include <tessel/ts_line.h>

TS_3dPoint TS_Line::PointAt(double t) const {
  // Interpolating each end separately makes t = 1 land exactly on `to`.
  const double s = 1.0 - t;
  return {s * from.x + t * to.x, s * from.y + t * to.y, s * from.z + t * to.z};
}
