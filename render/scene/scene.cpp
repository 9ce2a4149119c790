#include <linvale/scene.h>

#include <new>

Scene::Scene() = default;

Scene::~Scene() { Destroy(); }

Node* Scene::BeginNode() {
  try {
    return new Node();
  } catch (...) {
    return nullptr;
  }
}

void Scene::EndNode(Node* node) {
  // Linking a node twice would close the list into a loop and delete it twice.
  if (node == nullptr || node == m_last || node->m_next != nullptr) {
    return;
  }
  if (m_first == nullptr) {
    m_first = node;
  }
  if (m_last != nullptr) {
    m_last->m_next = node;
  }
  m_last = node;
  ++m_nodesCount;
}

void Scene::deleteLinesNodes() {
  for (Node* node = m_first; node != nullptr; node = node->m_next) {
    node->deleteLines();
  }
}

void Scene::Destroy() {
  m_lights.Destroy();
  while (m_first != nullptr) {
    Node* current = m_first;
    m_first = current->m_next;
    delete current;
    --m_nodesCount;
  }
  m_last = nullptr;
}
