#include "sample_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <numbers>

namespace tessel::sample {
namespace {

constexpr double kFullTurn = 2.0 * std::numbers::pi;

double StepAngle(int step, int segments) { return kFullTurn * step / segments; }

// Vertices of one profile point revolved: a single tip on the axis, else one
// per segment.
std::vector<int> RevolvedVertices(MeshBuilder& mesh, const Frame& frame, const ProfilePoint& p, int segments) {
  if (p.point.x == 0.0) {
    return {mesh.AddVertex(frame.origin + p.point.y * frame.axis, p.normal.y * frame.axis)};
  }
  std::vector<int> ring;
  ring.reserve(static_cast<std::size_t>(segments));
  for (int k = 0; k < segments; ++k) {
    const Vec3 normal = p.normal.x * frame.CircleDirection(k, segments) + p.normal.y * frame.axis;
    ring.push_back(mesh.AddVertex(frame.OnCircle(p.point.x, p.point.y, k, segments), normal));
  }
  return ring;
}

void JoinRevolved(MeshBuilder& mesh, const std::vector<int>& lower, const std::vector<int>& upper, int segments) {
  const auto at = [segments](const std::vector<int>& ring, int k) {
    return ring.size() == 1 ? ring.front() : ring[static_cast<std::size_t>(k % segments)];
  };
  if (lower.size() == 1 && upper.size() == 1) {
    return;
  }
  for (int k = 0; k < segments; ++k) {
    if (lower.size() == 1) {
      mesh.AddTriangle(at(lower, k), at(upper, k), at(upper, k + 1));
    } else if (upper.size() == 1) {
      mesh.AddTriangle(at(lower, k), at(lower, k + 1), at(upper, k));
    } else {
      mesh.AddQuad(at(lower, k), at(lower, k + 1), at(upper, k + 1), at(upper, k));
    }
  }
}

// Rotates a ring so that it starts at its smallest angle.
void StartAtSmallestAngle(Ring& ring) {
  const auto smallest = std::min_element(ring.begin(), ring.end(),
                                         [](const RingVertex& a, const RingVertex& b) { return a.angle < b.angle; });
  std::rotate(ring.begin(), smallest, ring.end());
}

// Angle of entry `i` of a ring that starts at its smallest angle, counted
// past a full turn for the closing entry.
double UnwrappedAngle(const Ring& ring, std::size_t i) {
  return i < ring.size() ? ring[i].angle : ring.front().angle + kFullTurn;
}

}  // namespace

Vec3 Frame::OnCircle(double radius, double height, int step, int segments) const {
  const double angle = StepAngle(step, segments);
  return origin + height * axis + (radius * std::cos(angle)) * first + (radius * std::sin(angle)) * second;
}

Vec3 Frame::CircleDirection(int step, int segments) const {
  const double angle = StepAngle(step, segments);
  return std::cos(angle) * first + std::sin(angle) * second;
}

Vec3 Frame::InPlane(Vec2 point, double height) const {
  return origin + point.x * first + point.y * second + height * axis;
}

Vec3 Frame::PlaneDirection(Vec2 direction, double along) const {
  return direction.x * first + direction.y * second + along * axis;
}

double AngleAround(Vec2 centre, Vec2 point) {
  const double angle = std::atan2(point.y - centre.y, point.x - centre.x);
  return angle < 0.0 ? angle + kFullTurn : angle;
}

void Revolve(MeshBuilder& mesh, const Frame& frame, const std::vector<ProfilePiece>& pieces, int segments) {
  for (const ProfilePiece& piece : pieces) {
    std::vector<int> previous;
    for (const ProfilePoint& point : piece) {
      std::vector<int> current = RevolvedVertices(mesh, frame, point, segments);
      if (!previous.empty()) {
        JoinRevolved(mesh, previous, current, segments);
      }
      previous = std::move(current);
    }
  }
}

void Extrude(MeshBuilder& mesh, const Frame& frame, const std::vector<ProfilePiece>& pieces, double from, double to) {
  for (const ProfilePiece& piece : pieces) {
    int previousLow = -1;
    int previousHigh = -1;
    for (const ProfilePoint& p : piece) {
      const Vec3 normal = frame.PlaneDirection(p.normal, 0.0);
      const int low = mesh.AddVertex(frame.InPlane(p.point, from), normal);
      const int high = mesh.AddVertex(frame.InPlane(p.point, to), normal);
      if (previousLow >= 0) {
        mesh.AddQuad(previousLow, low, high, previousHigh);
      }
      previousLow = low;
      previousHigh = high;
    }
  }
}

Ring CircleRing(MeshBuilder& mesh, const Frame& frame, double radius, double height, int segments, Vec3 normal) {
  Ring ring;
  ring.reserve(static_cast<std::size_t>(segments));
  for (int k = 0; k < segments; ++k) {
    ring.push_back({mesh.AddVertex(frame.OnCircle(radius, height, k, segments), normal), StepAngle(k, segments)});
  }
  return ring;
}

void StitchRings(MeshBuilder& mesh, Ring outer, Ring inner) {
  StartAtSmallestAngle(outer);
  StartAtSmallestAngle(inner);
  const std::size_t n = outer.size();
  const std::size_t m = inner.size();
  const auto vertex = [](const Ring& ring, std::size_t i) { return ring[i % ring.size()].index; };
  std::size_t i = 0;
  std::size_t j = 0;
  // Walk both loops in step, always advancing the one whose next point comes
  // first around the centre, so no triangle spans a wide angle.
  while (i < n || j < m) {
    const double nextOuter = i < n ? UnwrappedAngle(outer, i + 1) : std::numeric_limits<double>::infinity();
    const double nextInner = j < m ? UnwrappedAngle(inner, j + 1) : std::numeric_limits<double>::infinity();
    if (nextOuter <= nextInner) {
      mesh.AddTriangle(vertex(outer, i), vertex(outer, i + 1), vertex(inner, j));
      ++i;
    } else {
      mesh.AddTriangle(vertex(outer, i), vertex(inner, j + 1), vertex(inner, j));
      ++j;
    }
  }
}

void FlatPolygon(MeshBuilder& mesh, const std::vector<Vec3>& corners, Vec3 normal) {
  std::vector<int> indices;
  indices.reserve(corners.size());
  for (const Vec3& corner : corners) {
    indices.push_back(mesh.AddVertex(corner, normal));
  }
  if (indices.size() == 4) {
    mesh.AddQuad(indices[0], indices[1], indices[2], indices[3]);
    return;
  }
  for (std::size_t k = 1; k + 1 < indices.size(); ++k) {
    mesh.AddTriangle(indices[0], indices[k], indices[k + 1]);
  }
}

std::vector<Vec2> JoinLoop(const std::vector<ProfilePiece>& pieces) {
  std::vector<Vec2> loop;
  for (const ProfilePiece& piece : pieces) {
    for (std::size_t k = loop.empty() ? 0 : 1; k < piece.size(); ++k) {
      loop.push_back(piece[k].point);
    }
  }
  // The last piece ends where the first began.
  if (loop.size() > 1 && loop.back().x == loop.front().x && loop.back().y == loop.front().y) {
    loop.pop_back();
  }
  return loop;
}

}  // namespace tessel::sample
