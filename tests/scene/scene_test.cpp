// Scene ownership and the node's own data.
#include <linvale/scene.h>

#include "../support/feature_meshes.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Counts destructions, so tests can see which nodes a scene deletes.
struct CountedNode : Node {
  explicit CountedNode(int& deaths) : deaths(deaths) {}
  ~CountedNode() override { ++deaths; }
  int& deaths;
};

void fillEdges(Node& node) {
  node.m_silLines.Append(TS_Line(TS_3dPoint(0, 0, 0), TS_3dPoint(1, 0, 0)));
  node.m_silNormalLines.Append(TS_Line());
  node.m_endLines.Append(TS_Line());
  node.m_endNormalLines.Append(TS_Line());
  node.m_disLines.Append(TS_Line());
  node.m_disNormalLines.Append(TS_Line());
  for (auto* polylines : {&node.m_silPolylines, &node.m_silNormalPolylines, &node.m_endPolylines,
                          &node.m_endNormalPolylines, &node.m_disPolylines, &node.m_disNormalPolylines}) {
    polylines->AppendNew().Append(TS_3dPoint(1, 2, 3));
  }
}

int edgeElementCount(const Node& node) {
  int count = 0;
  for (const auto* polylines : {&node.m_silPolylines, &node.m_silNormalPolylines, &node.m_endPolylines,
                                &node.m_endNormalPolylines, &node.m_disPolylines, &node.m_disNormalPolylines}) {
    count += polylines->Count() + polylines->Capacity();
  }
  for (const auto* lines : {&node.m_silLines, &node.m_silNormalLines, &node.m_disLines, &node.m_disNormalLines,
                            &node.m_endLines, &node.m_endNormalLines}) {
    count += lines->Count() + lines->Capacity();
  }
  return count;
}

}  // namespace

TEST(Scene, NodesAreLinkedInOrderAndCounted) {
  Scene scene;
  EXPECT_EQ(scene.NodesCount(), 0u);
  EXPECT_EQ(scene.First(), nullptr);
  EXPECT_EQ(scene.Last(), nullptr);

  std::vector<Node*> made;
  for (int i = 0; i < 3; ++i) {
    Node* node = scene.BeginNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->m_next, nullptr);
    made.push_back(node);
    scene.EndNode(node);
  }
  EXPECT_EQ(scene.NodesCount(), 3u);
  EXPECT_EQ(scene.First(), made[0]);
  EXPECT_EQ(scene.Last(), made[2]);
  std::vector<Node*> visited;
  for (Node* node = scene.First(); node != nullptr; node = node->m_next) {
    visited.push_back(node);
  }
  EXPECT_EQ(visited, made);
}

TEST(Scene, LinkingANodeTwiceOrNullIsIgnored) {
  Scene scene;
  Node* a = scene.BeginNode();
  Node* b = scene.BeginNode();
  scene.EndNode(a);
  scene.EndNode(a);  // would make a loop
  scene.EndNode(nullptr);
  scene.EndNode(b);
  scene.EndNode(a);  // linked in the middle now
  EXPECT_EQ(scene.NodesCount(), 2u);
  EXPECT_EQ(a->m_next, b);
  EXPECT_EQ(b->m_next, nullptr);
}

TEST(Scene, DestroyDeletesEveryNodeAndTheLightsAndTheSceneCanBeRefilled) {
  int deaths = 0;
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
  EXPECT_EQ(scene.NodesCount(), 1u);
  EXPECT_EQ(scene.First(), scene.Last());
  scene.Destroy();
  scene.Destroy();
  EXPECT_EQ(deaths, 5);
}

TEST(Scene, DestructorDeletesLinkedNodesOnly) {
  int deaths = 0;
  auto unlinked = std::make_unique<CountedNode>(deaths);
  {
    Scene scene;
    scene.EndNode(new CountedNode(deaths));
    scene.EndNode(new CountedNode(deaths));
  }
  EXPECT_EQ(deaths, 2);
}

TEST(Scene, DeleteLinesNodesEmptiesEdgesAndNothingElse) {
  Scene scene;
  for (int i = 0; i < 2; ++i) {
    Node* node = scene.BeginNode();
    node->m_mesh = test_meshes::flatCube();
    node->m_material.SetDiffuse(TS_Color(10, 20, 30));
    node->setHadVertexNormals(false);
    fillEdges(*node);
    scene.EndNode(node);
  }
  Node* first = scene.First();
  scene.deleteLinesNodes();
  for (Node* node = scene.First(); node != nullptr; node = node->m_next) {
    EXPECT_EQ(edgeElementCount(*node), 0);
    EXPECT_EQ(node->m_mesh.FaceCount(), 12);
    EXPECT_EQ(node->m_material.Diffuse().Green(), 20);
    EXPECT_FALSE(node->getHadVertexNormals());
    EXPECT_TRUE(node->getHadOriginalVertexNormals());
  }
  EXPECT_EQ(scene.First(), first);
  EXPECT_EQ(first->m_next, scene.Last());
}

TEST(Node, StartsEmptyWithBothFlagsSet) {
  const Node node;
  EXPECT_EQ(node.m_next, nullptr);
  EXPECT_EQ(node.m_mesh.VertexCount(), 0);
  EXPECT_EQ(node.m_originalMesh.VertexCount(), 0);
  EXPECT_EQ(edgeElementCount(node), 0);
  EXPECT_TRUE(node.getHadVertexNormals());
  EXPECT_TRUE(node.getHadOriginalVertexNormals());
}

TEST(Node, OriginalMeshIsKeptAsAnIndependentCopy) {
  Node node;
  TS_Mesh mesh = test_meshes::flatCube();
  node.setOriginalMesh(&mesh);
  mesh.Destroy();
  EXPECT_EQ(node.m_originalMesh.FaceCount(), 12);

  TS_Mesh copy = node.getOriginalMesh();
  copy.SetVertex(0, TS_3fPoint(7, 7, 7));
  EXPECT_EQ(node.m_originalMesh.Vertex(0), TS_3fPoint(0, 0, 0));

  node.setOriginalMesh(nullptr);
  EXPECT_EQ(node.m_originalMesh.FaceCount(), 12);
  node.setOriginalMesh(TS_Mesh());
  EXPECT_EQ(node.m_originalMesh.FaceCount(), 0);
}

TEST(Node, CopiesAreDeepAndCarryTheFlags) {
  Node node;
  node.m_mesh = test_meshes::flatCube();
  fillEdges(node);
  node.setHadOriginalVertexNormals(false);
  Node copy = node;
  copy.m_silLines[0].to.x = 42;
  copy.m_silPolylines[0].Append(TS_3dPoint());
  copy.m_mesh.Destroy();

  EXPECT_EQ(node.m_silLines[0].to.x, 1.0);
  EXPECT_EQ(node.m_silPolylines[0].Count(), 1);
  EXPECT_EQ(node.m_mesh.FaceCount(), 12);
  EXPECT_FALSE(copy.getHadOriginalVertexNormals());
}
