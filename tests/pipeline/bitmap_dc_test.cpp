// The off-screen OpenGL bitmap context exports, through real EGL contexts.
#include "../support/bitmap_helpers.h"

#include <linvale/bitmap_dc.h>
#include <linvale/npr_win32_owners.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>

namespace {

using linvale::test::LiveObjects;

constexpr unsigned long software = PFD_GENERIC_FORMAT;

DWORD Error() { return GetLastError(); }

HANDLE NewMapping() { return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 64, nullptr); }

class BitmapContext : public ::testing::Test {
protected:
  void TearDown() override {
    {
      // What a test left with the caller: the picture and the mapping.
      const NprUniqueGdiObject<> picture(mContext.other);
      NprCloseHandleSlot(&mMapping);
    }
    EXPECT_EQ(LiveObjects::Now(), mBefore);
  }

  LiveObjects mBefore = LiveObjects::Now();
  BitmapDC mContext{nullptr, nullptr};
  HANDLE mFile = nullptr;
  HANDLE mMapping = nullptr;
};

TEST(BitmapContextArguments, ANullRecordGivesBadArgumentsEverywhere) {
  const SIZE size{4, 4};
  const NprScreenDC screen = NprGetScreenDC();
  const LiveObjects before = LiveObjects::Now();
  SetLastError(0);
  EXPECT_EQ(wglCreateCompatibleBitmapDC(nullptr, &size, 0, 16, 0, software, nullptr, nullptr), 0);
  EXPECT_EQ(Error(), 160U);
  SetLastError(0);
  EXPECT_EQ(wglCreateDefaultBitmapDC(nullptr, &size, 0, 16, 0, software, nullptr, nullptr), 0);
  EXPECT_EQ(Error(), 160U);
  SetLastError(0);
  EXPECT_EQ(wglLockBitmap(nullptr), nullptr);
  EXPECT_EQ(Error(), 160U);
  SetLastError(0);
  EXPECT_EQ(wglUnLockBitmap(nullptr, nullptr), 0);
  EXPECT_EQ(Error(), 160U);
  SetLastError(0);
  EXPECT_EQ(wglDeleteBitmapDC(nullptr), 0);
  EXPECT_EQ(Error(), 160U);
  // A file slot without a slot for the mapping it would make.
  BitmapDC dc{screen.get(), nullptr};
  HANDLE file = nullptr;
  EXPECT_EQ(wglCreateCompatibleBitmapDC(&dc, &size, 0, 16, 0, software, &file, nullptr), 0);
  EXPECT_EQ(Error(), 160U);
  EXPECT_EQ(LiveObjects::Now(), before);
}

TEST(PixelFormatChoice, OnlyFormatsWithTheRequestedImplementationBitsMatch) {
  NprUniqueDC memory(CreateCompatibleDC(nullptr));
  const int index = wglSetPixelFormat(memory.get(), 32, 8, 20, 0, software);
  ASSERT_GT(index, 0);
  PIXELFORMATDESCRIPTOR chosen{};
  DescribePixelFormat(memory.get(), index, sizeof chosen, &chosen);
  EXPECT_EQ(chosen.dwFlags & (PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED), static_cast<DWORD>(PFD_GENERIC_FORMAT));
  EXPECT_GE(chosen.cAlphaBits, 8);
  EXPECT_GE(chosen.cDepthBits, 20);
  EXPECT_EQ(GetPixelFormat(memory.get()), index);

  // Flags 0 asks for a format with neither bit: a GPU's, when there is one.
  memory.reset(CreateCompatibleDC(nullptr));
  bool hardwareOffered = false;
  PIXELFORMATDESCRIPTOR format{};
  for (int i = 1; i <= DescribePixelFormat(memory.get(), 0, sizeof format, nullptr); ++i) {
    DescribePixelFormat(memory.get(), i, sizeof format, &format);
    hardwareOffered |= (format.dwFlags & (PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED)) == 0;
  }
  const int hardware = wglSetPixelFormat(memory.get(), 32, 0, 16, 0, 0);
  EXPECT_EQ(hardware != 0, hardwareOffered);
  if (hardware == 0) {
    EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
  }
  // Nobody offers accumulation buffers or the software bit with the
  // accelerated one.
  EXPECT_EQ(wglSetPixelFormat(memory.get(), 32, 0, 16, 8, software), 0);
  EXPECT_EQ(wglSetPixelFormat(memory.get(), 32, 0, 16, 0, software | PFD_GENERIC_ACCELERATED), 0);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
}

