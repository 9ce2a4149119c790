// Device contexts, bitmaps, bitmap bits, block transfers and file mappings.
#include "../support/bitmap_helpers.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <numeric>

namespace {

using linvale::test::DibHeader;
using linvale::test::LiveObjects;
using linvale::test::MakeSection;

DWORD Error() { return GetLastError(); }

class Gdi : public ::testing::Test {
protected:
  void SetUp() override { mScreen = GetDC(nullptr); }
  void TearDown() override {
    ReleaseDC(nullptr, mScreen);
    EXPECT_EQ(LiveObjects::Now(), mBefore);
  }

  LiveObjects mBefore = LiveObjects::Now();
  HDC mScreen = nullptr;
};

TEST_F(Gdi, ContextsAreThirtyTwoBitAndStaleHandlesFailCleanly) {
  EXPECT_EQ(GetDeviceCaps(mScreen, BITSPIXEL), 32);
  HDC memory = CreateCompatibleDC(mScreen);
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), 32);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), mBefore.gdi + 2);
  EXPECT_TRUE(DeleteDC(memory));

  EXPECT_FALSE(DeleteDC(memory));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(CreateCompatibleDC(memory), nullptr);
  EXPECT_EQ(GetDeviceCaps(memory, BITSPIXEL), 0);
  EXPECT_FALSE(DeleteObject(reinterpret_cast<HGDIOBJ>(0xDEAD0)));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(ReleaseDC(nullptr, memory), 0);
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x10)), nullptr);
}

TEST_F(Gdi, EveryCallHandedAStaleContextSaysTheHandleIsInvalid) {
  HDC stale = CreateCompatibleDC(mScreen);
  ASSERT_TRUE(DeleteDC(stale));
  HBITMAP bitmap = MakeSection(2, 2, 32);
  ASSERT_NE(bitmap, nullptr);
  std::array<std::uint8_t, 16> pixels{};
  BITMAPINFO info = DibHeader(2, 2, 32);

  const auto failsAsInvalid = [](bool failed) {
    const DWORD error = Error();
    SetLastError(0);
    return failed && error == static_cast<DWORD>(ERROR_INVALID_HANDLE);
  };
  SetLastError(0);
  EXPECT_TRUE(failsAsInvalid(CreateCompatibleDC(stale) == nullptr));
  EXPECT_TRUE(failsAsInvalid(GetDeviceCaps(stale, BITSPIXEL) == 0));
  EXPECT_TRUE(failsAsInvalid(CreateCompatibleBitmap(stale, 2, 2) == nullptr));
  EXPECT_TRUE(failsAsInvalid(SelectObject(stale, bitmap) == nullptr));
  EXPECT_TRUE(failsAsInvalid(SetStretchBltMode(stale, HALFTONE) == 0));
  EXPECT_TRUE(failsAsInvalid(GetStretchBltMode(stale) == 0));
  HDC source = CreateCompatibleDC(mScreen);
  EXPECT_TRUE(failsAsInvalid(!BitBlt(stale, 0, 0, 1, 1, source, 0, 0, SRCCOPY)));
  EXPECT_TRUE(failsAsInvalid(!BitBlt(source, 0, 0, 1, 1, stale, 0, 0, SRCCOPY)));
  EXPECT_TRUE(DeleteDC(source));
  EXPECT_TRUE(failsAsInvalid(GetDIBits(stale, bitmap, 0, 2, pixels.data(), &info, DIB_RGB_COLORS) == 0));
  EXPECT_TRUE(failsAsInvalid(SetDIBits(stale, bitmap, 0, 2, pixels.data(), &info, DIB_RGB_COLORS) == 0));
  EXPECT_TRUE(failsAsInvalid(SetPixelFormat(stale, 1, nullptr) == FALSE));
  EXPECT_TRUE(failsAsInvalid(GetPixelFormat(stale) == 0));
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(Gdi, ASelectedBitmapCannotBeDeletedNorSelectedTwice) {
  HDC first = CreateCompatibleDC(mScreen);
  HDC second = CreateCompatibleDC(mScreen);
  HBITMAP bitmap = CreateCompatibleBitmap(mScreen, 3, 2);
  HGDIOBJ stock = SelectObject(first, bitmap);
  ASSERT_NE(stock, nullptr);

  EXPECT_FALSE(DeleteObject(bitmap));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_BUSY));
  EXPECT_EQ(SelectObject(second, bitmap), nullptr);
  EXPECT_EQ(SelectObject(mScreen, stock), nullptr);
  // The stock bitmap may sit in any number of contexts and never goes.
  EXPECT_EQ(SelectObject(second, stock), stock);
  EXPECT_TRUE(DeleteObject(stock));

  EXPECT_EQ(SelectObject(first, stock), bitmap);
  EXPECT_EQ(SelectObject(second, bitmap), stock);
  // Deleting the context lets go of its bitmap.
  EXPECT_TRUE(DeleteDC(second));
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_EQ(SelectObject(first, bitmap), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  DeleteDC(first);
}

