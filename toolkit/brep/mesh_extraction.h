// Turning the triangles OCCT left on a shape's faces into the toolkit's
// meshes: one per solid, free shell or set of free faces, and colour.
#pragma once

#include <TopLoc_Location.hxx>
#include <TopoDS_Shape.hxx>

#include <vector>

#include "occt_brep.h"

namespace tessel::detail {

struct ColoredMesh {
  TS_Mesh mesh;
  TS_Color color;
};

// Meshes of the triangulated `part` placed by `placement`, in the order the
// solids, then free shells, then free faces come in the part. Every face
// has its own vertices with normals of its surface. OCCT's mesher places
// the points along an edge once for all faces that share it, and all faces
// of a part go through the same placement, so those faces meet in
// bit-identical points and the mesh's topology joins them. Faces without
// triangles are left out.
std::vector<ColoredMesh> ExtractMeshes(const TopoDS_Shape& part, const TopLoc_Location& placement,
                                       const FaceColors& faceColors, TS_Color color);

}  // namespace tessel::detail
