// Chaining lines into polylines, removing silhouette-crease duplicates and
// splitting long lines.
#include <linvale/node.h>

#include "../support/feature_meshes.h"

#include <gtest/gtest.h>

#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace {

using Points = std::vector<TS_3dPoint>;

// The normal stored with a point marks where it came from, so tests can
// check that normals travel with their points, reversed lines included.
TS_3dPoint tag(const TS_3dPoint& p) { return TS_3dPoint(p.x + 10 * p.y + 100 * p.z, 0, 1); }

Node withSilhouettes(const std::vector<std::pair<TS_3dPoint, TS_3dPoint>>& lines) {
  Node node;
  for (const auto& [a, b] : lines) {
    node.m_silLines.Append(TS_Line(a, b));
    node.m_silNormalLines.Append(TS_Line(tag(a), tag(b)));
  }
  return node;
}

void expectSilhouettePolylines(const Node& node, const std::vector<Points>& expected) {
  EXPECT_EQ(node.m_silLines.Count() + node.m_silNormalLines.Count(), 0);
  ASSERT_EQ(node.m_silPolylines.Count(), static_cast<int>(expected.size()));
  ASSERT_EQ(node.m_silNormalPolylines.Count(), static_cast<int>(expected.size()));
  for (int i = 0; i < node.m_silPolylines.Count(); ++i) {
    const Points& want = expected[static_cast<std::size_t>(i)];
    EXPECT_EQ(Points(node.m_silPolylines[i].begin(), node.m_silPolylines[i].end()), want) << "polyline " << i;
    Points tags;
    for (const TS_3dPoint& p : want) {
      tags.push_back(tag(p));
    }
    EXPECT_EQ(Points(node.m_silNormalPolylines[i].begin(), node.m_silNormalPolylines[i].end()), tags);
  }
}

const TS_3dPoint p1(0, 0, 0), p2(1, 0, 0), p3(1, 1, 0), p4(2, 1, 0);

}  // namespace

TEST(Chaining, GrowsAtTheChainsEndOnlyJoiningNeighboursEitherWayRound) {
  Node run = withSilhouettes({{p1, p2}, {p2, p3}, {p3, p4}});
  run.ProcessSilhouettes();
  expectSilhouettePolylines(run, {{p1, p2, p3, p4}});

  Node seededInTheMiddle = withSilhouettes({{p2, p3}, {p1, p2}});
  seededInTheMiddle.ProcessSilhouettes();
  expectSilhouettePolylines(seededInTheMiddle, {{p2, p3}, {p1, p2}});

  Node reversed = withSilhouettes({{p1, p2}, {p3, p2}});
  reversed.ProcessSilhouettes();
  expectSilhouettePolylines(reversed, {{p1, p2, p3}});

  Node loop = withSilhouettes({{p1, p2}, {p2, p3}, {p3, p1}});
  loop.ProcessSilhouettes();
  expectSilhouettePolylines(loop, {{p1, p2, p3, p1}});
}

TEST(Chaining, AtAJunctionTheLineThatSlidIntoTheFreedSlotWaits) {
  const TS_3dPoint x(0, 0, 5), e(1, 0, 5), f(2, 0, 5), h(3, 1, 5), k(3, -1, 5);
  Node node = withSilhouettes({{x, e}, {e, f}, {f, h}, {f, k}});
  node.ProcessSilhouettes();
  expectSilhouettePolylines(node, {{x, e, f, k}, {f, h}});
}

TEST(Chaining, AppendsAfterExistingPolylinesAndSkipsCollectionsOutOfStep) {
  Node node;
  node.m_disPolylines.AppendNew().Append(p4);
  node.m_disLines.Append(TS_Line(p1, p2));
  node.m_disNormalLines.Append(TS_Line(p3, p4));
  node.m_endLines.Append(TS_Line(p2, p3));
  node.ProcessDis();
  node.ProcessEnd();
  ASSERT_EQ(node.m_disPolylines.Count(), 2);
  EXPECT_EQ(*node.m_disPolylines[1].Last(), p2);
  EXPECT_EQ(node.m_endLines.Count(), 1);  // no normal line beside it: left alone
}

