// The meshes and lights of one render: a singly linked list of nodes that
// the scene owns, and the lights.
#pragma once

#include <linvale/export.h>
#include <linvale/node.h>

#include <tessel/ts_array.h>
#include <tessel/ts_light.h>

#include <cstdint>

class LINVALE_API Scene {
public:
  Scene();
  virtual ~Scene();
  // A copy would list the same node objects, and destroying both scenes
  // would delete those nodes twice, so scenes are neither copied nor assigned.
  Scene(const Scene&) = delete;
  Scene& operator=(const Scene&) = delete;

  // A new unlinked node that belongs to the caller until EndNode; null when
  // memory runs out.
  Node* BeginNode();
  // Links a node from BeginNode at the tail; the scene owns it from here on.
  // Null and already linked nodes are ignored.
  void EndNode(Node* node);

  Node* First() const { return m_first; }
  Node* Last() const { return m_last; }
  unsigned int NodesCount() const { return m_nodesCount; }
  TS_ClassArray<TS_Light>& Lights() { return m_lights; }
  const TS_ClassArray<TS_Light>& Lights() const { return m_lights; }

  // Empties the edge collections of every node, first to last.
  void deleteLinesNodes();
  // Releases the lights, then deletes every node.
  void Destroy();

  std::uint32_t m_nodesCount = 0;
  Node* m_first = nullptr;
  Node* m_last = nullptr;
  TS_ClassArray<TS_Light> m_lights;
};
