// Feature edges of a node's mesh: borders, creases, silhouettes and the
// normals at their ends.
#include <linvale/node.h>

#include "../support/feature_meshes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// Index of the line joining a and b in either direction, or -1.
int findLine(const TS_ClassArray<TS_Line>& lines, const TS_3dPoint& a, const TS_3dPoint& b) {
  for (int i = 0; i < lines.Count(); ++i) {
    if ((lines[i].from == a && lines[i].to == b) || (lines[i].from == b && lines[i].to == a)) {
      return i;
    }
  }
  return -1;
}

bool isAxisAlignedUnitEdge(const TS_Line& line) {
  const TS_3dVector d = line.to - line.from;
  return std::abs(d.x) + std::abs(d.y) + std::abs(d.z) == 1.0;
}

const double kThirtyDegrees = std::numbers::pi / 6.0;

Node cubeNode() {
  Node node;
  node.m_mesh = test_meshes::flatCube();
  return node;
}

void expectNear(const TS_3dPoint& actual, const TS_3dPoint& expected, double tolerance = 1e-7) {
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// The outline of the unit cube seen from the (+x, +y, +z) side: the six
// edges between the three visible and the three hidden sides.
const TS_3dPoint kOutline[6][2] = {
    {{1, 0, 0}, {1, 0, 1}}, {{1, 0, 0}, {1, 1, 0}}, {{0, 1, 0}, {0, 1, 1}},
    {{0, 1, 0}, {1, 1, 0}}, {{0, 0, 1}, {0, 1, 1}}, {{0, 0, 1}, {1, 0, 1}},
};

void expectOutlineSilhouettes(const Node& node) {
  EXPECT_EQ(node.m_silLines.Count(), 6);
  for (const auto& edge : kOutline) {
    EXPECT_NE(findLine(node.m_silLines, edge[0], edge[1]), -1);
  }
}

}  // namespace

TEST(CalculaAnguloEntreAxis, GivesTheCosineWithinPlusMinusOneAndNaNForZeroVectors) {
  EXPECT_DOUBLE_EQ(Node::CalculaAnguloEntreAxis(TS_3dVector(2, 0, 0), TS_3dVector(5, 0, 0)), 1.0);
  EXPECT_DOUBLE_EQ(Node::CalculaAnguloEntreAxis(TS_3dVector(0, 3, 0), TS_3dVector(0, -1, 0)), -1.0);
  EXPECT_DOUBLE_EQ(Node::CalculaAnguloEntreAxis(TS_3dVector(1, 1, 0), TS_3dVector(-1, 1, 0)), 0.0);
  EXPECT_TRUE(std::isnan(Node::CalculaAnguloEntreAxis(TS_3dVector(0, 0, 0), TS_3dVector(1, 0, 0))));
  // Scaled by the reciprocal of its length, this vector's dot product with
  // itself rounds to just above 1, whose arc cosine would not be a number.
  const TS_3dVector v(0.2, 1.04, 1.026);
  EXPECT_EQ(Node::CalculaAnguloEntreAxis(v, v), 1.0);
  EXPECT_EQ(Node::CalculaAnguloEntreAxis(v, -v), -1.0);
}

TEST(ComputeEdges, LoneTriangleGivesThreeBordersWithUnitEndNormals) {
  Node node;
  const TS_3fPoint points[] = {{0, 0, 0}, {2, 0, 0}, {0, 3, 0}};
  const TS_3fVector normals[] = {{0, 0, 4}, {0, 3, 4}, {1, 0, 0}};
  for (int v = 0; v < 3; ++v) {
    node.m_mesh.SetVertex(v, points[v]);
    node.m_mesh.SetVertexNormal(v, normals[v]);
  }
  node.m_mesh.SetTriangle(0, 0, 1, 2);
  node.ComputeEdges(TS_3dVector(0, 0, -1), TS_3dPoint(0, 0, 10), TS::parallel_view, kThirtyDegrees);

  EXPECT_EQ(node.m_silLines.Count() + node.m_disLines.Count(), 0);
  ASSERT_EQ(node.m_endLines.Count(), 3);
  ASSERT_EQ(node.m_endNormalLines.Count(), 3);
  // Topological vertices keep the vertex order; each border runs from the lower index.
  const int second = findLine(node.m_endLines, TS_3dPoint(points[1]), TS_3dPoint(points[2]));
  ASSERT_NE(second, -1);
  EXPECT_EQ(node.m_endLines[second].from, TS_3dPoint(points[1]));
  expectNear(node.m_endNormalLines[second].from, TS_3dPoint(0, 0.6, 0.8));
  expectNear(node.m_endNormalLines[second].to, TS_3dPoint(1, 0, 0));
}

