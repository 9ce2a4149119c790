// An image file read back through DevIL as 8-bit RGB rows, top row first,
// whatever the file's own row order.
#pragma once

#include <IL/il.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace linvale::test {

struct Rgb {
  int r, g, b;
};

class Picture {
public:
  // False when DevIL cannot read the file.
  bool Load(const std::string& path) {
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilEnable(IL_ORIGIN_SET);
    ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
    const bool loaded = ilLoadImage(path.c_str()) == IL_TRUE && ilConvertImage(IL_RGB, IL_UNSIGNED_BYTE) == IL_TRUE;
    if (loaded) {
      mWidth = ilGetInteger(IL_IMAGE_WIDTH);
      mHeight = ilGetInteger(IL_IMAGE_HEIGHT);
      const ILubyte* data = ilGetData();
      mPixels.assign(data, data + static_cast<std::size_t>(mWidth) * mHeight * 3);
    }
    ilBindImage(0);
    ilDeleteImages(1, &image);
    return loaded;
  }

  int Width() const { return mWidth; }
  int Height() const { return mHeight; }

  Rgb At(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * mWidth + x) * 3;
    return {mPixels[i], mPixels[i + 1], mPixels[i + 2]};
  }

  // Pixels whose colour differs from the top left corner's, a stand-in for
  // the background.
  int CountUnlikeCorner(int tolerance = 24) const {
    const Rgb corner = At(0, 0);
    int count = 0;
    for (int y = 0; y < mHeight; ++y) {
      for (int x = 0; x < mWidth; ++x) {
        const Rgb p = At(x, y);
        count += std::abs(p.r - corner.r) + std::abs(p.g - corner.g) + std::abs(p.b - corner.b) > tolerance;
      }
    }
    return count;
  }

  template <class Predicate>
  int Count(Predicate predicate) const {
    int count = 0;
    for (int y = 0; y < mHeight; ++y) {
      for (int x = 0; x < mWidth; ++x) {
        count += predicate(At(x, y)) ? 1 : 0;
      }
    }
    return count;
  }

  // Mean absolute difference per channel.
  double DifferenceTo(const Picture& other) const {
    if (other.mPixels.size() != mPixels.size() || mPixels.empty()) {
      return 255.0;
    }
    double sum = 0.0;
    for (std::size_t i = 0; i < mPixels.size(); ++i) {
      sum += std::abs(static_cast<int>(mPixels[i]) - static_cast<int>(other.mPixels[i]));
    }
    return sum / static_cast<double>(mPixels.size());
  }

private:
  int mWidth = 0;
  int mHeight = 0;
  std::vector<std::uint8_t> mPixels;
};

}  // namespace linvale::test
