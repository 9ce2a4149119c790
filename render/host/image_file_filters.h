// The file types the image file chooser offers, one row per filter entry,
// and what a chosen name gets when the user typed it without an extension.
#pragma once

#include <array>
#include <string>

namespace linvale::host {

struct ImageFileFilter {
  const char* description;       // translatable, from the string table
  const char* patterns;          // "*.a;*.b"
  const char* defaultExtension;  // ".a"
};

inline constexpr std::size_t kImageFileFilterCount = 13;

// The rows in the order the chooser lists them; row n of the chooser (from
// 1) is element n - 1.
std::array<ImageFileFilter, kImageFileFilterCount> ImageFileFilters();

// The rows as one filter string: description and patterns of every row,
// each ended by a NUL, and a second NUL at the end.
std::string ImageFileFilterString();

// `path` with the default extension of filter row `row` (from 1) appended
// when its file name has no extension; unchanged otherwise, and for a row
// outside the table.
std::string WithDefaultExtension(const std::string& path, unsigned row);

}  // namespace linvale::host