TEST(ComputeEdges, CubeAlongAnAxisHasTwelveCreasesAndNoSilhouettes) {
  Node node = cubeNode();
  node.ComputeEdges(TS_3dVector(0, 0, -1), TS_3dPoint(0.5, 0.5, 10), TS::parallel_view, kThirtyDegrees);

  EXPECT_EQ(node.m_endLines.Count(), 0);
  EXPECT_EQ(node.m_silLines.Count(), 0);  // the sides are exactly edge-on
  ASSERT_EQ(node.m_disLines.Count(), 12);
  ASSERT_EQ(node.m_disNormalLines.Count(), 12);
  // Every corner joins three sides with three normals; its edge normal is their mean.
  const double k = 1.0 / std::sqrt(3.0);
  for (int i = 0; i < 12; ++i) {
    const TS_Line& line = node.m_disLines[i];
    EXPECT_TRUE(isAxisAlignedUnitEdge(line)) << "diagonals are flat and no creases";
    const auto outward = [k](const TS_3dPoint& p) {
      return TS_3dPoint((2 * p.x - 1) * k, (2 * p.y - 1) * k, (2 * p.z - 1) * k);
    };
    expectNear(node.m_disNormalLines[i].from, outward(line.from));
    expectNear(node.m_disNormalLines[i].to, outward(line.to));
  }
}

TEST(ComputeEdges, TiltedCubeOutlineIsSilhouetteAndCrease) {
  Node node = cubeNode();
  node.ComputeEdges(TS_3dVector(-1, -2, -3), TS_3dPoint(), TS::parallel_view, kThirtyDegrees);
  expectOutlineSilhouettes(node);
  EXPECT_EQ(node.m_silNormalLines.Count(), 6);
  EXPECT_EQ(node.m_disLines.Count(), 12);
  for (const auto& edge : kOutline) {
    EXPECT_NE(findLine(node.m_disLines, edge[0], edge[1]), -1);
  }

  Node otherProjection = cubeNode();  // facing is undefined: creases only
  otherProjection.ComputeEdges(TS_3dVector(-1, -2, -3), TS_3dPoint(3, 4, 5), static_cast<TS::view_projection>(3),
                               kThirtyDegrees);
  EXPECT_EQ(otherProjection.m_silLines.Count(), 0);
  EXPECT_EQ(otherProjection.m_disLines.Count(), 12);
}

TEST(ComputeEdges, PerspectiveJudgesFacingFromTheCameraPosition) {
  Node oblique = cubeNode();
  oblique.ComputeEdges(TS_3dVector(), TS_3dPoint(3, 4, 5), TS::perspective_view, kThirtyDegrees);
  expectOutlineSilhouettes(oblique);

  // Straight above the centre, the sides lean away from the camera, so the
  // rim of the top is the outline, unlike in a parallel view.
  Node above = cubeNode();
  above.ComputeEdges(TS_3dVector(0, 0, -1), TS_3dPoint(0.5, 0.5, 10), TS::perspective_view, kThirtyDegrees);
  ASSERT_EQ(above.m_silLines.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(above.m_silLines[i].from.z, 1.0);
    EXPECT_EQ(above.m_silLines[i].to.z, 1.0);
  }
}

TEST(ComputeEdges, ZeroAngleMakesEveryInteriorEdgeACreaseAndRepeatedCallsAppend) {
  Node node = cubeNode();
  node.ComputeEdges(TS_3dVector(0, 0, -1), TS_3dPoint(), TS::parallel_view, 0.0);
  EXPECT_EQ(node.m_disLines.Count(), 18);
  node.ComputeEdges(TS_3dVector(0, 0, -1), TS_3dPoint(), TS::parallel_view, 0.0);
  EXPECT_EQ(node.m_disLines.Count(), 36);
  EXPECT_EQ(node.m_disNormalLines.Count(), 36);
  EXPECT_EQ(node.m_disLines[0], node.m_disLines[18]);
}

