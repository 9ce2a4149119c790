#include "model_serialisation.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>
#include <type_traits>

namespace tessel_detail {
namespace {

constexpr std::string_view kHeader = "TS_Model 1\n";
constexpr std::string_view kTrailer = "end of model\n";

class Writer {
public:
  explicit Writer(std::string& bytes) : mBytes(bytes) {}

  template <class T>
  void Record(const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    mBytes.append(reinterpret_cast<const char*>(&value), sizeof(T));
  }

  template <class T>
  void Records(std::span<const T> values) {
    static_assert(std::is_trivially_copyable_v<T>);
    Record(static_cast<std::uint64_t>(values.size()));
    mBytes.append(reinterpret_cast<const char*>(values.data()), values.size_bytes());
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
    Records(mesh.Vertices());
    Records(mesh.Faces());
    Records(mesh.VertexNormals());
  }

  void Raw(std::string_view text) { mBytes.append(text); }

private:
  std::string& mBytes;
};

// Every read checks that the bytes are there, so a reply cut anywhere fails
// instead of reading past its end.
class Reader {
public:
  explicit Reader(std::span<const char> bytes) : mBytes(bytes) {}

  bool AtEnd() const { return mOffset == mBytes.size(); }

  bool Raw(std::string_view expected) {
    if (mBytes.size() - mOffset < expected.size() ||
        std::memcmp(mBytes.data() + mOffset, expected.data(), expected.size()) != 0) {
      return false;
    }
    mOffset += expected.size();
    return true;
  }

  template <class T>
  bool Record(T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    if (mBytes.size() - mOffset < sizeof(T)) {
      return false;
    }
    std::memcpy(&value, mBytes.data() + mOffset, sizeof(T));
    mOffset += sizeof(T);
    return true;
  }

  // The number of records of `size` bytes that follows, when they are all there.
  bool Count(std::size_t size, std::uint64_t& count) {
    return Record(count) && count <= (mBytes.size() - mOffset) / size;
  }

  bool Text(TS_String& text) {
    std::uint64_t length = 0;
    if (!Count(1, length)) {
      return false;
    }
    text.assign(mBytes.data() + mOffset, length);
    mOffset += length;
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

  bool Mesh(TS_Mesh& mesh) {
    std::uint64_t vertices = 0;
    if (!Count(sizeof(TS_3fPoint), vertices)) {
      return false;
    }
    mesh.Reserve(static_cast<int>(vertices), 0);
    for (int v = 0; v < static_cast<int>(vertices); ++v) {
      TS_3fPoint point;
      Record(point);
      mesh.SetVertex(v, point);
    }
    std::uint64_t faces = 0;
    if (!Count(sizeof(TS_MeshFace), faces)) {
      return false;
    }
    mesh.Reserve(static_cast<int>(vertices), static_cast<int>(faces));
    for (int f = 0; f < static_cast<int>(faces); ++f) {
      TS_MeshFace face;
      Record(face);
      if (!mesh.SetQuad(f, face.vi[0], face.vi[1], face.vi[2], face.vi[3])) {
        return false;
      }
    }
    std::uint64_t normals = 0;
    if (!Count(sizeof(TS_3fVector), normals)) {
      return false;
    }
    for (int n = 0; n < static_cast<int>(normals); ++n) {
      TS_3fVector normal;
      Record(normal);
      mesh.SetVertexNormal(n, normal);
    }
    return mesh.VertexCount() == static_cast<int>(vertices) && mesh.FaceCount() == static_cast<int>(faces) &&
           static_cast<int>(mesh.VertexNormals().size()) == static_cast<int>(normals);
  }

private:
  std::span<const char> mBytes;
  std::size_t mOffset = 0;
};

bool ReadObjects(Reader& reader, TS_Model& model) {
  std::uint64_t count = 0;
  // Each object takes at least its counts and colour.
  if (!reader.Count(5 * sizeof(std::uint64_t), count)) {
    return false;
  }
  for (std::uint64_t i = 0; i < count; ++i) {
    TS_ModelObject object;
    std::int32_t material = -1;
    if (!reader.Text(object.name) || !reader.Record(object.color) || !reader.Record(material) ||
        !reader.Mesh(object.mesh)) {
      return false;
    }
    object.material = material;
    model.m_objects.Append(std::move(object));
  }
  return true;
}

bool ReadModel(Reader& reader, TS_Model& model) {
  return reader.Raw(kHeader) && reader.Record(model.m_up) && reader.Record(model.m_invalidFaces) &&
         reader.Array(model.m_materials) && reader.Array(model.m_lights) && reader.Array(model.m_views) &&
         ReadObjects(reader, model) && reader.Raw(kTrailer) && reader.AtEnd();
}

}  // namespace

bool SerialiseModel(const TS_Model& model, std::string& bytes) {
  try {
    Writer writer(bytes);
    writer.Raw(kHeader);
    writer.Record(model.m_up);
    writer.Record(model.m_invalidFaces);
    writer.Array(model.m_materials);
    writer.Array(model.m_lights);
    writer.Array(model.m_views);
    writer.Record(static_cast<std::uint64_t>(model.m_objects.Count()));
    for (const TS_ModelObject& object : model.m_objects) {
      writer.Text(object.name);
      writer.Record(object.color);
      writer.Record(static_cast<std::int32_t>(object.material));
      writer.Mesh(object.mesh);
    }
    writer.Raw(kTrailer);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
}

bool DeserialiseModel(std::span<const char> bytes, TS_Model& model) {
  model.Destroy();
  try {
    Reader reader(bytes);
    if (ReadModel(reader, model)) {
      return true;
    }
  } catch (const std::bad_alloc&) {
  }
  model.Destroy();
  return false;
}

}  // namespace tessel_detail
