// OpenGL contexts on memory device contexts, through real EGL contexts.
#include "../support/bitmap_helpers.h"

#include <windows.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using linvale::test::LiveObjects;
using linvale::test::MakeSection;

constexpr std::uint32_t blue = 0x000000FF;  // as a 32-bit pixel: B in the low byte
constexpr std::uint32_t red = 0x00FF0000;
constexpr std::uint32_t green = 0x0000FF00;

// The first software format with at least `depth` bits of depth buffer.
int SoftwareFormat(HDC hdc, BYTE depth) {
  PIXELFORMATDESCRIPTOR format{};
  const int count = DescribePixelFormat(hdc, 0, sizeof format, nullptr);
  for (int index = 1; index <= count; ++index) {
    DescribePixelFormat(hdc, index, sizeof format, &format);
    if ((format.dwFlags & PFD_GENERIC_FORMAT) != 0 && format.cDepthBits >= depth) {
      return index;
    }
  }
  return 0;
}

std::uint32_t PixelAt(const void* bits, LONG width, LONG row, LONG column) {
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, static_cast<const std::uint8_t*>(bits) + (static_cast<std::size_t>(row) * width + column) * 4, 4);
  return pixel & 0x00FFFFFF;
}

void FillRectangle(float left, float bottom, float right, float top, float depth, float r, float g, float b) {
  glColor3f(r, g, b);
  glBegin(GL_QUADS);
  glVertex3f(left, bottom, depth);
  glVertex3f(right, bottom, depth);
  glVertex3f(right, top, depth);
  glVertex3f(left, top, depth);
  glEnd();
}

// A memory context with a 32-bit bottom-up section of `width` x `height`
// and a software pixel format.
class GlBitmap : public ::testing::Test {
protected:
  void Make(LONG width, LONG height, WORD bitsPerPixel = 32, bool topDown = false) {
    mWidth = width;
    mHeight = height;
    mMemory = CreateCompatibleDC(nullptr);
    mBitmap = MakeSection(width, topDown ? -height : height, bitsPerPixel, &mBits);
    mStock = SelectObject(mMemory, mBitmap);
    ASSERT_TRUE(SetPixelFormat(mMemory, SoftwareFormat(mMemory, 24), nullptr));
  }
  void TearDown() override {
    wglMakeCurrent(nullptr, nullptr);
    if (mContext != nullptr) {
      wglDeleteContext(mContext);
    }
    SelectObject(mMemory, mStock);
    DeleteObject(mBitmap);
    DeleteDC(mMemory);
    EXPECT_EQ(LiveObjects::Now(), mBefore);
  }

  void DrawLowerHalfRedOnBlue() {
    mContext = wglCreateContext(mMemory);
    ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));
    glClearColor(0, 0, 1, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    FillRectangle(-1, -1, 1, 0, 0, 1, 0, 0);
    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  }

  // The first pixel of the top row and of the bottom row, read with GDI.
  std::pair<std::uint32_t, std::uint32_t> TopAndBottomPixels() const {
    HDC screen = GetDC(nullptr);
    BITMAPINFO topDown = linvale::test::DibHeader(mWidth, -mHeight, 32);
    std::vector<std::uint32_t> rows(static_cast<std::size_t>(mWidth) * mHeight);
    GetDIBits(screen, mBitmap, 0, static_cast<UINT>(mHeight), rows.data(), &topDown, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return {rows.front() & 0xFFFFFF, rows[static_cast<std::size_t>(mWidth) * (mHeight - 1)] & 0xFFFFFF};
  }

  LiveObjects mBefore = LiveObjects::Now();
  LONG mWidth = 0;
  LONG mHeight = 0;
  HDC mMemory = nullptr;
  HBITMAP mBitmap = nullptr;
  HGDIOBJ mStock = nullptr;
  void* mBits = nullptr;
  HGLRC mContext = nullptr;
};

