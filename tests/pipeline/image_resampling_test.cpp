// The antialiasing reduction and the other image operations on small
// synthetic pictures.
#include "../support/bitmap_helpers.h"

#include "bilinear_resampling.h"
#include "halving_reduction.h"
#include "image_resampling.h"

#include <linvale/npr_win32_owners.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <random>

namespace {

using linvale::test::LiveObjects;
using linvale::test::MakeBitmap32;
using linvale::test::ReadPixels32;
using Pixels = std::vector<std::uint8_t>;

Pixels Uniform(LONG width, LONG height, std::array<std::uint8_t, 4> pixel) {
  Pixels pixels;
  for (LONG i = 0; i < width * height; ++i) {
    pixels.insert(pixels.end(), pixel.begin(), pixel.end());
  }
  return pixels;
}

// Rounds half up, as the filter does.
int Third(int a, int b) { return (2 * a + b + 1) / 3; }               // 2/3, 1/3
int Quarter(int a, int b, int c) { return (a + 2 * b + c + 2) / 4; }  // 1/4, 1/2, 1/4

class Resampling : public ::testing::Test {
protected:
  void TearDown() override { EXPECT_EQ(LiveObjects::Now(), mBefore); }

  // Reduces with fresh slots and keeps the result's pixels; the result and
  // its mapping are released at once.
  Pixels Reduce(LONG width, LONG height, const Pixels& source, SIZE size) {
    HBITMAP input = MakeBitmap32(mScreen, width, height, source);
    HANDLE file = nullptr;
    HANDLE mapping = nullptr;
    const NprUniqueGdiObject<HBITMAP> output(
        linvale::pipeline::StretchImageBilinear(mScreen, input, size, &file, &mapping));
    const NprUniqueHandle mappingOwner(mapping);
    EXPECT_NE(output, nullptr);
    return ReadPixels32(mScreen, output.get());
  }

  // The screen context is counted in what lives before and after a test.
  const NprScreenDC mScreenOwner = NprGetScreenDC();
  const HDC mScreen = mScreenOwner.get();
  LiveObjects mBefore = LiveObjects::Now();
};

TEST_F(Resampling, HalvingWeighsNeighboursAQuarterAndTheFirstPixelTwoThirds) {
  // Each byte a different function of column and row (rows bottom up).
  auto value = [](int column, int row, int byte) { return (37 * column + 53 * row + 71 * byte) % 256; };
  Pixels source;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      for (int byte = 0; byte < 4; ++byte) {
        source.push_back(static_cast<std::uint8_t>(value(column, row, byte)));
      }
    }
  }
  const Pixels reduced = Reduce(4, 4, source, {2, 2});
  for (int byte = 0; byte < 3; ++byte) {
    std::array<std::array<int, 2>, 4> across{};  // the rows after the first pass
    for (int row = 0; row < 4; ++row) {
      across[row][0] = Third(value(0, row, byte), value(1, row, byte));
      across[row][1] = Quarter(value(1, row, byte), value(2, row, byte), value(3, row, byte));
    }
    for (int column = 0; column < 2; ++column) {
      EXPECT_EQ(reduced[(0 * 2 + column) * 4 + byte], Third(across[0][column], across[1][column]));
      EXPECT_EQ(reduced[(1 * 2 + column) * 4 + byte], Quarter(across[1][column], across[2][column], across[3][column]));
    }
  }

  // The last output pixel of an even reduction reaches the source's end.
  const Pixels row = {10, 0, 0, 0, 20, 0, 0, 0, 60, 0, 0, 0, 100, 0, 0, 0, 140, 0, 0, 0, 250, 0, 0, 0};
  const Pixels halved = Reduce(6, 1, row, {3, 1});
  EXPECT_EQ(halved[0], Third(10, 20));
  EXPECT_EQ(halved[4], Quarter(20, 60, 100));
  EXPECT_EQ(halved[8], Quarter(100, 140, 250));
}

namespace {

Pixels Noise(LONG width, LONG height, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> byte(0, 255);
  Pixels pixels(static_cast<std::size_t>(width) * height * 4);
  for (std::uint8_t& value : pixels) {
    value = static_cast<std::uint8_t>(byte(random));
  }
  return pixels;
}

// A bottom-up (or, with a negative height, top-down) 32-bit section holding `pixels` in memory order.
HBITMAP MakeSection(HDC hdc, LONG width, LONG height, const Pixels& pixels) {
  const BITMAPINFO info = linvale::test::DibHeader(width, height, 32);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(hdc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section != nullptr) {
    std::memcpy(bits, pixels.data(), pixels.size());
  }
  return section;
}

}  // namespace

