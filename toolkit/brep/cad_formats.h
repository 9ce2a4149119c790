// The CAD formats the toolkit reads, told by a file's name. Kept free of
// OCCT so that the toolkit can decide without loading the CAD module.
#pragma once

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

namespace tessel::detail {

enum class CadFormat { Step, Iges, Brep };

// The format a file's name asks for, when it is one of these.
inline bool CadFormatOf(const char* path, CadFormat& format) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".step" || extension == ".stp") {
    format = CadFormat::Step;
  } else if (extension == ".iges" || extension == ".igs") {
    format = CadFormat::Iges;
  } else if (extension == ".brep") {
    format = CadFormat::Brep;
  } else {
    return false;
  }
  return true;
}

}  // namespace tessel::detail
