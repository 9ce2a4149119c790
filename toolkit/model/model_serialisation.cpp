#include "model_serialisation.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "byte_reader.h"
#include "cad_module.h"

namespace tessel::detail {
namespace {

constexpr std::string_view kInlineHeader = "TS_Model 2\n";
constexpr std::string_view kByAddressHeader = "TS_Model 2, arrays by address\n";

std::string_view HeaderFor(bool byAddress) { return byAddress ? kByAddressHeader : kInlineHeader; }
constexpr std::string_view kTrailer = "end of model\n";

// Stops at the first piece the sink refuses; Done says whether all went.
class Writer {
public:
  Writer(const ByteSink& sink, ArrayPlacement placement) : mSink(sink), mPlacement(placement) {}

  bool Done() const { return mWritten; }

  template <class T>
  void Record(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    Piece(std::span<const char>(reinterpret_cast<const char*>(&value), sizeof(T)));
  }

  template <class T>
  void Records(std::span<const T> values) {
    static_assert(std::is_trivially_copyable_v<T>);
    Record(static_cast<std::uint64_t>(values.size()));
    Piece(std::span<const char>(reinterpret_cast<const char*>(values.data()), values.size_bytes()));
  }

  void Text(std::string_view text) { Records(std::span<const char>(text.data(), text.size())); }

  template <class T>
  void Array(const TS_ClassArray<T>& items) {
    Record(static_cast<std::uint64_t>(items.Count()));
    for (const T& item : items) {
      Record(item);
    }
  }

  void Mesh(const TS_Mesh& mesh) {
    MeshArray(mesh.Vertices());
    MeshArray(mesh.Faces());
    MeshArray(mesh.VertexNormals());
  }

  void Raw(std::string_view text) { Piece(std::span<const char>(text.data(), text.size())); }

private:
  template <class T>
  void MeshArray(std::span<const T> values) {
    if (mPlacement == ArrayPlacement::Inline) {
      Records(values);
      return;
    }
    Record(static_cast<std::uint64_t>(values.size()));
    Record(static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(values.data())));
  }

  void Piece(std::span<const char> bytes) { mWritten = mWritten && (bytes.empty() || mSink(bytes)); }

  const ByteSink& mSink;
  ArrayPlacement mPlacement;
  bool mWritten = true;
};

class Reader {
public:
  Reader(std::span<const char> bytes, const ArraySource* arrays)
      : mBytes(bytes), mArrays(arrays), mBudget(arrays != nullptr ? arrays->budgetBytes : 0) {}

  bool Header() { return Raw(HeaderFor(mArrays != nullptr)); }

  bool AtEnd() const { return mBytes.AtEnd(); }

  bool Raw(std::string_view expected) { return mBytes.Expect(expected); }

  template <class T>
  bool Record(T& value) {
    return mBytes.Read(value);
  }

  // The number of records of `size` bytes that follows, when they are all there.
  bool Count(std::size_t size, std::uint64_t& count) { return Record(count) && count <= mBytes.Remaining() / size; }

  bool Text(TS_String& text) {
    std::uint64_t length = 0;
    std::span<const char> piece;
    if (!Count(1, length) || !mBytes.Take(length, piece)) {
      return false;
    }
    text.assign(piece.data(), piece.size());
    return true;
  }

  template <class T>
  bool Array(TS_ClassArray<T>& items) {
    std::uint64_t count = 0;
    if (!Count(sizeof(T), count)) {
      return false;
    }
    for (std::uint64_t i = 0; i < count; ++i) {
      T item;
      Record(item);
      items.Append(item);
    }
    return true;
  }

  // An array in one copy: the bytes need not be aligned for T, so they are
  // copied rather than viewed in place.
  template <class T>
  bool Records(std::vector<T>& values) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::uint64_t count = 0;
    std::span<const char> piece;
    if (!Count(sizeof(T), count) || !mBytes.Take(count * sizeof(T), piece)) {
      return false;
    }
    values.resize(static_cast<std::size_t>(count));
    // An empty vector may have no storage at all, which memcpy must not see.
    if (!values.empty()) {
      std::memcpy(values.data(), piece.data(), piece.size());
    }
    return true;
  }

  // The mesh refuses faces on vertices it does not have.
  bool Mesh(TS_Mesh& mesh) {
    std::vector<TS_3fPoint> vertices;
    std::vector<TS_MeshFace> faces;
    std::vector<TS_3fVector> normals;
    return MeshArray(vertices) && MeshArray(faces) && MeshArray(normals) &&
           mesh.Assign(std::move(vertices), std::move(faces), std::move(normals));
  }

private:
  template <class T>
  bool MeshArray(std::vector<T>& values) {
    return mArrays == nullptr ? Records(values) : Fetch(values);
  }

