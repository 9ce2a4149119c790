// Binary STL without colours, and ASCII STL of one or more solids. As the
// importer does, every facet gets three vertices of its own carrying the
// facet's normal, a facet with a corner that is not a finite point is
// dropped and counted, binary files make one unnamed object and ASCII
// files one object per solid, named by its first word. Colour extensions, files that
// could be either form and anything malformed decline.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "corner_mesh.h"
#include "fast_readers.h"
#include "file_content.h"
#include "neutral_grey.h"
#include "text_scanner.h"

namespace tessel::detail {
namespace {

constexpr std::size_t kHeaderBytes = 80;
constexpr std::size_t kFacetBytes = 50;

struct Facet {
  TS_3fVector normal;
  TS_3fPoint corners[3];
};

void AddFacet(const Facet& facet, CornerMesh& mesh, std::uint64_t& invalidFaces) {
  for (const TS_3fPoint& corner : facet.corners) {
    if (!CornerMesh::IsFinite(corner)) {
      ++invalidFaces;
      return;
    }
  }
  const int first = mesh.CornerCount();
  for (const TS_3fPoint& corner : facet.corners) {
    mesh.AddCorner(corner, facet.normal);
  }
  mesh.AddTriangle(first, 0, 1, 2);
}

// The importer's material for files without one.
TS_Material StandInMaterial() {
  TS_Material material;
  material.SetDiffuse(NeutralGrey());
  material.SetAmbient(TS_Color(13, 13, 13));
  material.SetSpecular(TS_Color(255, 255, 255));
  material.SetEmission(TS_Color(0u));
  return material;
}

bool AddObject(std::string name, CornerMesh& mesh, TS_Model& model) {
  if (mesh.FaceCount() == 0) {
    return true;
  }
  TS_ModelObject object;
  object.name = std::move(name);
  object.material = 0;
  object.color = NeutralGrey();
  if (!mesh.MoveInto(object.mesh)) {
    return false;
  }
  model.m_objects.Append(std::move(object));
  return true;
}

std::uint32_t FacetCount(std::span<const char> bytes) {
  std::uint32_t count = 0;
  std::memcpy(&count, bytes.data() + kHeaderBytes, sizeof count);
  return count;
}

// Binary when the size is exactly that of the facets the header counts; a
// header starting with "solid" needs a zero byte in the first facet too,
// which text never has.
bool IsBinary(std::span<const char> bytes) {
  if (bytes.size() < kHeaderBytes + 4 + kFacetBytes ||
      bytes.size() != kHeaderBytes + 4 + kFacetBytes * std::uint64_t{FacetCount(bytes)}) {
    return false;
  }
  const std::string_view start(bytes.data(), kHeaderBytes + 4 + kFacetBytes);
  return !start.starts_with("solid") || start.find('\0') != std::string_view::npos;
}

bool ReadBinary(std::span<const char> bytes, TS_Model& model) {
  const std::string_view header(bytes.data(), kHeaderBytes);
  if (header.find("COLOR=") != std::string_view::npos || header.find("MATERIAL=") != std::string_view::npos) {
    return false;
  }
  CornerMesh mesh;
  const std::uint32_t count = FacetCount(bytes);
  const char* record = bytes.data() + kHeaderBytes + 4;
  for (std::uint32_t i = 0; i < count; ++i, record += kFacetBytes) {
    float values[12];
    std::uint16_t attribute = 0;
    std::memcpy(values, record, sizeof values);
    std::memcpy(&attribute, record + sizeof values, sizeof attribute);
    if (attribute != 0) {
      return false;  // a facet colour
    }
    const Facet facet{{values[0], values[1], values[2]},
                      {{values[3], values[4], values[5]}, {values[6], values[7], values[8]}, {values[9], values[10], values[11]}}};
    AddFacet(facet, mesh, model.m_invalidFaces);
  }
  return AddObject("", mesh, model);
}

class AsciiParser {
public:
  AsciiParser(std::span<const char> text, TS_Model& model) : mScanner(text), mModel(model) {}

  bool Parse() {
    bool any = false;
    for (std::string_view line = NextLine(); !line.empty() || !mScanner.AtEnd(); line = NextLine()) {
      if (line.empty()) {
        continue;
      }
      LineWords words(line);
      // The importer names the object by the first word only.
      if (words.Next() != "solid" || !ParseSolid(std::string(words.Next()))) {
        return false;
      }
      any = true;
    }
    return any;
  }

private:
  std::string_view NextLine() {
    LineWords words(mScanner.NextLine());
    return words.Rest();
  }

  bool Expect(std::string_view wanted) { return NextLine() == wanted; }

  bool ParseSolid(std::string name) {
    CornerMesh mesh;
    while (true) {
      if (mScanner.AtEnd()) {
        return false;
      }
      LineWords words(NextLine());
      const std::string_view keyword = words.Next();
      if (keyword == "endsolid") {
        return AddObject(std::move(name), mesh, mModel);
      }
      Facet facet;
      if (keyword != "facet" || words.Next() != "normal" || !ReadVector(words, facet.normal) || !Expect("outer loop")) {
        return false;
      }
      for (TS_3fPoint& corner : facet.corners) {
        LineWords vertex(NextLine());
        if (vertex.Next() != "vertex" || !ReadPoint(vertex, corner)) {
          return false;
        }
      }
      if (!Expect("endloop") || !Expect("endfacet")) {
        return false;
      }
      AddFacet(facet, mesh, mModel.m_invalidFaces);
    }
  }

  static bool ReadVector(LineWords& words, TS_3fVector& v) {
    return words.NextFloat(v.x) && words.NextFloat(v.y) && words.NextFloat(v.z) && words.AtEnd();
  }
  static bool ReadPoint(LineWords& words, TS_3fPoint& p) {
    return words.NextFloat(p.x) && words.NextFloat(p.y) && words.NextFloat(p.z) && words.AtEnd();
  }

  TextScanner mScanner;
  TS_Model& mModel;
};

}  // namespace

bool ReadStlDirectly(const char* path, TS_Model& model) {
  FileContent content;
  if (!content.Open(path)) {
    return false;
  }
  const std::span<const char> bytes = content.Bytes();
  const bool read = IsBinary(bytes) ? ReadBinary(bytes, model) : AsciiParser(bytes, model).Parse();
  if (read && !model.m_objects.IsEmpty()) {
    model.m_materials.Append(StandInMaterial());
    model.m_up = TS_3dVector(0.0, 0.0, 1.0);
    return true;
  }
  model.Destroy();
  return false;
}

}  // namespace tessel::detail
