// Colours.
#include <tessel/ts_color.h>

#include <gtest/gtest.h>

#include <limits>

TEST(Color, UsesColorrefByteOrderAndClamps) {
  EXPECT_EQ(TS_Color(0x000000FFu).Red(), 255);
  EXPECT_EQ(static_cast<std::uint32_t>(TS_Color(1, 2, 3)), 0x00030201u);
  TS_Color c;
  c.SetRGB(-5, 300, 128);
  EXPECT_EQ(c, TS_Color(0, 255, 128));
  c.SetFractionalRGB(1.5, std::numeric_limits<double>::quiet_NaN(), 0.5);
  EXPECT_EQ(c, TS_Color(255, 0, 128));
}
