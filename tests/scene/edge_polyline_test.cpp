// Chaining lines into polylines, removing silhouette-crease duplicates and
// splitting long lines.
#include <linvale/node.h>

#include "../support/feature_meshes.h"
#include "edge_test_support.h"

#include <gtest/gtest.h>

#include <limits>
#include <numbers>
#include <vector>

using edge_test::findLine;

namespace {

const TS_3dPoint p1(0, 0, 0), p2(1, 0, 0), p3(1, 1, 0), p4(2, 1, 0);

// The normal stored with a point marks where it came from: its x is the
// point's x + 10 * y + 100 * z, so tests can check that normals travel with
// their points, including reversed lines.
TS_3dPoint tag(const TS_3dPoint& p) { return TS_3dPoint(p.x + 10 * p.y + 100 * p.z, 0, 1); }

void addSilhouette(Node& node, const TS_3dPoint& a, const TS_3dPoint& b) {
  node.m_silLines.Append(TS_Line(a, b));
  node.m_silNormalLines.Append(TS_Line(tag(a), tag(b)));
}

std::vector<TS_3dPoint> points(const TS_3dPointArray& polyline) { return {polyline.begin(), polyline.end()}; }

std::vector<TS_3dPoint> tags(const std::vector<TS_3dPoint>& ps) {
  std::vector<TS_3dPoint> result;
  for (const TS_3dPoint& p : ps) {
    result.push_back(tag(p));
  }
  return result;
}

// Checks the chained silhouettes against the expected point sequences, normals included.
void expectSilhouettePolylines(const Node& node, const std::vector<std::vector<TS_3dPoint>>& expected) {
  EXPECT_EQ(node.m_silLines.Count(), 0);
  EXPECT_EQ(node.m_silNormalLines.Count(), 0);
  ASSERT_EQ(node.m_silPolylines.Count(), static_cast<int>(expected.size()));
  ASSERT_EQ(node.m_silNormalPolylines.Count(), static_cast<int>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const int index = static_cast<int>(i);
    EXPECT_EQ(points(node.m_silPolylines[index]), expected[i]) << "polyline " << i;
    EXPECT_EQ(points(node.m_silNormalPolylines[index]), tags(expected[i])) << "normals of polyline " << i;
  }
}

}  // namespace

TEST(Chaining, ConsecutiveLinesFormOnePolyline) {
  Node node;
  addSilhouette(node, p1, p2);
  addSilhouette(node, p2, p3);
  addSilhouette(node, p3, p4);
  node.ProcessSilhouettes();
  expectSilhouettePolylines(node, {{p1, p2, p3, p4}});
}

TEST(Chaining, ChainsGrowAtTheirEndOnly) {
  Node node;
  addSilhouette(node, p2, p3);
  addSilhouette(node, p1, p2);
  node.ProcessSilhouettes();
  expectSilhouettePolylines(node, {{p2, p3}, {p1, p2}});
}

TEST(Chaining, ReversedNeighboursJoinReversed) {
  Node node;
  addSilhouette(node, p1, p2);
  addSilhouette(node, p3, p2);
  node.ProcessSilhouettes();
  expectSilhouettePolylines(node, {{p1, p2, p3}});
}

TEST(Chaining, ClosedLoopEndsOnItsFirstPoint) {
  Node node;
  addSilhouette(node, p1, p2);
  addSilhouette(node, p2, p3);
  addSilhouette(node, p3, p1);
  node.ProcessSilhouettes();
  expectSilhouettePolylines(node, {{p1, p2, p3, p1}});
}

TEST(Chaining, AtAJunctionTheLineThatSlidIntoTheFreedSlotWaits) {
  const TS_3dPoint x(0, 0, 5), e(1, 0, 5), f(2, 0, 5), h(3, 1, 5), k(3, -1, 5);
  Node node;
  addSilhouette(node, x, e);
  addSilhouette(node, e, f);
  addSilhouette(node, f, h);
  addSilhouette(node, f, k);
  node.ProcessSilhouettes();
  expectSilhouettePolylines(node, {{x, e, f, k}, {f, h}});
}

