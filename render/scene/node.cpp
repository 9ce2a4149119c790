#include <linvale/node.h>

#include <utility>

Node::Node() = default;
Node::~Node() = default;
Node::Node(const Node&) = default;
Node& Node::operator=(const Node&) = default;

void Node::setOriginalMesh(const TS_Mesh* mesh) {
  if (mesh == nullptr) {
    return;
  }
  try {
    m_originalMesh = *mesh;
  } catch (...) {
    m_originalMesh.Destroy();  // out of memory: an empty copy beats a half-copied one
  }
}

void Node::setOriginalMesh(TS_Mesh mesh) { m_originalMesh = std::move(mesh); }

TS_Mesh Node::getOriginalMesh() const {
  try {
    return m_originalMesh;
  } catch (...) {
    return TS_Mesh();
  }
}

void Node::deleteLines() {
  for (auto* polylines : {&m_silPolylines, &m_silNormalPolylines, &m_endPolylines, &m_endNormalPolylines,
                          &m_disPolylines, &m_disNormalPolylines}) {
    polylines->Destroy();
  }
  for (auto* lines : {&m_silLines, &m_silNormalLines, &m_disLines, &m_disNormalLines, &m_endLines, &m_endNormalLines}) {
    lines->Destroy();
  }
}