TEST(PixelFormats, SoftwareFormatsDrawToBitmapsWithOpenGl) {
  HDC screen = GetDC(nullptr);
  PIXELFORMATDESCRIPTOR format{};
  const int count = DescribePixelFormat(screen, 0, sizeof format, nullptr);
  ASSERT_GE(count, 8);
  std::array<bool, 33> depths{};
  for (int index = 1; index <= count; ++index) {
    ASSERT_EQ(DescribePixelFormat(screen, index, sizeof format, &format), count);
    EXPECT_EQ(format.nSize, 40);
    EXPECT_EQ(format.dwFlags & (PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL), PFD_DRAW_TO_BITMAP | PFD_SUPPORT_OPENGL);
    EXPECT_EQ(format.iPixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(format.cColorBits, 32);
    EXPECT_EQ(format.cAccumBits, 0);
    if ((format.dwFlags & PFD_GENERIC_FORMAT) != 0) {
      depths[format.cDepthBits] = true;
    }
  }
  EXPECT_TRUE(depths[16] && depths[24] && depths[32]);
  EXPECT_EQ(DescribePixelFormat(screen, count + 1, sizeof format, &format), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  ReleaseDC(nullptr, screen);
}

TEST(PixelFormats, AreSetOnceAndContextsNeedOne) {
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetPixelFormat(memory), 0);
  EXPECT_EQ(wglCreateContext(memory), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
  ASSERT_TRUE(SetPixelFormat(memory, 2, nullptr));
  EXPECT_TRUE(SetPixelFormat(memory, 2, nullptr));
  EXPECT_FALSE(SetPixelFormat(memory, 1, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
  EXPECT_EQ(GetPixelFormat(memory), 2);
  DeleteDC(memory);
  EXPECT_EQ(GetPixelFormat(memory), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(GlBitmap, PicturesLandWithGlBottomRowAsTheFirstBitmapRow) {
  Make(64, 32);
  mContext = wglCreateContext(mMemory);
  ASSERT_NE(mContext, nullptr);
  ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));
  EXPECT_EQ(wglGetCurrentContext(), mContext);
  EXPECT_EQ(wglGetCurrentDC(), mMemory);
  glClearColor(0, 0, 1, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  // The lower half of the picture in GL's own coordinates, and a triangle
  // in the top right corner.
  FillRectangle(-1, -1, 1, 0, 0, 1, 0, 0);
  glColor3f(0, 1, 0);
  glBegin(GL_TRIANGLES);
  glVertex2f(0.5F, 1);
  glVertex2f(1, 0.5F);
  glVertex2f(1, 1);
  glEnd();
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);

  EXPECT_EQ(PixelAt(mBits, mWidth, 0, 0), red);
  EXPECT_EQ(PixelAt(mBits, mWidth, 15, 40), red);
  EXPECT_EQ(PixelAt(mBits, mWidth, 16, 10), blue);
  EXPECT_EQ(PixelAt(mBits, mWidth, 31, 63), green);
  EXPECT_EQ(PixelAt(mBits, mWidth, 31, 0), blue);
}

TEST_F(GlBitmap, TopDownSectionsGetThePictureTheRightWayUp) {
  Make(8, 4, 32, true);
  DrawLowerHalfRedOnBlue();
  EXPECT_EQ(TopAndBottomPixels(), std::pair(blue, red));
  // A top-down section's memory starts with the top row.
  EXPECT_EQ(PixelAt(mBits, mWidth, 0, 0), blue);
}

TEST_F(GlBitmap, TwentyFourBitSectionsGetThePicture) {
  Make(5, 4, 24);
  DrawLowerHalfRedOnBlue();
  EXPECT_EQ(TopAndBottomPixels(), std::pair(blue, red));
}

TEST_F(GlBitmap, EveryByteOfThePictureSurvivesTheFramebuffer) {
  Make(16, 16);
  // Every byte value in every channel and row, the fourth byte included.
  auto* bytes = static_cast<std::uint8_t*>(mBits);
  for (std::size_t i = 0; i < 16 * 16 * 4; ++i) {
    bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 64);
  }
  const std::vector<std::uint8_t> painted(bytes, bytes + 16 * 16 * 4);
  mContext = wglCreateContext(mMemory);
  ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));
  std::array<std::uint8_t, 4> pixel{};
  glReadPixels(5, 9, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE, pixel.data());
  EXPECT_EQ(std::memcmp(pixel.data(), painted.data() + (9 * 16 + 5) * 4, 4), 0);
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(std::vector<std::uint8_t>(bytes, bytes + 16 * 16 * 4), painted);

  // Colours drawn between the steps of 8 bits land exactly.
  ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));
  glClearColor(0x12 / 255.0F, 0x34 / 255.0F, 0x56 / 255.0F, 0x78 / 255.0F);
  glClear(GL_COLOR_BUFFER_BIT);
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(PixelAt(mBits, mWidth, 15, 15), 0x00123456U);
  EXPECT_EQ(bytes[3], 0x78);
}

