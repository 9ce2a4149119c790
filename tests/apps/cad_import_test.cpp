// Reading CAD files (STEP, IGES, B-rep) into a model, in process and
// isolated: parts become objects that keep their boundary form, placed
// where the assembly puts them, coloured per instance and per face, in
// millimetres; damaged files and budgets fail the read with one line
// naming the file.
#include <tessel/ts_model.h>

#include "../support/cad_test_files.h"
#include "../support/temporary_home.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using linvale::test::TemporaryFolder;

const TS_Color kRed(255, 0, 0);
const TS_Color kGreen(0, 255, 0);
const TS_Color kBlue(0, 0, 255);

struct Box {
  TS_3dPoint min, max;
};

Box BoxOf(const TS_Mesh& mesh) {
  Box box;
  EXPECT_TRUE(mesh.GetBoundingBox(box.min, box.max));
  return box;
}

void ExpectNear(const TS_3dPoint& a, const TS_3dPoint& b, const char* what) {
  EXPECT_NEAR(a.x, b.x, 1e-3) << what;
  EXPECT_NEAR(a.y, b.y, 1e-3) << what;
  EXPECT_NEAR(a.z, b.z, 1e-3) << what;
}

// Triangles per colour of all objects, and per colour the box around them.
struct ColorSummary {
  std::map<std::uint32_t, int> triangles;
  std::map<std::uint32_t, Box> boxes;
};

ColorSummary Summarise(const TS_Model& model) {
  ColorSummary summary;
  for (const TS_ModelObject& object : model.m_objects) {
    EXPECT_GE(object.material, 0);
    EXPECT_LT(object.material, model.m_materials.Count());
    if (object.material >= 0 && object.material < model.m_materials.Count()) {
      EXPECT_EQ(model.m_materials[object.material].Diffuse(), object.color) << "the node's material has the colour";
    }
    summary.triangles[object.color] += object.mesh.FaceCount();
    auto [entry, added] = summary.boxes.try_emplace(object.color, BoxOf(object.mesh));
    if (!added) {
      object.mesh.GetBoundingBox(entry->second.min, entry->second.max, true);
    }
  }
  return summary;
}

class CadImportTest : public ::testing::TestWithParam<bool> {
protected:
  // The parameter picks the isolated reader.
  bool Read(const std::string& path, TS_Model& model, TS_String& error, const TS_ModelReadLimits& limits = {}) {
    return GetParam() ? model.ReadIsolated(path.c_str(), error, limits) : model.Read(path.c_str(), error, limits);
  }

  TemporaryFolder mFolder;
};

TEST_P(CadImportTest, StepBoxIsOneObjectWithItsBrepAndMesh) {
  const std::string path = mFolder / "box.step";
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBox(), path));
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(Read(path, model, error)) << error;
  ASSERT_EQ(model.m_objects.Count(), 1);
  const TS_ModelObject& object = model.m_objects[0];
  ASSERT_NE(object.brep, nullptr);
  EXPECT_EQ(object.mesh.FaceCount(), 12);
  EXPECT_TRUE(object.mesh.HasVertexNormals());
  const Box box = BoxOf(object.mesh);
  ExpectNear(box.min, TS_3dPoint(0.0, 0.0, 0.0), "min");
  ExpectNear(box.max, TS_3dPoint(10.0, 20.0, 30.0), "max");
  EXPECT_EQ(model.m_up, TS_3dVector(0.0, 0.0, 1.0));
  // The form meshes again on its own, as the preview does with it.
  TS_ClassArray<TS_Mesh> meshes;
  ASSERT_TRUE(object.brep->CreateMesh(TS_MeshParameters(), meshes));
  ASSERT_EQ(meshes.Count(), 1);
  EXPECT_EQ(meshes[0].FaceCount(), 12);
}

