// A bounded map from midpoints to the lines read there.
#include "dict/probe_cache.h"

#include <utility>

namespace tavik {

namespace {

// A headword longer than this is read again each time rather than kept.
constexpr size_t kLongestKeptHeadword = 256;

// What one kept probe costs, the map's own node and bucket included.
size_t Cost(const ProbeCache::Probe& probe) {
    constexpr size_t kNodeOverhead = 4 * sizeof(void*);
    constexpr size_t kShortText = 8;  // held within the string itself
    const size_t text =
        probe.headword.size() < kShortText ? 0 : (probe.headword.capacity() + 1) * sizeof(char16_t);
    return sizeof(std::pair<const int64_t, ProbeCache::Probe>) + kNodeOverhead + text;
}

}  // namespace

const ProbeCache::Probe* ProbeCache::Find(int64_t mid) const {
    const auto found = m_probes.find(mid);
    return found == m_probes.end() ? nullptr : &found->second;
}

void ProbeCache::Add(int64_t mid, Probe probe) {
    if (probe.headword.size() > kLongestKeptHeadword) return;
    const size_t cost = Cost(probe);
    if (m_bytes + cost > kProbeCacheBytes) return;
    if (m_probes.try_emplace(mid, std::move(probe)).second) m_bytes += cost;
}

void ProbeCache::Clear() {
    // A fresh map gives its buckets back too.
    std::unordered_map<int64_t, Probe>().swap(m_probes);
    m_bytes = 0;
    m_fileSize = -1;
    m_firstLineEnd = -1;
}

}  // namespace tavik
