// The indexed chaining and de-duplication against plain quadratic versions
// of the same rules, on many small random line sets whose points come from a
// few grid positions, so that junctions, loops, reversed neighbours, repeated
// and zero-length lines are common. Points are compared bit for bit, so a
// -0.0 taken for a +0.0 (equal, but a different point to a host) shows up.
#include <linvale/node.h>

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

using Lines = TS_ClassArray<TS_Line>;
using Polylines = TS_ClassArray<TS_3dPointArray>;

// ---- The rules written the slow, obvious way ----

bool appendFarEnd(const TS_3dPoint& end, const TS_Line& line, const TS_Line& normal, TS_3dPointArray& chain,
                  TS_3dPointArray& chainNormals) {
  if (end == line.from) {
    chain.Append(line.to);
    chainNormals.Append(normal.to);
  } else if (end == line.to) {
    chain.Append(line.from);
    chainNormals.Append(normal.from);
  } else {
    return false;
  }
  return true;
}

void referenceChain(Lines& lines, Lines& normals, Polylines& polylines, Polylines& normalPolylines) {
  if (lines.Count() != normals.Count()) {
    return;
  }
  TS_3dPointArray chain;
  TS_3dPointArray chainNormals;
  bool grown = false;
  while (lines.Count() > 0) {
    if (!grown) {
      if (chain.Count() > 0) {
        polylines.Append(chain);
        normalPolylines.Append(chainNormals);
      }
      chain = TS_3dPointArray();
      chainNormals = TS_3dPointArray();
      chain.Append(lines[0].from);
      chain.Append(lines[0].to);
      chainNormals.Append(normals[0].from);
      chainNormals.Append(normals[0].to);
      lines.Remove(0);
      normals.Remove(0);
    }
    grown = false;
    for (int i = 0; i < lines.Count(); ++i) {
      if (appendFarEnd(*chain.Last(), lines[i], normals[i], chain, chainNormals)) {
        lines.Remove(i);
        normals.Remove(i);
        grown = true;
      }
    }
  }
  if (chain.Count() > 0) {
    polylines.Append(chain);
    normalPolylines.Append(chainNormals);
  }
}

void referenceDeleteDuplicates(Node& node) {
  for (const TS_Line& crease : node.m_disLines) {
    int s = 0;
    while (s < node.m_silLines.Count()) {
      const TS_Line& sil = node.m_silLines[s];
      if ((crease.from == sil.from && crease.to == sil.to) || (crease.from == sil.to && crease.to == sil.from)) {
        node.m_silLines.Remove(s);
        node.m_silNormalLines.Remove(s);
      } else {
        ++s;
      }
    }
  }
}

// ---- Random line sets ----

class RandomLines {
public:
  explicit RandomLines(unsigned seed) : m_random(seed) {}

  // A few positions: both zeros, and now and then one with a NaN, which
  // equals nothing. Fewer positions make denser junctions.
  std::vector<TS_3dPoint> pointPool() {
    const double xs[] = {-1.0, -0.0, 0.0, 1.0};
    std::vector<TS_3dPoint> pool;
    const int size = uniform(2, 9);
    for (int i = 0; i < size; ++i) {
      pool.emplace_back(xs[uniform(0, 3)], uniform(0, 1), 0.0);
    }
    if (uniform(0, 9) == 0) {
      pool.emplace_back(std::numeric_limits<double>::quiet_NaN(), 0.0, 0.0);
    }
    return pool;
  }

  // Normals name their line and end, so a normal taken from the wrong line
  // or the wrong end differs.
  void fill(Lines& lines, Lines& normals, const std::vector<TS_3dPoint>& pool, int count) {
    const int poolLast = static_cast<int>(pool.size()) - 1;
    for (int i = 0; i < count; ++i) {
      lines.Append(TS_Line(pool[static_cast<std::size_t>(uniform(0, poolLast))],
                           pool[static_cast<std::size_t>(uniform(0, poolLast))]));
      normals.Append(TS_Line(TS_3dPoint(i, 0, 1), TS_3dPoint(i, 1, 1)));
    }
  }

  int uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }

private:
  std::mt19937 m_random;
};

using Bits = std::array<std::uint64_t, 3>;

Bits bits(const TS_3dPoint& p) {
  return {std::bit_cast<std::uint64_t>(p.x), std::bit_cast<std::uint64_t>(p.y), std::bit_cast<std::uint64_t>(p.z)};
}

