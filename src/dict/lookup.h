// Finding a word in a dictionary file by a binary search over byte offsets.
#pragma once

#include <cstdint>
#include <filesystem>

#include "dict/probe_cache.h"
#include "text/codepage.h"
#include "text/file.h"
#include "text/text.h"

namespace tavik {

struct LookupResult {
    // Where the search stood when it stopped (the midpoint of its last
    // probe); the line of the hit begins after it, or at it when it is 0.
    // -1 when nothing was found.
    int64_t nOffset = -1;
    Text strWord;      // the searched word, as passed in
    Text strHeadword;  // the exact or nearest headword as written; empty: nothing found
};

// Number of leading code units the two strings share, compared exactly.
int CommonPrefixLength(TextView first, TextView second);

// Opens the dictionary, searches `word` and closes the file again. An
// exact hit ignores case; otherwise the search converges and a short
// forward scan picks the headword sharing the longest prefix with `word`.
LookupResult LookupWord(const std::filesystem::path& dictionary, const CodePage& codePage,
                        const Text& word);

// The same, counting the probes of the binary search into `probes`. A search
// of a file of n bytes makes at most 2 * log2(n) + 3 of them.
LookupResult LookupWord(const std::filesystem::path& dictionary, const CodePage& codePage,
                        const Text& word, int& probes);

// The same on a dictionary already open (a search opens it once for the
// lookup and the gathering). With a `cache`, the lines read by the upper
// levels of the search come from it, or go into it; the caller drops it when
// the file changes.
LookupResult LookupWord(const FileHandle& file, const CodePage& codePage, const Text& word,
                        int& probes, ProbeCache* cache = nullptr);

}  // namespace tavik