  // The count is checked against the budget before anything is taken on,
  // so a writer's made-up count cannot make the reader claim the machine.
  template <class T>
  bool Fetch(std::vector<T>& values) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::uint64_t count = 0;
    std::uint64_t address = 0;
    if (!Record(count) || !Record(address) || count > mBudget / sizeof(T)) {
      return false;
    }
    mBudget -= count * sizeof(T);
    values.resize(static_cast<std::size_t>(count));
    return values.empty() || mArrays->copy(address, values.data(), values.size() * sizeof(T));
  }

  ByteReader mBytes;
  const ArraySource* mArrays;
  std::uint64_t mBudget;
};

using Breps = std::vector<std::shared_ptr<const TS_Brep>>;

bool ReadBreps(Reader& reader, Breps& breps) {
  TS_String bytes;
  return reader.Text(bytes) && (bytes.empty() || CadModule::DeserialiseBreps(std::span<const char>(bytes), breps));
}

bool ReadObjects(Reader& reader, const Breps& breps, TS_Model& model) {
  std::uint64_t count = 0;
  // Each object takes at least its counts and colour.
  if (!reader.Count(5 * sizeof(std::uint64_t), count)) {
    return false;
  }
  for (std::uint64_t i = 0; i < count; ++i) {
    TS_ModelObject object;
    std::int32_t material = -1;
    std::int32_t brep = -1;
    if (!reader.Text(object.name) || !reader.Record(object.color) || !reader.Record(material) || !reader.Record(brep) ||
        brep < -1 || brep >= static_cast<std::int64_t>(breps.size()) || !reader.Mesh(object.mesh)) {
      return false;
    }
    object.material = material;
    if (brep >= 0) {
      object.brep = breps[static_cast<std::size_t>(brep)];
    }
    model.m_objects.Append(std::move(object));
  }
  return true;
}

bool ReadWarnings(Reader& reader, TS_Model& model) {
  std::uint64_t count = 0;
  if (!reader.Count(sizeof(std::uint64_t), count)) {
    return false;
  }
  for (std::uint64_t i = 0; i < count; ++i) {
    if (!reader.Text(model.m_warnings.AppendNew())) {
      return false;
    }
  }
  return true;
}

bool ReadModel(Reader& reader, TS_Model& model) {
  Breps breps;
  return reader.Header() && reader.Record(model.m_up) && reader.Record(model.m_invalidFaces) &&
         reader.Record(model.m_readSeconds) && reader.Record(model.m_meshSeconds) && ReadWarnings(reader, model) &&
         reader.Array(model.m_materials) && reader.Array(model.m_lights) && reader.Array(model.m_views) &&
         ReadBreps(reader, breps) && ReadObjects(reader, breps, model) && reader.Raw(kTrailer) && reader.AtEnd();
}

// Every distinct boundary form once, numbered in the order objects first use it.
std::vector<const TS_Brep*> DistinctBreps(const TS_Model& model, std::map<const TS_Brep*, std::int32_t>& numbers) {
  std::vector<const TS_Brep*> breps;
  for (const TS_ModelObject& object : model.m_objects) {
    if (object.brep && numbers.try_emplace(object.brep.get(), static_cast<std::int32_t>(breps.size())).second) {
      breps.push_back(object.brep.get());
    }
  }
  return breps;
}

}  // namespace

bool SerialiseModel(const TS_Model& model, const ByteSink& sink, ArrayPlacement placement) {
  std::map<const TS_Brep*, std::int32_t> brepNumbers;
  const std::vector<const TS_Brep*> distinct = DistinctBreps(model, brepNumbers);
  std::string breps;
  if (!distinct.empty() && !CadModule::SerialiseBreps(distinct, breps)) {
    return false;
  }
  Writer writer(sink, placement);
  writer.Raw(HeaderFor(placement == ArrayPlacement::ByAddress));
  writer.Record(model.m_up);
  writer.Record(model.m_invalidFaces);
  writer.Record(model.m_readSeconds);
  writer.Record(model.m_meshSeconds);
  writer.Record(static_cast<std::uint64_t>(model.m_warnings.Count()));
  for (const TS_String& warning : model.m_warnings) {
    writer.Text(warning);
  }
  writer.Array(model.m_materials);
  writer.Array(model.m_lights);
  writer.Array(model.m_views);
  writer.Text(breps);
  writer.Record(static_cast<std::uint64_t>(model.m_objects.Count()));
  for (const TS_ModelObject& object : model.m_objects) {
    writer.Text(object.name);
    writer.Record(object.color);
    writer.Record(static_cast<std::int32_t>(object.material));
    writer.Record(object.brep ? brepNumbers.at(object.brep.get()) : std::int32_t{-1});
    writer.Mesh(object.mesh);
  }
  writer.Raw(kTrailer);
  return writer.Done();
}

bool DeserialiseModel(std::span<const char> bytes, TS_Model& model, const ArraySource* arrays) {
  model.Destroy();
  try {
    Reader reader(bytes, arrays);
    if (ReadModel(reader, model)) {
      return true;
    }
  } catch (const std::bad_alloc&) {
  }
  model.Destroy();
  return false;
}

}  // namespace tessel::detail
