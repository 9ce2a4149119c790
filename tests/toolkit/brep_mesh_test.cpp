// Meshing boundary forms: the topology must join neighbouring faces (no
// border inside a closed solid, creases only where the surface folds),
// normals come from the surfaces, colours split the meshes, and finer
// tolerances give more triangles.
#include "../support/cad_test_files.h"
#include "occt_brep.h"

#include <BRepTools.hxx>
#include <BRep_Tool.hxx>
#include <GProp_GProps.hxx>
#include <BRepGProp.hxx>
#include <TopExp_Explorer.hxx>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using linvale::test::MakeBlindHolePart;
using linvale::test::MakeBox;
using linvale::test::MakeCylinder;
using tessel::detail::FaceColors;
using tessel::detail::OcctBrep;

// The default style's crease threshold of 150 degrees: faces meeting at
// more than 30 degrees form a crease.
const double kCreaseAngle = 30.0 * std::numbers::pi / 180.0;

struct EdgeCounts {
  int borders = 0;
  int creases = 0;
  std::vector<std::array<TS_3dPoint, 2>> creaseEnds;
};

TS_3dVector FaceNormal(const TS_Mesh& mesh, int face) {
  const TS_MeshFace& f = mesh.Face(face);
  const TS_3dPoint a(mesh.Vertex(f.vi[0])), b(mesh.Vertex(f.vi[1])), c(mesh.Vertex(f.vi[2]));
  TS_3dVector normal = TS_CrossProduct(b - a, c - a);
  normal.Unitize();
  return normal;
}

EdgeCounts CountEdges(const TS_Mesh& mesh) {
  EdgeCounts counts;
  const TS_MeshTopology& topology = mesh.Topology();
  for (int edge = 0; edge < topology.TopEdgeCount(); ++edge) {
    const auto faces = topology.TopEdgeFaces(edge);
    if (faces.size() == 1) {
      ++counts.borders;
    } else if (faces.size() == 2) {
      const double cosine = TS_DotProduct(FaceNormal(mesh, faces[0]), FaceNormal(mesh, faces[1]));
      if (std::acos(std::clamp(cosine, -1.0, 1.0)) > kCreaseAngle) {
        ++counts.creases;
        const auto ends = topology.TopEdgeVertices(edge);
        counts.creaseEnds.push_back({topology.TopVertexPoint(ends[0]), topology.TopVertexPoint(ends[1])});
      }
    }
  }
  return counts;
}

TS_Mesh MeshOf(const TopoDS_Shape& shape, const TS_MeshParameters& parameters = {}) {
  TS_ClassArray<TS_Mesh> meshes;
  EXPECT_TRUE(OcctBrep(shape, TopLoc_Location(), TS_Color(128, 128, 128)).CreateMesh(parameters, meshes));
  EXPECT_EQ(meshes.Count(), 1) << "one solid, one colour";
  return meshes.IsEmpty() ? TS_Mesh() : meshes[0];
}

TEST(BrepMeshTest, BoxHasTwelveCreasesAndNoBorder) {
  const TS_Mesh mesh = MeshOf(MakeBox());
  const EdgeCounts edges = CountEdges(mesh);
  EXPECT_EQ(edges.borders, 0);
  EXPECT_EQ(edges.creases, 12);
  EXPECT_EQ(mesh.Topology().TopVertexCount(), 8) << "the faces' corners meet at the box's eight corners";
  TS_3dPoint min, max;
  ASSERT_TRUE(mesh.GetBoundingBox(min, max));
  EXPECT_EQ(min, TS_3dPoint(0.0, 0.0, 0.0));
  EXPECT_EQ(max, TS_3dPoint(10.0, 20.0, 30.0));
}

TEST(BrepMeshTest, CylinderCreasesAreItsTwoCirclesAndItsSeamIsNone) {
  const TS_Mesh mesh = MeshOf(MakeCylinder());
  const EdgeCounts edges = CountEdges(mesh);
  EXPECT_EQ(edges.borders, 0) << "the seam and the rims are joined";
  int bottom = 0, top = 0;
  for (const auto& [a, b] : edges.creaseEnds) {
    if (a.z == 0.0 && b.z == 0.0) {
      ++bottom;
    } else if (a.z == 20.0 && b.z == 20.0) {
      ++top;
    } else {
      ADD_FAILURE() << "crease off the rims from z " << a.z << " to " << b.z;
    }
  }
  EXPECT_GE(bottom, 8);
  EXPECT_EQ(bottom, top);
}

