// The command line's PNG writer: the pixels come back as drawn and upright,
// and a file that cannot be written is reported with its reason.
#include "../../apps/npr-render/fast_png.h"
#include "../support/bitmap_helpers.h"
#include "../support/temporary_home.h"

#include <linvale/npr_win32_owners.h>

#include <gtest/gtest.h>
#include <png.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace {

using linvale::test::TemporaryFolder;

TEST(FastPng, ThePixelsComeBackAsDrawnAndUpright) {
  // Three by two, bottom row first, each pixel its own colour; the fourth
  // byte is not alpha and must not make the picture transparent.
  const LONG width = 3;
  const LONG height = 2;
  std::vector<std::uint8_t> bgra;
  for (int i = 0; i < width * height; ++i) {
    bgra.insert(bgra.end(), {static_cast<std::uint8_t>(10 * i), static_cast<std::uint8_t>(100 + i),
                             static_cast<std::uint8_t>(250 - i), 0});
  }
  const NprUniqueGdiObject<HBITMAP> bitmap(linvale::test::MakeBitmap32(NprGetScreenDC().get(), width, height, bgra));
  TemporaryFolder folder;
  const auto path = folder / "picture.png";
  ASSERT_EQ(npr_render::WriteFastPng(bitmap.get(), path), 0);

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str()));
  EXPECT_EQ(image.width, 3u);
  EXPECT_EQ(image.height, 2u);
  EXPECT_EQ(image.format & PNG_FORMAT_FLAG_ALPHA, 0u);
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  for (int row = 0; row < height; ++row) {  // the file runs top-down
    for (int column = 0; column < width; ++column) {
      const int drawn = (height - 1 - row) * width + column;
      const std::uint8_t* pixel = &rgb[(row * width + column) * 3];
      EXPECT_EQ(pixel[0], 250 - drawn) << row << ", " << column;
      EXPECT_EQ(pixel[1], 100 + drawn) << row << ", " << column;
      EXPECT_EQ(pixel[2], 10 * drawn) << row << ", " << column;
    }
  }
}

TEST(FastPng, AFileThatCannotBeWrittenGivesItsReason) {
  const NprUniqueGdiObject<HBITMAP> bitmap(linvale::test::MakeBitmap32(NprGetScreenDC().get(), 1, 1, {1, 2, 3, 0}));
  TemporaryFolder folder;
  EXPECT_EQ(npr_render::WriteFastPng(bitmap.get(), std::filesystem::path(folder / "missing") / "picture.png"), ENOENT);
  EXPECT_EQ(npr_render::WriteFastPng(nullptr, folder / "picture.png"), EINVAL);
}

}  // namespace
