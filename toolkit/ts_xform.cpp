#include <tessel/ts_xform.h>

TS_Xform::TS_Xform() {
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      m_xform[row][column] = row == column ? 1.0 : 0.0;
    }
  }
}

TS_Xform TS_Xform::Identity() { return TS_Xform(); }

TS_Xform TS_Xform::Translation(const TS_3dVector& offset) {
  TS_Xform xform;
  xform.m_xform[0][3] = offset.x;
  xform.m_xform[1][3] = offset.y;
  xform.m_xform[2][3] = offset.z;
  return xform;
}

bool TS_Xform::IsIdentity() const {
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      if (m_xform[row][column] != (row == column ? 1.0 : 0.0)) {
        return false;
      }
    }
  }
  return true;
}

TS_Xform operator*(const TS_Xform& a, const TS_Xform& b) {
  TS_Xform product;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) {
        sum += a.m_xform[row][k] * b.m_xform[k][column];
      }
      product.m_xform[row][column] = sum;
    }
  }
  return product;
}

TS_3dPoint operator*(const TS_Xform& xform, const TS_3dPoint& point) {
  const auto& m = xform.m_xform;
  const double x = m[0][0] * point.x + m[0][1] * point.y + m[0][2] * point.z + m[0][3];
  const double y = m[1][0] * point.x + m[1][1] * point.y + m[1][2] * point.z + m[1][3];
  const double z = m[2][0] * point.x + m[2][1] * point.y + m[2][2] * point.z + m[2][3];
  const double w = m[3][0] * point.x + m[3][1] * point.y + m[3][2] * point.z + m[3][3];
  if (w == 1.0 || w == 0.0) {
    // w = 0 is a point at infinity; returning the direction beats dividing by zero.
    return {x, y, z};
  }
  return {x / w, y / w, z / w};
}

TS_3dVector operator*(const TS_Xform& xform, const TS_3dVector& vector) {
  const auto& m = xform.m_xform;
  return {m[0][0] * vector.x + m[0][1] * vector.y + m[0][2] * vector.z,
          m[1][0] * vector.x + m[1][1] * vector.y + m[1][2] * vector.z,
          m[2][0] * vector.x + m[2][1] * vector.y + m[2][2] * vector.z};
}