TEST(BrepMeshTest, NormalsComeFromTheSurfaceNotTheTriangles) {
  const TS_Mesh mesh = MeshOf(MakeCylinder());
  ASSERT_TRUE(mesh.HasVertexNormals());
  int side = 0;
  for (int i = 0; i < mesh.VertexCount(); ++i) {
    const TS_3dPoint p(mesh.Vertex(i));
    const TS_3dVector n(mesh.VertexNormal(i));
    if (std::abs(n.z) > 0.5) {
      EXPECT_NEAR(std::abs(n.z), 1.0, 1e-6) << "cap normals point along the axis";
      EXPECT_EQ(n.z > 0.0, p.z > 10.0) << "cap normals point out of the solid";
      continue;
    }
    ++side;
    // On the side, exactly radial: triangle normals would lean by half a
    // segment's angle.
    EXPECT_NEAR(n.x, p.x / 5.0, 1e-5);
    EXPECT_NEAR(n.y, p.y / 5.0, 1e-5);
    EXPECT_NEAR(n.z, 0.0, 1e-6);
  }
  EXPECT_GT(side, 0);
}

TEST(BrepMeshTest, FusedPartWithBlindHoleIsClosed) {
  const TS_Mesh mesh = MeshOf(MakeBlindHolePart());
  const EdgeCounts edges = CountEdges(mesh);
  EXPECT_EQ(edges.borders, 0) << "every edge, the hole's circles included, joins its faces";
  EXPECT_GT(edges.creases, 12 + 3 * 8);
  // Triangles wind so that their normals agree with the surface normals.
  int agreeing = 0;
  for (int face = 0; face < mesh.FaceCount(); ++face) {
    const TS_3dVector vertexNormal(mesh.VertexNormal(mesh.Face(face).vi[0]));
    agreeing += TS_DotProduct(FaceNormal(mesh, face), vertexNormal) > 0.0 ? 1 : 0;
  }
  EXPECT_EQ(agreeing, mesh.FaceCount());
}

TEST(BrepMeshTest, FinerTolerancesGiveMoreTriangles) {
  const TopoDS_Shape part = MakeBlindHolePart();
  int previous = 0;
  for (double relative : {0.01, 0.002, 0.0005}) {
    TS_MeshParameters parameters;
    parameters.relativeDeflection = relative;
    parameters.angularDeflection = 1.0;
    const int triangles = MeshOf(part, parameters).FaceCount();
    EXPECT_GT(triangles, previous) << "relative deflection " << relative;
    previous = triangles;
  }
  TS_MeshParameters absolute;
  absolute.absoluteDeflection = 0.001;
  absolute.relativeDeflection = 0.5;
  EXPECT_GT(MeshOf(part, absolute).FaceCount(), previous) << "an absolute deflection wins over the relative one";
}

TEST(BrepMeshTest, FaceColoursSplitTheMeshAndWinOverTheShapeColour) {
  const TopoDS_Shape box = MakeBox();
  FaceColors colors;
  int faces = 0;
  for (TopExp_Explorer explorer(box, TopAbs_FACE); explorer.More(); explorer.Next(), ++faces) {
    if (faces < 2) {
      colors.Bind(explorer.Current(), TS_Color(255, 0, 0));
    }
  }
  const OcctBrep brep(box, TopLoc_Location(), TS_Color(0, 0, 255), colors);
  TS_ClassArray<TS_Mesh> meshes;
  TS_SimpleArray<TS_Color> meshColors;
  ASSERT_TRUE(brep.CreateMesh(TS_MeshParameters(), meshes, meshColors));
  ASSERT_EQ(meshes.Count(), 2);
  ASSERT_EQ(meshColors.Count(), 2);
  int red = 0, blue = 0;
  for (int i = 0; i < meshes.Count(); ++i) {
    (meshColors[i] == TS_Color(255, 0, 0) ? red : blue) += meshes[i].FaceCount();
  }
  EXPECT_EQ(red, 2 * 2) << "two faces of two triangles";
  EXPECT_EQ(blue, 4 * 2);
}

TEST(BrepMeshTest, PlacementMovesTheMesh) {
  gp_Trsf move;
  move.SetTranslation(gp_Vec(100.0, -50.0, 7.0));
  TS_ClassArray<TS_Mesh> meshes;
  ASSERT_TRUE(OcctBrep(MakeBox(), TopLoc_Location(move), TS_Color()).CreateMesh(TS_MeshParameters(), meshes));
  TS_3dPoint min, max;
  ASSERT_TRUE(meshes[0].GetBoundingBox(min, max));
  EXPECT_EQ(min, TS_3dPoint(100.0, -50.0, 7.0));
  EXPECT_EQ(max, TS_3dPoint(110.0, -30.0, 37.0));
}

TEST(BrepMeshTest, EmptyShapeGivesNoMeshAndFalse) {
  TS_ClassArray<TS_Mesh> meshes;
  EXPECT_FALSE(OcctBrep(TopoDS_Shape(), TopLoc_Location(), TS_Color()).CreateMesh(TS_MeshParameters(), meshes));
  EXPECT_TRUE(meshes.IsEmpty());
}

}  // namespace