TEST_F(GlBitmap, DepthAndColourSurviveHandingTheBitmapOut) {
  Make(32, 32);
  mContext = wglCreateContext(mMemory);
  ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));
  glClearColor(0, 0, 0, 0);
  glClearDepth(1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  FillRectangle(-1, -1, 0, 1, -0.5F, 1, 0, 0);  // left half, near

  // Hand the bitmap out the way the off-screen context does, change one
  // pixel with GDI meanwhile, and take it back.
  glFinish();
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  HGDIOBJ drawing = SelectObject(mMemory, mStock);
  EXPECT_EQ(PixelAt(mBits, mWidth, 10, 5), red);
  std::uint32_t white = 0x00FFFFFF;
  std::memcpy(static_cast<std::uint8_t*>(mBits) + (31 * 32 + 31) * 4, &white, 4);
  SelectObject(mMemory, drawing);
  ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));

  FillRectangle(-1, -1, 1, 1, 0.5F, 0, 1, 0);  // everywhere, farther away
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(PixelAt(mBits, mWidth, 10, 5), red);     // hidden by the depth kept
  EXPECT_EQ(PixelAt(mBits, mWidth, 10, 20), green);  // drawn
  EXPECT_EQ(PixelAt(mBits, mWidth, 31, 31), green);  // GDI's pixel came back and was drawn over
}

TEST_F(GlBitmap, DeletingTheCurrentContextWritesThePicture) {
  Make(4, 4);
  mContext = wglCreateContext(mMemory);
  ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));
  glClearColor(1, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  ASSERT_TRUE(wglDeleteContext(mContext));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(PixelAt(mBits, mWidth, 3, 3), red);
  EXPECT_FALSE(wglDeleteContext(mContext));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(wglMakeCurrent(mMemory, mContext));
  mContext = nullptr;
}

// Kilobytes of written pages in the mapping that holds `address`, as the
// kernel counts them.
long DirtyKilobytesAround(const void* address) {
  std::ifstream smaps("/proc/self/smaps");
  const auto at = reinterpret_cast<std::uintptr_t>(address);
  bool inside = false;
  long dirty = 0;
  for (std::string line; std::getline(smaps, line);) {
    std::uintptr_t begin = 0;
    std::uintptr_t end = 0;
    if (std::sscanf(line.c_str(), "%" SCNxPTR "-%" SCNxPTR, &begin, &end) == 2 && line.find(' ') > line.find('-')) {
      inside = begin <= at && at < end;
    } else if (inside && (line.starts_with("Shared_Dirty:") || line.starts_with("Private_Dirty:"))) {
      dirty += std::strtol(line.c_str() + line.find(':') + 1, nullptr, 10);
    }
  }
  return dirty;
}

// The picture is read into the framebuffer when the context is made current
// and written back when it lets go, so a fresh section's pages are all
// backed, ready for writing, at once then, not page by page as the reading
// and then the writing first touch them.
TEST_F(GlBitmap, AFreshSectionIsBackedWhenTheContextFirstTakesIt) {
  constexpr LONG side = 512;  // 1 MiB of pixels
  mWidth = side;
  mHeight = side;
  const BITMAPINFO info = linvale::test::DibHeader(side, side, 32);
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, side * side * 4, nullptr);
  ASSERT_NE(mapping, nullptr);
  mMemory = CreateCompatibleDC(nullptr);
  mBitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &mBits, mapping, 0);
  ASSERT_NE(mBitmap, nullptr);
  mStock = SelectObject(mMemory, mBitmap);
  ASSERT_TRUE(SetPixelFormat(mMemory, SoftwareFormat(mMemory, 24), nullptr));
  EXPECT_EQ(DirtyKilobytesAround(mBits), 0);
  mContext = wglCreateContext(mMemory);
  ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));
  EXPECT_GE(DirtyKilobytesAround(mBits), side * side * 4 / 1024);
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  CloseHandle(mapping);
}

