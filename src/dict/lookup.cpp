// The binary search over byte offsets and the nearest-word scan.
#include "dict/lookup.h"

#include "dict/dictionary_line.h"
#include "text/compare.h"
#include "text/file.h"

namespace tavik {

namespace {

// A probe reads the tail of the line it lands in and the next whole line:
// one read of two short lines holds both (measured: smaller reads cost more
// in extra calls than they save in copying). A longer line costs more reads.
constexpr size_t kProbeReadSize = 2 * kShortLineLimit + 4;

Text HeadwordOf(std::string_view line, const CodePage& codePage) {
    return codePage.Decode(DictionaryHeadword(line));
}

}  // namespace

int CommonPrefixLength(TextView first, TextView second) {
    size_t n = 0;
    while (n < first.size() && n < second.size() && first[n] == second[n]) ++n;
    return int(n);
}

LookupResult LookupWord(const std::filesystem::path& dictionary, const CodePage& codePage,
                        const Text& word) {
    int probes = 0;
    return LookupWord(dictionary, codePage, word, probes);
}

LookupResult LookupWord(const std::filesystem::path& dictionary, const CodePage& codePage,
                        const Text& word, int& probes) {
    probes = 0;
    auto file = OpenRegularFileForReading(dictionary);
    if (!file) {
        LookupResult result;
        result.strWord = word;
        return result;
    }
    return LookupWord(*file, codePage, word, probes);
}

LookupResult LookupWord(const FileHandle& file, const CodePage& codePage, const Text& word,
                        int& probes, ProbeCache* cache) {
    probes = 0;
    LookupResult result;
    result.strWord = word;

    LineReader reader = DictionaryLineReader(file, kProbeReadSize);
    auto readLine = [&](std::string_view& line) {
        return ReadDictionaryLine(reader, codePage, line);
    };

    BackwardLineFinder backward(file);
    std::string_view ignored;
    int64_t lo = 0;
    int64_t hi = cache && cache->FileSize() >= 0 ? cache->FileSize() : reader.Size();
    int64_t previousLineStart = -1;
    int64_t mid = 0;
    std::string_view line;
    Text headword;
    // This probe's node in the tree of midpoints every search of the file
    // walks down; 0 once the search has left it.
    uint32_t node = 1;
    if (cache) cache->SearchBegins();

    for (;;) {
        ++probes;
        mid = lo + (hi - lo) / 2;
        const std::optional<ProbeCache::Probe> kept = cache ? cache->Find(node, mid) : std::nullopt;
        std::optional<int> keptOrder;
        if (kept && kept->read)
            keptOrder = CompareOrderWithStart(word, kept->headwordStart, kept->headwordLength);
        // A search that stops at this probe needs its whole headword.
        const bool stops = keptOrder == 0 || (kept && kept->lineStart == previousLineStart);
        const bool usable =
            kept && (!kept->read || (keptOrder && (kept->WholeHeadword() || !stops)));
        bool read = false;
        int64_t lineStart = mid;
        int order = 0;
        if (usable) {
            read = kept->read;
            lineStart = kept->lineStart;
            if (read) {
                order = *keptOrder;
                if (kept->WholeHeadword()) headword = kept->headwordStart;
                reader.Seek(kept->lineEnd);
            }
        } else {
            reader.Seek(mid);
            read = readLine(line);
            if (read && mid > 0) {
                // What was read is the tail of the line `mid` fell into.
                lineStart = reader.Tell();
                read = readLine(line);
            }
            if (read) {
                headword = HeadwordOf(line, codePage);
                order = CompareOrder(word, headword);
            }
            if (cache && !kept)
                cache->Add(node, mid,
                           {read, lineStart, reader.Tell(), read ? TextView(headword) : TextView(),
                            read ? headword.size() : 0});
        }
        if (!read) {
            // The end of the file: the word lies before `mid`. The record of
            // the previous probe stays as it was.
            if (mid == lo) return result;
            hi = mid;
            if (node) node = node < ProbeCache::kNodes ? 2 * node : 0;
            continue;
        }
        if (order == 0) {
            result.nOffset = mid;
            result.strHeadword = headword;
            return result;
        }
        if (order < 0) {
            hi = mid;
        } else {
            lo = mid;
        }
        if (node) node = node < ProbeCache::kNodes ? 2 * node + (order > 0 ? 1 : 0) : 0;
        // Converged once a probe reads the very line the previous one read.
        if (lineStart == previousLineStart) {
            // Unless both midpoints fell into one long line: every midpoint in
            // it reads the line after it, so the search goes on beside it.
            const int64_t longStart = mid > 0 ? backward.PreviousLineStart(lineStart, ignored) : -1;
            if (longStart >= 0 && lineStart - longStart > int64_t(kShortLineLimit)) {
                // Either way the search leaves the tree of midpoints.
                if (order < 0 && longStart > lo) {
                    hi = longStart;
                    node = 0;
                    continue;
                }
                // Its line feed is the last midpoint that reads that line again.
                if (order > 0 && lineStart - 1 > lo) {
                    lo = lineStart - 1;
                    node = 0;
                    continue;
                }
            }
            break;
        }
        previousLineStart = lineStart;
    }

    // The probes reach the first line only at a midpoint of 0, which a search
    // converging near the start seldom makes: look at it once.
    if (lo == 0) {
        const int64_t resume = reader.Tell();
        reader.Seek(0);
        if (readLine(line)) {
            Text first = HeadwordOf(line, codePage);
            if (EqualOrder(word, first)) {
                result.nOffset = 0;
                result.strHeadword = std::move(first);
                return result;
            }
        }
        reader.Seek(resume);
    }

    int best = CommonPrefixLength(word, headword);
    result.nOffset = mid;
    result.strHeadword = headword;
    while (readLine(line)) {
        Text next = HeadwordOf(line, codePage);
        const int n = CommonPrefixLength(word, next);
        if (best >= n) break;
        best = n;
        result.strHeadword = std::move(next);
    }
    return result;
}

}  // namespace tavik
