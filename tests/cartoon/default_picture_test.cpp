#include "default_picture.h"

#include <gtest/gtest.h>

#include <set>

namespace {

std::uint32_t PixelAt(const std::vector<std::uint32_t>& pixels, int column, int rowFromBottom) {
  return pixels[static_cast<std::size_t>(rowFromBottom) * kDefaultPictureSize + column];
}

int Brightness(std::uint32_t pixel) {
  return static_cast<int>((pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF));
}

TEST(DefaultPicture, ShowsAnOutlinedSphereInHardBandsLitFromTheUpperLeft) {
  const std::vector<std::uint32_t> pixels = PaintDefaultPicture();
  ASSERT_EQ(pixels.size(), static_cast<std::size_t>(kDefaultPictureSize * kDefaultPictureSize));

  const int centre = kDefaultPictureSize / 2;
  EXPECT_EQ(PixelAt(pixels, 0, 0), 0x00FFFFFFu);
  EXPECT_EQ(PixelAt(pixels, kDefaultPictureSize - 1, kDefaultPictureSize - 1), 0x00FFFFFFu);
  // The outline at the rim, left and top.
  EXPECT_EQ(PixelAt(pixels, centre - 64, centre), 0u);
  EXPECT_EQ(PixelAt(pixels, centre, centre + 64), 0u);

  // Inside the outline: a few flat bands, not a gradient.
  std::set<std::uint32_t> inside;
  for (int row = centre - 60; row <= centre + 60; ++row) {
    for (int column = centre - 60; column <= centre + 60; ++column) {
      const int dx = column - centre;
      const int dy = row - centre;
      if (dx * dx + dy * dy < 60 * 60) {
        inside.insert(PixelAt(pixels, column, row));
      }
    }
  }
  EXPECT_GE(inside.size(), 3u);
  EXPECT_LE(inside.size(), 5u);

  // Upper left (rows count from the bottom) is brighter than lower right.
  EXPECT_GT(Brightness(PixelAt(pixels, centre - 25, centre + 25)),
            Brightness(PixelAt(pixels, centre + 40, centre - 40)));
}

}  // namespace
