// The generated sample part: sound meshes (closed where solid, open only at
// the tube end and the boss foot), normals that agree with the faces, and the
// same output on every call.
#include <tessel/ts_sample_part.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

struct EdgeCensus {
  int border = 0;       // edges with one face
  int nonManifold = 0;  // edges with more than two faces
};

EdgeCensus CountEdges(const TS_Mesh& mesh) {
  EdgeCensus census;
  const TS_MeshTopology& topology = mesh.Topology();
  for (int e = 0; e < topology.TopEdgeCount(); ++e) {
    const auto faces = topology.TopEdgeFaces(e);
    census.border += faces.size() < 2 ? 1 : 0;
    census.nonManifold += faces.size() > 2 ? 1 : 0;
  }
  return census;
}

const TS_SampleObject& Named(const std::vector<TS_SampleObject>& objects, const std::string& name) {
  for (const TS_SampleObject& object : objects) {
    if (object.name == name) {
      return object;
    }
  }
  throw std::runtime_error("no object named " + name);
}

std::size_t Triangles(const std::vector<TS_SampleObject>& objects) {
  std::size_t count = 0;
  for (const TS_SampleObject& object : objects) {
    count += static_cast<std::size_t>(object.mesh.TriangleCount() + 2 * object.mesh.QuadCount());
  }
  return count;
}

}  // namespace

TEST(SamplePart, SolidBodiesAreClosedAndOpenOnesEndInOneRimEach) {
  const auto part = TS_SamplePart(96);
  ASSERT_EQ(part.size(), 4u);
  for (const std::string name : {"Base plate", "Upright"}) {
    const EdgeCensus census = CountEdges(Named(part, name).mesh);
    EXPECT_EQ(census.border, 0) << name;
    EXPECT_EQ(census.nonManifold, 0) << name;
  }
  // The shaft's open tube end and the boss's foot on the plate are one
  // circle of 96 edges each.
  for (const std::string name : {"Shaft", "Boss"}) {
    const EdgeCensus census = CountEdges(Named(part, name).mesh);
    EXPECT_EQ(census.border, 96) << name;
    EXPECT_EQ(census.nonManifold, 0) << name;
  }
}

TEST(SamplePart, FacesHaveAreaAndFaceTheWayTheirUnitNormalsPoint) {
  for (const TS_SampleObject& object : TS_SamplePart(64)) {
    TS_Mesh mesh = object.mesh;
    ASSERT_TRUE(mesh.HasVertexNormals()) << object.name;
    for (const TS_3fVector& normal : mesh.VertexNormals()) {
      ASSERT_NEAR(normal.Length(), 1.0f, 1e-5f) << object.name;
    }
    ASSERT_TRUE(mesh.ComputeFaceNormals());
    for (int f = 0; f < mesh.FaceCount(); ++f) {
      const TS_3fVector faceNormal = mesh.FaceNormal(f);
      ASSERT_FALSE(faceNormal.IsZero()) << object.name << " face " << f;
      const TS_MeshFace& face = mesh.Face(f);
      for (int corner = 0; corner < (face.IsTriangle() ? 3 : 4); ++corner) {
        EXPECT_GT(TS_DotProduct(faceNormal, mesh.VertexNormal(face.vi[corner])), 0.0f)
            << object.name << " face " << f << " corner " << corner;
      }
    }
  }
}

TEST(SamplePart, IsTheSameOnEveryCallAndFinerWithMoreSegments) {
  const auto first = TS_SamplePart();
  const auto second = TS_SamplePart();
  ASSERT_EQ(first.size(), second.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(static_cast<std::uint32_t>(first[i].color), static_cast<std::uint32_t>(second[i].color));
    ASSERT_EQ(first[i].mesh.VertexCount(), second[i].mesh.VertexCount());
    EXPECT_TRUE(std::equal(first[i].mesh.Vertices().begin(), first[i].mesh.Vertices().end(),
                           second[i].mesh.Vertices().begin()));
    EXPECT_TRUE(std::equal(first[i].mesh.Faces().begin(), first[i].mesh.Faces().end(), second[i].mesh.Faces().begin()));
  }
  const std::size_t standard = Triangles(first);
  EXPECT_GE(standard, 3000u);
  EXPECT_LE(standard, 50000u);
  EXPECT_GT(Triangles(TS_SamplePart(192)), standard);
  // Requests below the least useful fineness still give a sound part.
  EXPECT_EQ(CountEdges(Named(TS_SamplePart(3), "Base plate").mesh).border, 0);
}

TEST(SamplePart, LargeModelReachesTheRequestedSizeWithOneMeshPerBody) {
  const auto model = TS_LargeSampleModel(1000000);
  ASSERT_EQ(model.size(), 4u);
  const std::size_t triangles = Triangles(model);
  EXPECT_GE(triangles, 1000000u);
  EXPECT_LT(triangles, 1100000u);
  EXPECT_EQ(CountEdges(Named(model, "Base plate").mesh).nonManifold, 0);
}