// Best antialiasing always halves; the integer filter for that case must
// give the general filter's bytes, edges and odd sizes included.
TEST_F(Resampling, ExactHalvingGivesTheGeneralFiltersBytes) {
  const std::array<SIZE, 8> sizes = {{{1, 1}, {2, 1}, {1, 3}, {3, 2}, {17, 9}, {64, 65}, {200, 130}, {333, 257}}};
  unsigned seed = 1;
  for (const SIZE size : sizes) {
    SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
    const Pixels source = Noise(2 * size.cx, 2 * size.cy, seed++);
    linvale::PixelBuffer general(2 * size.cx, 2 * size.cy);
    std::memcpy(general.Data(), source.data(), source.size());
    const linvale::PixelBuffer expected =
        linvale::pipeline::ResampleBilinear(std::move(general), 2 * size.cx, 2 * size.cy, size.cx, size.cy);
    Pixels halved(static_cast<std::size_t>(size.cx) * size.cy * 4, 0xAA);
    linvale::pipeline::HalvePixels(source.data(), size.cx, size.cy, halved.data());
    EXPECT_EQ(std::memcmp(halved.data(), expected.Data(), halved.size()), 0);
  }
}

// A section is halved where its pixels lie, a bitmap of another kind through
// GDI; the picture is the same, and a top-down section is not read upside down.
TEST_F(Resampling, EveryKindOfSourceBitmapIsReducedAlike) {
  const SIZE size{150, 101};
  const Pixels source = Noise(2 * size.cx, 2 * size.cy, 7);
  const Pixels throughGdi = Reduce(2 * size.cx, 2 * size.cy, source, size);
  for (const LONG orientation : {1, -1}) {
    SCOPED_TRACE(orientation > 0 ? "bottom-up section" : "top-down section");
    Pixels memoryOrder = source;
    if (orientation < 0) {
      const std::size_t rowBytes = static_cast<std::size_t>(2 * size.cx) * 4;
      for (LONG row = 0; row < 2 * size.cy; ++row) {
        std::memcpy(memoryOrder.data() + row * rowBytes, source.data() + (2 * size.cy - 1 - row) * rowBytes, rowBytes);
      }
    }
    HBITMAP section = MakeSection(mScreen, 2 * size.cx, orientation * 2 * size.cy, memoryOrder);
    ASSERT_NE(section, nullptr);
    HANDLE file = nullptr;
    HANDLE mapping = nullptr;
    const NprUniqueGdiObject<HBITMAP> output(
        linvale::pipeline::StretchImageBilinear(mScreen, section, size, &file, &mapping));
    const NprUniqueHandle mappingOwner(mapping);
    ASSERT_NE(output, nullptr);
    EXPECT_TRUE(ReadPixels32(mScreen, output.get()) == throughGdi);
  }
}

TEST_F(Resampling, AUniformColourStaysExactlyThatColourAndTheFourthByteIsZero) {
  struct Case {
    LONG width, height;
    SIZE size;
  };
  for (const Case& c : {Case{1602, 1200, {801, 600}}, Case{7, 5, {3, 2}}, Case{3, 2, {8, 5}}, Case{9, 9, {2, 7}}}) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " to " << c.size.cx << "x" << c.size.cy);
    const Pixels reduced = Reduce(c.width, c.height, Uniform(c.width, c.height, {17, 200, 93, 255}), c.size);
    ASSERT_EQ(reduced.size(), static_cast<std::size_t>(c.size.cx) * c.size.cy * 4);
    EXPECT_EQ(reduced, Uniform(c.size.cx, c.size.cy, {17, 200, 93, 0}));
  }
}

TEST_F(Resampling, TheSameSizeReproducesTheColours) {
  std::mt19937 random(7);
  Pixels source(13 * 7 * 4);
  for (auto& byte : source) {
    byte = static_cast<std::uint8_t>(random());
  }
  const Pixels copied = Reduce(13, 7, source, {13, 7});
  for (std::size_t i = 0; i < source.size(); ++i) {
    EXPECT_EQ(copied[i], i % 4 == 3 ? 0 : source[i]) << "byte " << i;
  }
}