TEST_F(Gdi, GetObjectDescribesBitmapsAndSections) {
  HBITMAP compatible = CreateCompatibleBitmap(mScreen, 5, 3);
  BITMAP plain{};
  ASSERT_EQ(GetObject(compatible, sizeof plain, &plain), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(plain.bmWidth, 5);
  EXPECT_EQ(plain.bmHeight, 3);
  EXPECT_EQ(plain.bmBitsPixel, 32);
  EXPECT_EQ(plain.bmWidthBytes, 20);
  EXPECT_EQ(plain.bmBits, nullptr);
  DIBSECTION unused{};
  EXPECT_EQ(GetObject(compatible, sizeof unused, &unused), static_cast<int>(sizeof(BITMAP)));

  void* bits = nullptr;
  HBITMAP section = MakeSection(5, -3, 24, &bits);
  DIBSECTION described{};
  ASSERT_EQ(GetObject(section, sizeof described, &described), static_cast<int>(sizeof(DIBSECTION)));
  EXPECT_EQ(described.dsBm.bmBits, bits);
  EXPECT_EQ(described.dsBm.bmWidthBytes, 16);  // 15 bytes padded to 4
  EXPECT_EQ(described.dsBm.bmHeight, 3);
  EXPECT_EQ(described.dsBmih.biHeight, -3);
  EXPECT_EQ(described.dsBmih.biBitCount, 24);
  EXPECT_EQ(described.dshSection, nullptr);

  EXPECT_TRUE(DeleteObject(compatible));
  EXPECT_TRUE(DeleteObject(section));
  EXPECT_EQ(GetObject(section, sizeof described, &described), 0);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(Gdi, BitsConvertBetweenLayoutsAndOrientations) {
  // 3 x 2 pixels, 24-bit bottom-up rows of 9 bytes padded to 12.
  const std::array<std::uint8_t, 24> bottomUp24 = {1,  2,  3,  4,  5,  6,  7,  8,  9,  0, 0, 0,
                                                   10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0};
  HBITMAP bitmap = CreateCompatibleBitmap(mScreen, 3, 2);
  const BITMAPINFO info24 = DibHeader(3, 2, 24);
  ASSERT_EQ(SetDIBits(mScreen, bitmap, 0, 2, bottomUp24.data(), &info24, DIB_RGB_COLORS), 2);

  BITMAPINFO topDown32 = DibHeader(3, -2, 32);
  std::array<std::uint8_t, 24> read{};
  ASSERT_EQ(GetDIBits(mScreen, bitmap, 0, 2, read.data(), &topDown32, DIB_RGB_COLORS), 2);
  const std::array<std::uint8_t, 24> expected = {10, 11, 12, 0, 13, 14, 15, 0, 16, 17, 18, 0,
                                                 1,  2,  3,  0, 4,  5,  6,  0, 7,  8,  9,  0};
  EXPECT_EQ(read, expected);

  // The upper line alone, back as 24 bits.
  BITMAPINFO info = info24;
  std::array<std::uint8_t, 12> line{};
  EXPECT_EQ(GetDIBits(mScreen, bitmap, 1, 5, line.data(), &info, DIB_RGB_COLORS), 1);
  EXPECT_TRUE(std::equal(line.begin(), line.begin() + 9, bottomUp24.begin() + 12));

  // Without a buffer the header learns the bitmap's own format.
  BITMAPINFO query{};
  query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  EXPECT_NE(GetDIBits(mScreen, bitmap, 0, 2, nullptr, &query, DIB_RGB_COLORS), 0);
  EXPECT_EQ(query.bmiHeader.biBitCount, 32);
  EXPECT_EQ(query.bmiHeader.biSizeImage, 24U);

  BITMAPINFO wrongWidth = DibHeader(4, 2, 32);
  EXPECT_EQ(GetDIBits(mScreen, bitmap, 0, 2, read.data(), &wrongWidth, DIB_RGB_COLORS), 0);
  EXPECT_EQ(GetDIBits(mScreen, bitmap, 2, 1, read.data(), &topDown32, DIB_RGB_COLORS), 0);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  DeleteObject(bitmap);
}

TEST_F(Gdi, SectionsOverAMappingOutliveItsHandle) {
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4 * 4 * 4 + 40, nullptr);
  ASSERT_NE(mapping, nullptr);
  const BITMAPINFO info = DibHeader(4, 4, 32);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(mScreen, &info, DIB_RGB_COLORS, &bits, mapping, 0);
  ASSERT_NE(section, nullptr);
  DIBSECTION described{};
  GetObject(section, sizeof described, &described);
  EXPECT_EQ(described.dshSection, mapping);

  // Writes through the section show in a view of the mapping: they share
  // the memory.
  auto* view = static_cast<std::uint8_t*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  ASSERT_NE(view, nullptr);
  static_cast<std::uint8_t*>(bits)[5] = 0x5A;
  EXPECT_EQ(view[5], 0x5A);
  EXPECT_TRUE(UnmapViewOfFile(view));
  EXPECT_FALSE(UnmapViewOfFile(view));

  EXPECT_TRUE(CloseHandle(mapping));
  EXPECT_FALSE(CloseHandle(mapping));
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  static_cast<std::uint8_t*>(bits)[6] = 0x6B;
  std::vector<std::uint8_t> pixels = linvale::test::ReadPixels32(mScreen, section);
  EXPECT_EQ(pixels[5], 0x5A);
  EXPECT_EQ(pixels[6], 0x6B);
  DeleteObject(section);
}

TEST_F(Gdi, MappingsAndSectionsRefuseWhatDoesNotFit) {
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 99, nullptr);
  const BITMAPINFO info = DibHeader(5, 5, 32);
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(CreateDIBSection(mScreen, &info, DIB_RGB_COLORS, &bits, mapping, 0), nullptr);
  EXPECT_EQ(bits, nullptr);
  EXPECT_EQ(CreateDIBSection(mScreen, &info, DIB_RGB_COLORS, &bits, reinterpret_cast<HANDLE>(0x44), 0), nullptr);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 100), nullptr);
  EXPECT_EQ(MapViewOfFile(mapping, FILE_MAP_READ, 0, 4096, 0), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_MAPPED_ALIGNMENT));
  EXPECT_EQ(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 0, nullptr), nullptr);
  EXPECT_EQ(CreateFileMappingA(reinterpret_cast<HANDLE>(0x8), nullptr, PAGE_READWRITE, 0, 10, nullptr), nullptr);
  CloseHandle(mapping);
}

