// Topology, feature edges and edge polylines on generated meshes of a
// quarter, a half and one million triangles, and chaining and
// de-duplication on their own at line counts of large models' nodes.
#include <linvale/node.h>
#include <linvale/npr_node_edges.h>

#include "generated_meshes.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cmath>
#include <map>
#include <memory>
#include <random>

namespace {

// Resolutions for about 250k, 500k and 1M triangles.
constexpr int kResolutions[] = {250, 354, 500};
// A style's crease angle of 120 degrees: faces meeting at 120 degrees or
// less crease, so the cylinder rims and the sheet's fold do.
const double kCreaseAngle = NprCreaseAngle(120.0);

const TS_Mesh& meshAt(int resolution) {
  static std::map<int, std::unique_ptr<TS_Mesh>> meshes;
  auto& mesh = meshes[resolution];
  if (!mesh) {
    mesh = std::make_unique<TS_Mesh>(bench_meshes::cylinderAndSheet(resolution));
  }
  return *mesh;
}

void addMeshCounters(benchmark::State& state, const TS_Mesh& mesh) {
  state.counters["triangles"] = mesh.FaceCount();
  state.counters["top_edges"] = mesh.Topology().TopEdgeCount();
  state.counters["edges_per_second"] =
      benchmark::Counter(static_cast<double>(mesh.Topology().TopEdgeCount()) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

// A camera above and to the side, so the cylinder and the waves show outlines.
void computeEdges(Node& node, TS::view_projection projection) {
  node.ComputeEdges(TS_3dVector(-0.6, 0.5, -0.62), TS_3dPoint(9.0, -7.5, 9.3), projection, kCreaseAngle);
}

Node nodeWithEdges(int resolution) {
  Node node;
  node.m_mesh = meshAt(resolution);
  computeEdges(node, TS::perspective_view);
  return node;
}

double threadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

// Times only `operation`, so that restoring its input between runs (which
// costs about as much) does not count; see UseManualTime below. Thread CPU
// time keeps the figures steady on a machine shared with other work.
template <class Operation>
void timeOnly(benchmark::State& state, Operation&& operation) {
  const double start = threadSeconds();
  operation();
  state.SetIterationTime(threadSeconds() - start);
}

void BM_Topology(benchmark::State& state) {
  TS_Mesh mesh = meshAt(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    mesh.SetVertex(0, mesh.Vertex(0));  // any change drops the cached topology
    benchmark::DoNotOptimize(mesh.Topology().TopEdgeCount());
  }
  addMeshCounters(state, mesh);
}

void computeEdgesBenchmark(benchmark::State& state, TS::view_projection projection) {
  Node node;
  node.m_mesh = meshAt(static_cast<int>(state.range(0)));
  node.m_mesh.Topology();
  for (auto _ : state) {
    node.deleteLines();
    computeEdges(node, projection);
  }
  addMeshCounters(state, node.m_mesh);
  state.counters["sil"] = node.m_silLines.Count();
  state.counters["dis"] = node.m_disLines.Count();
  state.counters["end"] = node.m_endLines.Count();
}

void BM_ComputeEdgesParallel(benchmark::State& state) { computeEdgesBenchmark(state, TS::parallel_view); }
void BM_ComputeEdgesPerspective(benchmark::State& state) { computeEdgesBenchmark(state, TS::perspective_view); }

// Times the de-duplication on a fresh copy of the source's silhouettes and
// creases in every iteration; `node` is left as the last run made it.
void timeDeleteDuplicatedEdges(benchmark::State& state, const Node& source, Node& node) {
  for (auto _ : state) {
    node.m_silLines = source.m_silLines;
    node.m_silNormalLines = source.m_silNormalLines;
    node.m_disLines = source.m_disLines;
    timeOnly(state, [&] { node.DeleteDuplicatedEdges(); });
  }
}

void BM_DeleteDuplicatedEdges(benchmark::State& state) {
  const Node source = nodeWithEdges(static_cast<int>(state.range(0)));
  Node node;
  timeDeleteDuplicatedEdges(state, source, node);
  state.counters["sil"] = source.m_silLines.Count();
  state.counters["dis"] = source.m_disLines.Count();
  state.counters["sil_left"] = node.m_silLines.Count();
}

// Runs one chaining operation on a fresh copy of the lines of one kind.
template <auto Lines, auto NormalLines, auto Polylines, auto Process>
void chainingBenchmark(benchmark::State& state) {
  const Node source = nodeWithEdges(static_cast<int>(state.range(0)));
  Node node;
  for (auto _ : state) {
    node.deleteLines();
    node.*Lines = source.*Lines;
    node.*NormalLines = source.*NormalLines;
    timeOnly(state, [&] { (node.*Process)(); });
  }
  state.counters["lines"] = (source.*Lines).Count();
  state.counters["polylines"] = (node.*Polylines).Count();
}

void BM_ProcessSilhouettes(benchmark::State& state) {
  chainingBenchmark<&Node::m_silLines, &Node::m_silNormalLines, &Node::m_silPolylines, &Node::ProcessSilhouettes>(
      state);
}
void BM_ProcessDis(benchmark::State& state) {
  chainingBenchmark<&Node::m_disLines, &Node::m_disNormalLines, &Node::m_disPolylines, &Node::ProcessDis>(state);
}
void BM_ProcessEnd(benchmark::State& state) {
  chainingBenchmark<&Node::m_endLines, &Node::m_endNormalLines, &Node::m_endPolylines, &Node::ProcessEnd>(state);
}

// One long open polyline cut into n lines handed over in random order:
// the chain grows by about one line per pass, so there are about n passes,
// the worst case for a scan per pass.
void BM_ChainShuffledPolyline(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Node source;
  for (int i = 0; i < n; ++i) {
    source.m_disLines.Append(TS_Line(TS_3dPoint(i, 0, 0), TS_3dPoint(i + 1, 0, 0)));
    source.m_disNormalLines.Append(TS_Line(TS_3dPoint(0, 0, 1), TS_3dPoint(0, 0, 1)));
  }
  std::shuffle(source.m_disLines.begin(), source.m_disLines.end(), std::mt19937(12345));
  Node node;
  for (auto _ : state) {
    node.deleteLines();
    node.m_disLines = source.m_disLines;
    node.m_disNormalLines = source.m_disNormalLines;
    timeOnly(state, [&] { node.ProcessDis(); });
  }
  state.SetComplexityN(n);
}

// n crease lines along a shuffled polyline and n silhouettes of which every
// other one repeats a crease, half of those the other way round.
void BM_DeleteDuplicatedEdgesManyLines(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Node source;
  for (int i = 0; i < n; ++i) {
    const TS_3dPoint a(i, 0, 0), b(i + 1, 0, 0), off(i, 1, 0);
    source.m_disLines.Append(TS_Line(a, b));
    source.m_silLines.Append(i % 2 != 0 ? TS_Line(a, off) : i % 4 == 0 ? TS_Line(a, b) : TS_Line(b, a));
    source.m_silNormalLines.Append(TS_Line(TS_3dPoint(0, 0, 1), TS_3dPoint(0, 0, 1)));
  }
  std::shuffle(source.m_disLines.begin(), source.m_disLines.end(), std::mt19937(12345));
  Node node;
  timeDeleteDuplicatedEdges(state, source, node);
  state.counters["sil_left"] = node.m_silLines.Count();
  state.SetComplexityN(n);
}

void lineCounts(benchmark::internal::Benchmark* benchmark) {
  benchmark->Arg(8000)->Arg(64000)->Arg(128000)->Unit(benchmark::kMillisecond)->UseManualTime();
  benchmark->Complexity(benchmark::oNLogN);
}

void meshSizes(benchmark::internal::Benchmark* benchmark) {
  for (int resolution : kResolutions) {
    benchmark->Arg(resolution);
  }
  benchmark->Unit(benchmark::kMillisecond);
}

void meshSizesManualTime(benchmark::internal::Benchmark* benchmark) {
  meshSizes(benchmark);
  benchmark->UseManualTime();
}

}  // namespace

BENCHMARK(BM_Topology)->Apply(meshSizes);
BENCHMARK(BM_ComputeEdgesParallel)->Apply(meshSizes);
BENCHMARK(BM_ComputeEdgesPerspective)->Apply(meshSizes);
BENCHMARK(BM_DeleteDuplicatedEdges)->Apply(meshSizesManualTime);
BENCHMARK(BM_ProcessSilhouettes)->Apply(meshSizesManualTime);
BENCHMARK(BM_ProcessDis)->Apply(meshSizesManualTime);
BENCHMARK(BM_ProcessEnd)->Apply(meshSizesManualTime);
BENCHMARK(BM_ChainShuffledPolyline)->Apply(lineCounts);
BENCHMARK(BM_DeleteDuplicatedEdgesManyLines)->Apply(lineCounts);

BENCHMARK_MAIN();
