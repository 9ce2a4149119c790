// Mesh editing and normals.
#include <tessel/ts_mesh.h>

#include "../support/feature_meshes.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TS_Mesh triangle() {
  TS_Mesh mesh;
  mesh.SetVertex(0, TS_3fPoint(0, 0, 0));
  mesh.SetVertex(1, TS_3fPoint(1, 0, 0));
  mesh.SetVertex(2, TS_3fPoint(0, 1, 0));
  mesh.SetTriangle(0, 0, 1, 2);
  return mesh;
}

TS_3fVector geometricNormal(const TS_Mesh& mesh, const TS_MeshFace& face) {
  const TS_3fPoint& a = mesh.Vertex(face.vi[0]);
  TS_3fVector n = TS_CrossProduct(mesh.Vertex(face.vi[1]) - a, mesh.Vertex(face.vi[2]) - a);
  n.Unitize();
  return n;
}

}  // namespace

TEST(Mesh, SettersReplaceOrAppendAndFacesMustReferToExistingVertices) {
  TS_Mesh mesh;
  EXPECT_FALSE(mesh.SetVertex(1, TS_3fPoint(1, 1, 1)));
  EXPECT_TRUE(mesh.SetVertex(0, TS_3fPoint(1, 1, 1)));
  EXPECT_TRUE(mesh.SetVertex(0, TS_3dPoint(2, 2, 2)));
  EXPECT_EQ(mesh.VertexCount(), 1);
  EXPECT_EQ(mesh.Vertex(0), TS_3fPoint(2, 2, 2));

  mesh.SetVertex(1, TS_3fPoint(0, 0, 0));
  mesh.SetVertex(2, TS_3fPoint(0, 1, 0));
  EXPECT_FALSE(mesh.SetTriangle(0, 0, 1, 3));
  EXPECT_FALSE(mesh.SetQuad(0, 0, 1, 2, -1));
  EXPECT_EQ(mesh.FaceCount(), 0);
  EXPECT_TRUE(mesh.SetTriangle(0, 0, 1, 2));
  EXPECT_TRUE(mesh.Face(0).IsTriangle());
  EXPECT_EQ(mesh.Face(0).vi[3], 2);
  EXPECT_TRUE(mesh.SetTriangle(0, 2, 1, 0));
  EXPECT_EQ(mesh.FaceCount(), 1);
  EXPECT_EQ(mesh.Face(0).vi[0], 2);
}

TEST(Mesh, HasNormalsOnlyWithExactlyOnePerElement) {
  TS_Mesh mesh = triangle();
  EXPECT_FALSE(mesh.HasVertexNormals());
  mesh.SetVertexNormal(0, TS_3fVector(0, 0, 1));
  mesh.SetVertexNormal(1, TS_3fVector(0, 0, 1));
  EXPECT_FALSE(mesh.HasVertexNormals());
  mesh.SetVertexNormal(2, TS_3dVector(0, 0, 1));
  EXPECT_TRUE(mesh.HasVertexNormals());
  mesh.SetVertex(3, TS_3fPoint(5, 5, 5));
  EXPECT_FALSE(mesh.HasVertexNormals());

  EXPECT_FALSE(mesh.HasFaceNormals());
  mesh.ComputeFaceNormals();
  EXPECT_TRUE(mesh.HasFaceNormals());
  EXPECT_FALSE(TS_Mesh().HasFaceNormals());
}

TEST(Mesh, ComputedNormalsAreUnitAndFollowTheWinding) {
  TS_Mesh cube = test_meshes::sharedCornerCube();
  cube.SetVertex(8, TS_3fPoint(9, 9, 9));  // used by no face
  ASSERT_TRUE(cube.ComputeVertexNormals());
  ASSERT_TRUE(cube.HasFaceNormals());
  ASSERT_TRUE(cube.HasVertexNormals());

  const auto sides = test_meshes::cubeSides();
  for (int f = 0; f < 6; ++f) {
    EXPECT_EQ(cube.FaceNormal(f), sides[static_cast<std::size_t>(f)].normal) << "face " << f;
  }
  // Each corner meets three perpendicular sides: its normal points out along the diagonal.
  const float third = 1.0f / std::sqrt(3.0f);
  for (int v = 0; v < 8; ++v) {
    const TS_3fPoint& p = cube.Vertex(v);
    const TS_3fVector& n = cube.VertexNormal(v);
    EXPECT_NEAR(n.x, p.x > 0.5f ? third : -third, 1e-6) << "vertex " << v;
    EXPECT_NEAR(n.y, p.y > 0.5f ? third : -third, 1e-6) << "vertex " << v;
    EXPECT_NEAR(n.z, p.z > 0.5f ? third : -third, 1e-6) << "vertex " << v;
  }
  EXPECT_TRUE(cube.VertexNormal(8).IsZero());
}

TEST(Mesh, UnitizeLeavesZeroNormalsAlone) {
  TS_Mesh mesh = triangle();
  mesh.SetVertexNormal(0, TS_3fVector(0, 0, 10));
  mesh.SetVertexNormal(1, TS_3fVector(0, 0, 0));
  mesh.SetVertexNormal(2, TS_3fVector(3, 0, 4));
  mesh.UnitizeVertexNormals();
  EXPECT_EQ(mesh.VertexNormal(0), TS_3fVector(0, 0, 1));
  EXPECT_TRUE(mesh.VertexNormal(1).IsZero());
  EXPECT_FLOAT_EQ(mesh.VertexNormal(2).Length(), 1.0f);
}