TEST_F(GlBitmap, AContextMovedToAnotherBitmapLeavesTheFirstOneItsPicture) {
  Make(4, 4);
  void* otherBits = nullptr;
  HBITMAP other = MakeSection(4, 4, 32, &otherBits);
  mContext = wglCreateContext(mMemory);
  ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));
  glClearColor(1, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);

  HDC second = CreateCompatibleDC(nullptr);
  HGDIOBJ secondStock = SelectObject(second, other);
  SetPixelFormat(second, GetPixelFormat(mMemory), nullptr);
  ASSERT_TRUE(wglMakeCurrent(second, mContext));
  EXPECT_EQ(PixelAt(mBits, mWidth, 0, 0), red);
  glClearColor(0, 1, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  wglMakeCurrent(nullptr, nullptr);
  EXPECT_EQ(PixelAt(otherBits, 4, 0, 0), green);
  EXPECT_EQ(PixelAt(mBits, mWidth, 0, 0), red);

  SelectObject(second, secondStock);
  DeleteDC(second);
  DeleteObject(other);
}

// A context drawing into an 8x8 compatible bitmap, whose pixels only GDI
// calls can reach, handed out and taken back the way intermediate pictures
// are shown.
class GlCompatibleBitmap : public ::testing::Test {
protected:
  static constexpr LONG size = 8;

  void SetUp() override {
    mScreen = GetDC(nullptr);
    mMemory = CreateCompatibleDC(mScreen);
    mBitmap = CreateCompatibleBitmap(mScreen, size, size);
    mStock = SelectObject(mMemory, mBitmap);
    ASSERT_TRUE(SetPixelFormat(mMemory, SoftwareFormat(mMemory, 24), nullptr));
    mContext = wglCreateContext(mMemory);
    ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));
  }
  void TearDown() override {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(mContext);
    SelectObject(mMemory, mStock);
    DeleteObject(mBitmap);
    DeleteDC(mMemory);
    ReleaseDC(nullptr, mScreen);
    EXPECT_EQ(LiveObjects::Now(), mBefore);
  }

  void HandOut() {
    glFinish();
    ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
    ASSERT_EQ(SelectObject(mMemory, mStock), mBitmap);
  }
  void TakeBack() {
    ASSERT_NE(SelectObject(mMemory, mBitmap), nullptr);
    ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));
  }

  // Rows count from the bottom, as in the bitmap.
  std::uint32_t BitmapPixel(LONG row, LONG column) const {
    return PixelAt(linvale::test::ReadPixels32(mScreen, mBitmap).data(), size, row, column);
  }
  void SetBitmapPixel(LONG row, LONG column, std::uint32_t colour) const {
    auto pixels = linvale::test::ReadPixels32(mScreen, mBitmap);
    std::memcpy(pixels.data() + (static_cast<std::size_t>(row) * size + column) * 4, &colour, 4);
    const BITMAPINFO info = linvale::test::DibHeader(size, size, 32);
    ASSERT_EQ(SetDIBits(mScreen, mBitmap, 0, size, pixels.data(), &info, DIB_RGB_COLORS), size);
  }
  // What the current context's framebuffer holds, as 0x00RRGGBB.
  static std::uint32_t FramebufferPixel(LONG row, LONG column) {
    std::array<std::uint8_t, 4> pixel{};
    glReadPixels(column, row, 1, 1, GL_BGRA, GL_UNSIGNED_BYTE, pixel.data());
    return PixelAt(pixel.data(), 1, 0, 0);
  }

  LiveObjects mBefore = LiveObjects::Now();
  HDC mScreen = nullptr;
  HDC mMemory = nullptr;
  HBITMAP mBitmap = nullptr;
  HGDIOBJ mStock = nullptr;
  HGLRC mContext = nullptr;
};

