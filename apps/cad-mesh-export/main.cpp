// cad-mesh-export: writes the triangles npr-render draws of a model as a
// plain mesh file, meshed at one of npr-render's qualities, so that programs
// which cannot read CAD files can be given the same model.
//
//   cad-mesh-export [--quality draft|normal|fine] MODEL OUTPUT.{obj,stl,glb}
//
// Prints the number of objects and triangles written. Status 0 on success,
// 1 when the model cannot be read or the file written, 2 for a usage error.
#include "../npr-render/mesh_quality.h"
#include "mesh_file.h"

#include <tessel/ts_model.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Arguments {
  npr_render::MeshQuality quality = npr_render::MeshQuality::Normal;
  std::string model;
  std::string output;
};

std::optional<Arguments> Parse(const std::vector<std::string>& words) {
  Arguments arguments;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] != "--quality") {
      files.push_back(words[i]);
      continue;
    }
    const auto quality = i + 1 < words.size() ? npr_render::ParseMeshQuality(words[++i]) : std::nullopt;
    if (!quality) {
      return std::nullopt;
    }
    arguments.quality = *quality;
  }
  if (files.size() != 2) {
    return std::nullopt;
  }
  arguments.model = files[0];
  arguments.output = files[1];
  return arguments;
}

std::uint64_t TriangleCount(const TS_Model& model) {
  std::uint64_t triangles = 0;
  for (const TS_ModelObject& object : model.m_objects) {
    triangles += static_cast<std::uint64_t>(object.mesh.FaceCount());
  }
  return triangles;
}

int Export(const Arguments& arguments) {
  TS_ModelReadLimits limits = npr_render::ReadLimitsFor(arguments.quality, std::nullopt);
  limits.keepBreps = false;
  TS_Model model;
  TS_String error;
  if (!model.Read(arguments.model.c_str(), error, limits)) {
    std::fprintf(stderr, "cad-mesh-export: %s\n", error.c_str());
    return 1;
  }
  for (const TS_String& warning : model.m_warnings) {
    std::fprintf(stderr, "cad-mesh-export: %s: %s\n", arguments.model.c_str(), warning.c_str());
  }
  if (const std::string failure = cad_mesh_export::WriteMeshFile(model, arguments.output); !failure.empty()) {
    std::fprintf(stderr, "cad-mesh-export: %s\n", failure.c_str());
    return 1;
  }
  std::printf("%d objects, %ju triangles\n", model.m_objects.Count(), static_cast<std::uintmax_t>(TriangleCount(model)));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Arguments> arguments = Parse(std::vector<std::string>(argv + 1, argv + argc));
  if (!arguments) {
    std::fprintf(stderr, "usage: cad-mesh-export [--quality draft|normal|fine] MODEL OUTPUT.{obj,stl,glb}\n");
    return 2;
  }
  try {
    return Export(*arguments);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "cad-mesh-export: %s\n", failure.what());
    return 1;
  }
}
