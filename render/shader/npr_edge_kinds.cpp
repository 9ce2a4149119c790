#include <linvale/npr_edge_kinds.h>

#include <array>

namespace {

constexpr std::array<NprEdgeKindMembers, 3> kKinds{{
    {NprEdgeKind::Silhouette, "sil", &Node::m_silLines, &Node::m_silPolylines, &Node::m_silNormalPolylines,
     &Node::ProcessSilhouettes},
    {NprEdgeKind::Crease, "dis", &Node::m_disLines, &Node::m_disPolylines, &Node::m_disNormalPolylines,
     &Node::ProcessDis},
    {NprEdgeKind::Border, "end", &Node::m_endLines, &Node::m_endPolylines, &Node::m_endNormalPolylines,
     &Node::ProcessEnd},
}};

}  // namespace

const NprEdgeKindMembers& NprMembersOf(NprEdgeKind kind) { return kKinds[static_cast<std::size_t>(kind)]; }
