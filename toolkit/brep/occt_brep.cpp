#include "occt_brep.h"

#include <Standard_Failure.hxx>

#include <exception>
#include <new>
#include <utility>

#include "mesh_extraction.h"
#include "shape_meshing.h"

namespace tessel::detail {

OcctBrep::OcctBrep(const TopoDS_Shape& part, const TopLoc_Location& placement, TS_Color color, FaceColors faceColors)
    : mPart(part), mPlacement(placement), mColor(color), mFaceColors(std::move(faceColors)) {}

bool OcctBrep::CreateMesh(const TS_MeshParameters& parameters, TS_ClassArray<TS_Mesh>& meshes) const {
  TS_SimpleArray<TS_Color> colors;
  return CreateMesh(parameters, meshes, colors);
}

bool OcctBrep::CreateMesh(const TS_MeshParameters& parameters, TS_ClassArray<TS_Mesh>& meshes,
                          TS_SimpleArray<TS_Color>& colors) const {
  // OCCT reports its failures by exceptions; none may leave the toolkit.
  try {
    // The deflection is measured on the placed shape, as the caller sees it.
    const MeshTolerances tolerances = TolerancesFor(mPart.Moved(mPlacement), parameters);
    return TriangulateShape(mPart, tolerances, Message_ProgressRange()) && ExtractMeshes(meshes, colors);
  } catch (const Standard_Failure&) {
  } catch (const std::exception&) {
  }
  return false;
}

bool OcctBrep::ExtractMeshes(TS_ClassArray<TS_Mesh>& meshes, TS_SimpleArray<TS_Color>& colors) const {
  std::vector<ColoredMesh> extracted = tessel::detail::ExtractMeshes(mPart, mPlacement, mFaceColors, mColor);
  if (extracted.empty()) {
    return false;
  }
  for (ColoredMesh& colored : extracted) {
    meshes.Append(std::move(colored.mesh));
    colors.Append(colored.color);
  }
  return true;
}

}  // namespace tessel::detail
