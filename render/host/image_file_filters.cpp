#include "image_file_filters.h"

#include "../pipeline/resource_strings.h"

namespace linvale::host {

std::array<ImageFileFilter, kImageFileFilterCount> ImageFileFilters() {
  using enum ResourceString;
  return {{
      {LoadResourceString(AllImageFiles),
       "*.bmp;*.jpe;*.jpg;*.jpeg;*.lif;*.bmp;*.ico;*.pbm;*.pgm;*.pnm;*.ppm;*.png;*.bw;*.rgb;*.rgba;*.sgi;*.tga;*.tif;"
       "*.tiff;*.pcx",
       ".bmp"},
      {LoadResourceString(JpegFiles), "*.jpe;*.jpg;*.jpeg", ".jpg"},
      {LoadResourceString(TiffFiles), "*.tif;*.tiff", ".tif"},
      {LoadResourceString(PngFiles), "*.png", ".png"},
      {LoadResourceString(BmpFiles), "*.bmp", ".bmp"},
      {LoadResourceString(GifFiles), "*.gif", ".gif"},
      {LoadResourceString(TargaFiles), "*.tga", ".tga"},
      {LoadResourceString(PcxFiles), "*.pcx", ".pcx"},
      {LoadResourceString(AnyMapFiles), "*.pbm;*.pgm;*.pnm;*.ppm", ".ppm"},
      {LoadResourceString(SgiFiles), "*.bw;*.rgb;*.rgba;*.sgi", ".sgi"},
      {LoadResourceString(DdsFiles), "*.dds", ".dds"},
      {LoadResourceString(LifFiles), "*.lif", ".lif"},
      {LoadResourceString(AllFiles), "*.*", ".bmp"},
  }};
}

std::string ImageFileFilterString() {
  std::string filter;
  for (const ImageFileFilter& row : ImageFileFilters()) {
    filter.append(row.description).push_back('\0');
    filter.append(row.patterns).push_back('\0');
  }
  filter.push_back('\0');
  return filter;
}

std::string WithDefaultExtension(const std::string& path, unsigned row) {
  if (row == 0 || row > kImageFileFilterCount) {
    return path;
  }
  const std::size_t nameStart = path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1;
  // A dot that starts the name marks a hidden file, not an extension.
  const std::size_t dot = path.find_last_of('.');
  if (dot != std::string::npos && dot > nameStart) {
    return path;
  }
  return path + ImageFileFilters()[row - 1].defaultExtension;
}

}  // namespace linvale::host