TEST_F(Resampling, TheSourceGoesAndTheSlotsHoldOnlyTheNewMapping) {
  HBITMAP source = MakeBitmap32(mScreen, 8, 6, Uniform(8, 6, {1, 2, 3, 4}));
  HANDLE file = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 64, nullptr);
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 64, nullptr);
  const HANDLE oldFile = file;
  const HANDLE oldMapping = mapping;
  const NprUniqueGdiObject<HBITMAP> output(
      linvale::pipeline::StretchImageBilinear(mScreen, source, {4, 3}, &file, &mapping));
  const NprUniqueHandle mappingOwner(mapping);
  ASSERT_NE(output, nullptr);

  BITMAP gone{};
  EXPECT_EQ(GetObject(source, sizeof gone, &gone), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CloseHandle(oldFile));
  EXPECT_FALSE(CloseHandle(oldMapping));
  EXPECT_EQ(file, nullptr);

  DIBSECTION section{};
  ASSERT_EQ(GetObject(output.get(), sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dshSection, mapping);
  EXPECT_EQ(section.dsBmih.biBitCount, 32);
  EXPECT_EQ(section.dsBmih.biHeight, 3);
  void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 4 * 3 * 4 + 40);
  EXPECT_NE(view, nullptr);
  UnmapViewOfFile(view);
}