TEST_P(CadImportTest, AssemblyInstancesArePlacedAndColouredPerInstanceAndFace) {
  const std::string path = mFolder / "pair.step";
  ASSERT_TRUE(linvale::test::WriteTwoBlockAssembly(path));
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(Read(path, model, error)) << error;
  const ColorSummary summary = Summarise(model);
  EXPECT_EQ(summary.triangles.size(), 3u) << "red, blue and the green top faces";
  EXPECT_EQ(summary.triangles.at(kGreen), 2 * 2) << "each instance's top face";
  EXPECT_EQ(summary.triangles.at(kRed), 5 * 2);
  EXPECT_EQ(summary.triangles.at(kBlue), 5 * 2);
  // The first block where the part is, the second turned a quarter about z
  // and moved along x.
  ExpectNear(summary.boxes.at(kRed).min, TS_3dPoint(0.0, 0.0, 0.0), "red min");
  ExpectNear(summary.boxes.at(kRed).max, TS_3dPoint(10.0, 20.0, 30.0), "red max");
  const double offset = linvale::test::kSecondBlockOffset;
  ExpectNear(summary.boxes.at(kBlue).min, TS_3dPoint(offset - 20.0, 0.0, 0.0), "blue min");
  ExpectNear(summary.boxes.at(kBlue).max, TS_3dPoint(offset, 10.0, 30.0), "blue max");
  ExpectNear(summary.boxes.at(kGreen).min, TS_3dPoint(0.0, 0.0, 30.0), "green min");
  ExpectNear(summary.boxes.at(kGreen).max, TS_3dPoint(offset, 20.0, 30.0), "green max");
  for (const TS_ModelObject& object : model.m_objects) {
    EXPECT_EQ(object.name, "block");
    EXPECT_NE(object.brep, nullptr);
  }
  EXPECT_EQ(model.m_materials.Count(), 3) << "one material per colour";
}

TEST_P(CadImportTest, InchFileIsReadInMillimetres) {
  const std::string path = mFolder / "inch.step";
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBox(), path, linvale::test::StepUnit::Inch));
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(Read(path, model, error)) << error;
  TS_3dPoint min, max;
  ASSERT_TRUE(model.GetBoundingBox(min, max));
  ExpectNear(max, TS_3dPoint(254.0, 508.0, 762.0), "a 10 by 20 by 30 inch box");
}

TEST_P(CadImportTest, IgesAndBrepFilesGiveTheSameSolid) {
  const TopoDS_Shape part = linvale::test::MakeBlindHolePart();
  const std::string iges = mFolder / "part.igs";
  const std::string brep = mFolder / "part.brep";
  ASSERT_TRUE(linvale::test::WriteIges(part, iges));
  ASSERT_TRUE(linvale::test::WriteBrep(part, brep));
  for (const std::string& path : {iges, brep}) {
    TS_Model model;
    TS_String error;
    ASSERT_TRUE(Read(path, model, error)) << error;
    TS_3dPoint min, max;
    ASSERT_TRUE(model.GetBoundingBox(min, max));
    ExpectNear(min, TS_3dPoint(0.0, 0.0, 0.0), path.c_str());
    ExpectNear(max, TS_3dPoint(40.0, 30.0, 20.0), path.c_str());
  }
}

TEST_P(CadImportTest, DamagedOrEmptyFilesFailNamingTheFile) {
  const std::string good = mFolder / "good.step";
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBlindHolePart(), good));
  const std::uintmax_t size = fs::file_size(good);
  const std::string truncated = mFolder / "truncated.step";
  fs::copy_file(good, truncated);
  fs::resize_file(truncated, size / 2);
  const std::string renamed = mFolder / "picture.step";
  std::ofstream(renamed) << "P3\n2 2\n255\n0 0 0 255 255 255 0 0 0 255 255 255\n";
  const std::string empty = mFolder / "empty.step";
  ASSERT_TRUE(linvale::test::WriteStepWithoutShapes(empty));
  const std::string badIges = mFolder / "noise.iges";
  std::ofstream(badIges) << "this is not IGES\n";
  for (const std::string& path : {truncated, renamed, empty, badIges}) {
    TS_Model model;
    TS_String error;
    EXPECT_FALSE(Read(path, model, error)) << path;
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_TRUE(model.m_objects.IsEmpty());
  }
}

TEST_P(CadImportTest, TriangleBudgetFallsBackToCoarserMeshThenFails) {
  const std::string path = mFolder / "part.step";
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBlindHolePart(), path));
  TS_ModelReadLimits fine;
  fine.meshing.relativeDeflection = 0.0002;
  fine.meshing.angularDeflection = 1.5;
  TS_Model unlimited;
  TS_String error;
  ASSERT_TRUE(Read(path, unlimited, error, fine)) << error;
  EXPECT_TRUE(unlimited.m_warnings.IsEmpty());
  const int all = unlimited.m_objects[0].mesh.FaceCount();

  TS_ModelReadLimits tight = fine;
  tight.meshTriangles = static_cast<std::uint64_t>(all / 2);
  TS_Model coarser;
  ASSERT_TRUE(Read(path, coarser, error, tight)) << error;
  ASSERT_EQ(coarser.m_warnings.Count(), 1);
  EXPECT_NE(coarser.m_warnings[0].find("coarser"), std::string::npos) << coarser.m_warnings[0];
  EXPECT_LE(coarser.m_objects[0].mesh.FaceCount(), all / 2);

  tight.meshTriangles = 10;
  TS_Model none;
  EXPECT_FALSE(Read(path, none, error, tight));
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_NE(error.find("triangles"), std::string::npos) << error;
}

