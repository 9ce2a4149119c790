// cad-mesh-export, through the built program: the mesh file it writes of a
// CAD assembly reads back as the same triangles in the same places, with
// their colours and surface normals where the format keeps them, and bad
// arguments write nothing.
#include <tessel/ts_model.h>

#include "../../apps/npr-render/mesh_quality.h"
#include "../support/cad_test_files.h"
#include "../support/temporary_home.h"
#include "program_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using linvale::test::ProgramResult;
using linvale::test::TemporaryFolder;

struct Summary {
  int objects = 0;
  int triangles = 0;
  std::map<std::uint32_t, int> trianglesPerColor;
  TS_3dPoint min, max;
  bool allHaveNormals = true;
  // Triangles whose corners run clockwise seen from where their vertex
  // normals point: turned inside out.
  int turnedTriangles = 0;
};

int TurnedTriangles(const TS_Mesh& mesh) {
  if (!mesh.HasVertexNormals()) {
    return 0;
  }
  int turned = 0;
  for (const TS_MeshFace& face : mesh.Faces()) {
    const TS_3fVector a(mesh.Vertex(face.vi[0]));
    const TS_3fVector b(mesh.Vertex(face.vi[1]));
    const TS_3fVector c(mesh.Vertex(face.vi[2]));
    TS_3fVector ab = b, ac = c;
    ab -= a;
    ac -= a;
    const TS_3fVector winding = TS_CrossProduct(ab, ac);
    float agreement = 0.0f;
    for (int corner = 0; corner < 3; ++corner) {
      agreement += TS_DotProduct(winding, mesh.VertexNormal(face.vi[corner]));
    }
    turned += agreement < 0.0f ? 1 : 0;
  }
  return turned;
}

Summary Summarise(const TS_Model& model) {
  Summary summary;
  summary.objects = model.m_objects.Count();
  for (const TS_ModelObject& object : model.m_objects) {
    summary.triangles += object.mesh.FaceCount();
    summary.trianglesPerColor[object.color] += object.mesh.FaceCount();
    summary.allHaveNormals = summary.allHaveNormals && object.mesh.HasVertexNormals();
    summary.turnedTriangles += TurnedTriangles(object.mesh);
  }
  EXPECT_TRUE(model.GetBoundingBox(summary.min, summary.max));
  return summary;
}

void ExpectSamePlace(const Summary& written, const Summary& read) {
  for (int axis = 0; axis < 3; ++axis) {
    EXPECT_NEAR((&written.min.x)[axis], (&read.min.x)[axis], 1e-3) << "axis " << axis;
    EXPECT_NEAR((&written.max.x)[axis], (&read.max.x)[axis], 1e-3) << "axis " << axis;
  }
}

class CadMeshExportTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(linvale::test::WriteTwoBlockAssembly(mStep)); }

  ProgramResult Export(const std::vector<std::string>& arguments) {
    return linvale::test::RunProgram(CAD_MESH_EXPORT_PROGRAM, arguments, mFolder.Path());
  }

  static Summary Read(const std::string& path) {
    TS_Model model;
    TS_String error;
    EXPECT_TRUE(model.Read(path.c_str(), error)) << path << ": " << error;
    return Summarise(model);
  }

  // The assembly as npr-render meshes it at its normal quality.
  Summary Reference() const {
    const TS_ModelReadLimits limits = npr_render::ReadLimitsFor(npr_render::MeshQuality::Normal, std::nullopt);
    TS_Model model;
    TS_String error;
    EXPECT_TRUE(model.Read(mStep.c_str(), error, limits)) << error;
    return Summarise(model);
  }

  TemporaryFolder mFolder;
  std::string mStep = mFolder / "pair.step";
};

TEST_F(CadMeshExportTest, ObjAndGlbKeepTrianglesPlacementsColoursAndNormals) {
  const Summary reference = Reference();
  ASSERT_EQ(reference.trianglesPerColor.size(), 3u) << "red, blue and the green top faces";
  for (const char* name : {"pair.obj", "pair.glb"}) {
    SCOPED_TRACE(name);
    const std::string output = mFolder / name;
    const ProgramResult result = Export({mStep, output});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, std::to_string(reference.objects) + " objects, " +
                              std::to_string(reference.triangles) + " triangles\n");
    const Summary read = Read(output);
    EXPECT_EQ(read.objects, reference.objects);
    EXPECT_EQ(read.trianglesPerColor, reference.trianglesPerColor);
    EXPECT_TRUE(read.allHaveNormals) << "the surfaces' normals, not the triangles' own";
    EXPECT_EQ(read.turnedTriangles, 0);
    ExpectSamePlace(reference, read);
  }
}

TEST_F(CadMeshExportTest, StlKeepsTrianglesAndPlacements) {
  const Summary reference = Reference();
  const std::string output = mFolder / "pair.stl";
  const ProgramResult result = Export({mStep, output});
  ASSERT_EQ(result.status, 0) << result.err;
  const Summary read = Read(output);
  EXPECT_EQ(read.triangles, reference.triangles);
  ExpectSamePlace(reference, read);
}

TEST_F(CadMeshExportTest, QualityChangesTheMesh) {
  // The boxes are flat: a part with round faces shows the tolerances.
  const std::string part = mFolder / "part.step";
  ASSERT_TRUE(linvale::test::WriteStep(linvale::test::MakeBlindHolePart(), part));
  const std::string draft = mFolder / "draft.obj";
  const std::string fine = mFolder / "fine.obj";
  ASSERT_EQ(Export({"--quality", "draft", part, draft}).status, 0);
  ASSERT_EQ(Export({part, fine, "--quality", "fine"}).status, 0);
  EXPECT_LT(Read(draft).triangles * 2, Read(fine).triangles);
}

TEST_F(CadMeshExportTest, BadArgumentsAndFailuresWriteNothing) {
  EXPECT_EQ(Export({mStep}).status, 2) << "no output";
  EXPECT_EQ(Export({"--quality", "best", mStep, mFolder / "a.obj"}).status, 2);
  EXPECT_EQ(Export({mStep, mFolder / "b.obj", "--quality"}).status, 2);

  const ProgramResult wrongKind = Export({mStep, mFolder / "c.png"});
  EXPECT_EQ(wrongKind.status, 1);
  EXPECT_NE(wrongKind.err.find("c.png"), std::string::npos) << wrongKind.err;

  const ProgramResult missing = Export({mFolder / "absent.step", mFolder / "d.obj"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("absent.step"), std::string::npos) << missing.err;

  const ProgramResult unwritable = Export({mStep, (mFolder.Path() / "no-such-folder" / "e.obj").string()});
  EXPECT_EQ(unwritable.status, 1);

  for (const char* name : {"a.obj", "b.obj", "c.png", "d.obj"}) {
    EXPECT_FALSE(fs::exists(mFolder / name)) << name;
  }
}

}  // namespace
