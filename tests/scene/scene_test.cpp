// Scene ownership and the node's own data.
#include <linvale/scene.h>

#include "../support/feature_meshes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Counts destructions, so tests can see which nodes a scene deletes.
struct CountedNode : Node {
  explicit CountedNode(int& deaths) : deaths(deaths) {}
  ~CountedNode() override { ++deaths; }
  int& deaths;
};

std::vector<TS_ClassArray<TS_Line>*> lineCollections(Node& node) {
  return {&node.m_silLines,       &node.m_silNormalLines, &node.m_disLines,
          &node.m_disNormalLines, &node.m_endLines,       &node.m_endNormalLines};
}

std::vector<TS_ClassArray<TS_3dPointArray>*> polylineCollections(Node& node) {
  return {&node.m_silPolylines,       &node.m_silNormalPolylines, &node.m_endPolylines,
          &node.m_endNormalPolylines, &node.m_disPolylines,       &node.m_disNormalPolylines};
}

}  // namespace

TEST(Scene, LinksNodesInOrderAndIgnoresRelinking) {
  Scene scene;
  EXPECT_EQ(scene.First(), nullptr);
  std::vector<Node*> made;
  for (int i = 0; i < 3; ++i) {
    made.push_back(scene.BeginNode());
    scene.EndNode(made.back());
    scene.EndNode(made.back());  // a second link would close a loop
  }
  scene.EndNode(nullptr);
  scene.EndNode(made[0]);
  EXPECT_EQ(scene.NodesCount(), 3u);
  EXPECT_EQ(scene.First(), made[0]);
  EXPECT_EQ(scene.Last(), made[2]);
  std::vector<Node*> visited;
  for (Node* node = scene.First(); node != nullptr; node = node->m_next) {
    visited.push_back(node);
  }
  EXPECT_EQ(visited, made);
}

TEST(Scene, DestroyDeletesEveryLinkedNodeAndTheLightsAndTheSceneCanBeRefilled) {
  int deaths = 0;
  CountedNode unlinked(deaths);
  {
    Scene scene;
    for (int i = 0; i < 4; ++i) {
      scene.EndNode(new CountedNode(deaths));
    }
    scene.Lights().Append(TS_Light());
    scene.Destroy();
    EXPECT_EQ(deaths, 4);
    EXPECT_EQ(scene.NodesCount(), 0u);
    EXPECT_EQ(scene.First(), nullptr);
    EXPECT_EQ(scene.Last(), nullptr);
    EXPECT_EQ(scene.Lights().Count(), 0);

    scene.EndNode(new CountedNode(deaths));
    EXPECT_EQ(scene.First(), scene.Last());
  }
  EXPECT_EQ(deaths, 5);
}

TEST(Scene, DeleteLinesNodesEmptiesEdgesAndNothingElse) {
  Scene scene;
  for (int i = 0; i < 2; ++i) {
    Node* node = scene.BeginNode();
    EXPECT_TRUE(node->getHadVertexNormals() && node->getHadOriginalVertexNormals());
    node->m_mesh = test_meshes::flatCube();
    node->m_material.SetDiffuse(TS_Color(10, 20, 30));
    node->setHadVertexNormals(false);
    for (auto* lines : lineCollections(*node)) {
      lines->Append(TS_Line());
    }
    for (auto* polylines : polylineCollections(*node)) {
      polylines->AppendNew().Append(TS_3dPoint());
    }
    scene.EndNode(node);
  }
  scene.deleteLinesNodes();
  for (Node* node = scene.First(); node != nullptr; node = node->m_next) {
    for (auto* lines : lineCollections(*node)) {
      EXPECT_EQ(lines->Capacity(), 0);
    }
    for (auto* polylines : polylineCollections(*node)) {
      EXPECT_EQ(polylines->Capacity(), 0);
    }
    EXPECT_EQ(node->m_mesh.FaceCount(), 12);
    EXPECT_EQ(node->m_material.Diffuse().Green(), 20);
    EXPECT_FALSE(node->getHadVertexNormals());
  }
  EXPECT_EQ(scene.First()->m_next, scene.Last());
}

TEST(Node, KeepsItsOriginalMeshAsAnIndependentCopy) {
  Node node;
  TS_Mesh mesh = test_meshes::flatCube();
  node.setOriginalMesh(&mesh);
  mesh.Destroy();
  node.setOriginalMesh(nullptr);
  EXPECT_EQ(node.m_originalMesh.FaceCount(), 12);
  TS_Mesh copy = node.getOriginalMesh();
  copy.SetVertex(0, TS_3fPoint(7, 7, 7));
  EXPECT_EQ(node.m_originalMesh.Vertex(0), TS_3fPoint(0, 0, 0));
}
