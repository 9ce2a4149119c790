// OBJ files of vertices, normals, texture coordinates (ignored), triangles
// and quads, objects, groups and materials from one material library.
// Where the importer has habits of its own they are kept: every face
// corner becomes a vertex, the stand-in material comes first, faces before
// any "usemtl" take the library's last material, and a change of material
// starts a mesh named after it. Other statements (points, lines, curves,
// a repeated object name, an unknown material, polygons of more than four
// corners, vertex colours, points that are not finite) decline.
#include <array>
#include <cmath>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "corner_mesh.h"
#include "fast_readers.h"
#include "file_content.h"
#include "mtl_reader.h"
#include "neutral_grey.h"
#include "text_scanner.h"

namespace tessel::detail {
namespace {

constexpr const char* kDefaultObjectName = "defaultobject";

struct PendingMesh {
  // Empty for the first mesh of an object, which takes the object's name.
  std::string name;
  std::string objectName;
  int material = 0;
  CornerMesh corners;
};

// The corner of a quad whose angle is reflex, so that both triangles fan
// out from it and stay inside the quad: the corner inside the triangle of
// the other three, seen along the quad's normal. 0 for a convex quad, -1
// when it cannot be told (a bent or folded quad).
int ReflexCorner(const std::array<TS_3fPoint, 4>& q) {
  double n[3] = {0.0, 0.0, 0.0};
  for (int i = 0; i < 4; ++i) {  // Newell's normal
    const TS_3fPoint& a = q[static_cast<std::size_t>(i)];
    const TS_3fPoint& b = q[static_cast<std::size_t>((i + 1) % 4)];
    n[0] += (double(a.y) - b.y) * (double(a.z) + b.z);
    n[1] += (double(a.z) - b.z) * (double(a.x) + b.x);
    n[2] += (double(a.x) - b.x) * (double(a.y) + b.y);
  }
  const auto side = [&n](const TS_3fPoint& a, const TS_3fPoint& b, const TS_3fPoint& p) {
    const double u[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
    const double v[3] = {double(p.x) - a.x, double(p.y) - a.y, double(p.z) - a.z};
    return (u[1] * v[2] - u[2] * v[1]) * n[0] + (u[2] * v[0] - u[0] * v[2]) * n[1] + (u[0] * v[1] - u[1] * v[0]) * n[2];
  };
  int reflex = 0;
  int inside = 0;
  for (int i = 0; i < 4; ++i) {
    const TS_3fPoint& p = q[static_cast<std::size_t>(i)];
    const TS_3fPoint& a = q[static_cast<std::size_t>((i + 1) % 4)];
    const TS_3fPoint& b = q[static_cast<std::size_t>((i + 2) % 4)];
    const TS_3fPoint& c = q[static_cast<std::size_t>((i + 3) % 4)];
    const double s1 = side(a, b, p), s2 = side(b, c, p), s3 = side(c, a, p);
    if ((s1 > 0.0 && s2 > 0.0 && s3 > 0.0) || (s1 < 0.0 && s2 < 0.0 && s3 < 0.0)) {
      reflex = i;
      ++inside;
    }
  }
  const bool flat = n[0] != 0.0 || n[1] != 0.0 || n[2] != 0.0;
  return inside <= 1 && flat ? reflex : -1;
}

class ObjParser {
public:
  explicit ObjParser(std::filesystem::path folder) : mFolder(std::move(folder)) {}

  bool Parse(std::span<const char> text) {
    TextScanner scanner(text);
    while (!scanner.AtEnd()) {
      if (!ParseLine(scanner.NextLine())) {
        return false;
      }
    }
    return true;
  }

  bool MoveInto(TS_Model& model) {
    TS_Material stand_in;
    stand_in.SetDiffuse(NeutralGrey());
    stand_in.SetAmbient(TS_Color(0u));
    stand_in.SetSpecular(TS_Color(0u));
    stand_in.SetEmission(TS_Color(0u));
    model.m_materials.Append(stand_in);
    for (NamedMaterial& named : mMaterials) {
      model.m_materials.Append(named.material);
    }
    for (PendingMesh& pending : mMeshes) {
      if (pending.corners.FaceCount() == 0) {
        continue;
      }
      TS_ModelObject object;
      object.name = pending.name.empty() ? pending.objectName : pending.name;
      object.material = pending.material;
      object.color = pending.material == 0 ? NeutralGrey() : model.m_materials[pending.material].Diffuse();
      if (!pending.corners.MoveInto(object.mesh)) {
        return false;
      }
      model.m_objects.Append(std::move(object));
    }
    model.m_up = TS_3dVector(0.0, 1.0, 0.0);
    return true;
  }

private:
  bool ParseLine(std::string_view line) {
    LineWords words(line);
    const std::string_view keyword = words.Next();
    if (keyword == "v") return ReadPoint(words);
    if (keyword == "f") return ReadFace(words);
    if (keyword == "vn") return ReadNormal(words);
    if (keyword == "vt") return CountTextureCoordinate();
    if (keyword.empty() || keyword.starts_with('#') || keyword == "s") return true;
    if (keyword == "o") return StartObject(words.Next()) && words.AtEnd();
    if (keyword == "g") return StartObject(words.Rest());
    if (keyword == "usemtl") return UseMaterial(words);
    if (keyword == "mtllib") return ReadLibrary(words);
    return false;
  }

  bool ReadPoint(LineWords& words) {
    TS_3fPoint p;
    if (!words.NextFloat(p.x) || !words.NextFloat(p.y) || !words.NextFloat(p.z) || !words.AtEnd() ||
        !CornerMesh::IsFinite(p)) {
      return false;
    }
    mPositions.push_back(p);
    return true;
  }

  // Only their number matters: faces must refer to existing ones.
  bool CountTextureCoordinate() {
    ++mTextureCount;
    return true;
  }

  bool ReadNormal(LineWords& words) {
    TS_3fVector n;
    if (!words.NextFloat(n.x) || !words.NextFloat(n.y) || !words.NextFloat(n.z) || !words.AtEnd()) {
      return false;
    }
    mNormals.push_back(n);
    return true;
  }

  // A one-based index, negative ones counting back from the last element
  // so far; -1 for none or one out of range.
  static long ResolveIndex(std::string_view text, std::size_t count) {
    long index = 0;
    if (!ParseWhole(text, index) || index == 0) {
      return -1;
    }
    const long resolved = index > 0 ? index - 1 : static_cast<long>(count) + index;
    return resolved >= 0 && resolved < static_cast<long>(count) ? resolved : -1;
  }

  struct Corner {
    long position = -1;
    long normal = -1;
  };

  bool ReadCorner(std::string_view word, Corner& corner) {
    const std::size_t slash = word.find('/');
    corner.position = ResolveIndex(word.substr(0, slash), mPositions.size());
    if (corner.position < 0) {
      return false;
    }
    if (slash == std::string_view::npos) {
      return true;
    }
    const std::string_view rest = word.substr(slash + 1);
    const std::size_t second = rest.find('/');
    const std::string_view texture = rest.substr(0, second);
    if (!texture.empty() && ResolveIndex(texture, mTextureCount) < 0) {
      return false;
    }
    if (second == std::string_view::npos) {
      return true;
    }
    corner.normal = ResolveIndex(rest.substr(second + 1), mNormals.size());
    return corner.normal >= 0;
  }

  bool ReadFace(LineWords& words) {
    std::array<Corner, 4> corners;
    std::size_t count = 0;
    for (std::string_view word = words.Next(); !word.empty(); word = words.Next()) {
      if (count == corners.size() || !ReadCorner(word, corners[count])) {
        return false;
      }
      ++count;
    }
    if (count < 3) {
      return false;
    }
    int reflex = 0;
    if (count == 4) {
      std::array<TS_3fPoint, 4> quad;
      for (std::size_t i = 0; i < 4; ++i) {
        quad[i] = mPositions[static_cast<std::size_t>(corners[i].position)];
      }
      reflex = ReflexCorner(quad);
      if (reflex < 0) {
        return false;
      }
    }
    CornerMesh& mesh = CurrentMesh().corners;
    const int first = mesh.CornerCount();
    for (std::size_t i = 0; i < count; ++i) {
      const TS_3fPoint& p = mPositions[static_cast<std::size_t>(corners[i].position)];
      if (corners[i].normal >= 0) {
        mesh.AddCorner(p, mNormals[static_cast<std::size_t>(corners[i].normal)]);
      } else {
        mesh.AddCorner(p);
      }
    }
    if (count == 3) {
      mesh.AddTriangle(first, 0, 1, 2);
    } else {
      mesh.AddTriangle(first, reflex, (reflex + 1) % 4, (reflex + 2) % 4);
      mesh.AddTriangle(first, reflex, (reflex + 2) % 4, (reflex + 3) % 4);
    }
    mAnyFace = true;
    return true;
  }

  PendingMesh& CurrentMesh() {
    if (mMeshes.empty()) {
      mObjectNames.emplace(kDefaultObjectName);
      mMeshes.push_back({"", kDefaultObjectName, mMaterial, {}});
    }
    return mMeshes.back();
  }

  // Names are unique: the importer goes back to an object named again,
  // which this reader leaves to it.
  bool StartObject(std::string_view name) {
    if (name.empty() || name.find('\t') != std::string_view::npos ||
        name.find("  ") != std::string_view::npos || !mObjectNames.emplace(name).second) {
      return false;
    }
    mMeshes.push_back({"", std::string(name), mMaterial, {}});
    return true;
  }

  bool UseMaterial(LineWords& words) {
    const std::string_view name = words.Next();
    if (!words.AtEnd()) {
      return false;
    }
    int material = 0;
    while (material < static_cast<int>(mMaterials.size()) && mMaterials[static_cast<std::size_t>(material)].name != name) {
      ++material;
    }
    if (material == static_cast<int>(mMaterials.size())) {
      return false;
    }
    mMaterial = material + 1;  // after the stand-in
    if (mMeshes.empty()) {
      return true;
    }
    PendingMesh& current = mMeshes.back();
    if (current.corners.FaceCount() == 0) {
      current.material = mMaterial;
    } else if (current.material != mMaterial) {
      mMeshes.push_back({std::string(name), current.objectName, mMaterial, {}});
    }
    return true;
  }

  // One library, before any face or object; the faces that follow take
  // its last material until told otherwise.
  bool ReadLibrary(LineWords& words) {
    const std::string_view file = words.Next();
    if (file.empty() || !words.AtEnd() || mLibraryRead || mAnyFace || !mMeshes.empty() ||
        !ReadMaterialLibrary((mFolder / std::string(file)).string(), mMaterials)) {
      return false;
    }
    mLibraryRead = true;
    mMaterial = static_cast<int>(mMaterials.size());
    return true;
  }

  std::filesystem::path mFolder;
  std::vector<TS_3fPoint> mPositions;
  std::vector<TS_3fVector> mNormals;
  std::size_t mTextureCount = 0;
  std::vector<NamedMaterial> mMaterials;
  std::vector<PendingMesh> mMeshes;
  std::set<std::string, std::less<>> mObjectNames;
  int mMaterial = 0;
  bool mLibraryRead = false;
  bool mAnyFace = false;
};

}  // namespace

bool ReadObjDirectly(const char* path, TS_Model& model) {
  FileContent content;
  if (!content.Open(path)) {
    return false;
  }
  const std::filesystem::path file(reinterpret_cast<const char8_t*>(path));
  ObjParser parser(file.parent_path());
  if (parser.Parse(content.Bytes()) && parser.MoveInto(model) && !model.m_objects.IsEmpty()) {
    return true;
  }
  model.Destroy();
  return false;
}

}  // namespace tessel::detail