TEST_F(GlCompatibleBitmap, GdiWritesWhileHandedOutReachTheFramebuffer) {
  glClearColor(0, 0, 1, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  HandOut();

  // One pixel through SetDIBits, one through BitBlt from another bitmap.
  constexpr std::uint32_t white = 0x00FFFFFF;
  SetBitmapPixel(7, 7, white);
  HDC painter = CreateCompatibleDC(mScreen);
  HBITMAP greenPixel = CreateCompatibleBitmap(mScreen, 1, 1);
  const BITMAPINFO onePixel = linvale::test::DibHeader(1, 1, 32);
  SetDIBits(mScreen, greenPixel, 0, 1, &green, &onePixel, DIB_RGB_COLORS);
  HDC source = CreateCompatibleDC(mScreen);
  HGDIOBJ sourceStock = SelectObject(source, greenPixel);
  HGDIOBJ painterStock = SelectObject(painter, mBitmap);
  ASSERT_TRUE(BitBlt(painter, 6, 0, 1, 1, source, 0, 0, SRCCOPY));  // top row, column 6
  SelectObject(painter, painterStock);
  SelectObject(source, sourceStock);
  DeleteDC(source);
  DeleteDC(painter);
  DeleteObject(greenPixel);

  TakeBack();
  EXPECT_EQ(FramebufferPixel(7, 7), white);
  EXPECT_EQ(FramebufferPixel(7, 6), green);
  FillRectangle(-1, -1, 0, 1, 0, 1, 0, 0);  // left half
  HandOut();
  EXPECT_EQ(BitmapPixel(0, 0), red);
  EXPECT_EQ(BitmapPixel(0, 7), blue);
  EXPECT_EQ(BitmapPixel(7, 7), white);
  EXPECT_EQ(BitmapPixel(7, 6), green);
  TakeBack();
}

TEST_F(GlCompatibleBitmap, AnUntouchedHandOutKeepsThePicture) {
  glClearColor(0, 0, 1, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  FillRectangle(-1, -1, 1, 0, 0, 1, 0, 0);  // lower half
  HandOut();
  const auto drawn = linvale::test::ReadPixels32(mScreen, mBitmap);
  TakeBack();
  EXPECT_EQ(FramebufferPixel(0, 0), red);
  EXPECT_EQ(FramebufferPixel(7, 7), blue);
  HandOut();
  EXPECT_EQ(linvale::test::ReadPixels32(mScreen, mBitmap), drawn);

  // A write after several untouched round trips still counts.
  TakeBack();
  HandOut();
  SetBitmapPixel(0, 0, green);
  TakeBack();
  EXPECT_EQ(FramebufferPixel(0, 0), green);
  EXPECT_EQ(FramebufferPixel(0, 1), red);
}

TEST_F(GlCompatibleBitmap, AContextSeesWhatAnotherContextWroteIntoItsBitmap) {
  glClearColor(1, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));

  HGLRC other = wglCreateContext(mMemory);
  ASSERT_TRUE(wglMakeCurrent(mMemory, other));
  glClearColor(0, 1, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_TRUE(wglDeleteContext(other));

  ASSERT_TRUE(wglMakeCurrent(mMemory, mContext));
  EXPECT_EQ(FramebufferPixel(3, 3), green);
  ASSERT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(BitmapPixel(3, 3), green);
}

TEST_F(GlBitmap, PicturesBeyondTheGlLimitAreRefusedCleanly) {
  Make(20000, 2);
  mContext = wglCreateContext(mMemory);
  EXPECT_EQ(mContext, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));

  // A context made for a small bitmap refuses a large one, and is then not
  // current.
  HBITMAP small = MakeSection(4, 4, 32);
  SelectObject(mMemory, small);
  mContext = wglCreateContext(mMemory);
  ASSERT_NE(mContext, nullptr);
  SelectObject(mMemory, mBitmap);
  EXPECT_FALSE(wglMakeCurrent(mMemory, mContext));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  SelectObject(mMemory, mStock);
  DeleteObject(small);
}

TEST_F(GlBitmap, ContextsNeedAMatchingFormatAndAKnownContext) {
  Make(4, 4);
  mContext = wglCreateContext(mMemory);
  HDC plain = CreateCompatibleDC(nullptr);
  EXPECT_FALSE(wglMakeCurrent(plain, mContext));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
  DeleteDC(plain);
  EXPECT_FALSE(wglMakeCurrent(plain, mContext));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(wglMakeCurrent(mMemory, reinterpret_cast<HGLRC>(0x1234)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
}

}  // namespace
