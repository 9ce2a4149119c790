// The two file formats of a vector drawing.
#pragma once

#include <linvale/npr_vector_drawing.h>

#include <string>

namespace linvale {

// A page coordinate with at most two decimals and no trailing zeros.
std::string FormatCoordinate(double value);

// Empty text on success, else what went wrong.
std::string WriteSvgFile(const NprVectorDrawing& drawing, const std::string& path);
std::string WritePdfFile(const NprVectorDrawing& drawing, const std::string& path);

}  // namespace linvale
