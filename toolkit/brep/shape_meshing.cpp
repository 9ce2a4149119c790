#include "shape_meshing.h"

#include <BRepBndLib.hxx>
#include <BRepMesh_IncrementalMesh.hxx>
#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <Bnd_Box.hxx>
#include <IMeshTools_Parameters.hxx>
#include <Poly_Triangulation.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS.hxx>

#include <algorithm>
#include <cmath>

namespace tessel::detail {
namespace {

// Below these the mesher would make triangles without end on a rounding
// error; above them it would not follow the surface at all.
constexpr double kSmallestRelativeDeflection = 1e-5;
constexpr double kSmallestAngle = 0.01;
constexpr double kLargestAngle = 1.5;
// Deflection for a shape without extent (a single point), in model units.
constexpr double kFallbackDeflection = 0.01;

bool IsUsable(double value) { return std::isfinite(value) && value > 0.0; }

double ShapeDiagonal(const TopoDS_Shape& shape) {
  Bnd_Box box;
  BRepBndLib::Add(shape, box, Standard_False);
  return box.IsVoid() ? 0.0 : std::sqrt(box.SquareExtent());
}

}  // namespace

MeshTolerances TolerancesFor(const TopoDS_Shape& shape, const TS_MeshParameters& parameters) {
  MeshTolerances tolerances;
  if (IsUsable(parameters.absoluteDeflection)) {
    tolerances.deflection = parameters.absoluteDeflection;
  } else {
    const double relative = IsUsable(parameters.relativeDeflection)
                                ? std::max(parameters.relativeDeflection, kSmallestRelativeDeflection)
                                : TS_MeshParameters().relativeDeflection;
    const double diagonal = ShapeDiagonal(shape);
    tolerances.deflection = IsUsable(diagonal) ? relative * diagonal : kFallbackDeflection;
  }
  tolerances.angle = std::isfinite(parameters.angularDeflection)
                         ? std::clamp(parameters.angularDeflection, kSmallestAngle, kLargestAngle)
                         : TS_MeshParameters().angularDeflection;
  tolerances.parallel = parameters.parallel;
  return tolerances;
}

MeshTolerances Coarser(const MeshTolerances& tolerances, double factor) {
  MeshTolerances coarser = tolerances;
  coarser.deflection *= factor;
  coarser.angle = std::min(tolerances.angle * std::sqrt(factor), kLargestAngle);
  return coarser;
}

bool TriangulateShape(const TopoDS_Shape& shape, const MeshTolerances& tolerances, const Message_ProgressRange& range) {
  // Triangles of an earlier call, finer or coarser, would be kept where
  // they satisfy the new tolerances; the result must depend on these alone.
  BRepTools::Clean(shape);
  IMeshTools_Parameters parameters;
  parameters.Deflection = tolerances.deflection;
  parameters.Angle = tolerances.angle;
  parameters.InParallel = tolerances.parallel;
  const BRepMesh_IncrementalMesh mesher(shape, parameters, range);
  return mesher.IsDone() && !range.UserBreak();
}

std::uint64_t TriangleCount(const TopoDS_Shape& shape) {
  TopTools_IndexedMapOfShape faces;
  TopExp::MapShapes(shape, TopAbs_FACE, faces);
  std::uint64_t count = 0;
  for (int i = 1; i <= faces.Extent(); ++i) {
    TopLoc_Location location;
    const Handle(Poly_Triangulation) triangles = BRep_Tool::Triangulation(TopoDS::Face(faces(i)), location);
    count += triangles.IsNull() ? 0 : static_cast<std::uint64_t>(triangles->NbTriangles());
  }
  return count;
}

}  // namespace tessel::detail