TEST(ComputeEdges, AnEdgeOfThreeFacesIsJudgedByItsLastTwo) {
  // One edge along x; a flat pair of faces around it and a face standing up.
  const TS_3fPoint points[] = {{0, 0, 0}, {1, 0, 0}, {0.5f, 1, 0}, {0.5f, -1, 0}, {0.5f, 0, 1}};
  const auto build = [&](bool standingFaceLast) {
    Node node;
    for (int v = 0; v < 5; ++v) {
      node.m_mesh.SetVertex(v, points[v]);
      node.m_mesh.SetVertexNormal(v, TS_3fVector(0, 0, 1));
    }
    if (!standingFaceLast) {
      node.m_mesh.SetTriangle(node.m_mesh.FaceCount(), 0, 1, 4);
    }
    node.m_mesh.SetTriangle(node.m_mesh.FaceCount(), 0, 1, 2);
    node.m_mesh.SetTriangle(node.m_mesh.FaceCount(), 1, 0, 3);
    if (standingFaceLast) {
      node.m_mesh.SetTriangle(node.m_mesh.FaceCount(), 0, 1, 4);
    }
    node.ComputeEdges(TS_3dVector(0, -1, -1), TS_3dPoint(), TS::parallel_view, kThirtyDegrees);
    return node;
  };
  const TS_3dPoint a(0, 0, 0), b(1, 0, 0);

  const Node flatPairLast = build(false);
  EXPECT_EQ(findLine(flatPairLast.m_disLines, a, b), -1);
  EXPECT_EQ(findLine(flatPairLast.m_silLines, a, b), -1);

  const Node standingLast = build(true);
  EXPECT_NE(findLine(standingLast.m_disLines, a, b), -1);
  EXPECT_NE(findLine(standingLast.m_silLines, a, b), -1);
}

TEST(ComputeEdges, ZeroAreaFacesMakeNeitherCreasesNorSilhouettes) {
  Node node;
  const TS_3fPoint points[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {2, 0, 0}};
  for (int v = 0; v < 4; ++v) {
    node.m_mesh.SetVertex(v, points[v]);
    node.m_mesh.SetVertexNormal(v, TS_3fVector(0, 0, 1));
  }
  node.m_mesh.SetTriangle(0, 0, 1, 2);
  node.m_mesh.SetTriangle(1, 1, 0, 3);  // collinear corners
  node.ComputeEdges(TS_3dVector(0, 1, -1), TS_3dPoint(), TS::parallel_view, kThirtyDegrees);
  EXPECT_EQ(findLine(node.m_disLines, TS_3dPoint(0, 0, 0), TS_3dPoint(1, 0, 0)), -1);
  EXPECT_EQ(node.m_silLines.Count(), 0);
}

TEST(ComputeEdges, RepeatedNormalsAtOnePositionCountOnce) {
  // Three mesh vertices at the origin, two with normal +z and one with +x,
  // each opening a triangle of a fan.
  Node node;
  TS_Mesh& mesh = node.m_mesh;
  const TS_3fVector up(0, 0, 1), side(1, 0, 0);
  const TS_3fVector centreNormals[] = {up, up, side};
  const TS_3fPoint rim[] = {{1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {-1, 1, 0}};
  for (int i = 0; i < 3; ++i) {
    mesh.SetVertex(i, TS_3fPoint(0, 0, 0));
    mesh.SetVertexNormal(i, centreNormals[i]);
  }
  for (int i = 0; i < 4; ++i) {
    mesh.SetVertex(3 + i, rim[i]);
    mesh.SetVertexNormal(3 + i, up);
  }
  for (int i = 0; i < 3; ++i) {
    mesh.SetTriangle(i, i, 3 + i, 4 + i);
  }
  node.ComputeEdges(TS_3dVector(0, 0, -1), TS_3dPoint(), TS::parallel_view, kThirtyDegrees);

  const int border = findLine(node.m_endLines, TS_3dPoint(0, 0, 0), TS_3dPoint(1, 0, 0));
  ASSERT_NE(border, -1);
  ASSERT_EQ(node.m_endLines[border].from, TS_3dPoint(0, 0, 0));
  const double h = std::sqrt(0.5);
  expectNear(node.m_endNormalLines[border].from, TS_3dPoint(h, 0, h));
  expectNear(node.m_endNormalLines[border].to, TS_3dPoint(0, 0, 1));
}