TEST(Mesh, QuadsBecomeTwoTrianglesInPlaceAlongTheShorterDiagonal) {
  TS_Mesh mesh = triangle();
  // A kite whose diagonal 4-6 is much shorter than 3-5.
  mesh.SetVertex(3, TS_3fPoint(10, 0, 0));
  mesh.SetVertex(4, TS_3fPoint(12, -1, 0));
  mesh.SetVertex(5, TS_3fPoint(14, 0, 0));
  mesh.SetVertex(6, TS_3fPoint(12, 1, 0));
  mesh.SetQuad(1, 3, 4, 5, 6);
  mesh.SetTriangle(2, 0, 1, 2);
  ASSERT_TRUE(mesh.ComputeFaceNormals());
  const TS_3fVector quadNormal = mesh.FaceNormal(1);

  ASSERT_TRUE(mesh.ConvertQuadsToTriangles());
  ASSERT_EQ(mesh.FaceCount(), 4);
  EXPECT_EQ(mesh.QuadCount(), 0);
  EXPECT_EQ(mesh.Face(0), mesh.Face(3));  // the triangles around the quad kept their places
  for (int f = 1; f <= 2; ++f) {
    const TS_MeshFace& t = mesh.Face(f);
    const bool usesShortDiagonal = (t.vi[0] == 4 || t.vi[1] == 4 || t.vi[2] == 4) &&
                                   (t.vi[0] == 6 || t.vi[1] == 6 || t.vi[2] == 6);
    EXPECT_TRUE(usesShortDiagonal) << "triangle " << f;
    EXPECT_EQ(geometricNormal(mesh, t), quadNormal) << "triangle " << f;
    EXPECT_EQ(mesh.FaceNormal(f), quadNormal);
  }
  EXPECT_TRUE(mesh.HasFaceNormals());
}

TEST(Mesh, CompactDropsUnusedVerticesAndInvalidFacesKeepingNormalsParallel) {
  TS_Mesh mesh;
  const TS_3fPoint points[] = {{0, 0, 0}, {7, 7, 7}, {1, 0, 0}, {0, 1, 0}, {8, 8, 8}};
  for (int v = 0; v < 5; ++v) {
    mesh.SetVertex(v, points[v]);
    mesh.SetVertexNormal(v, TS_3fVector(static_cast<float>(v), 0, 0));
  }
  mesh.SetTriangle(0, 0, 4, 4);  // repeated corner: invalid
  mesh.SetTriangle(1, 0, 2, 3);
  mesh.ComputeFaceNormals();

  ASSERT_TRUE(mesh.Compact());
  ASSERT_EQ(mesh.VertexCount(), 3);
  ASSERT_EQ(mesh.FaceCount(), 1);
  EXPECT_TRUE(mesh.HasVertexNormals());
  EXPECT_TRUE(mesh.HasFaceNormals());
  const TS_MeshFace& face = mesh.Face(0);
  EXPECT_EQ(mesh.Vertex(face.vi[0]), points[0]);
  EXPECT_EQ(mesh.Vertex(face.vi[1]), points[2]);
  EXPECT_EQ(mesh.Vertex(face.vi[2]), points[3]);
  EXPECT_EQ(mesh.VertexNormal(face.vi[1]).x, 2.0f);
  EXPECT_EQ(mesh.VertexNormal(face.vi[2]).x, 3.0f);
}

TEST(Mesh, AppendOffsetsIndicesAndKeepsOnlyNormalsBothMeshesHave) {
  TS_Mesh a = triangle();
  TS_Mesh b = triangle();
  b.SetVertex(0, TS_3fPoint(5, 5, 5));
  a.ComputeVertexNormals();
  b.ComputeVertexNormals();

  TS_Mesh both = a;
  ASSERT_TRUE(both.Append(b));
  EXPECT_EQ(both.VertexCount(), 6);
  ASSERT_EQ(both.FaceCount(), 2);
  EXPECT_EQ(both.Vertex(both.Face(1).vi[0]), TS_3fPoint(5, 5, 5));
  EXPECT_TRUE(both.HasVertexNormals());
  EXPECT_TRUE(both.HasFaceNormals());

  TS_Mesh mixed = a;
  mixed.Append(triangle());
  EXPECT_FALSE(mixed.HasVertexNormals());
  EXPECT_EQ(mixed.FaceCount(), 2);

  TS_Mesh self = a;
  ASSERT_TRUE(self.Append(self));
  EXPECT_EQ(self.FaceCount(), 2);
  EXPECT_EQ(self.Face(1).vi[0], 3);

  TS_Mesh empty;
  empty.Append(a);
  EXPECT_TRUE(empty.HasVertexNormals());
  EXPECT_EQ(empty.FaceCount(), 1);
}

TEST(Mesh, CopiesAreIndependent) {
  TS_Mesh original = triangle();
  TS_Mesh copy = original;
  copy.SetVertex(0, TS_3fPoint(9, 9, 9));
  copy.Destroy();
  EXPECT_EQ(copy.VertexCount(), 0);
  EXPECT_EQ(original.VertexCount(), 3);
  EXPECT_EQ(original.Vertex(0), TS_3fPoint(0, 0, 0));
}
