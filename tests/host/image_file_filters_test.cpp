// The image file chooser's filter table and the extension a typed name gets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_file_filters.h"

namespace {

using linvale::host::ImageFileFilterString;
using linvale::host::WithDefaultExtension;

std::vector<std::string> Fields(const std::string& filter) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (start < filter.size() && filter[start] != '\0') {
    const std::size_t end = filter.find('\0', start);
    fields.push_back(filter.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

TEST(ImageFileFilters, FilterStringHoldsTheThirteenRowsInOrder) {
  const std::string filter = ImageFileFilterString();
  // Every field ends in a NUL and the list in a second one.
  ASSERT_GE(filter.size(), 2u);
  EXPECT_EQ(filter[filter.size() - 1], '\0');
  EXPECT_EQ(filter[filter.size() - 2], '\0');
  const std::vector<std::string> fields = Fields(filter);
  ASSERT_EQ(fields.size(), 26u);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Image Files (all supported)",
       "*.bmp;*.jpe;*.jpg;*.jpeg;*.lif;*.bmp;*.ico;*.pbm;*.pgm;*.pnm;*.ppm;*.png;*.bw;*.rgb;*.rgba;*.sgi;*.tga;*.tif;"
       "*.tiff;*.pcx"},
      {".JPG, .JPE, .JPEG (Jpeg Files)", "*.jpe;*.jpg;*.jpeg"},
      {".TIF (Tiff Files)", "*.tif;*.tiff"},
      {".PNG (Portable Network Graphics)", "*.png"},
      {".BMP (Microsoft bitmap Files)", "*.bmp"},
      {".GIF (Graphics Interchange Format)", "*.gif"},
      {".TGA (Targa Files)", "*.tga"},
      {".PCX (ZSoft Pcx Files)", "*.pcx"},
      {".PBM, .PGM, .PNM, .PPM (Portable AnyMap)", "*.pbm;*.pgm;*.pnm;*.ppm"},
      {".SGI (Sgi Files)", "*.bw;*.rgb;*.rgba;*.sgi"},
      {".DDS (Microsoft DirectDraw Surface)", "*.dds"},
      {".LIF (Homeworld Image Files)", "*.lif"},
      {"All files (*.*)", "*.*"},
  };
  for (std::size_t row = 0; row < expected.size(); ++row) {
    EXPECT_EQ(fields[2 * row], expected[row].first) << "row " << row + 1;
    EXPECT_EQ(fields[2 * row + 1], expected[row].second) << "row " << row + 1;
  }
}

TEST(ImageFileFilters, NameWithoutExtensionGetsTheSelectedRowsDefault) {
  EXPECT_EQ(WithDefaultExtension("/p/picture", 1), "/p/picture.bmp");
  EXPECT_EQ(WithDefaultExtension("/p/picture", 2), "/p/picture.jpg");
  EXPECT_EQ(WithDefaultExtension("/p/picture", 3), "/p/picture.tif");
  EXPECT_EQ(WithDefaultExtension("/p/picture", 4), "/p/picture.png");
  EXPECT_EQ(WithDefaultExtension("/p/picture", 9), "/p/picture.ppm");
  EXPECT_EQ(WithDefaultExtension("/p/picture", 10), "/p/picture.sgi");
  // "All files" still writes something DevIL can read back.
  EXPECT_EQ(WithDefaultExtension("/p/picture", 13), "/p/picture.bmp");
}

TEST(ImageFileFilters, NamesWithAnExtensionOrUnknownRowsStayAsTyped) {
  EXPECT_EQ(WithDefaultExtension("/p/picture.PNG", 2), "/p/picture.PNG");
  EXPECT_EQ(WithDefaultExtension("/p/archive.tar.gz", 4), "/p/archive.tar.gz");
  EXPECT_EQ(WithDefaultExtension("/p/picture", 0), "/p/picture");
  EXPECT_EQ(WithDefaultExtension("/p/picture", 14), "/p/picture");
  // A dot in a folder's name or at the start of a file's is no extension.
  EXPECT_EQ(WithDefaultExtension("/p.d/picture", 4), "/p.d/picture.png");
  EXPECT_EQ(WithDefaultExtension("/p/.hidden", 5), "/p/.hidden.bmp");
}

}  // namespace