TEST(Chaining, TiltedCubeOutlineIsOneClosedPolylineAndAlsoCreases) {
  const auto tiltedCube = [] {
    Node node;
    node.m_mesh = test_meshes::flatCube();
    node.ComputeEdges(TS_3dVector(-1, -2, -3), TS_3dPoint(), TS::parallel_view, std::numbers::pi / 6.0);
    return node;
  };
  Node chained = tiltedCube();
  chained.ProcessSilhouettes();
  ASSERT_EQ(chained.m_silPolylines.Count(), 1);
  EXPECT_EQ(chained.m_silPolylines[0].Count(), 7);
  EXPECT_EQ(*chained.m_silPolylines[0].First(), *chained.m_silPolylines[0].Last());

  Node deduplicated = tiltedCube();
  deduplicated.DeleteDuplicatedEdges();
  EXPECT_EQ(deduplicated.m_silLines.Count(), 0);
  EXPECT_EQ(deduplicated.m_silNormalLines.Count(), 0);
  EXPECT_EQ(deduplicated.m_disLines.Count(), 12);
}

TEST(DeleteDuplicatedEdges, RemovesSilhouettesThatAreCreasesInEitherDirection) {
  const TS_3dPoint p(0, 0, 0), q(1, 0, 0), r(0, 1, 0);
  Node node = withSilhouettes({{p, r}, {q, p}, {r, q}});
  node.DeleteDuplicatedEdges();
  EXPECT_EQ(node.m_silLines.Count(), 3);  // no creases, nothing to remove

  node.m_disLines.Append(TS_Line(p, q));
  node.m_disLines.Append(TS_Line(q, r));
  node.DeleteDuplicatedEdges();
  ASSERT_EQ(node.m_silLines.Count(), 1);
  EXPECT_EQ(node.m_silLines[0], TS_Line(p, r));
  ASSERT_EQ(node.m_silNormalLines.Count(), 1);
  EXPECT_EQ(node.m_silNormalLines[0], TS_Line(tag(p), tag(r)));
}

TEST(Split, LongLinesBecomePiecesAfterTheKeptLinesCarryingTheirNormals) {
  const TS_Line shortLine(TS_3dPoint(0, 5, 0), TS_3dPoint(3, 5, 0));
  const TS_Line longLine(TS_3dPoint(0, 0, 0), TS_3dPoint(25, 0, 0));
  const TS_Line exactLine(TS_3dPoint(0, 9, 0), TS_3dPoint(0, 9, 10));
  const TS_Line longNormal(TS_3dPoint(0, 0, 1), TS_3dPoint(0, 1, 0));
  Node node;
  for (const TS_Line& line : {shortLine, longLine, exactLine}) {
    node.m_endLines.Append(line);
    node.m_endNormalLines.Append(line == longLine ? longNormal : TS_Line());
    node.m_silLines.Append(line);
    node.m_silNormalLines.Append(TS_Line());
  }
  node.SplitEnd(10.0);

  ASSERT_EQ(node.m_endLines.Count(), 5);
  ASSERT_EQ(node.m_endNormalLines.Count(), 5);
  EXPECT_EQ(node.m_endLines[0], shortLine);
  EXPECT_EQ(node.m_endLines[1], exactLine);
  const double ends[] = {0, 10, 20, 25};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(node.m_endLines[2 + i], TS_Line(TS_3dPoint(ends[i], 0, 0), TS_3dPoint(ends[i + 1], 0, 0)));
    EXPECT_EQ(node.m_endNormalLines[2 + i], longNormal);
  }
  EXPECT_EQ(node.m_silLines.Count(), 3);  // other kinds untouched
  node.SplitSilhouettes(1.0);
  EXPECT_EQ(node.m_silLines.Count(), 3 + 25 + 10);
}

TEST(Split, NonPositiveLengthsAndUnmeasurableLinesLeaveTheCollectionsAlone) {
  const double inf = std::numeric_limits<double>::infinity();
  Node node;
  for (const double end : {25.0, inf, std::numeric_limits<double>::quiet_NaN()}) {
    node.m_disLines.Append(TS_Line(TS_3dPoint(0, 0, 0), TS_3dPoint(end, 0, 0)));
    node.m_disNormalLines.Append(TS_Line());
  }
  node.SplitDis(0.0);
  node.SplitDis(-5.0);
  node.SplitDis(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(node.m_disLines.Count(), 3);

  node.SplitDis(10.0);  // only the finite line is cut; the others would never end
  EXPECT_EQ(node.m_disLines.Count(), 5);
  EXPECT_EQ(node.m_disNormalLines.Count(), 5);
  EXPECT_EQ(node.m_disLines[0].to.x, inf);
}