std::vector<std::vector<Bits>> bits(const Polylines& polylines) {
  std::vector<std::vector<Bits>> result;
  for (const TS_3dPointArray& polyline : polylines) {
    auto& points = result.emplace_back();
    for (const TS_3dPoint& p : polyline) {
      points.push_back(bits(p));
    }
  }
  return result;
}

std::vector<std::array<Bits, 2>> bits(const Lines& lines) {
  std::vector<std::array<Bits, 2>> result;
  for (const TS_Line& line : lines) {
    result.push_back({bits(line.from), bits(line.to)});
  }
  return result;
}

struct Kind {
  TS_ClassArray<TS_Line> Node::*lines;
  TS_ClassArray<TS_Line> Node::*normals;
  TS_ClassArray<TS_3dPointArray> Node::*polylines;
  TS_ClassArray<TS_3dPointArray> Node::*normalPolylines;
  void (Node::*process)();
};

const Kind kKinds[] = {
    {&Node::m_silLines, &Node::m_silNormalLines, &Node::m_silPolylines, &Node::m_silNormalPolylines,
     &Node::ProcessSilhouettes},
    {&Node::m_disLines, &Node::m_disNormalLines, &Node::m_disPolylines, &Node::m_disNormalPolylines, &Node::ProcessDis},
    {&Node::m_endLines, &Node::m_endNormalLines, &Node::m_endPolylines, &Node::m_endNormalPolylines, &Node::ProcessEnd},
};

}  // namespace

TEST(ChainingEquivalence, RandomLineSetsChainExactlyAsThePlainAlgorithm) {
  RandomLines random(20240611);
  int multiLinePolylines = 0;
  for (int round = 0; round < 3000; ++round) {
    const Kind& kind = kKinds[round % 3];
    Node fast;
    random.fill(fast.*kind.lines, fast.*kind.normals, random.pointPool(), random.uniform(0, 30));
    if (random.uniform(0, 4) == 0) {
      (fast.*kind.polylines).AppendNew().Append(TS_3dPoint(7, 7, 7));
      (fast.*kind.normalPolylines).AppendNew().Append(TS_3dPoint(8, 8, 8));
    }
    Node reference = fast;
    (fast.*kind.process)();
    referenceChain(reference.*kind.lines, reference.*kind.normals, reference.*kind.polylines,
                   reference.*kind.normalPolylines);

    ASSERT_EQ(bits(fast.*kind.polylines), bits(reference.*kind.polylines)) << "round " << round;
    ASSERT_EQ(bits(fast.*kind.normalPolylines), bits(reference.*kind.normalPolylines)) << "round " << round;
    ASSERT_EQ((fast.*kind.lines).Count() + (fast.*kind.normals).Count(), 0) << "round " << round;
    for (const TS_3dPointArray& polyline : fast.*kind.polylines) {
      multiLinePolylines += polyline.Count() > 3 ? 1 : 0;
    }
  }
  // The sets must actually produce long chains, or the junction rules went untried.
  EXPECT_GT(multiLinePolylines, 1000);
}

TEST(ChainingEquivalence, RandomSilhouettesLoseExactlyTheLinesThePlainAlgorithmRemoves) {
  RandomLines random(77);
  int removed = 0;
  for (int round = 0; round < 2000; ++round) {
    const std::vector<TS_3dPoint> pool = random.pointPool();
    Node fast;
    random.fill(fast.m_silLines, fast.m_silNormalLines, pool, random.uniform(0, 20));
    random.fill(fast.m_disLines, fast.m_disNormalLines, pool, random.uniform(0, 8));
    // Now and then the normals are out of step with their lines by a few elements.
    const int surplus = random.uniform(0, 5) == 0 ? random.uniform(-2, 2) : 0;
    for (int i = 0; i < surplus; ++i) {
      fast.m_silNormalLines.Append(TS_Line(TS_3dPoint(-i, 0, 0), TS_3dPoint()));
    }
    for (int i = 0; i > surplus; --i) {
      fast.m_silNormalLines.Remove(fast.m_silNormalLines.Count() - 1);
    }
    Node reference = fast;
    const int before = fast.m_silLines.Count();
    fast.DeleteDuplicatedEdges();
    referenceDeleteDuplicates(reference);

    ASSERT_EQ(bits(fast.m_silLines), bits(reference.m_silLines)) << "round " << round;
    ASSERT_EQ(bits(fast.m_silNormalLines), bits(reference.m_silNormalLines)) << "round " << round;
    ASSERT_EQ(bits(fast.m_disLines), bits(reference.m_disLines)) << "round " << round;
    removed += before - fast.m_silLines.Count();
  }
  // Enough matches, in both directions, for the lookup to have been exercised.
  EXPECT_GT(removed, 1000);
}
