// A model handed between processes as bytes: every field comes back, and a
// reply cut anywhere or with junk after it is refused instead of read past
// its end.
#include <tessel/ts_model.h>

#include "model_serialisation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>

namespace {

TS_Model SampleModel() {
  TS_Model model;
  model.m_up = TS_3dVector(0.0, 0.0, -1.0);
  model.m_invalidFaces = 7;
  model.m_warnings.Append(TS_String("meshed 4 times coarser"));
  model.m_readSeconds = 1.25;
  model.m_meshSeconds = 0.5;
  TS_Material material;
  material.SetDiffuse(TS_Color(10, 20, 30));
  material.SetTransparency(0.25);
  model.m_materials.Append(material);
  TS_Light light;
  light.SetStyle(TS::world_spot_light);
  light.SetLocation(TS_3dPoint(1.0, 2.0, 3.0));
  light.SetSpotAngleRadians(0.5);
  model.m_lights.Append(light);
  TS_Viewport view;
  view.SetProjection(TS::perspective_view);
  view.SetCameraLocation(TS_3dPoint(0.0, -10.0, 0.0));
  view.SetFrustum(-1.0, 1.0, -0.75, 0.75, 0.5, 100.0);
  model.m_views.Append(view);
  for (const bool withNormals : {true, false}) {
    TS_ModelObject object;
    object.name = withNormals ? "smooth" : "flat";
    object.color = TS_Color(200, 100, 50);
    object.material = withNormals ? 0 : -1;
    for (int v = 0; v < 4; ++v) {
      object.mesh.SetVertex(v, TS_3fPoint(static_cast<float>(v), v * 0.5f, 1.0f / 3.0f));
      if (withNormals) {
        object.mesh.SetVertexNormal(v, TS_3fVector(0.0f, 0.0f, 1.0f));
      }
    }
    object.mesh.SetTriangle(0, 0, 1, 2);
    object.mesh.SetQuad(1, 0, 2, 3, 1);
    model.m_objects.Append(std::move(object));
  }
  return model;
}

std::string Serialised(const TS_Model& model) {
  std::string bytes;
  EXPECT_TRUE(tessel::detail::SerialiseModel(model, [&bytes](std::span<const char> piece) {
    bytes.append(piece.data(), piece.size());
    return true;
  }));
  return bytes;
}

}  // namespace

TEST(ModelSerialisation, EveryFieldComesBack) {
  const TS_Model original = SampleModel();
  TS_Model copy;
  ASSERT_TRUE(tessel::detail::DeserialiseModel(Serialised(original), copy));
  EXPECT_EQ(copy.m_up, original.m_up);
  EXPECT_EQ(copy.m_invalidFaces, original.m_invalidFaces);
  ASSERT_EQ(copy.m_warnings.Count(), 1);
  EXPECT_EQ(copy.m_warnings[0], original.m_warnings[0]);
  EXPECT_EQ(copy.m_readSeconds, original.m_readSeconds);
  EXPECT_EQ(copy.m_meshSeconds, original.m_meshSeconds);
  ASSERT_EQ(copy.m_materials.Count(), 1);
  EXPECT_EQ(copy.m_materials[0], original.m_materials[0]);
  ASSERT_EQ(copy.m_lights.Count(), 1);
  EXPECT_EQ(copy.m_lights[0], original.m_lights[0]);
  ASSERT_EQ(copy.m_views.Count(), 1);
  EXPECT_EQ(copy.m_views[0], original.m_views[0]);
  ASSERT_EQ(copy.m_objects.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    const TS_ModelObject& a = copy.m_objects[i];
    const TS_ModelObject& b = original.m_objects[i];
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.color, b.color);
    EXPECT_EQ(a.material, b.material);
    EXPECT_TRUE(std::ranges::equal(a.mesh.Vertices(), b.mesh.Vertices()));
    EXPECT_TRUE(std::ranges::equal(a.mesh.Faces(), b.mesh.Faces()));
    EXPECT_TRUE(std::ranges::equal(a.mesh.VertexNormals(), b.mesh.VertexNormals()));
    EXPECT_EQ(a.mesh.HasVertexNormals(), b.mesh.HasVertexNormals());
  }
}

TEST(ModelSerialisation, ACutOrPaddedReplyIsRefusedAndLeavesTheModelEmpty) {
  const std::string bytes = Serialised(SampleModel());
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    TS_Model model = SampleModel();
    EXPECT_FALSE(tessel::detail::DeserialiseModel(std::span<const char>(bytes.data(), length), model)) << length;
    EXPECT_TRUE(model.m_objects.IsEmpty()) << length;
  }
  TS_Model model;
  EXPECT_FALSE(tessel::detail::DeserialiseModel(bytes + "x", model));
}

TEST(ModelSerialisation, ASinkThatRefusesStopsTheWriting) {
  const std::size_t whole = Serialised(SampleModel()).size();
  int pieces = 0;
  std::size_t taken = 0;
  // The third piece is the first that is refused; nothing is offered after it.
  EXPECT_FALSE(tessel::detail::SerialiseModel(SampleModel(), [&](std::span<const char> piece) {
    if (++pieces == 3) {
      return false;
    }
    taken += piece.size();
    return true;
  }));
  EXPECT_EQ(pieces, 3);
  EXPECT_LT(taken, whole);
}