TEST(Chaining, EachKindAppendsAfterExistingPolylines) {
  Node node;
  node.m_disPolylines.AppendNew().Append(p4);
  node.m_disNormalPolylines.AppendNew().Append(p4);
  node.m_disLines.Append(TS_Line(p1, p2));
  node.m_disNormalLines.Append(TS_Line(p3, p4));
  node.m_endLines.Append(TS_Line(p2, p3));
  node.m_endNormalLines.Append(TS_Line(p1, p1));
  node.ProcessDis();
  node.ProcessEnd();

  ASSERT_EQ(node.m_disPolylines.Count(), 2);
  EXPECT_EQ(points(node.m_disPolylines[1]), (std::vector<TS_3dPoint>{p1, p2}));
  EXPECT_EQ(points(node.m_disNormalPolylines[1]), (std::vector<TS_3dPoint>{p3, p4}));
  ASSERT_EQ(node.m_endPolylines.Count(), 1);
  EXPECT_EQ(points(node.m_endPolylines[0]), (std::vector<TS_3dPoint>{p2, p3}));
  EXPECT_EQ(node.m_disLines.Count() + node.m_endLines.Count() + node.m_endNormalLines.Count(), 0);
  EXPECT_EQ(node.m_silPolylines.Count(), 0);
}

TEST(Chaining, CollectionsOutOfStepAreLeftAlone) {
  Node node;
  addSilhouette(node, p1, p2);
  node.m_silLines.Append(TS_Line(p2, p3));
  node.ProcessSilhouettes();
  EXPECT_EQ(node.m_silLines.Count(), 2);
  EXPECT_EQ(node.m_silPolylines.Count(), 0);
}

TEST(Chaining, TiltedCubeOutlineBecomesOneClosedPolyline) {
  Node node;
  node.m_mesh = test_meshes::flatCube();
  node.ComputeEdges(TS_3dVector(-1, -2, -3), TS_3dPoint(), TS::parallel_view, std::numbers::pi / 6.0);
  node.DeleteDuplicatedEdges();
  EXPECT_EQ(node.m_silLines.Count(), 0);  // every outline edge is also a crease

  Node silhouettesOnly;
  silhouettesOnly.m_mesh = test_meshes::flatCube();
  silhouettesOnly.ComputeEdges(TS_3dVector(-1, -2, -3), TS_3dPoint(), TS::parallel_view, std::numbers::pi / 6.0);
  silhouettesOnly.ProcessSilhouettes();
  ASSERT_EQ(silhouettesOnly.m_silPolylines.Count(), 1);
  const TS_3dPointArray& loop = silhouettesOnly.m_silPolylines[0];
  EXPECT_EQ(loop.Count(), 7);
  EXPECT_EQ(*loop.First(), *loop.Last());
  EXPECT_EQ(silhouettesOnly.m_silNormalPolylines[0].Count(), 7);
}

TEST(DeleteDuplicatedEdges, RemovesSilhouettesThatAreCreasesInEitherDirection) {
  const TS_3dPoint p(0, 0, 0), q(1, 0, 0), r(0, 1, 0);
  Node node;
  addSilhouette(node, p, r);
  addSilhouette(node, q, p);
  addSilhouette(node, r, q);
  node.m_disLines.Append(TS_Line(p, q));
  node.m_disLines.Append(TS_Line(q, r));
  node.m_disNormalLines.Append(TS_Line());
  node.m_disNormalLines.Append(TS_Line());
  node.DeleteDuplicatedEdges();

  ASSERT_EQ(node.m_silLines.Count(), 1);
  EXPECT_EQ(node.m_silLines[0], TS_Line(p, r));
  ASSERT_EQ(node.m_silNormalLines.Count(), 1);
  EXPECT_EQ(node.m_silNormalLines[0], TS_Line(tag(p), tag(r)));
  EXPECT_EQ(node.m_disLines.Count(), 2);

  Node noCreases;
  addSilhouette(noCreases, p, q);
  noCreases.DeleteDuplicatedEdges();
  EXPECT_EQ(noCreases.m_silLines.Count(), 1);
}

