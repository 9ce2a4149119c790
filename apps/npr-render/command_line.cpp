#include "command_line.h"

#include <linvale/npr_vector_render.h>

#include <charconv>
#include <cmath>
#include <cstddef>
#include <functional>
#include <map>

namespace npr_render {
namespace {

constexpr int kLargestSize = 1 << 20;  // far beyond any GL limit; keeps products in range
constexpr int kMostSampleTriangles = 50'000'000;

std::optional<int> ParsePositive(std::string_view text, int largest = kLargestSize) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value <= 0 || value > largest) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> ParsePositiveNumber(const std::string& text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value <= 0.0) {
    return std::nullopt;
  }
  return value;
}

std::optional<NprRenderSettings::AntialiasStyle> ParseAntialias(const std::string& text) {
  if (text == "none") return NprRenderSettings::AntialiasNone;
  if (text == "normal") return NprRenderSettings::AntialiasNormal;
  if (text == "best") return NprRenderSettings::AntialiasBest;
  return std::nullopt;
}

std::optional<TS_3dVector> ParseAxis(const std::string& text) {
  static const std::map<std::string, TS_3dVector> kAxes = {
      {"x", {1, 0, 0}}, {"y", {0, 1, 0}}, {"z", {0, 0, 1}}, {"-x", {-1, 0, 0}}, {"-y", {0, -1, 0}}, {"-z", {0, 0, -1}},
  };
  const auto found = kAxes.find(text);
  return found == kAxes.end() ? std::nullopt : std::optional<TS_3dVector>(found->second);
}

// Applies an option that takes a value; returns an error text or empty.
using ValueOption = std::function<std::string(Options&, const std::string&)>;

const std::map<std::string, ValueOption>& ValueOptions() {
  static const std::map<std::string, ValueOption> options = {
      {"-o",
       [](Options& o, const std::string& v) -> std::string {
         o.output = v;
         return v.empty() ? "the output file name is empty" : "";
       }},
      {"-s",
       [](Options& o, const std::string& v) -> std::string {
         o.style = v;
         return v.empty() ? "the style name is empty" : "";
       }},
      {"--size",
       [](Options& o, const std::string& v) -> std::string {
         const auto size = ParseSize(v);
         if (!size) {
           return "invalid size '" + v + "': expected WIDTHxHEIGHT with two positive integers, e.g. 1600x1200";
         }
         o.width = size->first;
         o.height = size->second;
         return "";
       }},
      {"--aa",
       [](Options& o, const std::string& v) -> std::string {
         const auto style = ParseAntialias(v);
         if (!style) {
           return "invalid antialiasing '" + v + "': expected none, normal or best";
         }
         o.antialias = *style;
         return "";
       }},
      {"--up",
       [](Options& o, const std::string& v) -> std::string {
         o.up = ParseAxis(v);
         return o.up ? "" : "invalid up axis '" + v + "': expected x, y, z, -x, -y or -z";
       }},
      {"--sample-triangles",
       [](Options& o, const std::string& v) -> std::string {
         const auto count = ParsePositive(v, kMostSampleTriangles);
         if (!count) {
           return "invalid triangle count '" + v + "': expected a positive integer up to " +
                  std::to_string(kMostSampleTriangles);
         }
         o.sampleTriangles = *count;
         return "";
       }},
      {"--hidden-lines",
       [](Options& o, const std::string& v) -> std::string {
         if (v == "omit") {
           o.hiddenLines = NprHiddenLines::Omitted;
         } else if (v == "dashed") {
           o.hiddenLines = NprHiddenLines::Dashed;
         } else {
           return "invalid hidden lines '" + v + "': expected omit or dashed";
         }
         return "";
       }},
      {"--quality",
       [](Options& o, const std::string& v) -> std::string {
         const auto quality = ParseMeshQuality(v);
         if (!quality) {
           return "invalid quality '" + v + "': expected draft, normal or fine";
         }
         o.quality = *quality;
         return "";
       }},
      {"--deflection",
       [](Options& o, const std::string& v) -> std::string {
         o.deflection = ParsePositiveNumber(v);
         return o.deflection ? "" : "invalid deflection '" + v + "': expected a positive number of millimetres";
       }},
      {"--view",
       [](Options& o, const std::string& v) -> std::string {
         if (!NprNamedViewFromName(v.c_str(), o.view)) {
           return "invalid view '" + v + "': expected iso, front, back, left, right, top or bottom";
         }
         o.namedViewAsked = true;
         return "";
       }},
  };
  return options;
}

const std::map<std::string, bool Options::*>& FlagOptions() {
  static const std::map<std::string, bool Options::*> flags = {
      {"--list-styles", &Options::listStyles},
      {"--quiet", &Options::quiet},
      {"-q", &Options::quiet},
      {"--settings", &Options::settings},
      {"--verbose", &Options::verbose},
      {"--help", &Options::help},
      {"-h", &Options::help},
      {"--version", &Options::version},
      {"--svg-fills", &Options::svgFills},
  };
  return flags;
}

// Long spellings of the short value options.
std::string Canonical(const std::string& name) {
  if (name == "--output") return "-o";
  if (name == "--style") return "-s";
  return name;
}

}  // namespace

