#include <linvale/npr_vector_render.h>

#include "vector_files.h"

#include <algorithm>
#include <cctype>

namespace {

std::string LowerExtension(const std::string& path) {
  const auto dot = path.find_last_of('.');
  const auto slash = path.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
    return {};
  }
  std::string extension = path.substr(dot);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

}  // namespace

bool NprIsVectorFileName(const std::string& path) {
  const std::string extension = LowerExtension(path);
  return extension == ".svg" || extension == ".pdf";
}

std::string NprWriteVectorFile(const NprVectorDrawing& drawing, const std::string& path) {
  try {
    const std::string extension = LowerExtension(path);
    if (extension == ".svg") {
      return linvale::WriteSvgFile(drawing, path);
    }
    if (extension == ".pdf") {
      return linvale::WritePdfFile(drawing, path);
    }
    return "'" + path + "' names no vector format (.svg or .pdf)";
  } catch (...) {
    return "out of memory while writing '" + path + "'";
  }
}