TEST_F(BitmapContext, AnImpossibleDepthLeavesNothingBehind) {
  const SIZE size{64, 48};
  mFile = nullptr;
  EXPECT_EQ(wglCreateDefaultBitmapDC(&mContext, &size, 0, 48, 0, software, &mFile, &mMapping), 0);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
  EXPECT_EQ(mMapping, nullptr);
  EXPECT_EQ(mContext.hdc, nullptr);
  EXPECT_EQ(mContext.other, nullptr);
  EXPECT_EQ(LiveObjects::Now(), mBefore);

  EXPECT_EQ(wglCreateDefaultBitmapDC(&mContext, &size, 0, 48, 0, software, nullptr, nullptr), 0);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
}

TEST_F(BitmapContext, ABitmapThatCannotBeMadeLeavesNothingBehind) {
  const SIZE size{-5, 10};
  EXPECT_EQ(wglCreateDefaultBitmapDC(&mContext, &size, 0, 16, 0, software, &mFile, &mMapping), 0);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(mMapping, nullptr);
  EXPECT_EQ(wglCreateDefaultBitmapDC(&mContext, &size, 0, 16, 0, software, nullptr, nullptr), 0);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

// A caller's own file handle goes with every failed creation, and the error
// is the failed step's even when closing that handle fails as well.
TEST_F(BitmapContext, EveryFailureClosesTheCallersFileHandleAndKeepsItsOwnError) {
  // No mapping: more than the memory file can grow to.
  const SIZE huge{0x7FFFFFFF, 0x7FFFFFFF};
  mFile = NewMapping();
  HANDLE given = mFile;
  EXPECT_EQ(wglCreateDefaultBitmapDC(&mContext, &huge, 0, 16, 0, software, &mFile, &mMapping), 0);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(mFile, nullptr);
  EXPECT_FALSE(CloseHandle(given));
  EXPECT_EQ(mMapping, nullptr);
  EXPECT_EQ(mContext.hdc, nullptr);

  // No bitmap on the mapping.
  const SIZE negative{-5, 10};
  mFile = NewMapping();
  given = mFile;
  EXPECT_EQ(wglCreateDefaultBitmapDC(&mContext, &negative, 0, 16, 0, software, &mFile, &mMapping), 0);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(mFile, nullptr);
  EXPECT_FALSE(CloseHandle(given));
  EXPECT_EQ(mMapping, nullptr);

  // No pixel format; the file slot holds a handle nobody made, whose close
  // fails with an error of its own.
  const SIZE size{64, 48};
  mFile = reinterpret_cast<HANDLE>(0x1234);
  EXPECT_EQ(wglCreateDefaultBitmapDC(&mContext, &size, 0, 48, 0, software, &mFile, &mMapping), 0);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
  EXPECT_EQ(mFile, nullptr);
  EXPECT_EQ(mMapping, nullptr);
  EXPECT_EQ(mContext.hdc, nullptr);
  EXPECT_EQ(mContext.other, nullptr);
}

TEST_F(BitmapContext, AMappedBitmapTakesWidthTimesHeightTimesFourPlusFortyBytes) {
  const SIZE size{4000, 3000};
  const int format = wglCreateDefaultBitmapDC(&mContext, &size, 0, 32, 0, software, &mFile, &mMapping);
  ASSERT_GT(format, 0);
  ASSERT_NE(mMapping, nullptr);
  EXPECT_EQ(mFile, nullptr);
  EXPECT_EQ(GetPixelFormat(mContext.hdc), format);

  // The mapping holds 48,000,040 bytes and not one more.
  void* whole = MapViewOfFile(mMapping, FILE_MAP_READ, 0, 0, 48000040);
  EXPECT_NE(whole, nullptr);
  UnmapViewOfFile(whole);
  EXPECT_EQ(MapViewOfFile(mMapping, FILE_MAP_READ, 0, 0, 48000041), nullptr);

  HBITMAP drawing = wglLockBitmap(&mContext);
  ASSERT_NE(drawing, nullptr);
  DIBSECTION section{};
  ASSERT_EQ(GetObject(drawing, sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dshSection, mMapping);
  EXPECT_EQ(section.dsBmih.biHeight, 3000);
  EXPECT_EQ(section.dsBmih.biBitCount, 32);
  ASSERT_EQ(wglUnLockBitmap(&mContext, nullptr), 1);
  ASSERT_EQ(wglDeleteBitmapDC(&mContext), 1);
  EXPECT_EQ(mContext.other, drawing);
}

TEST_F(BitmapContext, APictureBeyondTheGlLimitFailsAtTheGlContext) {
  const SIZE size{20000, 20000};
  ASSERT_GT(wglCreateDefaultBitmapDC(&mContext, &size, 0, 32, 0, software, &mFile, &mMapping), 0);
  EXPECT_EQ(wglCreateContext(mContext.hdc), nullptr);
  EXPECT_EQ(Error(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(wglDeleteBitmapDC(&mContext), 1);
}

// The calling order of a shader's render.
TEST_F(BitmapContext, ThePictureSurvivesLocksAndStaysWithTheCaller) {
  const SIZE size{40, 30};
  ASSERT_GT(wglCreateDefaultBitmapDC(&mContext, &size, 0, 32, 0, software, nullptr, nullptr), 0);
  HGDIOBJ stock = mContext.other;
  NprUniqueGlContext glrc(wglCreateContext(mContext.hdc));
  ASSERT_NE(glrc, nullptr);
  ASSERT_TRUE(wglMakeCurrent(mContext.hdc, glrc.get()));
  glClearColor(0, 0, 1, 0);
  glClear(GL_COLOR_BUFFER_BIT);

  HBITMAP shown = wglLockBitmap(&mContext);
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(mContext.other, shown);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  const NprScreenDC screen = NprGetScreenDC();
  EXPECT_EQ(linvale::test::ReadPixels32(screen.get(), shown)[0], 0xFF);  // blue, read while locked
  EXPECT_EQ(wglUnLockBitmap(&mContext, glrc.get()), TRUE);
  EXPECT_EQ(mContext.other, stock);
  EXPECT_EQ(wglGetCurrentContext(), glrc.get());

  // The lower half red over the blue kept across the lock.
  glColor3f(1, 0, 0);
  glRectf(-1, -1, 1, 0);
  ASSERT_NE(wglLockBitmap(&mContext), nullptr);
  EXPECT_EQ(wglUnLockBitmap(&mContext, nullptr), 1);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  wglMakeCurrent(nullptr, nullptr);
  glrc.reset();
  ASSERT_EQ(wglDeleteBitmapDC(&mContext), 1);
  EXPECT_EQ(mContext.hdc, nullptr);

  // The result is the caller's and can go into another context.
  const NprUniqueDC other(CreateCompatibleDC(screen.get()));
  HGDIOBJ otherStock = SelectObject(other.get(), mContext.other);
  ASSERT_NE(otherStock, nullptr);
  SelectObject(other.get(), otherStock);
  const auto pixels = linvale::test::ReadPixels32(screen.get(), mContext.other);
  EXPECT_EQ(pixels[2], 0xFF);              // bottom row red
  EXPECT_EQ(pixels[(29 * 40) * 4], 0xFF);  // top row blue
  EXPECT_EQ(pixels[(29 * 40) * 4 + 2], 0x00);
}

}  // namespace
