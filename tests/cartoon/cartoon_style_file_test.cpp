#include "cartoon_style_file.h"

#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace linvale::cartoon {

namespace {

using linvale::test::ReadText;
using linvale::test::WriteText;

class CartoonStyleFile : public testing::Test {
protected:
  std::string Path(const std::string& name) const { return mHome / name; }
  linvale::test::TemporaryHome mHome;
};

CartoonSettings UnusualSettings() {
  CartoonSettings s;
  s.silEdges = 0;
  s.widthSil = 7;
  s.silColor = TS_Color(10, 20, 30);
  s.varSilColor = 0.25;
  s.widthEnd = 4;
  s.endColor = TS_Color(255, 128, 0);
  s.varEndColor = 0.123456;
  s.disEdges = 0;
  s.widthDis = 9;
  s.disColor = TS_Color(1, 2, 3);
  s.varDisColor = 1.0;
  s.thresholdDegree = 122.5;
  s.specular = 3;
  s.shadow = 101;
  s.varShadow = 0.9;
  s.varDiffuse = 0.33;
  s.varSpecular = 0.01;
  return s;
}

TEST_F(CartoonStyleFile, WritesEveryKeyInOrderAndReadsItBackUnchanged) {
  const std::string path = Path("style.npr");
  ASSERT_TRUE(WriteCartoonSettings(path.c_str(), UnusualSettings()));
  std::istringstream text(ReadText(path));
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) {
    lines.push_back(line.substr(0, line.find('\r')));
  }
  const std::vector<std::string> expected = {"[Cartoon]",
                                             "disColorR=1",
                                             "disColorG=2",
                                             "disColorB=3",
                                             "disEdges=0",
                                             "endColorR=255",
                                             "endColorG=128",
                                             "endColorB=0",
                                             "endEdges=1",
                                             "shadow=101",
                                             "silColorR=10",
                                             "silColorG=20",
                                             "silColorB=30",
                                             "silEdges=0",
                                             "specular=3",
                                             "thresholdDegree=122.500000",
                                             "varDiffuse=0.330000",
                                             "varDisColor=1.000000",
                                             "varEndColor=0.123456",
                                             "varShadow=0.900000",
                                             "varSilColor=0.250000",
                                             "varSpecular=0.010000",
                                             "widthDis=9",
                                             "widthEnd=4",
                                             "widthSil=7"};
  EXPECT_EQ(lines, expected);

  CartoonSettings loaded;
  ReadCartoonSettings(path.c_str(), loaded);
  EXPECT_EQ(loaded, UnusualSettings());
}

TEST_F(CartoonStyleFile, ColoursAreSetFromAllThreeComponentsMissingOnesAsZero) {
  const std::string path = Path("style.npr");
  WriteText(path, "[Cartoon]\nwidthSil=4\nsilColorG=200\n");
  CartoonSettings settings = UnusualSettings();
  ReadCartoonSettings(path.c_str(), settings);
  CartoonSettings expected = UnusualSettings();
  expected.widthSil = 4;
  expected.silColor = TS_Color(0, 200, 0);
  expected.endColor = expected.disColor = TS_Color(0, 0, 0);
  EXPECT_EQ(settings, expected);

  // A file that is not there changes nothing but the colours either.
  settings = UnusualSettings();
  ReadCartoonSettings(Path("absent.npr").c_str(), settings);
  expected = UnusualSettings();
  expected.silColor = expected.endColor = expected.disColor = TS_Color(0, 0, 0);
  EXPECT_EQ(settings, expected);
}

TEST_F(CartoonStyleFile, NumbersAreReadLikeAtoiAndAtofAndKeptAsWritten) {
  const std::string path = Path("style.npr");
  WriteText(path,
            "[Cartoon]\nwidthSil=50\nwidthDis= +6px\nshadow=abc\nspecular=999999999999\n"
            "varShadow=.2\nvarDiffuse=0.9\nthresholdDegree=nan\nwidthEnd=-3\n");
  CartoonSettings settings;
  ReadCartoonSettings(path.c_str(), settings);
  // Outside the page ranges, and still what the author wrote: a save must
  // not rewrite them.
  EXPECT_EQ(settings.widthSil, 50);
  EXPECT_EQ(settings.widthDis, 6);
  EXPECT_EQ(settings.widthEnd, -3);
  EXPECT_EQ(settings.shadow, 0);
  EXPECT_EQ(settings.specular, 2147483647);
  EXPECT_EQ(settings.varShadow, 0.2);
  EXPECT_EQ(settings.varDiffuse, 0.9);
  EXPECT_TRUE(std::isnan(settings.thresholdDegree));
}

}  // namespace

}  // namespace linvale::cartoon
