#include "mesh_extraction.h"

#include <BRep_Tool.hxx>
#include <GeomLProp_SLProps.hxx>
#include <Geom_Surface.hxx>
#include <Poly_Triangulation.hxx>
#include <Precision.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS.hxx>
#include <TopoDS_Face.hxx>
#include <gp_Trsf.hxx>

#include <algorithm>
#include <utility>

namespace tessel::detail {
namespace {

TS_3fPoint ToPoint(const gp_Pnt& point) { return TS_3fPoint(TS_3dPoint(point.X(), point.Y(), point.Z())); }

TS_3fVector ToVector(const gp_Vec& vector) {
  return TS_3fVector(static_cast<float>(vector.X()), static_cast<float>(vector.Y()), static_cast<float>(vector.Z()));
}

struct MeshArrays {
  std::vector<TS_3fPoint> vertices;
  std::vector<TS_MeshFace> faces;
  std::vector<TS_3fVector> normals;
};

// Adds the faces of one solid, shell or set of free faces to the meshes of
// their colours.
class FaceSetExtractor {
public:
  FaceSetExtractor(const TopLoc_Location& placement, const FaceColors& faceColors, TS_Color color)
      : mPlacement(placement), mFaceColors(faceColors), mColor(color) {}

  void AddFace(const TopoDS_Face& face) {
    TopLoc_Location location;
    const Handle(Poly_Triangulation) triangles = BRep_Tool::Triangulation(face, location);
    if (triangles.IsNull() || triangles->NbNodes() == 0 || triangles->NbTriangles() == 0) {
      return;
    }
    const gp_Trsf toWorld = (mPlacement * location).Transformation();
    const bool reversed = face.Orientation() == TopAbs_REVERSED;
    MeshArrays& mesh = MeshFor(ColorOf(face));
    const int base = static_cast<int>(mesh.vertices.size());
    for (int i = 1; i <= triangles->NbNodes(); ++i) {
      mesh.vertices.push_back(ToPoint(triangles->Node(i).Transformed(toWorld)));
    }
    for (int i = 1; i <= triangles->NbTriangles(); ++i) {
      int a = 0, b = 0, c = 0;
      triangles->Triangle(i).Get(a, b, c);
      if (reversed) {
        std::swap(b, c);
      }
      if (a != b && b != c && a != c) {
        mesh.faces.push_back(TS_MeshFace{{base + a - 1, base + b - 1, base + c - 1, base + c - 1}});
      }
    }
    AppendNormals(face, triangles, reversed, base, mesh);
  }

  // The meshes in the order their colours first came.
  void MoveInto(std::vector<ColoredMesh>& result) {
    for (auto& [color, arrays] : mMeshes) {
      ColoredMesh colored;
      colored.color = color;
      if (!arrays.faces.empty() &&
          colored.mesh.Assign(std::move(arrays.vertices), std::move(arrays.faces), std::move(arrays.normals))) {
        result.push_back(std::move(colored));
      }
    }
  }

private:
  TS_Color ColorOf(const TopoDS_Face& face) const {
    const TS_Color* own = mFaceColors.Seek(face);
    return own != nullptr ? *own : mColor;
  }

  MeshArrays& MeshFor(TS_Color color) {
    for (auto& [known, arrays] : mMeshes) {
      if (known == color) {
        return arrays;
      }
    }
    return mMeshes.emplace_back(color, MeshArrays{}).second;
  }

