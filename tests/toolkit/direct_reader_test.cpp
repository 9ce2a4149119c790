// The direct OBJ and STL readers against the importer: on every form they
// take they must give the model the importer's reading gives, field for
// field and bit for bit, and every form they do not know they must decline
// so that the importer reads it.
#include <tessel/ts_model.h>

#include "../support/temporary_home.h"
#include "fast_readers.h"
#include "importer_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <limits>
#include <random>
#include <span>
#include <string>
#include <vector>

namespace {

using linvale::test::TemporaryFolder;
using DirectReader = bool (*)(const char*, TS_Model&);

void ExpectSameMesh(const TS_Mesh& direct, const TS_Mesh& imported) {
  ASSERT_EQ(direct.VertexCount(), imported.VertexCount());
  ASSERT_EQ(direct.FaceCount(), imported.FaceCount());
  ASSERT_EQ(direct.VertexNormals().size(), imported.VertexNormals().size());
  // Bit for bit, so that -0 and +0 count as different.
  for (int v = 0; v < direct.VertexCount(); ++v) {
    const TS_3fPoint& a = direct.Vertex(v);
    const TS_3fPoint& b = imported.Vertex(v);
    ASSERT_EQ(0, std::memcmp(&a, &b, sizeof a)) << "vertex " << v << ": " << a.x << " " << a.y << " " << a.z
                                                << " against " << b.x << " " << b.y << " " << b.z;
  }
  // As bytes: an empty span may have no storage, which memcmp must not see.
  EXPECT_TRUE(std::ranges::equal(std::as_bytes(direct.VertexNormals()), std::as_bytes(imported.VertexNormals())));
  for (int f = 0; f < direct.FaceCount(); ++f) {
    EXPECT_EQ(direct.Face(f), imported.Face(f)) << "face " << f;
  }
}

void ExpectSameModel(const TS_Model& direct, const TS_Model& imported) {
  EXPECT_EQ(direct.m_up, imported.m_up);
  EXPECT_EQ(direct.m_invalidFaces, imported.m_invalidFaces);
  EXPECT_EQ(direct.m_lights.Count(), imported.m_lights.Count());
  EXPECT_EQ(direct.m_views.Count(), imported.m_views.Count());
  EXPECT_EQ(direct.m_warnings.Count(), imported.m_warnings.Count());
  ASSERT_EQ(direct.m_materials.Count(), imported.m_materials.Count());
  for (int m = 0; m < direct.m_materials.Count(); ++m) {
    EXPECT_TRUE(direct.m_materials[m] == imported.m_materials[m]) << "material " << m;
  }
  ASSERT_EQ(direct.m_objects.Count(), imported.m_objects.Count());
  for (int o = 0; o < direct.m_objects.Count(); ++o) {
    SCOPED_TRACE("object " + std::to_string(o));
    const TS_ModelObject& a = direct.m_objects[o];
    const TS_ModelObject& b = imported.m_objects[o];
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.material, b.material);
    EXPECT_EQ(static_cast<std::uint32_t>(a.color), static_cast<std::uint32_t>(b.color));
    ExpectSameMesh(a.mesh, b.mesh);
  }
}