TEST_P(CadImportTest, CancelStopsTheRead) {
  const std::string path = mFolder / "part.step";
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBlindHolePart(), path));
  TS_ModelReadLimits limits;
  limits.canceled = [] { return true; };
  TS_Model model;
  TS_String error;
  EXPECT_FALSE(Read(path, model, error, limits));
  EXPECT_NE(error.find("interrupted"), std::string::npos) << error;
}

TEST_P(CadImportTest, ProgressRisesToTheEnd) {
  const std::string path = mFolder / "part.step";
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBlindHolePart(), path));
  std::vector<double> reports;
  TS_ModelReadLimits limits;
  limits.progress = [&reports](double fraction) { reports.push_back(fraction); };
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(Read(path, model, error, limits)) << error;
  ASSERT_FALSE(reports.empty());
  EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
  EXPECT_GE(reports.front(), 0.0);
  EXPECT_EQ(reports.back(), 1.0);
}

TEST_P(CadImportTest, FormsAreDroppedWhenNotWanted) {
  const std::string path = mFolder / "pair.step";
  ASSERT_TRUE(linvale::test::WriteTwoBlockAssembly(path));
  TS_ModelReadLimits limits;
  limits.keepBreps = false;
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(Read(path, model, error, limits)) << error;
  ASSERT_FALSE(model.m_objects.IsEmpty());
  for (const TS_ModelObject& object : model.m_objects) {
    EXPECT_EQ(object.brep, nullptr);
    EXPECT_GT(object.mesh.FaceCount(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(InProcessAndIsolated, CadImportTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Isolated" : "InProcess"; });

TEST(CadIsolatedImportTest, BrepFormsSurviveTheTripWithTheirFaceColours) {
  TemporaryFolder folder;
  const std::string path = folder / "pair.step";
  ASSERT_TRUE(linvale::test::WriteTwoBlockAssembly(path));
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(model.ReadIsolated(path.c_str(), error)) << error;
  ASSERT_FALSE(model.m_objects.IsEmpty());
  std::map<std::uint32_t, int> triangles;
  for (const TS_ModelObject& object : model.m_objects) {
    ASSERT_NE(object.brep, nullptr);
  }
  // The objects of one instance share its form; each form meshes to the
  // instance's colours.
  std::set<const TS_Brep*> forms;
  for (const TS_ModelObject& object : model.m_objects) {
    if (!forms.insert(object.brep.get()).second) {
      continue;
    }
    TS_ClassArray<TS_Mesh> meshes;
    TS_SimpleArray<TS_Color> colors;
    ASSERT_TRUE(object.brep->CreateMesh(TS_MeshParameters(), meshes, colors));
    for (int i = 0; i < meshes.Count(); ++i) {
      triangles[colors[i]] += meshes[i].FaceCount();
    }
  }
  EXPECT_EQ(forms.size(), 2u);
  EXPECT_EQ(triangles[kGreen], 4);
  EXPECT_EQ(triangles[kRed], 10);
  EXPECT_EQ(triangles[kBlue], 10);
  EXPECT_GE(model.m_readSeconds, 0.0);
  EXPECT_GT(model.m_readSeconds + model.m_meshSeconds, 0.0);
}

}  // namespace

// A host that meshed in its own process (the preview does) has the mesher's
// worker threads running; the isolated reader's child is forked without
// them and must still mesh, not wait for threads it does not have.
TEST(CadIsolatedImportTest, ReadsAfterTheCallerMeshedInParallel) {
  TemporaryFolder folder;
  const std::string path = folder / "part.step";
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBlindHolePart(), path));
  TS_Model first;
  TS_String error;
  ASSERT_TRUE(first.Read(path.c_str(), error)) << error;
  TS_ClassArray<TS_Mesh> meshes;
  TS_MeshParameters fine;
  fine.relativeDeflection = 0.0001;
  ASSERT_TRUE(first.m_objects[0].brep->CreateMesh(fine, meshes));
  TS_ModelReadLimits limits;
  limits.seconds = 20;
  limits.meshing.relativeDeflection = 0.0001;
  TS_Model second;
  ASSERT_TRUE(second.ReadIsolated(path.c_str(), error, limits)) << error;
  EXPECT_EQ(second.m_objects[0].mesh.FaceCount(), meshes[0].FaceCount());
}
