#include "brep_serialisation.h"

#include <BRep_Builder.hxx>
#include <BinTools.hxx>
#include <Standard_Failure.hxx>
#include <TopExp.hxx>
#include <TopTools_IndexedMapOfShape.hxx>
#include <TopoDS_Compound.hxx>
#include <TopoDS_Iterator.hxx>
#include <gp_Trsf.hxx>

#include <array>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <type_traits>

#include "../model/byte_reader.h"
#include "occt_brep.h"

namespace tessel::detail {
namespace {

using Matrix = std::array<double, 12>;  // a placement's rows, three of four values

struct FaceColor {
  std::int32_t face;  // number in the part's map of faces, from 1
  std::uint32_t color;
};

template <class T>
void Append(std::string& bytes, const T& value) {
  static_assert(std::is_trivially_copyable_v<T>);
  bytes.append(reinterpret_cast<const char*>(&value), sizeof(T));
}

Matrix MatrixOf(const TopLoc_Location& placement) {
  const gp_Trsf transform = placement.Transformation();
  Matrix matrix{};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      matrix[static_cast<std::size_t>(4 * row + column)] = transform.Value(row + 1, column + 1);
    }
  }
  return matrix;
}

TopLoc_Location PlacementOf(const Matrix& m) {
  gp_Trsf transform;
  transform.SetValues(m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9], m[10], m[11]);
  return TopLoc_Location(transform);
}

// Faces are named by their number in the part's map of faces, which
// depends only on the part's structure and so survives the round trip.
void AppendFaceColors(std::string& bytes, const OcctBrep& brep) {
  TopTools_IndexedMapOfShape faces;
  TopExp::MapShapes(brep.Part(), TopAbs_FACE, faces);
  std::vector<FaceColor> colored;
  for (int i = 1; i <= faces.Extent(); ++i) {
    if (const TS_Color* color = brep.FaceColorMap().Seek(faces(i))) {
      colored.push_back({i, *color});
    }
  }
  Append(bytes, static_cast<std::uint64_t>(colored.size()));
  for (const auto& entry : colored) {
    Append(bytes, entry);
  }
}

bool ReadFaceColors(ByteReader& reader, const TopoDS_Shape& part, FaceColors& colors) {
  TopTools_IndexedMapOfShape faces;
  TopExp::MapShapes(part, TopAbs_FACE, faces);
  std::uint64_t count = 0;
  if (!reader.Read(count)) {
    return false;
  }
  for (std::uint64_t i = 0; i < count; ++i) {
    FaceColor entry{};
    if (!reader.Read(entry) || entry.face < 1 || entry.face > faces.Extent()) {
      return false;
    }
    colors.Bind(faces(entry.face), TS_Color(entry.color));
  }
  return true;
}

bool ReadBreps(std::span<const char> bytes, std::vector<std::shared_ptr<const TS_Brep>>& breps) {
  ByteReader reader(bytes);
  std::uint64_t shapeSize = 0;
  std::span<const char> shapeBytes;
  if (!reader.Read(shapeSize) || !reader.Take(shapeSize, shapeBytes)) {
    return false;
  }
  std::istringstream stream(std::string(shapeBytes.data(), shapeBytes.size()));
  TopoDS_Shape parts;
  BinTools::Read(parts, stream);
  if (parts.IsNull()) {
    return false;
  }
  for (TopoDS_Iterator part(parts, Standard_False, Standard_False); part.More(); part.Next()) {
    Matrix matrix{};
    std::uint32_t color = 0;
    FaceColors faceColors;
    if (!reader.Read(matrix) || !reader.Read(color) || !ReadFaceColors(reader, part.Value(), faceColors)) {
      return false;
    }
    breps.push_back(std::make_shared<OcctBrep>(part.Value(), PlacementOf(matrix), TS_Color(color), faceColors));
  }
  return reader.AtEnd();
}

}  // namespace

bool SerialiseBreps(const std::vector<const TS_Brep*>& breps, std::string& bytes) {
  try {
    TopoDS_Compound parts;
    BRep_Builder builder;
    builder.MakeCompound(parts);
    std::string records;
    for (const TS_Brep* brep : breps) {
      const auto* ours = dynamic_cast<const OcctBrep*>(brep);
      if (ours == nullptr) {
        return false;
      }
      builder.Add(parts, ours->Part());
      Append(records, MatrixOf(ours->Placement()));
      Append(records, static_cast<std::uint32_t>(ours->Color()));
      AppendFaceColors(records, *ours);
    }
    std::ostringstream stream;
    BinTools::Write(parts, stream, Standard_True, Standard_False, BinTools_FormatVersion_CURRENT);
    const std::string shapes = stream.str();
    bytes.clear();
    Append(bytes, static_cast<std::uint64_t>(shapes.size()));
    bytes += shapes;
    bytes += records;
    return true;
  } catch (const Standard_Failure&) {
    return false;
  }
}

bool DeserialiseBreps(std::span<const char> bytes, std::vector<std::shared_ptr<const TS_Brep>>& breps) {
  breps.clear();
  try {
    if (ReadBreps(bytes, breps)) {
      return true;
    }
  } catch (const Standard_Failure&) {
  }
  breps.clear();
  return false;
}

}  // namespace tessel::detail