  // Normals of the surface at each node; where the surface has none (the
  // apex of a cone, the pole of a sphere) the mean of the node's triangles.
  void AppendNormals(const TopoDS_Face& face, const Handle(Poly_Triangulation) & triangles, bool reversed, int base,
                     MeshArrays& mesh) {
    TopLoc_Location surfaceLocation;
    const Handle(Geom_Surface) surface = BRep_Tool::Surface(face, surfaceLocation);
    const gp_Trsf surfaceToWorld = (mPlacement * surfaceLocation).Transformation();
    const std::size_t first = mesh.normals.size();
    mesh.normals.resize(mesh.vertices.size());
    std::vector<bool> missing(static_cast<std::size_t>(triangles->NbNodes()), true);
    if (!surface.IsNull() && triangles->HasUVNodes()) {
      GeomLProp_SLProps properties(surface, 1, Precision::Confusion());
      for (int i = 1; i <= triangles->NbNodes(); ++i) {
        const gp_Pnt2d uv = triangles->UVNode(i);
        properties.SetParameters(uv.X(), uv.Y());
        if (properties.IsNormalDefined()) {
          gp_Vec normal(properties.Normal());
          normal.Transform(surfaceToWorld);
          mesh.normals[first + static_cast<std::size_t>(i - 1)] = ToVector(reversed ? -normal : normal);
          missing[static_cast<std::size_t>(i - 1)] = false;
        }
      }
    }
    FillMissingNormals(missing, base, mesh);
  }

  static void FillMissingNormals(const std::vector<bool>& missing, int base, MeshArrays& mesh) {
    if (std::find(missing.begin(), missing.end(), true) == missing.end()) {
      return;
    }
    std::vector<TS_3dVector> sums(missing.size(), TS_3dVector(0.0, 0.0, 0.0));
    for (const TS_MeshFace& face : mesh.faces) {
      if (face.vi[0] < base) {
        continue;
      }
      const TS_3dPoint a(mesh.vertices[static_cast<std::size_t>(face.vi[0])]);
      const TS_3dPoint b(mesh.vertices[static_cast<std::size_t>(face.vi[1])]);
      const TS_3dPoint c(mesh.vertices[static_cast<std::size_t>(face.vi[2])]);
      const TS_3dVector normal = TS_CrossProduct(b - a, c - a);
      for (int corner = 0; corner < 3; ++corner) {
        sums[static_cast<std::size_t>(face.vi[corner] - base)] += normal;
      }
    }
    for (std::size_t i = 0; i < missing.size(); ++i) {
      if (missing[i]) {
        sums[i].Unitize();
        mesh.normals[static_cast<std::size_t>(base) + i] = ToVector(gp_Vec(sums[i].x, sums[i].y, sums[i].z));
      }
    }
  }

  const TopLoc_Location& mPlacement;
  const FaceColors& mFaceColors;
  TS_Color mColor;
  std::vector<std::pair<TS_Color, MeshArrays>> mMeshes;
};

void ExtractFaceSet(const TopoDS_Shape& set, TopAbs_ShapeEnum faceKind, TopAbs_ShapeEnum outside,
                    const TopLoc_Location& placement, const FaceColors& faceColors, TS_Color color,
                    std::vector<ColoredMesh>& result) {
  FaceSetExtractor extractor(placement, faceColors, color);
  for (TopExp_Explorer faces(set, faceKind, outside); faces.More(); faces.Next()) {
    extractor.AddFace(TopoDS::Face(faces.Current()));
  }
  extractor.MoveInto(result);
}

}  // namespace

std::vector<ColoredMesh> ExtractMeshes(const TopoDS_Shape& part, const TopLoc_Location& placement,
                                       const FaceColors& faceColors, TS_Color color) {
  std::vector<ColoredMesh> result;
  for (TopExp_Explorer solids(part, TopAbs_SOLID); solids.More(); solids.Next()) {
    ExtractFaceSet(solids.Current(), TopAbs_FACE, TopAbs_SHAPE, placement, faceColors, color, result);
  }
  for (TopExp_Explorer shells(part, TopAbs_SHELL, TopAbs_SOLID); shells.More(); shells.Next()) {
    ExtractFaceSet(shells.Current(), TopAbs_FACE, TopAbs_SHAPE, placement, faceColors, color, result);
  }
  ExtractFaceSet(part, TopAbs_FACE, TopAbs_SHELL, placement, faceColors, color, result);
  return result;
}

}  // namespace tessel::detail
