// npr-render's scene keeps one mesh per node, the one the shaders draw.
#include "../../apps/npr-render/scene_loading.h"

#include "../support/feature_meshes.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using npr_render::AppendDrawnMesh;
using npr_render::LoadSampleScene;

TEST(SceneLoading, ANodeKeepsTheDrawnMeshButNoCopyOfTheGivenOne) {
  Scene scene;
  TS_Mesh given = test_meshes::flatCube();
  const bool givenHadNormals = given.HasVertexNormals();
  Node* node = AppendDrawnMesh(scene, std::move(given), TS_Color(200, 10, 10));
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(scene.First(), node);
  EXPECT_EQ(node->m_mesh.FaceCount(), 12);
  EXPECT_TRUE(node->m_mesh.HasVertexNormals());
  EXPECT_EQ(node->m_originalMesh.VertexCount(), 0);
  EXPECT_EQ(node->m_originalMesh.FaceCount(), 0);
  // What the node was told about the given mesh stays true without it.
  EXPECT_EQ(node->getHadOriginalVertexNormals(), givenHadNormals);
}

TEST(SceneLoading, AMeshWithNothingToDrawAddsNoNode) {
  Scene scene;
  EXPECT_EQ(AppendDrawnMesh(scene, TS_Mesh(), TS_Color(0, 0, 0)), nullptr);
  EXPECT_EQ(scene.NodesCount(), 0u);
}

TEST(SceneLoading, TheSamplePartsNodesHoldOnlyWhatIsDrawn) {
  Scene scene;
  const npr_render::LoadedScene loaded = LoadSampleScene(scene, 0);
  ASSERT_GT(scene.NodesCount(), 0u);
  EXPECT_EQ(loaded.names.size(), scene.NodesCount());
  for (const Node* node = scene.First(); node != nullptr; node = node->m_next) {
    EXPECT_GT(node->m_mesh.FaceCount(), 0);
    EXPECT_EQ(node->m_originalMesh.FaceCount(), 0);
  }
}

}  // namespace
