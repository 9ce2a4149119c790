// A current GL context on an off-screen picture the size of a supersampled
// 1920 x 1080 render, looked at straight on (one unit a pixel), and the
// process heap in use, for tests of what drawing leaves waiting in the
// rasteriser's queue.
#pragma once

#include <linvale/npr_gl_bitmap_context.h>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <malloc.h>
#include <stdlib.h>

#include <cstddef>

namespace linvale::test {

class SupersampledGlPicture {
public:
  static constexpr LONG kWidth = 3840;
  static constexpr LONG kHeight = 2160;

  // llvmpipe rasterises on the drawing thread, as npr-render has it, so
  // that what waits in its queue does not depend on how far threads of its
  // own have got. Only the first context of the process can choose that.
  SupersampledGlPicture() {
    setenv("LP_NUM_THREADS", "0", 1);
    mCurrent = mContext.CreateBitmapContext(SIZE{kWidth, kHeight}, 0, 32, nullptr, nullptr) &&
               mContext.CreateGlContext() && mContext.MakeCurrent();
    if (mCurrent) {
      glViewport(0, 0, kWidth, kHeight);
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      glOrtho(0.0, kWidth, 0.0, kHeight, -1.0, 1.0);
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
    }
  }

  bool IsCurrent() const { return mCurrent; }

private:
  NprGlBitmapContext mContext;
  bool mCurrent = false;
};

// Tests of what drawing leaves waiting, with the picture current.
class RasteriserQueueTest : public ::testing::Test {
protected:
  void SetUp() override {
#ifdef LINVALE_SANITIZED
    GTEST_SKIP() << "AddressSanitizer's allocator keeps no glibc heap counts";
#endif
    ASSERT_TRUE(mPicture.IsCurrent());
  }

private:
  SupersampledGlPicture mPicture;
};

// What glibc's heap has handed out and not had back, mapped blocks included.
inline std::size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}

// How much more the heap holds now than `before`; nothing when it shrank.
inline std::size_t HeapGrowthSince(std::size_t before) {
  const std::size_t now = HeapInUse();
  return now > before ? now - before : 0;
}

}  // namespace linvale::test
