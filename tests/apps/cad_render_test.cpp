// npr-render with CAD files, through the built program: damaged files fail
// with status 3 and no picture, the mesh follows --quality, a drawn part
// shows its outline and its hole, and an interrupt stops the reading.
#include "../support/cad_test_files.h"
#include "../support/devil_picture.h"
#include "npr_render_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using linvale::test::kWhiteCartoonStyle;
using linvale::test::Picture;
using linvale::test::ProgramResult;
using linvale::test::Rgb;
using Clock = std::chrono::steady_clock;

bool IsWhite(const Rgb& p) { return p.r > 240 && p.g > 240 && p.b > 240; }
// Outlines, reduced to about a pixel wide by the antialiasing, stay well
// below the faces' neutral grey of 128.
bool IsDark(const Rgb& p) { return p.r < 100 && p.g < 100 && p.b < 100; }

class CadRenderTest : public linvale::test::NprRenderFixture {
protected:
  // The triangle count --verbose reports for `model` at `option`.
  long Triangles(const std::string& model, const std::vector<std::string>& option) {
    std::vector<std::string> arguments{model, "-o", Path("count.png"), "--size", "80x60", "--aa", "none", "--verbose"};
    arguments.insert(arguments.end(), option.begin(), option.end());
    const ProgramResult result = Run(arguments);
    EXPECT_EQ(result.status, 0) << result.err;
    // "... 1234 triangles": the digits before the word.
    const std::size_t word = result.err.find(" triangles");
    const std::size_t digits = word == std::string::npos ? word : result.err.find_last_not_of("0123456789", word - 1);
    if (word == std::string::npos || digits == word - 1) {
      ADD_FAILURE() << "no triangle count in: " << result.err;
      return -1;
    }
    return std::stol(result.err.substr(digits + 1, word - digits - 1));
  }
};

TEST_F(CadRenderTest, DamagedOrEmptyFilesGiveStatusThreeAndNoPicture) {
  const std::string good = Path("good.step");
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBlindHolePart(), good));
  fs::copy_file(good, Path("truncated.step"));
  fs::resize_file(Path("truncated.step"), fs::file_size(good) * 2 / 3);
  std::ofstream(Path("renamed.step")) << "solid cube\nfacet normal 0 0 1\nendsolid cube\n";
  ASSERT_TRUE(linvale::test::WriteStepWithoutShapes(Path("empty.step")));
  std::ofstream(Path("noise.igs")) << "not IGES at all\n";
  for (const std::string name : {"truncated.step", "renamed.step", "empty.step", "noise.igs"}) {
    const ProgramResult result = Run({Path(name), "-q", "-o", Path("out.png")});
    EXPECT_EQ(result.status, 3) << name << ": " << result.err;
    EXPECT_NE(result.err.find(Path(name)), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_FALSE(fs::exists(Path("out.png"))) << name;
  }
}

TEST_F(CadRenderTest, BadQualityOrDeflectionIsAUsageError) {
  EXPECT_EQ(Run({"--quality", "best"}).status, 2);
  EXPECT_EQ(Run({"--deflection", "0"}).status, 2);
  EXPECT_EQ(Run({"--deflection", "-1"}).status, 2);
  EXPECT_EQ(Run({"--deflection", "nan"}).status, 2);
}

TEST_F(CadRenderTest, FinerQualityGivesMoreTriangles) {
  const std::string model = Path("part.step");
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBlindHolePart(), model));
  const long draft = Triangles(model, {"--quality", "draft"});
  const long normal = Triangles(model, {"--quality", "normal"});
  const long fine = Triangles(model, {"--quality", "fine"});
  EXPECT_LT(draft, normal);
  EXPECT_LT(normal, fine);
  EXPECT_GT(Triangles(model, {"--deflection", "0.001"}), fine);
}

