// Points, vectors, lines, colours and transformations.
#include <tessel/ts_color.h>
#include <tessel/ts_line.h>
#include <tessel/ts_point.h>
#include <tessel/ts_xform.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Vector, UnitizeScalesToLengthOneAndRefusesZeroOrInfinite) {
  TS_3dVector v(3.0, 4.0, 0.0);
  ASSERT_TRUE(v.Unitize());
  EXPECT_DOUBLE_EQ(v.x, 0.6);
  EXPECT_DOUBLE_EQ(v.y, 0.8);

  TS_3dVector zero;
  EXPECT_FALSE(zero.Unitize());
  EXPECT_TRUE(zero.IsZero());

  const double inf = std::numeric_limits<double>::infinity();
  TS_3dVector infinite(inf, 0.0, 0.0);
  EXPECT_FALSE(infinite.Unitize());
  EXPECT_EQ(infinite.x, inf);

  TS_3fVector f(0.0f, 0.0f, -2.0f);
  ASSERT_TRUE(f.Unitize());
  EXPECT_EQ(f, TS_3fVector(0.0f, 0.0f, -1.0f));
}

TEST(Vector, CrossProductIsRightHandedAndDotMeasuresAlignment) {
  const TS_3dVector x(1, 0, 0), y(0, 1, 0);
  EXPECT_EQ(TS_CrossProduct(x, y), TS_3dVector(0, 0, 1));
  EXPECT_EQ(TS_CrossProduct(y, x), TS_3dVector(0, 0, -1));
  EXPECT_EQ(TS_CrossProduct(TS_3fVector(0, 1, 0), TS_3fVector(0, 0, 1)), TS_3fVector(1, 0, 0));
  EXPECT_DOUBLE_EQ(TS_DotProduct(TS_3dVector(1, 2, 3), TS_3dVector(-2, 1, 0)), 0.0);
  EXPECT_DOUBLE_EQ(TS_DotProduct(TS_3dVector(1, 2, 3), TS_3dVector(1, 2, 3)), 14.0);
}

TEST(Point, EqualityIsExactAndWideningKeepsTheValue) {
  const TS_3dPoint a(1.0, 2.0, 3.0);
  EXPECT_EQ(a, TS_3dPoint(1.0, 2.0, 3.0));
  EXPECT_NE(a, TS_3dPoint(1.0, 2.0, std::nextafter(3.0, 4.0)));

  const TS_3fPoint f(0.1f, 0.2f, 0.3f);
  const TS_3dPoint wide = f;
  EXPECT_EQ(wide.x, static_cast<double>(0.1f));
  EXPECT_EQ(TS_3fPoint(wide), f);
}

TEST(Point, ArithmeticBetweenPointsAndVectors) {
  const TS_3dPoint p(1, 2, 3), q(4, 6, 3);
  EXPECT_EQ(q - p, TS_3dVector(3, 4, 0));
  EXPECT_DOUBLE_EQ(p.DistanceTo(q), 5.0);
  EXPECT_EQ(p + (q - p), q);
  EXPECT_EQ((p + q) * 0.5, TS_3dPoint(2.5, 4, 3));
  EXPECT_FLOAT_EQ(TS_3fPoint(0, 0, 0).DistanceTo(TS_3fPoint(0, 3, 4)), 5.0f);
}

TEST(Line, PointAtRunsFromFromToToAndHitsTheEndExactly) {
  const TS_Line line(TS_3dPoint(0.1, 0.2, 0.3), TS_3dPoint(7.7, -1.3, 2.9));
  EXPECT_EQ(line.PointAt(0.0), line.from);
  EXPECT_EQ(line.PointAt(1.0), line.to);
  const TS_3dPoint middle = line.PointAt(0.5);
  EXPECT_DOUBLE_EQ(middle.x, 3.9);
  EXPECT_DOUBLE_EQ(middle.y, -0.55);
  EXPECT_DOUBLE_EQ(line.Length(), line.from.DistanceTo(line.to));
}

TEST(Color, UsesColorrefByteOrder) {
  const TS_Color red(0x000000FFu);
  EXPECT_EQ(red.Red(), 255);
  EXPECT_EQ(red.Green(), 0);
  EXPECT_EQ(red.Blue(), 0);

  TS_Color c;
  c.SetRGB(1, 2, 3);
  EXPECT_EQ(static_cast<std::uint32_t>(c), 0x00030201u);
  EXPECT_DOUBLE_EQ(TS_Color(0, 51, 255).FractionGreen(), 0.2);
}

TEST(Color, SettersClampOutOfRangeChannels) {
  TS_Color c;
  c.SetRGB(-5, 300, 128);
  EXPECT_EQ(c.Red(), 0);
  EXPECT_EQ(c.Green(), 255);
  EXPECT_EQ(c.Blue(), 128);

  c.SetFractionalRGB(1.5, -0.2, 0.5);
  EXPECT_EQ(c.Red(), 255);
  EXPECT_EQ(c.Green(), 0);
  EXPECT_EQ(c.Blue(), 128);  // 127.5 rounds up

  c.SetFractionalRGB(std::nan(""), 1.0, 1.0);
  EXPECT_EQ(c.Red(), 0);
}

TEST(Xform, ComposesRightToLeftAndLeavesVectorsUntranslated) {
  TS_Xform swapXY;
  swapXY.m_xform[0][0] = 0;
  swapXY.m_xform[0][1] = 1;
  swapXY.m_xform[1][0] = 1;
  swapXY.m_xform[1][1] = 0;
  const TS_Xform shift = TS_Xform::Translation(TS_3dVector(10, 0, 0));

  // Translate first, then swap: the offset ends up on y.
  EXPECT_EQ((swapXY * shift) * TS_3dPoint(1, 2, 3), TS_3dPoint(2, 11, 3));
  EXPECT_EQ((shift * swapXY) * TS_3dPoint(1, 2, 3), TS_3dPoint(12, 1, 3));
  EXPECT_EQ(shift * TS_3dVector(1, 2, 3), TS_3dVector(1, 2, 3));
  EXPECT_TRUE(TS_Xform().IsIdentity());
  EXPECT_FALSE(shift.IsIdentity());
}

TEST(Xform, DividesByTheHomogeneousCoordinate) {
  TS_Xform halve;
  halve.m_xform[3][3] = 2.0;
  EXPECT_EQ(halve * TS_3dPoint(2, 4, 6), TS_3dPoint(1, 2, 3));
}
