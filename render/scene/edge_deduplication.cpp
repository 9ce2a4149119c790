#include <linvale/node.h>

#include "edge_lines.h"

namespace {

bool sameEdge(const TS_Line& a, const TS_Line& b) {
  return (a.from == b.from && a.to == b.to) || (a.from == b.to && a.to == b.from);
}

}  // namespace

void Node::DeleteDuplicatedEdges() {
  for (int d = 0; d < m_disLines.Count(); ++d) {
    const TS_Line crease = m_disLines[d];
    int s = 0;
    while (s < m_silLines.Count()) {
      if (sameEdge(crease, m_silLines[s])) {
        linvale_detail::removeLine(m_silLines, m_silNormalLines, s);
      } else {
        ++s;
      }
    }
  }
}
