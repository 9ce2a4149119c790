// SaveImage: every format comes back as the bitmap it was given, upright,
// whatever the bitmap's depth and row padding; failures, a write the file
// system cuts short among them, write nothing and say why.
#include <linvale/npr_host_application_services.h>
#include <linvale/npr_image_file.h>
#include <linvale/npr_win32_owners.h>
#include <windows.h>

#include "../support/bitmap_helpers.h"
#include "../support/devil_picture.h"
#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using linvale::test::Picture;
using linvale::test::Rgb;

class PlainHost : public NprHostApplicationServices {
public:
  void OnPreviewSettings(NprRenderSettings&) override {}
};

// Width 5 makes 24-bit rows need padding; every pixel differs from every
// other and from its mirror images.
constexpr int kWidth = 5;
constexpr int kHeight = 3;

Rgb Expected(int x, int rowFromTop) { return {200 - 10 * rowFromTop, 40 * x, 30 + 50 * rowFromTop}; }

// A bottom-up section filled so that row 0 in memory is the bottom row.
HBITMAP MakePattern(WORD bitsPerPixel) {
  void* bits = nullptr;
  HBITMAP bitmap = linvale::test::MakeSection(kWidth, kHeight, bitsPerPixel, &bits);
  const int bytesPerPixel = bitsPerPixel / 8;
  const int stride = (kWidth * bytesPerPixel + 3) / 4 * 4;
  for (int row = 0; row < kHeight; ++row) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb c = Expected(x, kHeight - 1 - row);
      auto* pixel = static_cast<std::uint8_t*>(bits) + row * stride + x * bytesPerPixel;
      pixel[0] = static_cast<std::uint8_t>(c.b);
      pixel[1] = static_cast<std::uint8_t>(c.g);
      pixel[2] = static_cast<std::uint8_t>(c.r);
      if (bytesPerPixel == 4) {
        pixel[3] = 77;
      }
    }
  }
  return bitmap;
}

void ExpectPattern(const std::string& path, int tolerance) {
  Picture picture;
  ASSERT_TRUE(picture.Load(path)) << path;
  ASSERT_EQ(picture.Width(), kWidth) << path;
  ASSERT_EQ(picture.Height(), kHeight) << path;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const Rgb actual = picture.At(x, y);
      const Rgb expected = Expected(x, y);
      EXPECT_NEAR(actual.r, expected.r, tolerance) << path << " at " << x << "," << y;
      EXPECT_NEAR(actual.g, expected.g, tolerance) << path << " at " << x << "," << y;
      EXPECT_NEAR(actual.b, expected.b, tolerance) << path << " at " << x << "," << y;
    }
  }
}

std::wstring Wide(const fs::path& path) { return path.wstring(); }

class SaveImageTest : public ::testing::Test {
protected:
  linvale::test::TemporaryHome mHome;
  PlainHost mHost;
};

}  // namespace

TEST_F(SaveImageTest, EveryFormatReadsBackAsTheBitmapUpright) {
  for (const WORD depth : {WORD{24}, WORD{32}}) {
    const NprUniqueGdiObject<HBITMAP> bitmap(MakePattern(depth));
    ASSERT_NE(bitmap, nullptr);
    // Lower-case and capital TIFF extensions go different ways inside and
    // must come out alike.
    for (const std::string name :
         {"picture.png", "picture.bmp", "picture.tif", "picture.tiff", "picture.TIF", "picture.tga"}) {
      const fs::path path = mHome.Path() / (std::to_string(depth) + "-" + name);
      EXPECT_EQ(NprSaveImageFile(bitmap.get(), Wide(path).c_str()), 0) << path;
      ExpectPattern(path.string(), 0);
    }
    // JPEG loses a little; the pattern is still recognisable.
    const fs::path jpeg = mHome.Path() / (std::to_string(depth) + "-picture.jpg");
    EXPECT_EQ(NprSaveImageFile(bitmap.get(), Wide(jpeg).c_str()), 0);
    ExpectPattern(jpeg.string(), 40);
  }
}

TEST_F(SaveImageTest, AnExistingFileIsOverwritten) {
  const fs::path path = mHome.Path() / "picture.png";
  linvale::test::WriteText(path, "stale");
  const NprUniqueGdiObject<HBITMAP> bitmap(MakePattern(24));
  mHost.SaveImage(bitmap.get(), Wide(path).c_str());
  ExpectPattern(path.string(), 0);
}

