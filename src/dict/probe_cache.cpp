// A bounded open-addressed table from midpoints to the lines read there.
#include "dict/probe_cache.h"

#include <algorithm>

namespace tavik {

namespace {

// A headword longer than this is read again each time rather than kept.
constexpr size_t kLongestKeptHeadword = 256;
// Twice the probes of the kept levels: the table stays at most half full.
constexpr size_t kSlots = size_t(2) << kCachedProbeLevels;

// A single search keeps a few probes: the table starts small and doubles.
constexpr size_t kFirstSlots = 32;

size_t Home(int64_t key, size_t slots) {
    // Midpoints of one search differ in their high bits as much as in their
    // low ones: a multiplicative hash spreads both.
    return size_t((uint64_t(key) * 0x9E3779B97F4A7C15ull) >> 32) & (slots - 1);
}

}  // namespace

const ProbeCache::Slot* ProbeCache::FindSlot(int64_t mid) const {
    if (m_slots.empty()) return nullptr;
    const int64_t key = mid + 1;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = Home(key, m_slots.size());; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.key == key) return &slot;
        if (slot.key == 0) return nullptr;
    }
}

void ProbeCache::Place(const Slot& slot) {
    const size_t mask = m_slots.size() - 1;
    size_t i = Home(slot.key, m_slots.size());
    while (m_slots[i].key != 0) i = (i + 1) & mask;
    m_slots[i] = slot;
}

std::optional<ProbeCache::Probe> ProbeCache::Find(int64_t mid) const {
    const Slot* slot = FindSlot(mid);
    if (!slot) return std::nullopt;
    return Probe{slot->read, slot->lineStart, slot->lineEnd,
                 TextView(m_headwords.data() + slot->headwordAt, slot->headwordLength)};
}

void ProbeCache::Add(int64_t mid, const Probe& probe) {
    if (probe.headword.size() > kLongestKeptHeadword || mid < 0 || FindSlot(mid)) return;
    if (m_size >= kSlots / 2) return;
    size_t slots = std::max(kFirstSlots, m_slots.size());
    if ((m_size + 1) * 2 > slots) slots *= 2;
    // The bound holds for what is allocated, spare room included.
    const size_t need = m_headwords.size() + probe.headword.size();
    const size_t capacity = need <= m_headwords.capacity()
                                ? m_headwords.capacity()
                                : std::max(need, 2 * m_headwords.capacity());
    if (slots * sizeof(Slot) + capacity * sizeof(char16_t) > kProbeCacheBytes) return;
    m_headwords.reserve(capacity);
    if (slots != m_slots.size()) {
        std::vector<Slot> old(slots);
        old.swap(m_slots);
        for (const Slot& slot : old)
            if (slot.key != 0) Place(slot);
    }
    Place({mid + 1, probe.lineStart, probe.lineEnd, uint32_t(m_headwords.size()),
           uint16_t(probe.headword.size()), probe.read});
    m_headwords.insert(m_headwords.end(), probe.headword.begin(), probe.headword.end());
    ++m_size;
}

size_t ProbeCache::Bytes() const {
    return m_slots.capacity() * sizeof(Slot) + m_headwords.capacity() * sizeof(char16_t);
}

void ProbeCache::Clear() {
    // Fresh containers give their memory back too.
    std::vector<Slot>().swap(m_slots);
    std::vector<char16_t>().swap(m_headwords);
    m_size = 0;
    m_fileSize = -1;
    m_firstLineEnd = -1;
}

}  // namespace tavik