TEST_F(Gdi, VirtualBlocksAreZeroedAndReleasedWhole) {
  auto* block = static_cast<std::uint8_t*>(VirtualAlloc(nullptr, 10000, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::accumulate(block, block + 10000, 0), 0);
  block[9999] = 1;
  EXPECT_FALSE(VirtualFree(block + 4096, 0, MEM_RELEASE));
  EXPECT_FALSE(VirtualFree(block, 10000, MEM_RELEASE));
  EXPECT_TRUE(VirtualFree(block, 0, MEM_RELEASE));
  EXPECT_FALSE(VirtualFree(block, 0, MEM_RELEASE));
}

// Two memory contexts with 32-bit bitmaps for the transfer tests.
class Blit : public Gdi {
protected:
  void SetUp() override {
    Gdi::SetUp();
    mSourceContext = CreateCompatibleDC(mScreen);
    mTargetContext = CreateCompatibleDC(mScreen);
  }
  void TearDown() override {
    SelectObject(mSourceContext, mSourceStock);
    SelectObject(mTargetContext, mTargetStock);
    DeleteObject(mSource);
    DeleteObject(mTarget);
    DeleteDC(mSourceContext);
    DeleteDC(mTargetContext);
    Gdi::TearDown();
  }
  // The source's blue bytes, rows from the top.
  void MakeSource(LONG width, LONG height, const std::vector<std::uint8_t>& blueFromTop) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    for (LONG y = 0; y < height; ++y) {
      for (LONG x = 0; x < width; ++x) {
        pixels[((static_cast<std::size_t>(height - 1 - y)) * width + x) * 4] = blueFromTop[y * width + x];
      }
    }
    mSource = linvale::test::MakeBitmap32(mScreen, width, height, pixels);
    mSourceStock = SelectObject(mSourceContext, mSource);
  }
  void MakeTarget(LONG width, LONG height) {
    mTarget = CreateCompatibleBitmap(mScreen, width, height);
    mTargetStock = SelectObject(mTargetContext, mTarget);
  }
  // The target's blue bytes, rows from the top.
  std::vector<std::uint8_t> TargetBlue(LONG width, LONG height) {
    const auto pixels = linvale::test::ReadPixels32(mScreen, mTarget);
    std::vector<std::uint8_t> blue;
    for (LONG y = height - 1; y >= 0; --y) {
      for (LONG x = 0; x < width; ++x) {
        blue.push_back(pixels[(static_cast<std::size_t>(y) * width + x) * 4]);
      }
    }
    return blue;
  }

  HDC mSourceContext = nullptr;
  HDC mTargetContext = nullptr;
  HBITMAP mSource = nullptr;
  HBITMAP mTarget = nullptr;
  HGDIOBJ mSourceStock = nullptr;
  HGDIOBJ mTargetStock = nullptr;
};

