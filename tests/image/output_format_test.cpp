// npr-render's picture format follows the output's extension: the same
// render written as PNG, BMP, TIFF and JPEG reads back as the same picture,
// the right way up.
#include "../apps/program_runner.h"
#include "../support/devil_picture.h"
#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using linvale::test::Picture;
using linvale::test::Rgb;

// Flat colours and no random strokes, so two renders are alike.
constexpr const char* kCartoonStyle =
    "[Common]\nCurrent Render=Cartoon\nBackgroundR=255\nBackgroundG=255\n"
    "BackgroundB=255\n";

bool IsBackground(const Rgb& p) { return p.r > 245 && p.g > 245 && p.b > 245; }

// How many pixels of row `y` the model covers.
int Covered(const Picture& picture, int y) {
  int count = 0;
  for (int x = 0; x < picture.Width(); ++x) {
    count += IsBackground(picture.At(x, y)) ? 0 : 1;
  }
  return count;
}

}  // namespace

TEST(OutputFormat, TheExtensionChoosesTheFormatAndEveryFormatHoldsTheSamePicture) {
  linvale::test::TemporaryHome home;
  linvale::test::WriteText(home / "flat.npr", kCartoonStyle);
  Picture reference;
  for (const std::string extension : {"png", "bmp", "tif", "tiff", "jpg"}) {
    const std::string output = home / ("front." + extension);
    // Seen from the front the sample part is its wide plate at the bottom
    // and the narrow upright above it.
    const auto result = linvale::test::RunProgram(NPR_RENDER_PROGRAM,
                                                  {"-q", "--size", "240x180", "--aa", "none", "--view", "front",
                                                   "--parallel", "-s", home / "flat.npr", "-o", output},
                                                  home.Path());
    ASSERT_EQ(result.status, 0) << extension << "\n" << result.err;
    Picture picture;
    ASSERT_TRUE(picture.Load(output)) << extension;
    ASSERT_EQ(picture.Width(), 240) << extension;
    ASSERT_EQ(picture.Height(), 180) << extension;
    if (extension == "png") {
      reference = picture;
      int top = 0;
      while (top < picture.Height() - 1 && Covered(picture, top) == 0) {
        ++top;
      }
      int bottom = picture.Height() - 1;
      while (bottom > top && Covered(picture, bottom) == 0) {
        --bottom;
      }
      EXPECT_GT(Covered(picture, bottom - 2), 2 * Covered(picture, top + 2)) << "the picture is upside down";
      continue;
    }
    EXPECT_LT(picture.DifferenceTo(reference), extension == "jpg" ? 4.0 : 0.01) << extension;
  }
  // The signature bytes show the encoder really differs per extension.
  EXPECT_EQ(linvale::test::ReadText(home / "front.png").substr(1, 3), "PNG");
  EXPECT_EQ(linvale::test::ReadText(home / "front.bmp").substr(0, 2), "BM");
  EXPECT_EQ(linvale::test::ReadText(home / "front.tif").substr(0, 2), "II");
  EXPECT_EQ(linvale::test::ReadText(home / "front.jpg").substr(0, 2), "\xff\xd8");
}
