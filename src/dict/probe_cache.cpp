// A flat array of the probes of the upper levels, in the tree's order.
#include "dict/probe_cache.h"

#include <algorithm>
#include <limits>

namespace tavik {

ProbeCache::Nodes ProbeCache::ZeroedNodes(size_t count) {
    // calloc rather than a zero-filled vector: the lower levels' hundreds of
    // kilobytes come fresh from the system, already zero, so that what a
    // batch never reaches costs nothing.
    return Nodes(static_cast<Node*>(std::calloc(count, sizeof(Node))));
}

ProbeCache::Node* ProbeCache::At(uint32_t node) const {
    if (node == 0 || node >= kNodes) return nullptr;
    if (node < kUpperNodes) return m_upper ? &m_upper[node] : nullptr;
    return m_lower ? &m_lower[node - kUpperNodes] : nullptr;
}

std::optional<ProbeCache::Probe> ProbeCache::Find(uint32_t node, int64_t mid) const {
    const Node* const at = At(node);
    if (!at || at->state == kEmpty) return std::nullopt;
    const Node& kept = *at;
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
    if (node == 0 || node >= kNodes) return;
    constexpr int64_t kFar = std::numeric_limits<uint32_t>::max();
    const int64_t toLineStart = probe.lineStart - mid;
    const int64_t lineLength = probe.lineEnd - probe.lineStart;
    if (toLineStart < 0 || toLineStart > kFar || lineLength < 0 || lineLength > kFar ||
        probe.headwordLength > std::numeric_limits<uint16_t>::max())
        return;
    if (node < kUpperNodes && !m_upper) m_upper = ZeroedNodes(kUpperNodes);
    if (node >= kUpperNodes && !m_lower && m_searches >= kLowerLevelsFrom)
        m_lower = ZeroedNodes(kNodes - kUpperNodes);
    Node* const at = At(node);
    if (!at) return;
    Node& kept = *at;
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
    m_upper.reset();
    m_lower.reset();
    m_size = 0;
    m_fileSize = -1;
    m_firstLineEnd = -1;
}

}  // namespace tavik