std::optional<std::pair<int, int>> ParseSize(const std::string& text) {
  const std::size_t x = text.find_first_of("xX");
  if (x == std::string::npos) {
    return std::nullopt;
  }
  const auto width = ParsePositive(std::string_view(text).substr(0, x));
  const auto height = ParsePositive(std::string_view(text).substr(x + 1));
  if (!width || !height) {
    return std::nullopt;
  }
  return std::make_pair(*width, *height);
}

ParseResult ParseCommandLine(const std::vector<std::string>& arguments) {
  ParseResult result;
  Options& options = result.options;
  bool optionsEnded = false;
  bool haveModel = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
      if (haveModel) {
        result.error = "more than one model given ('" + options.model + "' and '" + argument + "')";
        return result;
      }
      options.model = argument;
      haveModel = true;
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "--parallel") {
      options.projection = TS::parallel_view;
      options.namedViewAsked = true;
      continue;
    }
    if (const auto flag = FlagOptions().find(argument); flag != FlagOptions().end()) {
      options.*(flag->second) = true;
      continue;
    }
    // "--name=value" or "--name value" / "-o value".
    const std::size_t equals = argument.find('=');
    const std::string name = Canonical(argument.substr(0, equals));
    const auto option = ValueOptions().find(name);
    if (option == ValueOptions().end()) {
      result.error = "unknown option '" + argument + "'";
      return result;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = argument.substr(equals + 1);
    } else if (i + 1 < arguments.size()) {
      value = arguments[++i];
    } else {
      result.error = "option '" + argument + "' needs a value";
      return result;
    }
    result.error = option->second(options, value);
    if (!result.error.empty()) {
      return result;
    }
  }
  if (haveModel && options.sampleTriangles > 0) {
    result.error = "--sample-triangles draws the built-in sample; it cannot go with model '" + options.model + "'";
  } else if ((options.hiddenLines != NprHiddenLines::Omitted || options.svgFills) &&
             !NprIsVectorFileName(options.output)) {
    result.error = "--hidden-lines and --svg-fills are for drawings: give an output ending in .svg or .pdf";
  }
  return result;
}

const char* UsageText() {
  return "Usage: npr-render [MODEL] [options]\n"
         "Renders a model as a hand-drawn picture.\n"
         "\n"
         "MODEL is any file the model importer reads (OBJ, STL, PLY, glTF/GLB, 3DS,\n"
         "Collada, FBX, IFC, ...) or a CAD file (STEP, IGES, BREP). Without MODEL\n"
         "the built-in sample part is drawn.\n"
         "\n"
         "Options:\n"
         "  -o, --output FILE   picture to write; the extension names the format\n"
         "                      (png, jpg, bmp, tif, tga, ...). Default: render.png\n"
         "                      .svg and .pdf write a drawing: the visible edges\n"
         "                      as vector paths in the style's widths and colours.\n"
         "                      Paper, background images and textured face fills\n"
         "                      are bitmap-only and are left out of drawings\n"
         "      --hidden-lines MODE\n"
         "                      drawings: omit (default) or dashed, which adds the\n"
         "                      hidden edges dashed and thinner\n"
         "      --svg-fills     drawings: the faces as flat polygons in their\n"
         "                      shading bands (Cartoon styles)\n"
         "  -s, --style STYLE   a style name from the styles folders or a path to a\n"
         "                      .npr file. Default: the default style\n"
         "      --size WxH      picture size in pixels. Default: 1600x1200\n"
         "      --aa MODE       antialiasing: none, normal or best. Default: best\n"
         "      --view VIEW     iso, front, back, left, right, top or bottom.\n"
         "                      Default: the model's own camera, else iso\n"
         "      --parallel      parallel instead of perspective projection\n"
         "                      (with either, the model's camera is not used)\n"
         "      --up AXIS       the model's up direction for the named view: x, y,\n"
         "                      z, -x, -y or -z. Default: the file's own; z for\n"
         "                      the sample, STL, 3MF, AMF and Blender files, else y\n"
         "      --sample-triangles N\n"
         "                      without MODEL: a grid of sample parts of about N\n"
         "                      triangles, to try large renders\n"
         "      --quality Q     how closely CAD files are meshed: draft, normal or\n"
         "                      fine; finer takes longer. Default: normal\n"
         "      --deflection D  largest distance in millimetres between the mesh\n"
         "                      of a CAD file and its surfaces (instead of the\n"
         "                      quality's, which follows the model's size)\n"
         "      --list-styles   list the styles found and where, then exit\n"
         "      --settings      edit the default style in the settings dialog (needs a\n"
         "                      display), then exit: 0 OK, 1 Cancel, 2 no display\n"
         "  -q, --quiet         no progress display\n"
         "      --verbose       report the time each phase took (reading and\n"
         "                      meshing of CAD files apart) and the size of a\n"
         "                      drawing's file\n"
         "  -h, --help          show this help and exit\n"
         "      --version       show the version and exit\n"
         "\n"
         "Exit status: 0 done, 2 bad usage, 3 model, 4 style, 5 render, 6 output,\n"
         "130 interrupted.\n";
}

}  // namespace npr_render
