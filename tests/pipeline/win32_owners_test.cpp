// The owners of Win32 objects: each ends its object the right way, and the
// last error survives a clean-up.
#include "../support/bitmap_helpers.h"

#include <linvale/npr_win32_owners.h>

#include <gtest/gtest.h>

namespace {

using linvale::test::LiveObjects;

HANDLE NewMapping() { return CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 64, nullptr); }

bool IsBitmap(HGDIOBJ object) {
  BITMAP described{};
  return GetObject(object, sizeof described, &described) != 0;
}

TEST(Win32Owners, EachOwnerEndsItsObjectWhenItGoes) {
  const LiveObjects before = LiveObjects::Now();
  HGDIOBJ bitmapHandle = nullptr;
  HANDLE mappingHandle = nullptr;
  {
    const NprUniqueGdiObject<HBITMAP> bitmap(linvale::test::MakeSection(4, 4, 32));
    const NprUniqueHandle mapping(NewMapping());
    const NprUniqueDC memory(CreateCompatibleDC(nullptr));
    const NprScreenDC screen = NprGetScreenDC();
    ASSERT_TRUE(bitmap && mapping && memory && screen);
    EXPECT_EQ(LiveObjects::Now().gdi, before.gdi + 3);
    EXPECT_EQ(LiveObjects::Now().handles, before.handles + 1);
    bitmapHandle = bitmap.get();
    mappingHandle = mapping.get();
  }
  EXPECT_EQ(LiveObjects::Now(), before);
  EXPECT_FALSE(IsBitmap(bitmapHandle));
  EXPECT_FALSE(CloseHandle(mappingHandle));
}

TEST(Win32Owners, TheGlContextGoesBeforeItsBitmapContextAndLeavesNothingCurrent) {
  const LiveObjects before = LiveObjects::Now();
  HGLRC glrcHandle = nullptr;
  {
    NprUniqueBitmapDC dc;
    const SIZE size{8, 8};
    ASSERT_NE(wglCreateDefaultBitmapDC(dc.Get(), &size, 0, 16, 0, 0x40, nullptr, nullptr), 0);
    ASSERT_NE(dc.Hdc(), nullptr);
    const NprUniqueGlContext glrc(wglCreateContext(dc.Hdc()));
    ASSERT_NE(glrc, nullptr);
    ASSERT_TRUE(wglMakeCurrent(dc.Hdc(), glrc.get()));
    glrcHandle = glrc.get();
  }
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_FALSE(wglDeleteContext(glrcHandle));
  // The memory context and the drawing bitmap it left both went.
  EXPECT_EQ(LiveObjects::Now(), before);
}

TEST(Win32Owners, AGlContextThatIsNotCurrentLeavesTheCurrentOneAlone) {
  NprUniqueBitmapDC dc;
  const SIZE size{4, 4};
  ASSERT_NE(wglCreateDefaultBitmapDC(dc.Get(), &size, 0, 16, 0, 0x40, nullptr, nullptr), 0);
  const NprUniqueGlContext current(wglCreateContext(dc.Hdc()));
  ASSERT_TRUE(wglMakeCurrent(dc.Hdc(), current.get()));
  NprUniqueGlContext other(wglCreateContext(dc.Hdc()));
  ASSERT_NE(other, nullptr);
  other.reset();
  EXPECT_EQ(wglGetCurrentContext(), current.get());
}

TEST(LastErrorScope, TheErrorBeforeTheScopeSurvivesAFailingCleanUp) {
  SetLastError(ERROR_INVALID_PIXEL_FORMAT);
  {
    const NprLastErrorScope failure;
    EXPECT_FALSE(CloseHandle(reinterpret_cast<HANDLE>(0x1234)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  }
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PIXEL_FORMAT));
}

TEST(HandleSlot, ClosingEmptiesTheSlotAndLeavesNoSlotOrNoHandleAlone) {
  const LiveObjects before = LiveObjects::Now();
  HANDLE slot = NewMapping();
  const HANDLE held = slot;
  NprCloseHandleSlot(&slot);
  EXPECT_EQ(slot, nullptr);
  EXPECT_FALSE(CloseHandle(held));
  EXPECT_EQ(LiveObjects::Now(), before);

  // Nothing to close must not even be tried: a failed close would replace
  // the error a caller is about to report.
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  NprCloseHandleSlot(&slot);
  NprCloseHandleSlot(nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
}

}  // namespace
