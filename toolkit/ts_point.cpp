#include <tessel/ts_point.h>

#include <cmath>

namespace {

template <class Vector, class Scalar>
bool UnitizeVector(Vector& v) {
  const Scalar length = v.Length();
  if (!(length > Scalar(0)) || !std::isfinite(length)) {
    return false;
  }
  const Scalar reciprocal = Scalar(1) / length;
  v.x *= reciprocal;
  v.y *= reciprocal;
  v.z *= reciprocal;
  return true;
}

}  // namespace

bool TS_3fVector::Unitize() { return UnitizeVector<TS_3fVector, float>(*this); }
bool TS_3dVector::Unitize() { return UnitizeVector<TS_3dVector, double>(*this); }

float TS_3fPoint::DistanceTo(const TS_3fPoint& p) const { return (p - *this).Length(); }
double TS_3dPoint::DistanceTo(const TS_3dPoint& p) const { return (p - *this).Length(); }
