// Numbers in the shaders' style-file sections: read as atoi and atof read
// them in the C locale, written as "%d" and "%f" write them there.
#include <linvale/npr_style_numbers.h>

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr std::int32_t smallest = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t largest = std::numeric_limits<std::int32_t>::max();

TEST(StyleNumbers, ReadAndWrittenLikeTheCLocaleDoes) {
  EXPECT_DOUBLE_EQ(NprParseStyleDouble(" +1.5"), 1.5);
  EXPECT_DOUBLE_EQ(NprParseStyleDouble("0,75"), 0.0);
  EXPECT_EQ(NprParseStyleDouble("1e999"), infinity);
  EXPECT_DOUBLE_EQ(NprParseStyleDouble("none"), 0.0);
  EXPECT_EQ(NprParseStyleInt("  -7"), -7);
  EXPECT_EQ(NprParseStyleInt("-99999999999999999999"), smallest);
  EXPECT_STREQ(NprFormatStyleDouble(-0.5).c_str(), "-0.500000");
  EXPECT_STREQ(NprFormatStyleDouble(2.0 / 3.0).c_str(), "0.666667");
  EXPECT_EQ(std::strlen(NprFormatStyleDouble(1e300).c_str()), 301U + 7U);
  EXPECT_STREQ(NprFormatStyleInt(-2147483647 - 1).c_str(), "-2147483648");
}

TEST(StyleNumbers, EdgesOfWhatAtoiAndAtofAccept) {
  // Any blank may lead; a plus sign may, but not a second sign after it.
  EXPECT_EQ(NprParseStyleInt("\t\n\v\f\r 12px"), 12);
  EXPECT_EQ(NprParseStyleInt("+-5"), 0);
  EXPECT_DOUBLE_EQ(NprParseStyleDouble("++2.5"), 0.0);
  EXPECT_EQ(NprParseStyleInt(nullptr), 0);
  EXPECT_DOUBLE_EQ(NprParseStyleDouble(nullptr), 0.0);
  // Beyond the range: whole numbers saturate, a real number too large is an
  // infinity of its sign, one too small is zero, not an infinity.
  EXPECT_EQ(NprParseStyleInt("2147483648"), largest);
  EXPECT_EQ(NprParseStyleInt("-2147483648"), smallest);
  EXPECT_EQ(NprParseStyleDouble("-1e999 degrees"), -infinity);
  EXPECT_DOUBLE_EQ(NprParseStyleDouble("1e-400"), 0.0);
  EXPECT_DOUBLE_EQ(NprParseStyleDouble("-1e-400"), 0.0);
  // The largest double in full, and a whole number, fit the text as written.
  EXPECT_EQ(std::strlen(NprFormatStyleDouble(-std::numeric_limits<double>::max()).c_str()), 1U + 309U + 7U);
  EXPECT_STREQ(NprFormatStyleInt(largest).c_str(), "2147483647");
}

}  // namespace
