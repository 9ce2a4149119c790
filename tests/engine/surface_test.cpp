// Surfaces are bitmap handles: size, scaled copies, deletion, the clipboard;
// and the facade's colour.
#include <quorra/color.h>
#include <quorra/surface.h>

#include <linvale/dib_pixels.h>
#include <linvale/npr_win32_owners.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using Npr::Gs::Size;
using Npr::Gs::Surface;

// Blue in the low byte, as the bitmaps hold them.
constexpr std::uint32_t kRed = 0x00FF0000u;
constexpr std::uint32_t kBlue = 0x000000FFu;

// The left half red, the right half blue.
Surface* SplitPicture(int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      pixels[static_cast<std::size_t>(y * width + x)] = x < width / 2 ? kRed : kBlue;
    }
  }
  return Surface::fromBitmap(NprCreateDib32(width, height, pixels));
}

std::vector<std::uint32_t> ReadPixels(const Surface* surface) {
  const Size size = surface->size();
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height));
  BITMAPINFO info = NprDibHeader(size.width, -size.height, 32);
  const NprScreenDC screen = NprGetScreenDC();
  GetDIBits(screen.get(), surface->bitmap(), 0, static_cast<UINT>(size.height), pixels.data(), &info, DIB_RGB_COLORS);
  return pixels;
}

DWORD LiveGdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }

TEST(Surface, SizeOfAPictureAndOfWhatIsNone) {
  Surface* surface = SplitPicture(640, 480);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->size(), (Size{640, 480}));
  delete surface;

  // A handle that names no bitmap reads as nothing.
  EXPECT_EQ(Surface::fromBitmap(reinterpret_cast<HBITMAP>(0x7ead))->size(), (Size{0, 0}));
}

#ifndef LINVALE_SANITIZED
// Hosts ask a null surface for its size; the sanitizer tree reports the call
// itself, so the optimised trees check it.
TEST(Surface, NullSurfaceHasNoSizeInTheOptimisedBuild) {
  // Read through a volatile, as a host's pointer would come: unknown here.
  const Surface* volatile none = nullptr;
  EXPECT_EQ(none->size(), (Size{0, 0}));
  EXPECT_EQ(none->cloneScaled(Size{4, 4}), nullptr);
  EXPECT_FALSE(none->copyToClipboard());
}
#endif

TEST(Surface, CloneScaledAveragesIntoANewPicture) {
  Surface* surface = SplitPicture(640, 480);
  ASSERT_NE(surface, nullptr);
  Surface* scaled = surface->cloneScaled(Size{160, 120});
  ASSERT_NE(scaled, nullptr);
  EXPECT_NE(scaled, surface);
  EXPECT_EQ(scaled->size(), (Size{160, 120}));
  const std::vector<std::uint32_t> pixels = ReadPixels(scaled);
  EXPECT_EQ(pixels[60 * 160 + 10] & 0xFFFFFFu, kRed);
  EXPECT_EQ(pixels[60 * 160 + 150] & 0xFFFFFFu, kBlue);
  // The source is still there and unchanged.
  EXPECT_EQ(surface->size(), (Size{640, 480}));
  delete scaled;
  delete surface;

  // An odd reduction mixes the two halves where they meet.
  Surface* narrow = SplitPicture(4, 1);
  ASSERT_NE(narrow, nullptr);
  Surface* single = narrow->cloneScaled(Size{1, 1});
  ASSERT_NE(single, nullptr);
  const std::uint32_t mixed = ReadPixels(single)[0];
  EXPECT_NEAR(static_cast<int>((mixed >> 16) & 0xFF), 128, 2);
  EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 128, 2);
  delete single;
  delete narrow;

  Surface* source = SplitPicture(8, 8);
  EXPECT_EQ(source->cloneScaled(Size{0, 5}), nullptr);
  delete source;
}

TEST(Surface, DeletingASurfaceDeletesItsBitmap) {
  const DWORD before = LiveGdiObjects();
  Surface* surface = SplitPicture(16, 16);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(LiveGdiObjects(), before + 1);
  delete surface;
  EXPECT_EQ(LiveGdiObjects(), before);
}

TEST(SurfaceClipboard, NeedsARunningGuiApplication) {
  Surface* surface = SplitPicture(32, 16);
  ASSERT_NE(surface, nullptr);
  EXPECT_FALSE(surface->copyToClipboard());

  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int argc = 1;
  char name[] = "surface_test";
  char* argv[] = {name, nullptr};
  {
    const QGuiApplication application(argc, argv);
    EXPECT_TRUE(surface->copyToClipboard());
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.width(), 32);
    EXPECT_EQ(copied.height(), 16);
    EXPECT_EQ(copied.pixel(2, 8) & 0xFFFFFFu, 0xFF0000u);
    EXPECT_EQ(copied.pixel(30, 8) & 0xFFFFFFu, 0x0000FFu);
  }
  // The surface stays the caller's.
  EXPECT_EQ(surface->size(), (Size{32, 16}));
  delete surface;
}

TEST(Color, BytesAndFractions) {
  const Npr::Gs::Color fromDoubles(0.5, 2.0, -1.0, 1.0);
  EXPECT_EQ(static_cast<unsigned>(fromDoubles), 0xFF00FF7Fu);
  EXPECT_DOUBLE_EQ(fromDoubles.red(), 127 / 255.0);
  EXPECT_DOUBLE_EQ(fromDoubles.green(), 1.0);
  EXPECT_DOUBLE_EQ(fromDoubles.blue(), 0.0);
  EXPECT_DOUBLE_EQ(fromDoubles.alpha(), 1.0);

  EXPECT_EQ(static_cast<unsigned>(Npr::Gs::Color()), 0xFF000000u);
  using Byte = unsigned char;
  const Npr::Gs::Color bytes(Byte{1}, Byte{2}, Byte{3}, Byte{4});
  EXPECT_EQ(static_cast<unsigned>(bytes), 0x04030201u);
  Npr::Gs::Color changed(0x12345678u);
  changed.set(0.0, 0.0, 1.0, std::nan(""));
  EXPECT_EQ(static_cast<unsigned>(changed), 0x00FF0000u);
}

}  // namespace
