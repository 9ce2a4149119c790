// What every shader's render pass takes from Linvale: the nodes as a range,
// the caller's progress object with cancel as a stop, the edge kinds with
// their switches and chaining, and the crease threshold.
#include <linvale/npr_edge_kinds.h>
#include <linvale/npr_node_edges.h>
#include <linvale/npr_render_progress.h>
#include <linvale/npr_scene_nodes.h>
#include <linvale/npr_shader.h>
#include <linvale/scene_builder.h>
#include <tessel/ts_sample_part.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ranges>
#include <string>
#include <vector>

namespace {

TEST(SceneNodes, RunFirstToLastAndANullSceneHasNone) {
  Scene scene;
  std::vector<Node*> made;
  for (int i = 0; i < 3; ++i) {
    made.push_back(scene.BeginNode());
    scene.EndNode(made.back());
  }
  std::vector<Node*> visited;
  for (Node& node : NprSceneNodes(&scene)) {
    visited.push_back(&node);
  }
  EXPECT_EQ(visited, made);
  const Scene& constant = scene;
  EXPECT_EQ(std::ranges::distance(NprSceneNodes(constant)), 3);
  EXPECT_EQ(NprNodeCount(&scene), 3U);

  EXPECT_TRUE(NprSceneNodes(static_cast<Scene*>(nullptr)).empty());
  EXPECT_TRUE(NprSceneNodes(Scene()).empty());
  EXPECT_EQ(NprNodeCount(nullptr), 0U);
}

class RecordingProgress : public NprRenderer::Progress {
public:
  void SetStepCount(int steps) override { calls.push_back("count " + std::to_string(steps)); }
  void Step(int steps, HBITMAP) override { calls.push_back("step " + std::to_string(steps)); }
  void SetResult(HBITMAP) override {}
  void SetTaskName(const char* name) override { calls.push_back(std::string("task ") + name); }
  bool IsCanceled() override { return canceled; }

