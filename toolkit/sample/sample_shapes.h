// Building blocks of the sample part: surfaces of revolution, extruded
// outlines and planar rings between an outline and a circular hole.
#pragma once

#include <vector>

#include "mesh_builder.h"
#include "sample_vector.h"

namespace tessel::sample {

// A point of a planar profile with the outward normal of the surface made
// from it at that point.
struct ProfilePoint {
  Vec2 point;
  Vec2 normal;
};

// A run of profile points along which the surface is smooth. Where two
// pieces meet the surface has a crease, so each piece gets its own vertices.
using ProfilePiece = std::vector<ProfilePoint>;

// A local frame: `axis` is the direction of revolution or extrusion, `first`
// and `second` span the plane across it.
struct Frame {
  Vec3 origin;
  Vec3 first;
  Vec3 second;
  Vec3 axis;

  // The point at `radius` and `height` on the circle of `segments` points,
  // at index `step`. Every surface that meets a circle computes its points
  // here, so they agree to the last bit.
  Vec3 OnCircle(double radius, double height, int step, int segments) const;
  Vec3 CircleDirection(int step, int segments) const;
  // A point of the cross plane at `height` along the axis.
  Vec3 InPlane(Vec2 point, double height) const;
  Vec3 PlaneDirection(Vec2 direction, double along) const;
};

// A circle of vertices in the plane at `height`, the ones of a planar face
// whose normal is `normal`.
struct RingVertex {
  int index;
  double angle;  // around the centre the ring winds about
};
using Ring = std::vector<RingVertex>;

// Angle of `point` around `centre`, in [0, 2 pi).
double AngleAround(Vec2 centre, Vec2 point);

// Revolves profile pieces (x: distance from the axis, y: height along it)
// about the frame's axis. Points on the axis become the tip of a fan.
void Revolve(MeshBuilder& mesh, const Frame& frame, const std::vector<ProfilePiece>& pieces, int segments);

// Sweeps planar outline pieces (in the frame's cross plane) along the axis
// from height `from` to height `to`.
void Extrude(MeshBuilder& mesh, const Frame& frame, const std::vector<ProfilePiece>& pieces, double from, double to);

// The vertices of a circle of the frame with the given face normal.
Ring CircleRing(MeshBuilder& mesh, const Frame& frame, double radius, double height, int segments, Vec3 normal);

// Triangulates the planar ring between two closed loops that both wind once
// around one centre, each ordered by increasing angle around it.
void StitchRings(MeshBuilder& mesh, Ring outer, Ring inner);

// A convex planar polygon with one flat normal.
void FlatPolygon(MeshBuilder& mesh, const std::vector<Vec3>& corners, Vec3 normal);

// Joins outline pieces into one closed loop, dropping the point each piece
// repeats from the end of the previous one.
std::vector<Vec2> JoinLoop(const std::vector<ProfilePiece>& pieces);

}  // namespace tessel::sample
