// Boundary forms handed between processes: the shape, its placement and its
// face colours come back and mesh as before; instances keep sharing their
// part; bytes cut anywhere are refused instead of read past their end.
#include "../support/cad_test_files.h"
#include "brep_serialisation.h"
#include "occt_brep.h"

#include <TopExp_Explorer.hxx>
#include <gp_Trsf.hxx>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using tessel::detail::DeserialiseBreps;
using tessel::detail::FaceColors;
using tessel::detail::OcctBrep;
using tessel::detail::SerialiseBreps;

struct Meshed {
  std::vector<TS_Mesh> meshes;
  std::vector<TS_Color> colors;
};

Meshed MeshOf(const TS_Brep& brep) {
  TS_ClassArray<TS_Mesh> meshes;
  TS_SimpleArray<TS_Color> colors;
  EXPECT_TRUE(brep.CreateMesh(TS_MeshParameters(), meshes, colors));
  return {std::vector<TS_Mesh>(meshes.begin(), meshes.end()), std::vector<TS_Color>(colors.begin(), colors.end())};
}

// Two instances of the blind-hole part, the second turned and moved, with
// its top faces red.
std::vector<std::shared_ptr<const TS_Brep>> TwoInstances() {
  const TopoDS_Shape part = linvale::test::MakeBlindHolePart();
  FaceColors colors;
  int face = 0;
  for (TopExp_Explorer faces(part, TopAbs_FACE); faces.More(); faces.Next(), ++face) {
    if (face % 3 == 0) {
      colors.Bind(faces.Current(), TS_Color(255, 0, 0));
    }
  }
  gp_Trsf turn;
  turn.SetRotation(gp::OZ(), 0.5);
  turn.SetTranslationPart(gp_Vec(100.0, 20.0, -5.0));
  return {std::make_shared<OcctBrep>(part, TopLoc_Location(), TS_Color(0, 0, 255)),
          std::make_shared<OcctBrep>(part, TopLoc_Location(turn), TS_Color(0, 255, 0), colors)};
}

std::vector<const TS_Brep*> Pointers(const std::vector<std::shared_ptr<const TS_Brep>>& breps) {
  std::vector<const TS_Brep*> pointers;
  for (const auto& brep : breps) {
    pointers.push_back(brep.get());
  }
  return pointers;
}

TEST(BrepSerialisation, FormsComeBackAndMeshAsBefore) {
  const auto original = TwoInstances();
  std::string bytes;
  ASSERT_TRUE(SerialiseBreps(Pointers(original), bytes));
  std::vector<std::shared_ptr<const TS_Brep>> copy;
  ASSERT_TRUE(DeserialiseBreps(bytes, copy));
  ASSERT_EQ(copy.size(), 2u);
  for (std::size_t i = 0; i < copy.size(); ++i) {
    const Meshed before = MeshOf(*original[i]);
    const Meshed after = MeshOf(*copy[i]);
    EXPECT_EQ(after.colors, before.colors) << i;
    ASSERT_EQ(after.meshes.size(), before.meshes.size()) << i;
    for (std::size_t m = 0; m < after.meshes.size(); ++m) {
      EXPECT_TRUE(std::ranges::equal(after.meshes[m].Vertices(), before.meshes[m].Vertices())) << i << " " << m;
      EXPECT_TRUE(std::ranges::equal(after.meshes[m].Faces(), before.meshes[m].Faces())) << i << " " << m;
    }
  }
  EXPECT_EQ(MeshOf(*copy[1]).colors.size(), 2u) << "the face colours came along";
  const auto& first = dynamic_cast<const OcctBrep&>(*copy[0]);
  const auto& second = dynamic_cast<const OcctBrep&>(*copy[1]);
  EXPECT_TRUE(first.Part().IsSame(second.Part())) << "the instances still share their part";
}

TEST(BrepSerialisation, CutBytesAreRefused) {
  std::string bytes;
  ASSERT_TRUE(SerialiseBreps(Pointers(TwoInstances()), bytes));
  // Every length would take minutes; cuts in the shape data and in the
  // records after it, and one byte short, are enough.
  for (std::size_t length : {std::size_t{0}, std::size_t{4}, bytes.size() / 3, bytes.size() / 2, bytes.size() - 13,
                             bytes.size() - 1}) {
    std::vector<std::shared_ptr<const TS_Brep>> copy;
    EXPECT_FALSE(DeserialiseBreps(std::span<const char>(bytes.data(), length), copy)) << length;
    EXPECT_TRUE(copy.empty()) << length;
  }
  std::vector<std::shared_ptr<const TS_Brep>> copy;
  EXPECT_FALSE(DeserialiseBreps(bytes + "x", copy));
}

}  // namespace