TEST_F(Blit, HalftoneAveragesTheCoveredAreaAndColorOnColorPicksPixels) {
  MakeSource(4, 2, {0, 100, 10, 20, 200, 100, 30, 50});
  MakeTarget(2, 1);
  EXPECT_EQ(SetStretchBltMode(mTargetContext, HALFTONE), BLACKONWHITE);
  ASSERT_TRUE(StretchBlt(mTargetContext, 0, 0, 2, 1, mSourceContext, 0, 0, 4, 2, SRCCOPY));
  EXPECT_EQ(TargetBlue(2, 1), (std::vector<std::uint8_t>{100, 28}));  // 400 / 4, 110 / 4 rounded

  SetStretchBltMode(mTargetContext, COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(mTargetContext, 0, 0, 2, 1, mSourceContext, 0, 0, 4, 2, SRCCOPY));
  EXPECT_EQ(TargetBlue(2, 1), (std::vector<std::uint8_t>{100, 50}));  // the pixels at the centres

  SetStretchBltMode(mTargetContext, BLACKONWHITE);
  ASSERT_TRUE(StretchBlt(mTargetContext, 0, 0, 2, 1, mSourceContext, 0, 0, 4, 2, SRCCOPY));
  EXPECT_EQ(TargetBlue(2, 1), (std::vector<std::uint8_t>{0 & 100 & 200 & 100, 10 & 20 & 30 & 50}));

  EXPECT_EQ(SetStretchBltMode(mTargetContext, 7), 0);
  EXPECT_FALSE(StretchBlt(mTargetContext, 0, 0, 2, 1, mSourceContext, 1, 0, 4, 2, SRCCOPY));
  EXPECT_FALSE(StretchBlt(mTargetContext, 0, 0, 2, 1, mScreen, 0, 0, 4, 2, SRCCOPY));
}

TEST_F(Blit, BitBltClipsToBothBitmapsAndHandlesOverlap) {
  MakeSource(3, 1, {1, 2, 3});
  MakeTarget(3, 1);
  ASSERT_TRUE(BitBlt(mTargetContext, 1, 0, 5, 5, mSourceContext, 0, 0, SRCCOPY));
  EXPECT_EQ(TargetBlue(3, 1), (std::vector<std::uint8_t>{0, 1, 2}));
  // Within one bitmap, shifting left by one.
  ASSERT_TRUE(BitBlt(mTargetContext, 0, 0, 3, 1, mTargetContext, 1, 0, SRCCOPY));
  EXPECT_EQ(TargetBlue(3, 1), (std::vector<std::uint8_t>{1, 2, 2}));
  EXPECT_FALSE(BitBlt(mTargetContext, 0, 0, 3, 1, mSourceContext, 0, 0, 0x00EE0086));
}

}  // namespace