  std::vector<std::string> calls;
  bool canceled = false;
};

bool StopsAsCanceled(const NprRenderProgress& progress) {
  try {
    progress.StepWithCancelCheck();
  } catch (NprShader::StopReason reason) {
    return reason == NprShader::StopReason::Canceled;
  }
  return false;
}

TEST(RenderProgress, PassesCallsOnAndTurnsACancelIntoAStop) {
  RecordingProgress caller;
  const NprRenderProgress progress(&caller);
  progress.SetStepCount(4);
  progress.SetTaskName("Edges");
  progress.Step();
  EXPECT_FALSE(StopsAsCanceled(progress));
  caller.canceled = true;
  EXPECT_TRUE(progress.IsCanceled());
  // The step is reported before the cancel stops the render.
  EXPECT_TRUE(StopsAsCanceled(progress));
  EXPECT_EQ(caller.calls, (std::vector<std::string>{"count 4", "task Edges", "step 1", "step 1", "step 1"}));
  EXPECT_EQ(progress.Get(), &caller);
}

TEST(RenderProgress, WithoutACallerEverythingIsSkippedAndNothingStops) {
  const NprRenderProgress progress(nullptr);
  progress.SetStepCount(2);
  progress.SetTaskName("Faces");
  progress.Step();
  EXPECT_FALSE(progress.IsCanceled());
  EXPECT_NO_THROW(progress.CheckCancel());
  EXPECT_FALSE(StopsAsCanceled(progress));
}

TEST(RenderProgress, PicturesComeAboutTenTimesAPassButAtLeastEveryNode) {
  EXPECT_EQ(NprPictureStride(0), 1U);
  EXPECT_EQ(NprPictureStride(19), 1U);
  EXPECT_EQ(NprPictureStride(20), 2U);
  EXPECT_EQ(NprPictureStride(1005), 100U);
}

struct StyleSwitches {
  std::int32_t silEdges = 0;
  std::int32_t disEdges = 0;
  std::int32_t endEdges = 0;
};

TEST(EdgeKinds, SwitchesAreReadFromTheStylesThreeFlags) {
  const NprEdgeSwitches none = NprEdgeSwitchesOf(StyleSwitches{});
  EXPECT_FALSE(none.Any());
  EXPECT_EQ(none.Count(), 0);

  const NprEdgeSwitches creasesAndBorders = NprEdgeSwitchesOf(StyleSwitches{0, 1, 2});
  EXPECT_FALSE(creasesAndBorders.Draws(NprEdgeKind::Silhouette));
  EXPECT_TRUE(creasesAndBorders.Draws(NprEdgeKind::Crease));
  EXPECT_TRUE(creasesAndBorders.Draws(NprEdgeKind::Border));
  EXPECT_TRUE(creasesAndBorders.Any());
  EXPECT_EQ(creasesAndBorders.Count(), 2);
  EXPECT_TRUE(NprEdgeSwitchesOf(StyleSwitches{1, 0, 0}).Draws(NprEdgeKind::Silhouette));
}

// A node holding the same two joined lines as silhouette, crease and
// border lines, each kind's normals marking its kind in x.
Node NodeWithLinesOfEveryKind() {
  const TS_3dPoint a(0, 0, 0), b(1, 0, 0), c(1, 1, 0);
  Node node;
  double mark = 1.0;
  for (auto [lines, normals] :
       {std::pair{&Node::m_silLines, &Node::m_silNormalLines}, std::pair{&Node::m_disLines, &Node::m_disNormalLines},
        std::pair{&Node::m_endLines, &Node::m_endNormalLines}}) {
    (node.*lines).Append(TS_Line(a, b));
    (node.*lines).Append(TS_Line(b, c));
    (node.*normals).Append(TS_Line(TS_3dPoint(mark, 0, 0), TS_3dPoint(mark, 0, 0)));
    (node.*normals).Append(TS_Line(TS_3dPoint(mark, 0, 0), TS_3dPoint(mark, 0, 0)));
    mark += 1.0;
  }
  return node;
}

TEST(EdgeKinds, EachKindNamesItsOwnMembersAndChainsOnlyThem) {
  const double marks[] = {1.0, 2.0, 3.0};
  const char* keys[] = {"sil", "dis", "end"};
  int index = 0;
  for (NprEdgeKind kind : {NprEdgeKind::Silhouette, NprEdgeKind::Crease, NprEdgeKind::Border}) {
    const NprEdgeKindMembers& members = NprMembersOf(kind);
    EXPECT_EQ(members.kind, kind);
    EXPECT_STREQ(members.key, keys[index]);
    Node node = NodeWithLinesOfEveryKind();
    (node.*members.chain)();
    EXPECT_EQ((node.*members.lines).Count(), 0) << keys[index];
    ASSERT_EQ((node.*members.polylines).Count(), 1) << keys[index];
    EXPECT_EQ((node.*members.polylines)[0].Count(), 3) << keys[index];
    EXPECT_EQ((node.*members.normalPolylines)[0][0].x, marks[index]) << keys[index];
    ++index;
  }
}

TEST(NodeEdges, ChainingFollowsTheSwitchesAndDropsSilhouettesThatAreCreases) {
  Node creasesOnly = NodeWithLinesOfEveryKind();
  NprChainNodeEdges(creasesOnly, NprEdgeSwitches{false, true, false});
  EXPECT_EQ(creasesOnly.m_disPolylines.Count(), 1);
  EXPECT_EQ(creasesOnly.m_silLines.Count(), 2);
  EXPECT_EQ(creasesOnly.m_endLines.Count(), 2);

  Node silhouettesAndCreases = NodeWithLinesOfEveryKind();
  NprChainNodeEdges(silhouettesAndCreases, NprEdgeSwitches{true, true, false});
  EXPECT_EQ(silhouettesAndCreases.m_silPolylines.Count(), 0) << "every silhouette line was also a crease";
  EXPECT_EQ(silhouettesAndCreases.m_disPolylines.Count(), 1);

  Node silhouettesOnly = NodeWithLinesOfEveryKind();
  NprChainNodeEdges(silhouettesOnly, NprEdgeSwitches{true, false, true});
  EXPECT_EQ(silhouettesOnly.m_silPolylines.Count(), 1);
  EXPECT_EQ(silhouettesOnly.m_endPolylines.Count(), 1);
  EXPECT_EQ(silhouettesOnly.m_disLines.Count(), 2);
}

TEST(NodeEdges, TheThresholdIsTheFoldBetweenFacesAwayFromFlat) {
  EXPECT_DOUBLE_EQ(NprCreaseAngle(180.0), 0.0);
  EXPECT_DOUBLE_EQ(NprCreaseAngle(90.0), std::numbers::pi / 2.0);
  EXPECT_NEAR(NprCreaseAngle(157.0), 23.0 * std::numbers::pi / 180.0, 1e-12);
  EXPECT_DOUBLE_EQ(NprCreaseAngle(0.0), std::numbers::pi);
}

// The sample part, several times over, seen from above at an angle.
void FillWithSampleParts(Scene& scene) {
  for (int copy = 0; copy < 4; ++copy) {
    for (TS_SampleObject& object : TS_SamplePart(24 + 8 * copy)) {
      NprAppendMeshNode(scene, std::move(object.mesh), object.color);
    }
  }
}

TS_Viewport ObliqueView() {
  TS_Viewport viewport;
  viewport.SetProjection(TS::perspective_view);
  viewport.SetCameraLocation(TS_3dPoint(40.0, -60.0, 50.0));
  viewport.SetCameraDirection(TS_3dVector(-40.0, 60.0, -50.0));
  viewport.SetCameraUp(TS_3dVector(0.0, 0.0, 1.0));
  return viewport;
}

bool SameLines(const TS_ClassArray<TS_Line>& a, const TS_ClassArray<TS_Line>& b) {
  return std::ranges::equal(a, b, [](const TS_Line& x, const TS_Line& y) { return x.from == y.from && x.to == y.to; });
}

bool SamePolylines(const TS_ClassArray<TS_3dPointArray>& a, const TS_ClassArray<TS_3dPointArray>& b) {
  return std::ranges::equal(
      a, b, [](const TS_3dPointArray& x, const TS_3dPointArray& y) { return std::ranges::equal(x, y); });
}

// Nodes done at once on several threads come out as each does alone: the
// same lines and polylines in the same order.
TEST(SceneEdges, AreThoseOfEachNodeDoneAloneWithAStepPerNode) {
  for (const bool chained : {false, true}) {
    SCOPED_TRACE(chained ? "chained" : "lines only");
    const NprEdgeSwitches switches{true, true, true};
    Scene alone;
    Scene together;
    FillWithSampleParts(alone);
    FillWithSampleParts(together);
    const TS_Viewport view = ObliqueView();
    for (Node& node : NprSceneNodes(&alone)) {
      NprComputeNodeEdges(node, view, 150.0);
      if (chained) {
        NprChainNodeEdges(node, switches);
      }
    }
    RecordingProgress caller;
    NprComputeSceneEdges(&together, view, 150.0, NprRenderProgress(&caller), chained ? &switches : nullptr);
    EXPECT_EQ(caller.calls, std::vector<std::string>(NprNodeCount(&together), "step 1"));

    int lines = 0;
    auto other = NprSceneNodes(&together).begin();
    for (const Node& a : NprSceneNodes(&alone)) {
      const Node& b = *other++;
      for (NprEdgeKind kind : {NprEdgeKind::Silhouette, NprEdgeKind::Crease, NprEdgeKind::Border}) {
        const NprEdgeKindMembers& members = NprMembersOf(kind);
        EXPECT_TRUE(SameLines(a.*members.lines, b.*members.lines)) << members.key;
        EXPECT_TRUE(SamePolylines(a.*members.polylines, b.*members.polylines)) << members.key;
        EXPECT_TRUE(SamePolylines(a.*members.normalPolylines, b.*members.normalPolylines)) << members.key;
        lines += (b.*members.lines).Count() + (b.*members.polylines).Count();
      }
    }
    EXPECT_GT(lines, 100) << "the view should show edges of every kind";
  }
}

TEST(SceneEdges, ACancelStopsTheRenderAfterTheNodesUnderWay) {
  Scene scene;
  FillWithSampleParts(scene);
  RecordingProgress caller;
  caller.canceled = true;
  bool stopped = false;
  try {
    NprComputeSceneEdges(&scene, ObliqueView(), 150.0, NprRenderProgress(&caller));
  } catch (NprShader::StopReason reason) {
    stopped = reason == NprShader::StopReason::Canceled;
  }
  EXPECT_TRUE(stopped);
  EXPECT_LT(caller.calls.size(), NprNodeCount(&scene)) << "nodes went on after the cancel";
}

// The topology is as large as the mesh again and only edge extraction reads
// it; a render must not carry it into the drawing.
TEST(NodeEdges, ComputingANodesEdgesLetsItsTopologyGo) {
  Scene scene;
  FillWithSampleParts(scene);
  Node& node = *scene.First();
  const TS_MeshTopology& built = node.m_mesh.Topology();
  const TS_Mesh holder = node.m_mesh;  // keeps `built` alive, so a new one lies elsewhere
  NprComputeNodeEdges(node, ObliqueView(), 150.0);
  EXPECT_GT(node.m_disLines.Count() + node.m_silLines.Count(), 0);
  EXPECT_NE(&node.m_mesh.Topology(), &built);
  EXPECT_EQ(&holder.Topology(), &built);
}

}  // namespace