TEST_F(Resampling, AFailedReductionDeletesTheSourceAndLeavesNothingElse) {
  HBITMAP source = MakeBitmap32(mScreen, 8, 6, Uniform(8, 6, {1, 2, 3, 4}));
  HANDLE file = nullptr;
  HANDLE mapping = nullptr;
  EXPECT_EQ(linvale::pipeline::StretchImageBilinear(mScreen, source, {0, 3}, &file, &mapping), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(mapping, nullptr);
  BITMAP gone{};
  EXPECT_EQ(GetObject(source, sizeof gone, &gone), 0);
}

// The renderer's slots still hold the previous mapping when a reduction
// fails; it stays theirs.
TEST_F(Resampling, AFailedMappingLeavesTheSlotsAndReportsItsErrorOverAFailedDeletion) {
  HANDLE file = nullptr;
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 64, nullptr);
  const HANDLE held = mapping;
  const SIZE huge{0x7FFFFFFF, 0x7FFFFFFF};

  HBITMAP source = MakeBitmap32(mScreen, 8, 6, Uniform(8, 6, {1, 2, 3, 4}));
  EXPECT_EQ(linvale::pipeline::StretchImageBilinear(mScreen, source, huge, &file, &mapping), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  BITMAP gone{};
  EXPECT_EQ(GetObject(source, sizeof gone, &gone), 0);
  EXPECT_EQ(file, nullptr);
  EXPECT_EQ(mapping, held);

  // A source selected in a context cannot be deleted; the caller still
  // learns why the reduction failed, not why the deletion did.
  HBITMAP selected = MakeBitmap32(mScreen, 8, 6, Uniform(8, 6, {1, 2, 3, 4}));
  const NprUniqueDC memory(CreateCompatibleDC(mScreen));
  HGDIOBJ stock = SelectObject(memory.get(), selected);
  EXPECT_EQ(linvale::pipeline::StretchImageBilinear(mScreen, selected, huge, &file, &mapping), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  SelectObject(memory.get(), stock);
  EXPECT_TRUE(DeleteObject(selected));
  EXPECT_TRUE(CloseHandle(mapping));
}

TEST_F(Resampling, GdiStretchingAveragesAreasAndKeepsABitmapOfTheRightSize) {
  const NprUniqueGdiObject<HBITMAP> same(MakeBitmap32(mScreen, 4, 2, Uniform(4, 2, {0, 0, 0, 0})));
  EXPECT_EQ(linvale::pipeline::StretchImageGDI(mScreen, same.get(), {4, 2}), same.get());
  EXPECT_EQ(linvale::pipeline::StretchImageGDI(nullptr, same.get(), {2, 1}), nullptr);

  const Pixels source = {0,  0, 0, 0, 40, 0, 0, 0, 100, 0, 0, 0, 100, 0, 0, 0,
                         80, 0, 0, 0, 0,  0, 0, 0, 200, 0, 0, 0, 0,   0, 0, 0};
  HBITMAP input = MakeBitmap32(mScreen, 4, 2, source);
  const NprUniqueGdiObject<HBITMAP> output(linvale::pipeline::StretchImageGDI(mScreen, input, {2, 1}));
  ASSERT_NE(output, nullptr);
  BITMAP gone{};
  EXPECT_EQ(GetObject(input, sizeof gone, &gone), 0);
  const Pixels pixels = ReadPixels32(mScreen, output.get());
  EXPECT_EQ(pixels[0], 30);  // (0 + 40 + 80 + 0) / 4
  EXPECT_EQ(pixels[4], 100);
}

TEST_F(Resampling, DevilStretchingKeepsThePictureUpright) {
  // Bottom half blue, top half red (rows bottom up).
  Pixels source = Uniform(16, 8, {255, 0, 0, 0});
  const Pixels top = Uniform(16, 8, {0, 0, 255, 0});
  source.insert(source.end(), top.begin(), top.end());
  HBITMAP input = MakeBitmap32(mScreen, 16, 16, source);
  EXPECT_EQ(linvale::pipeline::StretchImageDevIL(mScreen, input, {16, 4}), input);

  const NprUniqueGdiObject<HBITMAP> output(linvale::pipeline::StretchImageDevIL(mScreen, input, {8, 6}));
  ASSERT_NE(output, nullptr);
  BITMAP described{};
  ASSERT_NE(GetObject(output.get(), sizeof described, &described), 0);
  EXPECT_EQ(described.bmWidth, 8);
  EXPECT_EQ(described.bmHeight, 6);
  EXPECT_EQ(GetObject(input, sizeof described, &described), 0);
  const Pixels pixels = ReadPixels32(mScreen, output.get());
  EXPECT_GT(pixels[0], 200);  // bottom left: blue
  EXPECT_LT(pixels[2], 50);
  EXPECT_GT(pixels[(5 * 8 + 7) * 4 + 2], 200);  // top right: red
  EXPECT_LT(pixels[(5 * 8 + 7) * 4], 50);
}

TEST_F(Resampling, BlurSmoothsInMemoryOrderAboveTheThreshold) {
  const NprUniqueGdiObject<HBITMAP> uniform(MakeBitmap32(mScreen, 5, 4, Uniform(5, 4, {30, 60, 90, 0})));
  linvale::pipeline::BlurImage(mScreen, uniform.get(), 0);
  EXPECT_EQ(ReadPixels32(mScreen, uniform.get()), Uniform(5, 4, {30, 60, 90, 0}));

  // A bright blue pixel in the middle of black, and one at the very start.
  Pixels spots = Uniform(5, 5, {0, 0, 0, 0});
  spots[(2 * 5 + 2) * 4] = 255;
  spots[0] = 255;
  const NprUniqueGdiObject<HBITMAP> kept(MakeBitmap32(mScreen, 5, 5, spots));
  linvale::pipeline::BlurImage(mScreen, kept.get(), 255);
  EXPECT_EQ(ReadPixels32(mScreen, kept.get()), spots);

  // Above a threshold of 100 only the centre changes, to 4 x 255 / 16: its
  // neighbours' changes were too small to be written.
  const NprUniqueGdiObject<HBITMAP> thresholded(MakeBitmap32(mScreen, 5, 5, spots));
  linvale::pipeline::BlurImage(mScreen, thresholded.get(), 100);
  Pixels expected = spots;
  expected[(2 * 5 + 2) * 4] = 63;
  EXPECT_EQ(ReadPixels32(mScreen, thresholded.get()), expected);

  const NprUniqueGdiObject<HBITMAP> blurred(MakeBitmap32(mScreen, 5, 5, spots));
  linvale::pipeline::BlurImage(mScreen, blurred.get(), 0);
  const Pixels pixels = ReadPixels32(mScreen, blurred.get());
  EXPECT_EQ(pixels[0], 255);  // the first pixel is never visited
  // The centre's predecessors were already smoothed towards it, so it
  // keeps more than a blur from an untouched copy would leave (63).
  EXPECT_GT(pixels[(2 * 5 + 2) * 4], 63);
  EXPECT_GT(pixels[(2 * 5 + 1) * 4], 0);
  EXPECT_EQ(pixels[(2 * 5 + 2) * 4 + 1], 0);  // green and red had nothing to smooth
}

}  // namespace
