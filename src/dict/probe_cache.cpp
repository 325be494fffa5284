// A flat array of the probes of the upper levels, in the tree's order.
#include "dict/probe_cache.h"

#include <algorithm>
#include <limits>

namespace tavik {

void ProbeCache::SearchBegins() {
    if (m_searches < 2) ++m_searches;
}

std::optional<ProbeCache::Probe> ProbeCache::Find(uint32_t node, int64_t mid) const {
    if (node == 0 || node >= m_nodes.size()) return std::nullopt;
    const Node& kept = m_nodes[node];
    if (kept.state == kEmpty) return std::nullopt;
    Probe probe;
    probe.read = kept.state == kRead;
    probe.lineStart = mid + kept.toLineStart;
    probe.lineEnd = probe.lineStart + kept.lineLength;
    probe.headwordLength = kept.headwordLength;
    probe.headwordStart =
        TextView(kept.headwordStart, std::min<size_t>(kept.headwordLength, kKeptHeadwordUnits));
    return probe;
}

void ProbeCache::Add(uint32_t node, int64_t mid, const Probe& probe) {
    if (m_searches < 2 || node == 0 || node >= kNodes) return;
    constexpr int64_t kFar = std::numeric_limits<uint32_t>::max();
    const int64_t toLineStart = probe.lineStart - mid;
    const int64_t lineLength = probe.lineEnd - probe.lineStart;
    if (toLineStart < 0 || toLineStart > kFar || lineLength < 0 || lineLength > kFar ||
        probe.headwordLength > std::numeric_limits<uint16_t>::max())
        return;
    if (m_nodes.empty()) m_nodes.resize(kNodes);
    Node& kept = m_nodes[node];
    if (kept.state != kEmpty) return;
    const size_t units = std::min(probe.headwordStart.size(), kKeptHeadwordUnits);
    std::copy_n(probe.headwordStart.data(), units, kept.headwordStart);
    kept.toLineStart = uint32_t(toLineStart);
    kept.lineLength = uint32_t(lineLength);
    kept.headwordLength = uint16_t(probe.headwordLength);
    kept.state = probe.read ? kRead : kEnd;
    ++m_size;
}

void ProbeCache::Clear() {
    // A fresh array gives its memory back too.
    std::vector<Node>().swap(m_nodes);
    m_size = 0;
    m_fileSize = -1;
    m_firstLineEnd = -1;
}

}  // namespace tavik
