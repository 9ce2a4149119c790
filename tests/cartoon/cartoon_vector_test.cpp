// An edge both silhouette and crease is kept once in a drawing, as the
// kind the picture shows.
#include "cartoon_vector_pass.h"

#include <gtest/gtest.h>

namespace linvale::cartoon {

namespace {

TEST(CartoonDrawing, ASharedEdgeIsTheWiderKindOrTheCreaseDrawnOnTop) {
  CartoonSettings settings;
  settings.widthSil = 3;
  settings.widthDis = 1;
  EXPECT_EQ(ShownKindOfSharedEdge(settings), NprEdgeKind::Silhouette);
  settings.widthSil = 2;
  settings.widthDis = 2;
  EXPECT_EQ(ShownKindOfSharedEdge(settings), NprEdgeKind::Crease);
  // Widths below one draw one pixel wide, so they are as wide.
  settings.widthSil = 0;
  settings.widthDis = 1;
  EXPECT_EQ(ShownKindOfSharedEdge(settings), NprEdgeKind::Crease);
}

TEST(CartoonDrawing, LinesSharedWithTheKeptKindGoInEitherDirectionWithTheirNormals) {
  const TS_3dPoint p(0, 0, 0), q(1, 0, 0), r(1, 1, 0), s(0, 1, 1);
  Node node;
  node.m_silLines.Append(TS_Line(p, q));
  node.m_silNormalLines.Append(TS_Line(TS_3dPoint(0, 0, 1), TS_3dPoint(0, 0, 1)));
  node.m_disLines.Append(TS_Line(q, p));
  node.m_disNormalLines.Append(TS_Line(TS_3dPoint(1, 0, 0), TS_3dPoint(1, 0, 0)));
  node.m_disLines.Append(TS_Line(r, s));
  node.m_disNormalLines.Append(TS_Line(TS_3dPoint(0, 1, 0), TS_3dPoint(0, 1, 0)));

  DropSharedLines(node, NprEdgeKind::Crease, NprEdgeKind::Silhouette);
  ASSERT_EQ(node.m_disLines.Count(), 1);
  ASSERT_EQ(node.m_disNormalLines.Count(), 1);
  EXPECT_EQ(node.m_disLines[0].from, r);
  EXPECT_EQ(node.m_disNormalLines[0].from, TS_3dPoint(0, 1, 0));
  EXPECT_EQ(node.m_silLines.Count(), 1);

  DropSharedLines(node, NprEdgeKind::Silhouette, NprEdgeKind::Crease);
  EXPECT_EQ(node.m_silLines.Count(), 1) << "(p, q) is no crease any more";
}

}  // namespace

}  // namespace linvale::cartoon
