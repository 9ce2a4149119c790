// Triangulating a shape's faces with OCCT's incremental mesher.
#pragma once

#include <tessel/ts_brep.h>

#include <Message_ProgressRange.hxx>
#include <TopoDS_Shape.hxx>

#include <cstdint>

namespace tessel::detail {

struct MeshTolerances {
  double deflection = 0.1;  // model units
  double angle = 0.5;       // radians
  bool parallel = true;
};

// The tolerances `parameters` ask for on `shape`: a relative deflection
// becomes one in model units from the diagonal of the shape's box.
MeshTolerances TolerancesFor(const TopoDS_Shape& shape, const TS_MeshParameters& parameters);

// Tolerances a `factor` coarser, for a second try within a budget.
MeshTolerances Coarser(const MeshTolerances& tolerances, double factor);

// Replaces any triangles the faces had by new ones to `tolerances`. False
// when the mesher failed or `range` was stopped; faces it could not
// triangulate are left without triangles.
bool TriangulateShape(const TopoDS_Shape& shape, const MeshTolerances& tolerances, const Message_ProgressRange& range);

// Triangles on the shape's faces, each face counted once however often it
// is used.
std::uint64_t TriangleCount(const TopoDS_Shape& shape);

}  // namespace tessel::detail
