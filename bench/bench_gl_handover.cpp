// Showing an intermediate picture at 3840 x 2160: the bitmap is locked
// (the drawing is written into it), handed to nobody, and unlocked (the
// context draws into it again), as a shader does after each stage. And the
// first round trip of a render, whose picture's pages are still to be had.
#include <linvale/bitmap_dc.h>
#include <linvale/dib_pixels.h>
#include <linvale/npr_win32_owners.h>
#include <windows.h>

#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr SIZE pictureSize{3840, 2160};
constexpr unsigned long genericFormats = 0x40;

// The off-screen context a render draws into; over a file mapping when
// `mapped`, as a host that keeps the picture in shared memory asks for.
class Drawing {
public:
  explicit Drawing(bool mapped) {
    HANDLE mapping = nullptr;
    mOk = wglCreateDefaultBitmapDC(mDc.Get(), &pictureSize, 8, 24, 0, genericFormats, mapped ? &mFile : nullptr,
                                   mapped ? &mapping : nullptr) != 0;
    mMapping.reset(mapping);
    mGlrc.reset(mOk ? wglCreateContext(mDc.Hdc()) : nullptr);
    mOk = mGlrc != nullptr && wglMakeCurrent(mDc.Hdc(), mGlrc.get()) != 0;
    if (mOk) {
      glClearColor(0.25F, 0.5F, 0.75F, 1.0F);
      glClear(GL_COLOR_BUFFER_BIT);
    }
  }

  bool Ok() const { return mOk; }
  HBITMAP Lock() { return wglLockBitmap(mDc.Get()); }
  bool Unlock() { return wglUnLockBitmap(mDc.Get(), mGlrc.get()) != 0; }

private:
  // Torn down from the last: the GL context, the bitmap context, then the
  // mapping under its picture.
  NprUniqueHandle mMapping;
  NprUniqueBitmapDC mDc;
  NprUniqueGlContext mGlrc;
  HANDLE mFile = nullptr;
  bool mOk = false;
};

// `touch` writes one pixel with GDI while the picture is handed out, as a
// host that marks it would.
void LockUnlockCycle(benchmark::State& state, bool mapped, bool touch) {
  Drawing drawing(mapped);
  if (!drawing.Ok()) {
    state.SkipWithError("no off-screen OpenGL context");
    return;
  }
  const NprScreenDC screen = NprGetScreenDC();
  const BITMAPINFO oneRow = NprDibHeader(pictureSize.cx, 1, 32);
  std::vector<std::uint32_t> row(static_cast<std::size_t>(pictureSize.cx), 0x00FFFFFFU);
  for (auto _ : state) {
    HBITMAP picture = drawing.Lock();
    if (picture == nullptr) {
      state.SkipWithError("lock failed");
      break;
    }
    if (touch) {
      SetDIBits(screen.get(), picture, 0, 1, row.data(), &oneRow, DIB_RGB_COLORS);
    }
    benchmark::DoNotOptimize(picture);
    if (!drawing.Unlock()) {
      state.SkipWithError("unlock failed");
      break;
    }
  }
}

void BM_CompatibleBitmap(benchmark::State& state) { LockUnlockCycle(state, false, false); }
void BM_CompatibleBitmapWrittenMeanwhile(benchmark::State& state) { LockUnlockCycle(state, false, true); }
void BM_MappedSection(benchmark::State& state) { LockUnlockCycle(state, true, false); }

// A fresh picture over a file mapping, as every render starts: one context
// takes it (reading it into a new framebuffer) and lets go (writing it
// back). Making and freeing the picture is not timed.
class FreshPicture {
public:
  FreshPicture()
      : mMapping(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    static_cast<DWORD>(pictureSize.cx * pictureSize.cy * 4), nullptr)),
        mMemory(CreateCompatibleDC(nullptr)) {
    const BITMAPINFO info = NprDibHeader(pictureSize.cx, pictureSize.cy, 32);
    void* bits = nullptr;
    mSection.reset(mMapping ? CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, mMapping.get(), 0) : nullptr);
    mStock = mSection ? SelectObject(mMemory.get(), mSection.get()) : nullptr;
  }
  ~FreshPicture() {
    if (mStock != nullptr) {
      SelectObject(mMemory.get(), mStock);
    }
  }
  FreshPicture(const FreshPicture&) = delete;
  FreshPicture& operator=(const FreshPicture&) = delete;

  HDC Hdc() const { return mStock != nullptr ? mMemory.get() : nullptr; }

private:
  NprUniqueHandle mMapping;
  NprUniqueDC mMemory;
  NprUniqueGdiObject<HBITMAP> mSection;
  HGDIOBJ mStock = nullptr;
};

void BM_FreshMappedSectionFirstRoundTrip(benchmark::State& state) {
  FreshPicture first;
  const bool formatSet = first.Hdc() != nullptr && wglSetPixelFormat(first.Hdc(), 32, 8, 24, 0, genericFormats) != 0;
  NprUniqueGlContext context(formatSet ? wglCreateContext(first.Hdc()) : nullptr);
  if (!context) {
    state.SkipWithError("no off-screen OpenGL context");
    return;
  }
  for (auto _ : state) {
    state.PauseTiming();
    {
      FreshPicture picture;
      const bool ready =
          picture.Hdc() != nullptr && wglSetPixelFormat(picture.Hdc(), 32, 8, 24, 0, genericFormats) != 0;
      state.ResumeTiming();
      if (!ready || !wglMakeCurrent(picture.Hdc(), context.get()) || !wglMakeCurrent(nullptr, nullptr)) {
        state.SkipWithError("the context did not take the picture");
        break;
      }
      state.PauseTiming();
    }
    state.ResumeTiming();
  }
}

BENCHMARK(BM_CompatibleBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompatibleBitmapWrittenMeanwhile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MappedSection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreshMappedSectionFirstRoundTrip)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