TEST(ModelSerialisation, FacesOnMissingVerticesAreRefused) {
  std::string bytes = Serialised(SampleModel());
  // The first face's first index follows the first object's vertices.
  const TS_MeshFace first{{0, 1, 2, 2}};
  const std::string pattern(reinterpret_cast<const char*>(&first), sizeof first);
  const std::size_t at = bytes.find(pattern);
  ASSERT_NE(at, std::string::npos);
  const int outside = 4;
  bytes.replace(at, sizeof outside, reinterpret_cast<const char*>(&outside), sizeof outside);
  TS_Model model;
  EXPECT_FALSE(tessel::detail::DeserialiseModel(bytes, model));
}

namespace {

// Arrays placed by address, copied here out of this process's own memory,
// as the reader copies them out of the importer's.
tessel::detail::ArraySource OwnMemory(std::uint64_t budgetBytes) {
  return {[](std::uint64_t address, void* into, std::size_t bytes) {
            std::memcpy(into, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(address)), bytes);
            return true;
          },
          budgetBytes};
}

std::string SerialisedByAddress(const TS_Model& model) {
  std::string bytes;
  EXPECT_TRUE(tessel::detail::SerialiseModel(
      model,
      [&bytes](std::span<const char> piece) {
        bytes.append(piece.data(), piece.size());
        return true;
      },
      tessel::detail::ArrayPlacement::ByAddress));
  return bytes;
}

}  // namespace

TEST(ModelSerialisation, ArraysByAddressComeBackAndOnlyWhereTheReaderExpectsThem) {
  const TS_Model original = SampleModel();
  const std::string bytes = SerialisedByAddress(original);
  EXPECT_LT(bytes.size(), Serialised(original).size());
  const tessel::detail::ArraySource arrays = OwnMemory(1 << 20);
  TS_Model copy;
  ASSERT_TRUE(tessel::detail::DeserialiseModel(bytes, copy, &arrays));
  ASSERT_EQ(copy.m_objects.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(std::ranges::equal(copy.m_objects[i].mesh.Vertices(), original.m_objects[i].mesh.Vertices()));
    EXPECT_TRUE(std::ranges::equal(copy.m_objects[i].mesh.Faces(), original.m_objects[i].mesh.Faces()));
    EXPECT_TRUE(
        std::ranges::equal(copy.m_objects[i].mesh.VertexNormals(), original.m_objects[i].mesh.VertexNormals()));
  }
  // Addresses read as array bytes, or array bytes as addresses, would be garbage.
  EXPECT_FALSE(tessel::detail::DeserialiseModel(bytes, copy));
  EXPECT_FALSE(tessel::detail::DeserialiseModel(Serialised(original), copy, &arrays));
}

TEST(ModelSerialisation, ArraysBeyondTheBudgetOrThatCannotBeHadAreRefused) {
  const TS_Model original = SampleModel();
  std::size_t arrayBytes = 0;
  for (const TS_ModelObject& object : original.m_objects) {
    arrayBytes += object.mesh.Vertices().size_bytes() + object.mesh.Faces().size_bytes() +
                  object.mesh.VertexNormals().size_bytes();
  }
  const std::string bytes = SerialisedByAddress(original);
  TS_Model copy;
  const tessel::detail::ArraySource exact = OwnMemory(arrayBytes);
  EXPECT_TRUE(tessel::detail::DeserialiseModel(bytes, copy, &exact));
  // One byte short: the last array is refused before it is taken on.
  int copies = 0;
  tessel::detail::ArraySource tooSmall = OwnMemory(arrayBytes - 1);
  const auto copyOwn = tooSmall.copy;
  tooSmall.copy = [&](std::uint64_t address, void* into, std::size_t size) {
    ++copies;
    return copyOwn(address, into, size);
  };
  EXPECT_FALSE(tessel::detail::DeserialiseModel(bytes, copy, &tooSmall));
  EXPECT_TRUE(copy.m_objects.IsEmpty());
  EXPECT_EQ(copies, 4);  // the first object's three arrays and the second's vertices; it has no normals

  const tessel::detail::ArraySource unavailable{[](std::uint64_t, void*, std::size_t) { return false; }, 1 << 20};
  EXPECT_FALSE(tessel::detail::DeserialiseModel(bytes, copy, &unavailable));
  EXPECT_TRUE(copy.m_objects.IsEmpty());
}

// Only the toolkit's own forms can be written; another implementation of
// the interface has no byte form, and the whole model is refused rather
// than sent without it.
TEST(ModelSerialisation, AFormTheToolkitDidNotMakeIsRefused) {
  class ForeignBrep : public TS_Brep {
  public:
    bool CreateMesh(const TS_MeshParameters&, TS_ClassArray<TS_Mesh>&) const override { return false; }
    bool CreateMesh(const TS_MeshParameters&, TS_ClassArray<TS_Mesh>&, TS_SimpleArray<TS_Color>&) const override {
      return false;
    }
  };
  TS_Model model = SampleModel();
  model.m_objects[0].brep = std::make_shared<ForeignBrep>();
  bool offered = false;
  EXPECT_FALSE(tessel::detail::SerialiseModel(model, [&offered](std::span<const char>) { return offered = true; }));
  EXPECT_FALSE(offered) << "nothing is written before the refusal";
}
