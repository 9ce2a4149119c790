// Bitmaps made from plain pixel arrays, as the plug-ins make their default
// pictures, and the header the library reads bitmaps with.
#include "../support/bitmap_helpers.h"

#include <linvale/dib_pixels.h>
#include <linvale/npr_win32_owners.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using linvale::test::LiveObjects;
using linvale::test::ReadColours32;

TEST(DibPixels, ASectionHoldsItsPixelsBottomRowFirst) {
  // Three by two, every pixel different; the first three are the bottom row.
  const std::vector<std::uint32_t> pixels = {0x00102030, 0x00405060, 0x00708090, 0x00A0B0C0, 0x00D0E0F0, 0x00010203};
  const NprUniqueGdiObject<HBITMAP> bitmap(NprCreateDib32(3, 2, pixels));
  ASSERT_NE(bitmap, nullptr);
  DIBSECTION section{};
  ASSERT_NE(GetObject(bitmap.get(), sizeof section, &section), 0);
  EXPECT_EQ(section.dsBmih.biBitCount, 32);
  EXPECT_GT(section.dsBmih.biHeight, 0) << "rows run bottom-up";
  EXPECT_EQ(ReadColours32(bitmap.get()).values, pixels);

  // Read back as 24-bit rows, each padded to four bytes.
  std::vector<std::uint8_t> rows(2 * 12, 0xEE);
  BITMAPINFO header = NprDibHeader(3, 2, 24);
  EXPECT_EQ(GetDIBits(NprGetScreenDC().get(), bitmap.get(), 0, 2, rows.data(), &header, DIB_RGB_COLORS), 2);
  EXPECT_EQ(std::vector<std::uint8_t>(rows.begin(), rows.begin() + 3), (std::vector<std::uint8_t>{0x30, 0x20, 0x10}));
  EXPECT_EQ(std::vector<std::uint8_t>(rows.begin() + 12, rows.begin() + 15),
            (std::vector<std::uint8_t>{0xC0, 0xB0, 0xA0}));
}

TEST(DibPixels, PixelsThatDoNotFillTheSizeGiveNoBitmapAndLeaveNothingBehind) {
  const LiveObjects before = LiveObjects::Now();
  const std::vector<std::uint32_t> four(4, 0x00FFFFFF);
  EXPECT_EQ(NprCreateDib32(3, 1, four), nullptr);
  EXPECT_EQ(NprCreateDib32(5, 1, four), nullptr);
  EXPECT_EQ(NprCreateDib32(0, 4, four), nullptr);
  EXPECT_EQ(NprCreateDib32(-2, -2, four), nullptr);
  EXPECT_EQ(NprCreateDib32(2, 2, {}), nullptr);
  EXPECT_EQ(LiveObjects::Now(), before);
}

}  // namespace