class DirectReaderTest : public ::testing::Test {
protected:
  std::string Write(const std::string& name, const std::string& content) {
    const std::string path = mFolder / name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  // The direct reader takes the file and agrees with the importer.
  void ExpectTakenAlike(DirectReader read, const std::string& path) {
    SCOPED_TRACE(path);
    TS_Model direct;
    ASSERT_TRUE(read(path.c_str(), direct)) << "declined";
    TS_Model imported;
    TS_String error;
    ASSERT_TRUE(tessel::detail::ReadWithImporter(path.c_str(), imported, error)) << error.c_str();
    ExpectSameModel(direct, imported);
  }

  void ExpectDeclined(DirectReader read, const std::string& path) {
    TS_Model direct;
    EXPECT_FALSE(read(path.c_str(), direct)) << path;
    EXPECT_TRUE(direct.m_objects.IsEmpty());
    EXPECT_TRUE(direct.m_materials.IsEmpty());
  }

  TemporaryFolder mFolder;
};

const std::string kSquare = "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0.2 0.2 0\n";
const std::string kColours =
    "# two colours\nnewmtl red\nKa 0.1 0.2 0.3\nKd 1 0 0\nKs 0.7 0.8 0.9\nKe 0.2 0.2 0.2\nd 0.5\nNs 20\nillum 2\n"
    "newmtl blue\nKd 0 0 1\nTr 0.25\nmap_Kd blue.png\nnewmtl plain\n";

TEST_F(DirectReaderTest, ObjObjectsGroupsAndMaterialsSplitAsTheImporterSplitsThem) {
  Write("colours.mtl", kColours);
  // Faces before any usemtl (library's last material), a usemtl that splits
  // a mesh, one that does not, groups with several names, negative indices.
  ExpectTakenAlike(tessel::detail::ReadObjDirectly,
                   Write("objects.obj", "mtllib colours.mtl\n" + kSquare +
                                            "f 1 2 3\nusemtl red\nf 1 3 4\nusemtl red\nf 2 3 4\no second\n"
                                            "f -5 -3 -2\nusemtl blue\nusemtl plain\nf 1 2 5\ng left right\nf 1 2 3\n"
                                            "usemtl blue\nf 2 3 5\nusemtl red\nf 1 2 3\ng left\nf 3 4 5\n"));
  ExpectTakenAlike(tessel::detail::ReadObjDirectly,
                   Write("usemtl-first.obj", "mtllib colours.mtl\nusemtl blue\n" + kSquare + "o only\nf 1 2 3\n"));
  ExpectTakenAlike(tessel::detail::ReadObjDirectly, Write("plain.obj", kSquare + "f 1 2 3\r\nf 1 3 4\n"));
}

TEST_F(DirectReaderTest, ObjNormalsTextureCoordinatesAndMissingNormals) {
  ExpectTakenAlike(tessel::detail::ReadObjDirectly,
                   Write("normals.obj", kSquare + "vn 0 0 1\nvn -0 0.6 0.8\nvt 0.5 0.5\n"
                                                  "f 1/1/1 2/1/2 3/1/1\nf 1 3 4\nf 2//2 3//2 5//1\n"
                                                  "o flat\nf 1/1 2/1 3/1\no zero\nvn 0 0 0\nf 1//3 2//3 3//3\n"));
}

TEST_F(DirectReaderTest, ObjQuadsAreSplitFromTheirReflexCorner) {
  // Convex, concave at each corner, bent slightly out of its plane, and
  // with negative zeros in the points.
  ExpectTakenAlike(tessel::detail::ReadObjDirectly,
                   Write("quads.obj", kSquare + "v 0.5 0.5 0.05\nv -0 -0 -0\n"
                                                "f 1 2 3 4\nf 1 2 5 4\nf 2 5 4 1\nf 5 4 1 2\nf 4 1 2 5\n"
                                                "f 1 2 6 4\nf 7 2 3 4\n"));
}

// The importer's conversion is not always the nearest float (3.999684,
// numbers with exponents); the points must still be its points, bit for bit.
TEST_F(DirectReaderTest, ObjNumbersConvertAsTheImporterConvertsThem) {
  std::mt19937 random(15);
  std::uniform_real_distribution<double> value(-1e4, 1e4);
  const char* const formats[] = {"%.17g", "%.9g", "%.7e", "%.3f", "%.12g", "%g", "%.7g", "%+.20f", "%.0f."};
  const double scales[] = {1.0, 1e-6, 1e12, 1.0, 1e-6, 1e30, 1.0, 1e-3, 1.0};
  std::string text = "v 5 -0.25 1e3\nv 0.5E-3 -0 1E+2\n";
  char number[96];
  for (int v = 0; v < 3 * 3000; ++v) {
    const std::size_t kind = static_cast<std::size_t>(v) % std::size(formats);
    std::snprintf(number, sizeof number, formats[kind], value(random) * scales[kind]);
    text += std::string(v % 3 == 0 ? "v " : " ") + number + (v % 3 == 2 ? "\n" : "");
  }
  for (int f = 1; f + 2 <= 3002; f += 3) {
    text += "f " + std::to_string(f) + " " + std::to_string(f + 1) + " " + std::to_string(f + 2) + "\n";
  }
  ExpectTakenAlike(tessel::detail::ReadObjDirectly, Write("numbers.obj", text));
}

TEST_F(DirectReaderTest, ObjFormsOutsideTheReadersRangeAreLeftToTheImporter) {
  Write("colours.mtl", kColours);
  Write("odd.mtl", "newmtl odd\nKd 1 0 0\nsharpness 60\n");
  const std::vector<std::string> declined = {
      kSquare + "l 1 2\nf 1 2 3\n",                          // a line
      kSquare + "p 1\nf 1 2 3\n",                            // a point
      kSquare + "f 1 2 3 4 5\n",                             // a polygon
      kSquare + "usemtl nowhere\nf 1 2 3\n",                 // an unknown material
      kSquare + "o a\nf 1 2 3\no b\nf 1 2 3\no a\nf 1 3 4\n",  // an object named again
      kSquare + "f 1 2 9\n",                                 // a corner out of range
      kSquare + "f 1/3 2 3\n",                               // a texture coordinate out of range
      "v 0 0 0 1 0 0\nv 1 0 0 1 0 0\nv 0 1 0 1 0 0\nf 1 2 3\n",  // vertex colours
      "v 0 0 nan\nv 1 0 0\nv 0 1 0\nf 1 2 3\n",              // a point that is not finite
      "v .5 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n",               // a number without a leading digit
      "mtllib odd.mtl\n" + kSquare + "f 1 2 3\n",            // an unknown material statement
      "mtllib missing.mtl\n" + kSquare + "f 1 2 3\n",        // no library
      kSquare + "f 1 2 3\nmtllib colours.mtl\n",             // a library after the faces
      kSquare + "f 1 1 1 1\n",                               // a folded quad
      kSquare,                                               // no faces
  };
  for (std::size_t i = 0; i < declined.size(); ++i) {
    ExpectDeclined(tessel::detail::ReadObjDirectly, Write("declined" + std::to_string(i) + ".obj", declined[i]));
  }
}

struct StlFacet {
  float normal[3];
  float corners[9];
  std::uint16_t attribute = 0;
};

std::string BinaryStl(const std::string& header, const std::vector<StlFacet>& facets) {
  std::string bytes = header;
  bytes.resize(80, ' ');
  const auto count = static_cast<std::uint32_t>(facets.size());
  bytes.append(reinterpret_cast<const char*>(&count), sizeof count);
  for (const StlFacet& facet : facets) {
    bytes.append(reinterpret_cast<const char*>(facet.normal), sizeof facet.normal);
    bytes.append(reinterpret_cast<const char*>(facet.corners), sizeof facet.corners);
    bytes.append(reinterpret_cast<const char*>(&facet.attribute), sizeof facet.attribute);
  }
  return bytes;
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const std::vector<StlFacet> kFacets = {
    {{0, 0, 1}, {0, 0, 0, 1, 0, 0, 1, 1, 0}},
    {{0, 0, 0}, {0, 0, 0, 1, 1, 0, 0, 1, 0}},
    {{0, 0, 1}, {0, 0, 0, kNaN, 0, 0, 0, 1, 0}},
    {{-0.0f, kNaN, -1}, {-0.0f, 0, 0, 1, 1, -0.0f, 0, 1, 2}},
};

TEST_F(DirectReaderTest, BinaryStlFacetsNormalsAndInvalidCorners) {
  ExpectTakenAlike(tessel::detail::ReadStlDirectly, Write("plain.stl", BinaryStl("exported", kFacets)));
  // A binary header may start like a text file.
  ExpectTakenAlike(tessel::detail::ReadStlDirectly, Write("solid.stl", BinaryStl("solid part", kFacets)));
  ExpectTakenAlike(tessel::detail::ReadStlDirectly,
                   Write("no-normals.stl", BinaryStl("flat", {{{0, 0, 0}, {0, 0, 0, 1, 0, 0, 1, 1, 0}}})));
}

TEST_F(DirectReaderTest, AsciiStlSolidsBecomeNamedObjects) {
  const std::string facet = "  facet normal 0 0 1\n    outer loop\n      vertex 0 0 0\n      vertex 1 0 0\n"
                            "      vertex 1 1 -0\n    endloop\n  endfacet\n";
  const std::string flat = "facet normal 0 0 0\nouter loop\nvertex 0 0 1\nvertex 1 0 1\nvertex nan 1 1\n"
                           "endloop\nendfacet\nfacet normal 0 0 0\nouter loop\nvertex 0 0 1\nvertex 1 0 1\n"
                           "vertex 1 1 1\nendloop\nendfacet\n";
  ExpectTakenAlike(tessel::detail::ReadStlDirectly,
                   Write("two.stl", "solid first part\n" + facet + facet + "endsolid first part\nsolid flat\n" + flat +
                                        "endsolid flat\n"));
  ExpectTakenAlike(tessel::detail::ReadStlDirectly, Write("crlf.stl", "solid crlf\r\n" + facet + "endsolid crlf\r\n"));
}

TEST_F(DirectReaderTest, StlFormsOutsideTheReadersRangeAreLeftToTheImporter) {
  StlFacet coloured = kFacets[0];
  coloured.attribute = 0x801f;
  ExpectDeclined(tessel::detail::ReadStlDirectly, Write("coloured.stl", BinaryStl("exported", {coloured})));
  ExpectDeclined(tessel::detail::ReadStlDirectly,
                 Write("header-colour.stl", BinaryStl("COLOR=\xff\x00\x00\xff", kFacets)));
  ExpectDeclined(tessel::detail::ReadStlDirectly, Write("empty.stl", BinaryStl("nothing", {})));
  std::string cut = BinaryStl("cut", kFacets);
  cut.pop_back();
  ExpectDeclined(tessel::detail::ReadStlDirectly, Write("cut.stl", cut));
  ExpectDeclined(tessel::detail::ReadStlDirectly,
                 Write("square.stl", "solid s\nfacet normal 0 0 1\nouter loop\nvertex 0 0 0\nvertex 1 0 0\n"
                                     "vertex 1 1 0\nvertex 0 1 0\nendloop\nendfacet\nendsolid s\n"));
  ExpectDeclined(tessel::detail::ReadStlDirectly, Write("unended.stl", "solid s\nfacet normal 0 0 1\n"));
}

// Through the public entry point the direct reader's model is the one the
// caller gets, in process and isolated.
TEST_F(DirectReaderTest, ReadingAModelUsesTheDirectReaderAndTheImporterForTheRest) {
  const std::string path = Write("part.obj", kSquare + "o part\nf 1 2 3 4\n");
  TS_Model direct;
  ASSERT_TRUE(tessel::detail::ReadObjDirectly(path.c_str(), direct));
  for (const bool isolated : {false, true}) {
    TS_Model model;
    TS_String error;
    ASSERT_TRUE(isolated ? model.ReadIsolated(path.c_str(), error) : model.Read(path.c_str(), error)) << error.c_str();
    ExpectSameModel(model, direct);
  }
  const std::string lines = Write("lines.obj", kSquare + "l 1 2\nf 1 2 3\n");
  TS_Model model;
  TS_String error;
  ASSERT_TRUE(model.Read(lines.c_str(), error)) << error.c_str();
  EXPECT_EQ(model.m_objects.Count(), 1);
}

}  // namespace
