// SVG is written by hand rather than through a drawing library's SVG
// surface: groups must carry the node names and paths must stay paths, one
// per polyline, which such surfaces do not offer.
#include "vector_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

namespace linvale {

namespace {

std::string HexColour(const std::array<double, 3>& colour) {
  char text[8];
  const auto byte = [](double fraction) { return static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * 255.0)); };
  std::snprintf(text, sizeof text, "#%02x%02x%02x", byte(colour[0]), byte(colour[1]), byte(colour[2]));
  return text;
}

// A name usable as an XML id: letters, digits, '-', '_' and '.', not
// starting with a digit, '-' or '.'; made unique with a number.
std::string GroupId(const std::string& name, std::set<std::string>& used) {
  std::string id;
  for (const char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '_' || c == '.';
    id += plain ? c : '_';
  }
  if (id.empty() || !((id[0] >= 'a' && id[0] <= 'z') || (id[0] >= 'A' && id[0] <= 'Z') || id[0] == '_')) {
    id.insert(0, "_");
  }
  std::string unique = id;
  for (int n = 2; !used.insert(unique).second; ++n) {
    unique = id + "-" + std::to_string(n);
  }
  return unique;
}

std::string EscapedText(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default:
        // Control characters are not allowed in XML 1.0 text.
        escaped += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
  }
  return escaped;
}

void WritePathData(std::ostream& out, const std::vector<NprPagePoint>& points, bool closed) {
  out << " d=\"";
  for (std::size_t i = 0; i < points.size(); ++i) {
    out << (i == 0 ? "M" : "L") << FormatCoordinate(points[i].x) << ' ' << FormatCoordinate(points[i].y);
  }
  if (closed) {
    out << 'Z';
  }
  out << '"';
}

void WriteStroke(std::ostream& out, const NprVectorStroke& stroke) {
  out << " stroke=\"" << HexColour(stroke.colour) << "\" stroke-width=\"" << FormatCoordinate(stroke.width) << '"';
  if (stroke.alpha < 1.0) {
    out << " stroke-opacity=\"" << FormatCoordinate(std::max(stroke.alpha, 0.0)) << '"';
  }
  if (stroke.dashed) {
    const double dash = std::max(2.0, stroke.width * 4.0);
    out << " stroke-dasharray=\"" << FormatCoordinate(dash) << ' ' << FormatCoordinate(dash * 0.75) << '"';
  }
}

void WriteFills(std::ostream& out, const std::vector<NprVectorFill>& fills) {
  if (fills.empty()) {
    return;
  }
  out << "<g id=\"faces\" stroke=\"none\">\n";
  for (const NprVectorFill& fill : fills) {
    // A hairline of the fill's own colour closes the seams between faces.
    out << "<path";
    WritePathData(out, fill.corners, true);
    const std::string colour = HexColour(fill.colour);
    out << " fill=\"" << colour << "\" stroke=\"" << colour << "\" stroke-width=\"0.5\"/>\n";
  }
  out << "</g>\n";
}

}  // namespace

std::string FormatCoordinate(double value) {
  char text[32];
  const double rounded = std::round(value * 100.0) / 100.0;
  std::snprintf(text, sizeof text, "%.2f", rounded == 0.0 ? 0.0 : rounded);
  std::string formatted = text;
  while (formatted.back() == '0') {
    formatted.pop_back();
  }
  if (formatted.back() == '.') {
    formatted.pop_back();
  }
  return formatted;
}

std::string WriteSvgFile(const NprVectorDrawing& drawing, const std::string& path) {
  std::ostringstream out;
  const std::string width = FormatCoordinate(drawing.width);
  const std::string height = FormatCoordinate(drawing.height);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << width << "\" height=\"" << height
      << "\" viewBox=\"0 0 " << width << ' ' << height << "\">\n"
      << "<rect id=\"background\" width=\"" << width << "\" height=\"" << height << "\" fill=\""
      << HexColour(drawing.background) << "\"/>\n";
  WriteFills(out, drawing.fills);
  std::set<std::string> used{"background", "faces"};
  for (const NprVectorGroup& group : drawing.groups) {
    out << "<g id=\"" << GroupId(group.name, used) << "\" fill=\"none\" stroke-linecap=\"round\" "
        << "stroke-linejoin=\"round\">\n<title>" << EscapedText(group.name) << "</title>\n";
    for (const NprVectorPath& p : group.paths) {
      out << "<path";
      WritePathData(out, p.points, p.closed);
      WriteStroke(out, p.stroke);
      out << "/>\n";
    }
    out << "</g>\n";
  }
  out << "</svg>\n";

  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) {
    return "cannot create '" + path + "'";
  }
  const std::string text = out.str();
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  if (!file) {
    return "cannot write '" + path + "'";
  }
  return {};
}

}  // namespace linvale