TEST(Split, LongLinesBecomePiecesAfterTheKeptLines) {
  Node node;
  const TS_Line shortLine(TS_3dPoint(0, 5, 0), TS_3dPoint(3, 5, 0));
  const TS_Line longLine(TS_3dPoint(0, 0, 0), TS_3dPoint(25, 0, 0));
  const TS_Line exactLine(TS_3dPoint(0, 9, 0), TS_3dPoint(0, 9, 10));
  const TS_Line longNormal(TS_3dPoint(0, 0, 1), TS_3dPoint(0, 1, 0));
  node.m_endLines.Append(shortLine);
  node.m_endNormalLines.Append(TS_Line());
  node.m_endLines.Append(longLine);
  node.m_endNormalLines.Append(longNormal);
  node.m_endLines.Append(exactLine);
  node.m_endNormalLines.Append(TS_Line());
  node.SplitEnd(10.0);

  ASSERT_EQ(node.m_endLines.Count(), 5);
  ASSERT_EQ(node.m_endNormalLines.Count(), 5);
  EXPECT_EQ(node.m_endLines[0], shortLine);
  EXPECT_EQ(node.m_endLines[1], exactLine);
  EXPECT_EQ(node.m_endLines[2], TS_Line(TS_3dPoint(0, 0, 0), TS_3dPoint(10, 0, 0)));
  EXPECT_EQ(node.m_endLines[3], TS_Line(TS_3dPoint(10, 0, 0), TS_3dPoint(20, 0, 0)));
  EXPECT_EQ(node.m_endLines[4], TS_Line(TS_3dPoint(20, 0, 0), TS_3dPoint(25, 0, 0)));
  for (int i = 2; i < 5; ++i) {
    EXPECT_EQ(node.m_endNormalLines[i], longNormal);
  }
}

TEST(Split, EachKindSplitsOnlyItsOwnLines) {
  Node node;
  const TS_Line line(TS_3dPoint(0, 0, 0), TS_3dPoint(0, 0, 3));
  for (auto* lines : {&node.m_silLines, &node.m_silNormalLines, &node.m_disLines, &node.m_disNormalLines,
                      &node.m_endLines, &node.m_endNormalLines}) {
    lines->Append(line);
  }
  node.SplitSilhouettes(1.0);
  EXPECT_EQ(node.m_silLines.Count(), 3);
  EXPECT_EQ(node.m_silNormalLines.Count(), 3);
  EXPECT_EQ(node.m_disLines.Count(), 1);
  node.SplitDis(2.0);
  EXPECT_EQ(node.m_disLines.Count(), 2);
  EXPECT_EQ(node.m_endLines.Count(), 1);
}

TEST(Split, NonPositiveLengthsAndUnmeasurableLinesLeaveTheCollectionsAlone) {
  const double inf = std::numeric_limits<double>::infinity();
  Node node;
  node.m_disLines.Append(TS_Line(TS_3dPoint(0, 0, 0), TS_3dPoint(25, 0, 0)));
  node.m_disLines.Append(TS_Line(TS_3dPoint(0, 0, 0), TS_3dPoint(inf, 0, 0)));
  node.m_disLines.Append(TS_Line(TS_3dPoint(0, 0, 0), TS_3dPoint(std::nan(""), 0, 0)));
  for (int i = 0; i < 3; ++i) {
    node.m_disNormalLines.Append(TS_Line());
  }
  node.SplitDis(0.0);
  node.SplitDis(-5.0);
  node.SplitDis(std::nan(""));
  EXPECT_EQ(node.m_disLines.Count(), 3);

  node.SplitDis(10.0);  // only the finite line is cut; the others would never end
  EXPECT_EQ(node.m_disLines.Count(), 5);
  EXPECT_EQ(node.m_disNormalLines.Count(), 5);
  EXPECT_EQ(node.m_disLines[0].to.x, inf);
}
