// A 4x4 homogeneous transformation, row-major: m_xform[row][column], acting
// on column vectors, so (A * B) applied to p equals A applied to (B applied to p).
#pragma once

#include <tessel/ts_point.h>

class TS_Xform {
public:
  double m_xform[4][4];

  // The identity.
  TS_Xform();

  static TS_Xform Identity();
  static TS_Xform Translation(const TS_3dVector& offset);

  bool IsIdentity() const;

  friend TS_Xform operator*(const TS_Xform& a, const TS_Xform& b);
  // Points take the translation and the projective divide.
  friend TS_3dPoint operator*(const TS_Xform& xform, const TS_3dPoint& point);
  // Vectors take only the linear part.
  friend TS_3dVector operator*(const TS_Xform& xform, const TS_3dVector& vector);
};
