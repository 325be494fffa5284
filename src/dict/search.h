// The middle of a search: look the word up and show what was found.
#pragma once

#include <filesystem>
#include <string>

#include "dict/gather.h"
#include "dict/lookup.h"

namespace tavik {

// The gathering window starts this far before the lookup's position, so the
// neighbour list shows words before the hit too.
inline constexpr int64_t kGatherBackOff = 4096;

// Where the gathering window starts for a lookup that stopped at `offset`.
inline int64_t GatherOffset(int64_t offset) {
    return offset >= kGatherBackOff ? offset - kGatherBackOff : 0;
}

struct Dictionary {
    std::filesystem::path path;
    const CodePage& codePage;
};

// What one search found and showed.
struct SearchOutcome {
    LookupResult result;  // the lookup's result, its offset as the lookup gave it
    // Why the dictionary could not be opened or read (UTF-8); empty when it was.
    std::string openError;
    GatheredEntry shown;  // what the page shows

    bool Opened() const { return openError.empty(); }
};

// Looks `word` (already trimmed) up; when a headword was found, gathers the
// window around it onto `screen`. A dictionary that cannot be opened leaves
// the screen as it was and says why in the outcome.
SearchOutcome SearchDictionary(const Text& word, const Dictionary& dictionary,
                               const std::filesystem::path& home, EntryScreen& screen);

// The same on a dictionary already open; with a `cache`, the upper levels of
// the binary search read from it (see DictionarySession).
SearchOutcome SearchOpenDictionary(const Text& word, const FileHandle& file,
                                   const CodePage& codePage, const std::filesystem::path& home,
                                   EntryScreen& screen, ProbeCache* cache = nullptr);

// The second half of a search: when the lookup found a headword, gathers the
// window around where it stopped onto `screen`.
GatheredEntry GatherAfterLookup(const LookupResult& result, const FileHandle& file,
                                const CodePage& codePage, const std::filesystem::path& home,
                                EntryScreen& screen, ProbeCache* cache = nullptr);

// Looks `word` (already trimmed) up; when a headword was found, gathers the
// window around it onto `screen`. Returns the lookup's result, its offset as
// the lookup gave it.
LookupResult LookUpAndShow(const Text& word, const Dictionary& dictionary,
                           const std::filesystem::path& home, EntryScreen& screen);

}  // namespace tavik
