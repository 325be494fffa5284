// The lines that the upper levels of the binary search read, kept across the
// searches of one open dictionary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>

#include "text/text.h"

namespace tavik {

// Every search of a file halves the same byte range the same way, so its
// first probes are nodes of one binary tree of midpoints: node 1 at the
// root, nodes 2n and 2n + 1 below node n (the word before, the word after
// the line read there). What was read at the nodes of the upper
// kCachedProbeLevels levels is kept, with the first kKeptHeadwordUnits
// units of its headword: enough to tell which way nearly every search goes
// on, so that a search reads a kept line again only to see more of it. The
// owner drops the cache when the file changes; the cache itself knows
// nothing of the file.
inline constexpr int kCachedProbeLevels = 14;
inline constexpr size_t kKeptHeadwordUnits = 6;

class ProbeCache {
public:
    // The nodes kept are numbered 1 to kNodes - 1.
    static constexpr uint32_t kNodes = uint32_t(1) << kCachedProbeLevels;

    // What the probe at one node read: the whole line after the one its
    // midpoint falls in (or the first line, at midpoint 0).
    struct Probe {
        bool read = false;          // false: the end of the file came first
        int64_t lineStart = 0;      // where the line read starts
        int64_t lineEnd = 0;        // where the next line starts
        TextView headwordStart;     // decoded, as the search compares it
        size_t headwordLength = 0;  // the whole headword's

        bool WholeHeadword() const { return headwordStart.size() == headwordLength; }
    };

    // The upper levels (nodes below kUpperNodes) are a few kilobytes, kept
    // from the first search on; the lower ones take most of the memory and
    // pay only in a batch, so they are kept from the kLowerLevelsFrom'th
    // search on.
    static constexpr uint32_t kUpperNodes = 512;
    static constexpr int kLowerLevelsFrom = 32;

    // A search calls this before its probes.
    void SearchBegins() {
        if (m_searches < kLowerLevelsFrom) ++m_searches;
    }

    // The probe made at `node`, whose midpoint is `mid`, or nothing when it
    // is not kept. Its headword stays valid until the next Add or Clear.
    std::optional<Probe> Find(uint32_t node, int64_t mid) const;
    // Keeps the probe at `node` unless it lies below the kept levels, or
    // its line lies too far from `mid` to be noted.
    void Add(uint32_t node, int64_t mid, const Probe& probe);
    void Clear();

    size_t Bytes() const {
        return (m_upper ? kUpperNodes * sizeof(Node) : 0) +
               (m_lower ? (kNodes - kUpperNodes) * sizeof(Node) : 0);
    }
    size_t Size() const { return m_size; }

    // What every search of the file asks before its probes, kept with them:
    // the file's size and where its first line ends; -1 when not known yet.
    int64_t FileSize() const { return m_fileSize; }
    void SetFileSize(int64_t size) { m_fileSize = size; }
    int64_t FirstLineEnd() const { return m_firstLineEnd; }
    void SetFirstLineEnd(int64_t end) { m_firstLineEnd = end; }

private:
    // 24 bytes: the kept levels of a file take 384 KiB at most.
    struct Node {
        char16_t headwordStart[kKeptHeadwordUnits];
        uint32_t toLineStart;  // from the midpoint
        uint32_t lineLength;
        uint16_t headwordLength;
        uint8_t state;  // kEmpty, kRead or kEnd
        uint8_t unused;
    };
    static_assert(sizeof(Node) == 24);
    static constexpr uint8_t kEmpty = 0;
    static constexpr uint8_t kRead = 1;
    static constexpr uint8_t kEnd = 2;

    struct Free {
        void operator()(Node* nodes) const { std::free(nodes); }
    };
    using Nodes = std::unique_ptr<Node[], Free>;
    static Nodes ZeroedNodes(size_t count);
    Node* At(uint32_t node) const;

    Nodes m_upper;
    Nodes m_lower;  // from node kUpperNodes on
    size_t m_size = 0;
    int m_searches = 0;
    int64_t m_fileSize = -1;
    int64_t m_firstLineEnd = -1;
};

// Most memory the cache takes.
inline constexpr size_t kProbeCacheBytes = size_t(384) << 10;

}  // namespace tavik
