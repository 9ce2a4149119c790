#include "sample_part_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "sample_shapes.h"

namespace tessel::sample {
namespace {

constexpr double kHalfPi = std::numbers::pi / 2.0;

// Plate
constexpr double kPlateHalfX = 45.0;
constexpr double kPlateHalfY = 30.0;
constexpr double kPlateThickness = 8.0;
constexpr double kCornerRadius = 10.0;
constexpr double kChamfer = 1.5;
constexpr double kHoleRadius = 4.5;

// Upright
constexpr double kLugHalfWidth = 18.0;
constexpr double kLugFront = -6.0;
constexpr double kLugBack = 4.0;
constexpr double kBoreHeight = kPlateThickness + 26.0;
constexpr double kBoreRadius = 8.0;
constexpr double kRibHalfWidth = 3.0;
constexpr double kRibLength = 14.0;
constexpr double kRibHeight = 16.0;

// Shaft
constexpr double kShaftRadius = 7.5;
constexpr double kShaftFront = -22.0;
constexpr double kShaftBack = 16.0;
constexpr double kShaftChamfer = 1.0;

// Boss
constexpr double kBossX = -22.0;
constexpr double kBossY = -17.0;
constexpr double kBossRadius = 6.0;
constexpr double kBossHeight = 10.0;
constexpr double kBossBaseFillet = 1.5;
constexpr double kBossTopFillet = 2.0;
constexpr double kBossHoleRadius = 2.5;
constexpr double kBossHoleDepth = 5.0;

const Vec3 kX{1.0, 0.0, 0.0};
const Vec3 kY{0.0, 1.0, 0.0};
const Vec3 kZ{0.0, 0.0, 1.0};

// Straight runs are cut so that their pieces are about as long as the chords
// of the circles; finer circles thus refine the whole part evenly.
double EdgeStep(int segments) { return 192.0 / segments; }

int Subdivisions(double length, double step) { return std::max(1, static_cast<int>(std::ceil(length / step))); }

// Points from `from` to `to` with one normal, `from` included only when asked.
void AppendSegment(ProfilePiece& piece, Vec2 from, Vec2 to, Vec2 normal, int parts, bool includeFirst) {
  for (int k = includeFirst ? 0 : 1; k <= parts; ++k) {
    const double t = static_cast<double>(k) / parts;
    piece.push_back({from + t * (to - from), normal});
  }
}

// Quarter arc about `centre` from angle `start` on, points after the first.
void AppendArc(ProfilePiece& piece, Vec2 centre, double radius, double start, double sweep, int parts) {
  for (int k = 1; k <= parts; ++k) {
    const double angle = start + sweep * k / parts;
    const Vec2 direction{std::cos(angle), std::sin(angle)};
    piece.push_back({centre + radius * direction, direction});
  }
}

struct OutlineCounts {
  int alongY;  // the straight part of the side at x = halfX
  int arc;     // the rounded corner
  int alongX;  // the straight part of the side at y = halfY
};

// The part of a rounded rectangle's outline in the first quadrant, from the
// x axis to the y axis. Outlines of different sizes with equal counts
// correspond point for point, which the chamfer and side bands rely on.
ProfilePiece QuarterOutline(double halfX, double halfY, double radius, OutlineCounts counts) {
  ProfilePiece piece;
  const Vec2 corner{kPlateHalfX - kCornerRadius, kPlateHalfY - kCornerRadius};
  AppendSegment(piece, {halfX, 0.0}, {halfX, corner.y}, {1.0, 0.0}, counts.alongY, true);
  AppendArc(piece, corner, radius, 0.0, kHalfPi, counts.arc);
  AppendSegment(piece, {corner.x, halfY}, {0.0, halfY}, {0.0, 1.0}, counts.alongX, false);
  return piece;
}

ProfilePoint Mirrored(const ProfilePoint& p, double sx, double sy) {
  return {{sx * p.point.x, sy * p.point.y}, {sx * p.normal.x, sy * p.normal.y}};
}

// The quarter mirrored into the quadrant of signs (sx, sy), still running
// counter-clockwise around the plate.
ProfilePiece MirroredQuarter(const ProfilePiece& quarter, double sx, double sy) {
  ProfilePiece piece;
  for (const ProfilePoint& p : quarter) {
    piece.push_back(Mirrored(p, sx, sy));
  }
  if (sx * sy < 0.0) {
    std::reverse(piece.begin(), piece.end());
  }
  return piece;
}

struct Quadrant {
  double sx;
  double sy;
};
constexpr Quadrant kQuadrants[] = {{1.0, 1.0}, {-1.0, 1.0}, {-1.0, -1.0}, {1.0, -1.0}};

// The whole outline, counter-clockwise from the positive x axis and back to
// it: the last quarter ends where the first began, so the bands built on it
// wrap around.
ProfilePiece ClosedOutline(const ProfilePiece& quarter) {
  ProfilePiece loop;
  for (const Quadrant& q : kQuadrants) {
    const ProfilePiece part = MirroredQuarter(quarter, q.sx, q.sy);
    loop.insert(loop.end(), part.begin() + (loop.empty() ? 0 : 1), part.end());
  }
  return loop;
}

Vec2 PlateHoleCentre(const Quadrant& q) {
  return {q.sx * (kPlateHalfX - kCornerRadius), q.sy * (kPlateHalfY - kCornerRadius)};
}

Frame PlateHoleFrame(const Quadrant& q) {
  const Vec2 centre = PlateHoleCentre(q);
  return {{centre.x, centre.y, 0.0}, kX, kY, kZ};
}

// The boundary of one quadrant of a plate face: along the x axis, around the
// outline, back along the y axis; counter-clockwise seen from +z.
std::vector<Vec2> QuadrantBoundary(const ProfilePiece& quarter, double halfX, double halfY, double step,
                                   const Quadrant& q) {
  ProfilePiece piece;
  AppendSegment(piece, {0.0, 0.0}, {halfX, 0.0}, {}, Subdivisions(halfX, step), true);
  piece.pop_back();  // the outline starts there
  piece.insert(piece.end(), quarter.begin(), quarter.end());
  AppendSegment(piece, {0.0, halfY}, {0.0, 0.0}, {}, Subdivisions(halfY, step), false);
  piece.pop_back();  // the loop closes at the origin
  const ProfilePiece mirrored = MirroredQuarter(piece, q.sx, q.sy);
  std::vector<Vec2> loop;
  for (const ProfilePoint& p : mirrored) {
    loop.push_back(p.point);
  }
  return loop;
}

// One face of the plate (top or bottom): four quadrants, each a ring between
// its boundary and its hole.
void PlateFace(MeshBuilder& mesh, const ProfilePiece& quarter, double halfX, double halfY, double height,
               int segments) {
  const Frame plate{{}, kX, kY, kZ};
  const Vec3 normal = height > 0.0 ? kZ : -1.0 * kZ;
  for (const Quadrant& q : kQuadrants) {
    const Vec2 centre = PlateHoleCentre(q);
    Ring outer;
    for (const Vec2& p : QuadrantBoundary(quarter, halfX, halfY, EdgeStep(segments), q)) {
      outer.push_back({mesh.AddVertex(plate.InPlane(p, height), normal), AngleAround(centre, p)});
    }
    const Ring hole = CircleRing(mesh, PlateHoleFrame(q), kHoleRadius, height, segments, normal);
    StitchRings(mesh, outer, hole);
  }
}

// The 45 degree band between the top face and the side walls.
void ChamferBand(MeshBuilder& mesh, const ProfilePiece& inner, const ProfilePiece& outer) {
  const Frame plate{{}, kX, kY, kZ};
  int previousTop = -1;
  int previousLow = -1;
  for (std::size_t k = 0; k < inner.size(); ++k) {
    const Vec3 normal = plate.PlaneDirection(inner[k].normal, 1.0);
    const int top = mesh.AddVertex(plate.InPlane(inner[k].point, kPlateThickness), normal);
    const int low = mesh.AddVertex(plate.InPlane(outer[k].point, kPlateThickness - kChamfer), normal);
    if (previousTop >= 0) {
      mesh.AddQuad(previousTop, top, low, previousLow);
    }
    previousTop = top;
    previousLow = low;
  }
}

ProfilePiece StraightPiece(Vec2 from, Vec2 to, Vec2 normal, double step) {
  ProfilePiece piece;
  AppendSegment(piece, from, to, normal, Subdivisions(std::hypot(to.x - from.x, to.y - from.y), step), true);
  return piece;
}

// The lug's outline in the (x, z) plane: the flat foot, then sides and round
// top in one smooth run.
std::vector<ProfilePiece> LugOutline(int segments) {
  const double step = EdgeStep(segments);
  const Vec2 bottomLeft{-kLugHalfWidth, kPlateThickness};
  const Vec2 bottomRight{kLugHalfWidth, kPlateThickness};
  const Vec2 centre{0.0, kBoreHeight};
  ProfilePiece foot = StraightPiece(bottomLeft, bottomRight, {0.0, -1.0}, step);
  ProfilePiece round;
  AppendSegment(round, bottomRight, {kLugHalfWidth, kBoreHeight}, {1.0, 0.0},
                Subdivisions(kBoreHeight - kPlateThickness, step), true);
  AppendArc(round, centre, kLugHalfWidth, 0.0, std::numbers::pi, segments / 2);
  AppendSegment(round, {-kLugHalfWidth, kBoreHeight}, bottomLeft, {-1.0, 0.0},
                Subdivisions(kBoreHeight - kPlateThickness, step), false);
  return {foot, round};
}

void LugFace(MeshBuilder& mesh, const std::vector<Vec2>& loop, double y, Vec3 normal, int segments) {
  const Frame lug{{}, kX, kZ, kY};
  const Frame bore{{0.0, 0.0, kBoreHeight}, kX, kZ, kY};
  const Vec2 centre{0.0, kBoreHeight};
  Ring outer;
  for (const Vec2& p : loop) {
    outer.push_back({mesh.AddVertex(lug.InPlane(p, y), normal), AngleAround(centre, p)});
  }
  StitchRings(mesh, outer, CircleRing(mesh, bore, kBoreRadius, y, segments, normal));
}

void Rib(MeshBuilder& mesh) {
  const double back = kLugBack;
  const double end = kLugBack + kRibLength;
  const double foot = kPlateThickness;
  const double top = kPlateThickness + kRibHeight;
  for (const double x : {-kRibHalfWidth, kRibHalfWidth}) {
    FlatPolygon(mesh, {{x, back, foot}, {x, end, foot}, {x, back, top}}, {x, 0.0, 0.0});
  }
  const double l = -kRibHalfWidth;
  const double r = kRibHalfWidth;
  FlatPolygon(mesh, {{l, end, foot}, {r, end, foot}, {r, back, top}, {l, back, top}}, {0.0, kRibHeight, kRibLength});
  FlatPolygon(mesh, {{l, back, foot}, {r, back, foot}, {r, end, foot}, {l, end, foot}}, -1.0 * kZ);
  FlatPolygon(mesh, {{l, back, foot}, {r, back, foot}, {r, back, top}, {l, back, top}}, -1.0 * kY);
}

}  // namespace

MeshBuilder BasePlate(int segments) {
  MeshBuilder mesh;
  const double step = EdgeStep(segments);
  const OutlineCounts counts{Subdivisions(kPlateHalfY - kCornerRadius, step), std::max(1, segments / 4),
                             Subdivisions(kPlateHalfX - kCornerRadius, step)};
  const double topX = kPlateHalfX - kChamfer;
  const double topY = kPlateHalfY - kChamfer;
  const ProfilePiece topQuarter = QuarterOutline(topX, topY, kCornerRadius - kChamfer, counts);
  const ProfilePiece fullQuarter = QuarterOutline(kPlateHalfX, kPlateHalfY, kCornerRadius, counts);

  PlateFace(mesh, topQuarter, topX, topY, kPlateThickness, segments);
  PlateFace(mesh, fullQuarter, kPlateHalfX, kPlateHalfY, 0.0, segments);
  const ProfilePiece fullLoop = ClosedOutline(fullQuarter);
  ChamferBand(mesh, ClosedOutline(topQuarter), fullLoop);
  Extrude(mesh, Frame{{}, kX, kY, kZ}, {fullLoop}, 0.0, kPlateThickness - kChamfer);
  for (const Quadrant& q : kQuadrants) {
    const ProfilePiece wall{{{kHoleRadius, 0.0}, {-1.0, 0.0}}, {{kHoleRadius, kPlateThickness}, {-1.0, 0.0}}};
    Revolve(mesh, PlateHoleFrame(q), {wall}, segments);
  }
  return mesh;
}

MeshBuilder Upright(int segments) {
  MeshBuilder mesh;
  const std::vector<ProfilePiece> outline = LugOutline(segments);
  const std::vector<Vec2> loop = JoinLoop(outline);
  LugFace(mesh, loop, kLugFront, -1.0 * kY, segments);
  LugFace(mesh, loop, kLugBack, kY, segments);
  Extrude(mesh, Frame{{}, kX, kZ, kY}, outline, kLugFront, kLugBack);
  const ProfilePiece bore{{{kBoreRadius, kLugFront}, {-1.0, 0.0}}, {{kBoreRadius, kLugBack}, {-1.0, 0.0}}};
  Revolve(mesh, Frame{{0.0, 0.0, kBoreHeight}, kX, kZ, kY}, {bore}, segments);
  Rib(mesh);
  return mesh;
}

MeshBuilder Shaft(int segments) {
  MeshBuilder mesh;
  const double step = EdgeStep(segments);
  const double rim = kShaftRadius - kShaftChamfer;
  const ProfilePiece face = StraightPiece({0.0, kShaftFront}, {rim, kShaftFront}, {0.0, -1.0}, step);
  const Vec2 chamferNormal = Normalized(Vec2{1.0, -1.0});
  const ProfilePiece chamfer{{{rim, kShaftFront}, chamferNormal},
                             {{kShaftRadius, kShaftFront + kShaftChamfer}, chamferNormal}};
  // The back end stays open: a tube whose rim is a free border.
  const ProfilePiece barrel =
      StraightPiece({kShaftRadius, kShaftFront + kShaftChamfer}, {kShaftRadius, kShaftBack}, {1.0, 0.0}, 4.0 * step);
  Revolve(mesh, Frame{{0.0, 0.0, kBoreHeight}, kX, kZ, kY}, {face, chamfer, barrel}, segments);
  return mesh;
}

MeshBuilder Boss(int segments) {
  MeshBuilder mesh;
  const double step = EdgeStep(segments);
  const double base = kPlateThickness;
  const double top = kPlateThickness + kBossHeight;
  const int arcParts = std::max(2, segments / 16);
  // Base fillet, wall, top fillet and top face run into each other smoothly.
  ProfilePiece body;
  const Vec2 baseCentre{kBossRadius + kBossBaseFillet, base + kBossBaseFillet};
  body.push_back({{kBossRadius + kBossBaseFillet, base}, {0.0, 1.0}});
  for (int k = 1; k <= arcParts; ++k) {
    const double angle = 1.5 * std::numbers::pi - kHalfPi * k / arcParts;
    const Vec2 direction{std::cos(angle), std::sin(angle)};
    body.push_back({baseCentre + kBossBaseFillet * direction, -1.0 * direction});
  }
  AppendSegment(body, {kBossRadius, base + kBossBaseFillet}, {kBossRadius, top - kBossTopFillet}, {1.0, 0.0},
                Subdivisions(kBossHeight - kBossBaseFillet - kBossTopFillet, step), false);
  AppendArc(body, {kBossRadius - kBossTopFillet, top - kBossTopFillet}, kBossTopFillet, 0.0, kHalfPi, arcParts);
  AppendSegment(body, {kBossRadius - kBossTopFillet, top}, {kBossHoleRadius, top}, {0.0, 1.0}, 2, false);
  const ProfilePiece holeWall{{{kBossHoleRadius, top}, {-1.0, 0.0}},
                              {{kBossHoleRadius, top - kBossHoleDepth}, {-1.0, 0.0}}};
  const ProfilePiece holeBottom{{{kBossHoleRadius, top - kBossHoleDepth}, {0.0, 1.0}},
                                {{0.0, top - kBossHoleDepth}, {0.0, 1.0}}};
  Revolve(mesh, Frame{{kBossX, kBossY, 0.0}, kX, kY, kZ}, {body, holeWall, holeBottom}, segments);
  return mesh;
}

}  // namespace tessel::sample
