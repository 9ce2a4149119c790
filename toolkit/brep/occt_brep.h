// The toolkit's B-rep over an Open CASCADE shape. The shape is kept as the
// file describes its part and placed by a location, so that all instances
// of a part share its faces and, once meshed, their triangles.
#pragma once

#include <tessel/ts_brep.h>

#include <NCollection_DataMap.hxx>
#include <TopLoc_Location.hxx>
#include <TopTools_ShapeMapHasher.hxx>
#include <TopoDS_Shape.hxx>

namespace tessel::detail {

// Colours of single faces, keyed by the face as found when exploring the
// part's shape.
using FaceColors = NCollection_DataMap<TopoDS_Shape, TS_Color, TopTools_ShapeMapHasher>;

class OcctBrep final : public TS_Brep {
public:
  OcctBrep(const TopoDS_Shape& part, const TopLoc_Location& placement, TS_Color color, FaceColors faceColors = {});

  bool CreateMesh(const TS_MeshParameters& parameters, TS_ClassArray<TS_Mesh>& meshes) const override;
  bool CreateMesh(const TS_MeshParameters& parameters, TS_ClassArray<TS_Mesh>& meshes,
                  TS_SimpleArray<TS_Color>& colors) const override;

  // The triangles its faces already carry, as CreateMesh would append
  // them; false when no face has any.
  bool ExtractMeshes(TS_ClassArray<TS_Mesh>& meshes, TS_SimpleArray<TS_Color>& colors) const;

  const TopoDS_Shape& Part() const { return mPart; }
  const TopLoc_Location& Placement() const { return mPlacement; }
  TS_Color Color() const { return mColor; }
  const FaceColors& FaceColorMap() const { return mFaceColors; }

private:
  TopoDS_Shape mPart;
  TopLoc_Location mPlacement;
  TS_Color mColor;
  FaceColors mFaceColors;
};

}  // namespace tessel::detail
