// Build-time generator of the Sketch shader's texture images:
//   sketch-texture-gen <kind> <output.bmp>
// The images are generated rather than kept in the repository so that they
// stay reproducible and reviewable as code.
#include "texture_kinds.h"

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <pl1..pl3|wc1..wc3|paper-cold-press|paper-laid> <output.bmp>\n", argv[0]);
    return 2;
  }
  const auto image = sketch_textures::MakeTexture(argv[1]);
  if (!image) {
    std::fprintf(stderr, "%s: unknown texture kind \"%s\"\n", argv[0], argv[1]);
    return 2;
  }
  if (!sketch_textures::WriteBmp24(argv[2], *image)) {
    std::fprintf(stderr, "%s: cannot write \"%s\"\n", argv[0], argv[2]);
    return 1;
  }
  return 0;
}