TEST_F(CadRenderTest, VerboseGivesReadingAndMeshingTimes) {
  const std::string model = Path("part.igs");
  ASSERT_TRUE(linvale::test::WriteIges(linvale::test::MakeBlindHolePart(), model));
  const ProgramResult result = Run({model, "-o", Path("out.png"), "--size", "80x60", "--verbose"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_THAT(result.err, testing::ContainsRegex("[0-9]+\\.[0-9]+ s +reading the file"));
  EXPECT_THAT(result.err, testing::ContainsRegex("[0-9]+\\.[0-9]+ s +meshing its surfaces"));
  EXPECT_TRUE(result.out.empty()) << "the kernel's messages stay off the output: " << result.out;
}

// From above, in parallel projection, the part fills the picture with its
// plate; the hole's and the boss's circles are drawn around the centre.
TEST_F(CadRenderTest, PartSeenFromAboveShowsItsOutlineAndTheHolesCircle) {
  const std::string model = Path("part.step");
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBlindHolePart(), model));
  linvale::test::WriteText(Path("cartoon.npr"), kWhiteCartoonStyle);
  const ProgramResult result = Run({model, "-q", "-o", Path("top.png"), "-s", Path("cartoon.npr"), "--view", "top",
                                    "--parallel", "--size", "400x300"});
  ASSERT_EQ(result.status, 0) << result.err;
  Picture picture;
  ASSERT_TRUE(picture.Load(Path("top.png")));
  // The plate: the pixels that are not background.
  int left = picture.Width(), right = -1, top = picture.Height(), bottom = -1;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      if (!IsWhite(picture.At(x, y))) {
        left = std::min(left, x), right = std::max(right, x), top = std::min(top, y), bottom = std::max(bottom, y);
      }
    }
  }
  ASSERT_GT(right - left, picture.Width() / 2) << "the plate fills most of the picture";
  const double scale = (right - left) / 40.0;
  EXPECT_NEAR((bottom - top) / scale, 30.0, 1.5) << "a 40 by 30 plate";
  // Its outline is drawn: the left edge's column is dark halfway down.
  const int middleY = (top + bottom) / 2;
  bool outline = false;
  for (int x = left; x <= left + 3; ++x) {
    outline = outline || IsDark(picture.At(x, middleY));
  }
  EXPECT_TRUE(outline) << "no outline at the plate's left edge";
  // The circles: dark pixels at their radius in every direction, none half
  // way between them or inside the hole.
  const double centreX = (left + right) / 2.0, centreY = (top + bottom) / 2.0;
  auto darkNear = [&](double radius, double angle) {
    for (double r = radius - 2.0; r <= radius + 2.0; r += 0.5) {
      const int x = static_cast<int>(std::lround(centreX + r * std::cos(angle)));
      const int y = static_cast<int>(std::lround(centreY + r * std::sin(angle)));
      if (IsDark(picture.At(x, y))) {
        return true;
      }
    }
    return false;
  };
  for (int step = 0; step < 16; ++step) {
    const double angle = step * std::numbers::pi / 8.0;
    EXPECT_TRUE(darkNear(linvale::test::kHoleRadius * scale, angle)) << "hole circle at " << angle;
    EXPECT_TRUE(darkNear(linvale::test::kBossRadius * scale, angle)) << "boss circle at " << angle;
    EXPECT_FALSE(darkNear(6.0 * scale, angle)) << "between the circles at " << angle;
    EXPECT_FALSE(darkNear(2.0 * scale, angle)) << "inside the hole at " << angle;
  }
}

TEST_F(CadRenderTest, AnInterruptStopsMeshingWithinASecond) {
  const std::string model = Path("part.step");
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBlindHolePart(), model));
  // A deflection of a millionth of a millimetre keeps the mesher busy far
  // longer than the test waits.
  linvale::test::RunningProgram render(NPR_RENDER_PROGRAM,
                                       {model, "-q", "-o", Path("out.png"), "--deflection", "0.000001"}, mHome.Path());
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  const auto interrupted = Clock::now();
  render.Signal(SIGINT);
  const ProgramResult result = render.WaitAtMost(std::chrono::seconds(10));
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - interrupted).count(), 1.0);
  EXPECT_EQ(result.status, 130) << result.err;
  EXPECT_FALSE(fs::exists(Path("out.png")));
}

}  // namespace
