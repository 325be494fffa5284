// The lines that the upper levels of the binary search read, kept across the
// searches of one open dictionary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "text/text.h"

namespace tavik {

// Every search of a file halves the same byte range the same way, so its
// first probes land on the same few midpoints: the lines read there are kept
// (up to kCachedProbeLevels deep and kProbeCacheBytes in all) and the reads
// skipped. The owner drops the cache when the file changes; the cache
// itself knows nothing of the file.
inline constexpr int kCachedProbeLevels = 12;
inline constexpr size_t kProbeCacheBytes = size_t(384) << 10;

class ProbeCache {
public:
    // What the probe at one midpoint read: the whole line after the one the
    // midpoint falls in (or the first line, at midpoint 0).
    struct Probe {
        bool read = false;      // false: the end of the file came first
        int64_t lineStart = 0;  // where the line read starts
        int64_t lineEnd = 0;    // where the next line starts
        TextView headword;      // decoded, as the search compares it
    };

    // The probe made at `mid`, or nothing when it is not kept. Its headword
    // stays valid until the next Add or Clear.
    std::optional<Probe> Find(int64_t mid) const;
    // Keeps the probe unless the cache is full or the headword is long (a
    // line without "/" is all headword).
    void Add(int64_t mid, const Probe& probe);
    void Clear();

    size_t Bytes() const;
    size_t Size() const { return m_size; }

    // What every search of the file asks before its probes, kept with them:
    // the file's size and where its first line ends; -1 when not known yet.
    int64_t FileSize() const { return m_fileSize; }
    void SetFileSize(int64_t size) { m_fileSize = size; }
    int64_t FirstLineEnd() const { return m_firstLineEnd; }
    void SetFirstLineEnd(int64_t end) { m_firstLineEnd = end; }

private:
    // One kept probe in an open-addressed table; its headword lies in
    // m_headwords. Empty while `key` is 0 (midpoint + 1 otherwise).
    struct Slot {
        int64_t key = 0;
        int64_t lineStart = 0;
        int64_t lineEnd = 0;
        uint32_t headwordAt = 0;
        uint16_t headwordLength = 0;
        bool read = false;
    };

    const Slot* FindSlot(int64_t mid) const;
    void Place(const Slot& slot);

    std::vector<Slot> m_slots;  // a power of two, at most half full
    std::vector<char16_t> m_headwords;
    size_t m_size = 0;
    int64_t m_fileSize = -1;
    int64_t m_firstLineEnd = -1;
};

}  // namespace tavik
