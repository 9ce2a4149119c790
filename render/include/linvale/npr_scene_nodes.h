// The nodes of a scene as a range, first to last, so that a render pass
// walks them with a range-for (or a ranges algorithm) instead of following
// m_next by hand. A null scene is an empty range: the preview and the tests
// hand shaders no scene at times.
#pragma once

#include <linvale/scene.h>

#include <cstddef>
#include <iterator>
#include <ranges>

template <typename NodeType>
class NprNodeIterator {
public:
  using value_type = NodeType;
  using difference_type = std::ptrdiff_t;

  NprNodeIterator() = default;
  explicit NprNodeIterator(NodeType* node) : mNode(node) {}

  NodeType& operator*() const { return *mNode; }
  NodeType* operator->() const { return mNode; }
  NprNodeIterator& operator++() {
    mNode = mNode->m_next;
    return *this;
  }
  NprNodeIterator operator++(int) {
    NprNodeIterator before = *this;
    ++*this;
    return before;
  }
  friend bool operator==(const NprNodeIterator&, const NprNodeIterator&) = default;

private:
  NodeType* mNode = nullptr;
};

template <typename NodeType>
class NprNodeRange : public std::ranges::view_interface<NprNodeRange<NodeType>> {
public:
  NprNodeRange() = default;
  explicit NprNodeRange(NodeType* first) : mFirst(first) {}

  NprNodeIterator<NodeType> begin() const { return NprNodeIterator<NodeType>(mFirst); }
  NprNodeIterator<NodeType> end() const { return {}; }

private:
  NodeType* mFirst = nullptr;
};

inline NprNodeRange<Node> NprSceneNodes(Scene* scene) {
  return NprNodeRange<Node>(scene != nullptr ? scene->First() : nullptr);
}

inline NprNodeRange<const Node> NprSceneNodes(const Scene* scene) {
  return NprNodeRange<const Node>(scene != nullptr ? scene->First() : nullptr);
}

inline NprNodeRange<const Node> NprSceneNodes(const Scene& scene) { return NprSceneNodes(&scene); }

// The number of nodes; 0 for a null scene.
inline unsigned NprNodeCount(const Scene* scene) { return scene != nullptr ? scene->NodesCount() : 0U; }

static_assert(std::forward_iterator<NprNodeIterator<Node>>);
static_assert(std::ranges::forward_range<NprNodeRange<const Node>>);