// A failed save tells why.
void ExpectFailure(int error, int reason, const std::string& what) {
  EXPECT_EQ(error, reason) << what << ": " << std::strerror(error);
}

TEST_F(SaveImageTest, NamesWithoutAUsableExtensionOrBitmapWriteNothing) {
  NprUniqueGdiObject<HBITMAP> bitmap(MakePattern(24));
  // The extension is what follows the last dot of the whole path: here
  // "png/picture", which names no format.
  fs::create_directory(mHome.Path() / "folder.png");
  const fs::path inDottedFolder = mHome.Path() / "folder.png" / "picture";
  ExpectFailure(NprSaveImageFile(bitmap.get(), Wide(inDottedFolder).c_str()), ENOTSUP, "no extension");
  EXPECT_FALSE(fs::exists(inDottedFolder));
  // A format DevIL reads but cannot write.
  const fs::path gif = mHome.Path() / "picture.gif";
  ExpectFailure(NprSaveImageFile(bitmap.get(), Wide(gif).c_str()), ENOTSUP, "gif");
  EXPECT_FALSE(fs::exists(gif));
  ExpectFailure(NprSaveImageFile(bitmap.get(), nullptr), EINVAL, "no name");
  const HBITMAP deleted = bitmap.get();
  bitmap.reset();

  // A handle that is no bitmap must not replace a file with an empty picture.
  const fs::path existing = mHome.Path() / "keep.png";
  linvale::test::WriteText(existing, "older picture");
  ExpectFailure(NprSaveImageFile(nullptr, Wide(existing).c_str()), EINVAL, "null bitmap");
  ExpectFailure(NprSaveImageFile(deleted, Wide(existing).c_str()), EINVAL, "deleted bitmap");
  EXPECT_EQ(linvale::test::ReadText(existing), "older picture");
}

// Lowers the largest file this process may write, as a nearly full disk
// would, and ignores SIGXFSZ so that a write past it fails with EFBIG.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &mPrevious);
    mPreviousAction = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, mPrevious.rlim_max};
    mActive = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &mPrevious);
    std::signal(SIGXFSZ, mPreviousAction);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool Active() const { return mActive; }

private:
  rlimit mPrevious{};
  void (*mPreviousAction)(int) = SIG_DFL;
  bool mActive = false;
};

TEST_F(SaveImageTest, AWriteCutShortFailsWithTheSystemsReasonAndLeavesNoFile) {
  // Noise, so that no encoder squeezes it under the limit.
  void* bits = nullptr;
  const NprUniqueGdiObject<HBITMAP> bitmap(linvale::test::MakeSection(256, 256, 24, &bits));
  ASSERT_NE(bitmap, nullptr);
  std::uint32_t seed = 12345;
  for (std::size_t i = 0; i < 256 * 256 * 3; ++i) {
    seed = seed * 1664525u + 1013904223u;
    static_cast<std::uint8_t*>(bits)[i] = static_cast<std::uint8_t>(seed >> 24);
  }
  for (const std::string name : {"cut.png", "cut.bmp", "cut.tif", "cut.tga", "cut.jpg", "cut.pcx"}) {
    const fs::path path = mHome.Path() / name;
    int reason = 0;
    {
      const FileSizeLimit limit(4096);
      ASSERT_TRUE(limit.Active());
      reason = NprSaveImageFile(bitmap.get(), Wide(path).c_str());
    }
    EXPECT_EQ(reason, EFBIG) << name << ": " << std::strerror(reason);
    EXPECT_FALSE(fs::exists(path)) << name;
    // Without the limit the same picture is written whole.
    EXPECT_EQ(NprSaveImageFile(bitmap.get(), Wide(path).c_str()), 0) << name;
    EXPECT_GT(fs::file_size(path), 4096u) << name;
  }
}

TEST_F(SaveImageTest, WideNamesBeyondAsciiReachTheFileSystemAsUtf8) {
  const NprUniqueGdiObject<HBITMAP> bitmap(MakePattern(24));
  const std::wstring name = mHome.Path().wstring() + L"/Zeichnung \u00e4\u00df \u6a21\u578b \U0001F589.png";
  mHost.SaveImage(bitmap.get(), name.c_str());
  ExpectPattern(mHome.Path().string() + "/Zeichnung \xc3\xa4\xc3\x9f \xe6\xa8\xa1\xe5\x9e\x8b \xf0\x9f\x96\x89.png", 0);
}
